// The sound question asked of ALSA: can the default playback device be opened.
#pragma once

#include "probes/Probes.h"

namespace ravel {

class AlsaSoundProbe final : public SoundProbe {
  public:
    bool OpenDefaultDevice() override;
};

}  // namespace ravel
