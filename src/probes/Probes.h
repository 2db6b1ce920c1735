// The two start-up questions, asked of whatever the platform offers.
#pragma once

#include <cstdint>

namespace ravel {

// Direct3D 8 on Windows, OpenGL elsewhere.
class GraphicsProbe {
public:
    // The default adapter's pixel-shader version (D3DCAPS8::PixelShaderVersion
    // form, 0xFFFF0000 | major << 8 | minor); false when the graphics object
    // cannot be created or its capabilities cannot be read. The platform
    // releases whatever it created before answering.
    virtual bool ReadPixelShaderVersion(uint32_t& version) = 0;

protected:
    ~GraphicsProbe() = default;
};

// DirectSound on Windows, ALSA elsewhere.
class SoundProbe {
public:
    // True when the default sound device can be opened; it is closed again
    // before answering.
    virtual bool OpenDefaultDevice() = 0;

protected:
    ~SoundProbe() = default;
};

// 1 when pixel shader 1.0 or later is reported, else 0.
int ProbePixelShader(GraphicsProbe& graphics);
// 1 when the default sound device exists, else 0.
int ProbeDirectSound(SoundProbe& sound);

}  // namespace ravel
