#include "probes/Probes.h"

namespace ravel {

int ProbePixelShader(GraphicsProbe& graphics) {
    constexpr uint32_t kPixelShader10 = 0xFFFF0100u;
    uint32_t version = 0;
    if (!graphics.ReadPixelShaderVersion(version)) {
        return 0;
    }
    return version >= kPixelShader10 ? 1 : 0;
}

int ProbeDirectSound(SoundProbe& sound) { return sound.OpenDefaultDevice() ? 1 : 0; }

}  // namespace ravel
