// The two answers of the start-up probes; they decide defaults and which
// options can be chosen.
#pragma once

#include <cstdint>

namespace ravel {

struct CapabilityFlags {
    uint32_t pixelShaderSupported;
    uint32_t directSoundAvailable;
};

}  // namespace ravel
