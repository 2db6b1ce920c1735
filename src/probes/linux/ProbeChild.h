// Asks a probe in a child process forked before the editor starts any thread:
// the probe's libraries (the GL driver and LLVM behind it) never load into
// the editor, and a probe that crashes or hangs costs a "no", not the editor.
#pragma once

#include <sys/types.h>

#include "probes/EarlyProbes.h"

namespace ravel {

class ProbeChild final : public ProbeWorker {
  public:
    // Runs in the child; whatever it answers goes back over a pipe.
    using Question = ProbeAnswers (*)(int argc, char** argv);

    explicit ProbeChild(int limitMilliseconds = kProbeLimitMilliseconds)
        : limitMilliseconds_(limitMilliseconds) {}
    ~ProbeChild();

    ProbeChild(const ProbeChild&) = delete;
    ProbeChild& operator=(const ProbeChild&) = delete;

    // Forks the child that asks `question`. False when no child could be
    // started; Wait then answers false.
    bool Start(Question question, int argc, char** argv);

    // Waits for the answer at most the limit from this call on, then stops
    // the child whatever it did. The child is reaped by the time this
    // object is destroyed at the latest.
    bool Wait(ProbeAnswers& answers) override;

  private:
    void StopChild();
    void EndChild();

    int limitMilliseconds_;
    pid_t child_ = -1;
    int pipe_ = -1;
    bool stopped_ = false;
};

}  // namespace ravel
