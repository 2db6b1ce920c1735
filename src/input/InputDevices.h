// The keyboard and up to four joysticks, opened once at start-up and held
// until the sheet closes, and the capture polls over them.
#pragma once

#include <cstdint>

#include "input/CaptureScan.h"
#include "input/InputBackend.h"
#include "input/InputCode.h"

namespace ravel {

struct InputDevices {
    InputSystem* DirectInputObject;
    InputDevice* KeyboardDevice;
    InputDevice* JoystickSlots[kJoystickSlotCount];
    JoystickCapsTable joystickCaps;
    uint32_t enumerationCounter;  // next free slot while devices are enumerated
};

// Opens the keyboard and the joysticks and records each joystick's caps.
// False when the input system cannot be created or the keyboard cannot be
// configured; the run then has no devices at all.
bool InitInputDevices(InputDevices& devices, InputBackend& backend, NativeInstance instance,
                      NativeWindow window);

// Releases everything InitInputDevices opened; safe to call again.
void ReleaseInputDevices(InputDevices& devices);

// Lowest scan code held down, or -1.
int PollKeyboardCapture(InputDevices& devices);

// First active joystick input over the slots in order, or NoInput.
InputCode PollJoystickCapture(InputDevices& devices, uint32_t axisOptionFlags);

}  // namespace ravel
