// The sound question asked of ALSA: can the default playback device be opened.
#pragma once

#include "probes/EarlyProbes.h"
#include "probes/Probes.h"

namespace ravel {

class AlsaSoundProbe final : public SoundProbe {
  public:
    bool OpenDefaultDevice() override;
};

// The sound question as a probe child of its own asks it, so that ALSA's
// configuration never loads into the editor.
ProbeAnswers AskAlsaSound(int argc, char** argv);

}  // namespace ravel
