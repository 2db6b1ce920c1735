#include "input/CaptureScan.h"

#include <algorithm>
#include <iterator>

namespace ravel {
namespace {

constexpr int32_t kThreshold = 64;  // half of the -128..127 range; strict

// 0 = resting, 1 = below -64, 2 = above 64.
int AxisEnd(int32_t value) {
    if (value < -kThreshold) {
        return 1;
    }
    if (value > kThreshold) {
        return 2;
    }
    return 0;
}

// Direction of a hat that is not centred.
uint32_t PovDirection(uint32_t value) {
    if (value >= 31500 || value <= 4500) {
        return kPovUp;
    }
    if (value <= 13500) {
        return kPovRight;
    }
    if (value <= 22500) {
        return kPovDown;
    }
    return kPovLeft;
}

}  // namespace

int ScanKeyboardState(const uint8_t (&state)[kKeyboardStateSize]) {
    const uint8_t* down =
        std::ranges::find_if(state, [](uint8_t key) { return (key & 0x80) != 0; });
    return down != std::end(state) ? static_cast<int>(down - state) : -1;
}

InputCode ScanJoystickState(const JoystickState& state, const JoystickCaps& caps, uint32_t slot,
                            uint32_t axisOptions) {
    for (uint32_t b = 0; b < caps.buttonCount && b < kStateButtonLimit; ++b) {
        if ((state.rgbButtons[b] & 0x80) != 0) {
            return MakeInputCode(slot, InputKindButton, 0, b);
        }
    }

    // Each axis gives its lower element below -64 and the next one above 64.
    struct Axis {
        int32_t value;
        bool tested;
        uint32_t firstElement;
    };
    const bool rotation = (axisOptions & kAxisOptionRotation) != 0;
    const Axis axes[] = {
        {state.lY, true, kAxisUp},
        {state.lX, true, kAxisLeft},
        {state.lZ, (axisOptions & kAxisOptionZ) != 0 && caps.hasZ != 0, kAxisZMin},
        {state.lRx, rotation && caps.hasRx != 0, kAxisRxMin},
        {state.lRy, rotation && caps.hasRy != 0, kAxisRyMin},
        {state.lRz, rotation && caps.hasRz != 0, kAxisRzMin},
    };
    for (const Axis& axis : axes) {
        const int end = axis.tested ? AxisEnd(axis.value) : 0;
        if (end != 0) {
            return MakeInputCode(slot, InputKindAxis, 0,
                                 axis.firstElement + static_cast<uint32_t>(end - 1));
        }
    }

    if ((axisOptions & kAxisOptionSliders) != 0) {
        for (uint32_t s = 0; s < caps.sliderCount && s < kStateSliderLimit; ++s) {
            const int end = AxisEnd(state.rglSlider[s]);
            if (end != 0) {
                return MakeInputCode(slot, InputKindSlider, s, static_cast<uint32_t>(end - 1));
            }
        }
    }

    for (uint32_t h = 0; h < caps.povCount && h < kStatePovLimit; ++h) {
        const uint32_t value = state.rgdwPOV[h];
        if ((value & 0xFFFF) == 0xFFFF) {
            continue;
        }
        return MakeInputCode(slot, InputKindPov, h, PovDirection(value));
    }
    return NoInput;
}

}  // namespace ravel
