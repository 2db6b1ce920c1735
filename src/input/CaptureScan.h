// The capture scans: what is held down right now, as a scan code or an
// InputCode, given what discovery learnt of each joystick. Pure functions of
// a state snapshot, so they run anywhere.
#pragma once

#include <cstddef>
#include <cstdint>

#include "input/InputCode.h"

namespace ravel {

// What discovery learnt about the joystick in one slot.
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

inline constexpr size_t kKeyboardStateSize = 256;

// The joystick state the game's data format delivers (DIJOYSTATE): axes in
// -128..127, hats in hundredths of a degree clockwise from up (low 16 bits
// all set = centred), buttons pressed when their top bit is set.
struct JoystickState {
    int32_t lX;
    int32_t lY;
    int32_t lZ;
    int32_t lRx;
    int32_t lRy;
    int32_t lRz;
    int32_t rglSlider[kStateSliderLimit];
    uint32_t rgdwPOV[kStatePovLimit];
    uint8_t rgbButtons[kStateButtonLimit];
};

static_assert(sizeof(JoystickState) == 80, "same size as DIJOYSTATE");

// Bits of the axis options (the record's AxisOptionFlags) that the joystick
// scan reads.
inline constexpr uint32_t kAxisOptionSliders = 0x2;
inline constexpr uint32_t kAxisOptionRotation = 0x4;
inline constexpr uint32_t kAxisOptionZ = 0x8;

// Lowest scan code whose key is down, or -1.
int ScanKeyboardState(const uint8_t (&state)[kKeyboardStateSize]);

// First active input of the joystick in `slot`, in the game's priority
// order, or NoInput. `axisOptions` is the low byte of AxisOptionFlags.
InputCode ScanJoystickState(const JoystickState& state, const JoystickCaps& caps, uint32_t slot,
                            uint32_t axisOptions);

}  // namespace ravel
