// What discovery learnt about the joystick in one slot.
#pragma once

#include <cstdint>

namespace ravel {

inline constexpr int kJoystickSlotCount = 4;

struct JoystickCaps {
    uint32_t buttonCount;  // 0 = no usable joystick in the slot
    uint8_t hasZ;
    uint8_t hasRx;
    uint8_t hasRy;
    uint8_t hasRz;
    uint32_t sliderCount;
    uint32_t povCount;
};

using JoystickCapsTable = JoystickCaps[kJoystickSlotCount];

}  // namespace ravel
