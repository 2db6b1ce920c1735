// The start-up questions asked of Direct3D 8 and DirectSound.
#pragma once

#include "probes/Probes.h"

namespace ravel {

// Direct3DCreate8 and the default adapter's hardware device caps.
class Direct3DProbe final : public GraphicsProbe {
  public:
    bool ReadPixelShaderVersion(uint32_t& version) override;
};

// DirectSoundCreate on the default device.
class DirectSoundProbe final : public SoundProbe {
  public:
    bool OpenDefaultDevice() override;
};

}  // namespace ravel
