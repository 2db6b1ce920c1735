// The probes' answers from work started before the window: a worker (a
// thread on Windows, a child process on Linux) asks the real probes while the
// sheet is being built, and the first page waits for what it found exactly
// where it used to ask.
#pragma once

#include <cstdint>

#include "probes/Probes.h"

namespace ravel {

// A probe that has not answered by then counts as one that failed: a driver
// that hangs must not hang the editor with it.
inline constexpr int kProbeLimitMilliseconds = 10000;

// What the real probes answered, as they answer it.
struct ProbeAnswers {
    uint32_t shaderVersion;
    uint8_t graphicsRead;  // ReadPixelShaderVersion succeeded
    uint8_t soundOpened;
    uint8_t unused[2];
};

// Asks the probes given; a missing one answers "no".
ProbeAnswers AskProbes(GraphicsProbe* graphics, SoundProbe* sound);

// The platform's worker.
class ProbeWorker {
  public:
    // The answers once the work has finished; false when it failed, crashed
    // or did not finish within its limit.
    virtual bool Wait(ProbeAnswers& answers) = 0;

  protected:
    ~ProbeWorker() = default;
};

// Both probes over a worker's answers. The first question waits for the
// worker; the other reads the same answers.
class EarlyProbes final : public GraphicsProbe, public SoundProbe {
  public:
    explicit EarlyProbes(ProbeWorker& worker) : worker_(worker) {}

    bool ReadPixelShaderVersion(uint32_t& version) override;
    bool OpenDefaultDevice() override;

  private:
    const ProbeAnswers& Answers();

    ProbeWorker& worker_;
    bool waited_ = false;
    ProbeAnswers answers_{};
};

}  // namespace ravel
