// The Linux editor's input system: the keyboard its window fills and SDL's
// joysticks, handed to the portable discovery as DirectInput would hand out
// its own. Create starts SDL's joystick subsystem when SDL can be loaded,
// Release stops it; the keyboard works either way.
#pragma once

#include <cstdint>

#include "input/InputBackend.h"
#include "input/CaptureScan.h"
#include "input/linux/EmulatedDevice.h"
#include "input/linux/SdlJoystick.h"

namespace ravel {

class LinuxInput final : public InputBackend, public InputSystem {
  public:
    ~LinuxInput();

    // What the window's key events go into.
    KeyStateTable& keys() { return keyboard_.table(); }

    DiResult Create(NativeInstance instance, InputSystem** system) override;
    // GUID_SysKeyboard, or a joystick as EnumDevices listed it.
    DiResult CreateDevice(const Guid& guid, InputDevice** device) override;
    // SDL's joysticks: discovery asks for no other class.
    DiResult EnumDevices(uint32_t deviceClass, EnumDevicesCallback callback, void* context,
                         uint32_t flags) override;
    void Release() override;

  private:
    KeyStateDevice keyboard_;
    bool joysticksReady_ = false;
    SdlJoystickDevice joysticks_[kJoystickSlotCount];  // never more open than the slots
};

}  // namespace ravel
