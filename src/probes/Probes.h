// The two start-up questions, asked of whatever the platform offers, and
// their answers, which decide defaults and which options can be chosen.
#pragma once

#include <cstdint>

namespace ravel {

struct CapabilityFlags {
    uint32_t pixelShaderSupported;
    uint32_t directSoundAvailable;
};

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
inline int ProbePixelShader(GraphicsProbe& graphics) {
    constexpr uint32_t kPixelShader10 = 0xFFFF0100u;
    uint32_t version = 0;
    return graphics.ReadPixelShaderVersion(version) && version >= kPixelShader10 ? 1 : 0;
}
// 1 when the default sound device exists, else 0.
inline int ProbeDirectSound(SoundProbe& sound) {
    return sound.OpenDefaultDevice() ? 1 : 0;
}

}  // namespace ravel
