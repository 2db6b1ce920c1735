// One joystick through SDL 2, described and read the way the game sees the
// same controller under Wine, whose default route hands each SDL device to
// DirectInput as a HID device: a plain joystick keeps SDL's axes (as X, Y, Z,
// Rx, Ry, Rz, then two sliders), hats and buttons in SDL's order; a device SDL
// knows as a game controller gets Wine's fixed pad layout.
#pragma once

#include <cstdint>

#include "input/linux/EmulatedDevice.h"

struct _SDL_Joystick;
struct _SDL_GameController;

namespace ravel {

// One of the input system's joysticks, opened by CreateDevice, closed by Release.
class SdlJoystickDevice final : public EmulatedDevice {
  public:
    // Opens SDL device `index`; false when SDL cannot.
    bool Open(int index);
    bool opened() const { return joystick_ != nullptr; }

    DiResult EnumObjects(EnumObjectsCallback callback, void* context, uint32_t flags) override;
    DiResult SetRange(uint32_t objectType, int32_t minimum, int32_t maximum) override;
    DiResult GetCapabilities(DeviceCaps& caps) override;
    DiResult Poll() override;
    DiResult GetDeviceState(uint32_t size, void* data) override;
    void Release() override;

  private:
    static constexpr int kAxisLimit = 8;  // X, Y, Z, Rx, Ry, Rz, two sliders

    // Axis i fills the i-th axis field of the state.
    struct Axis {
        int sdlIndex;  // SDL axis (joystick) or SDL_GameControllerAxis (pad)
        int32_t logicalMin, logicalMax;
        int32_t rangeMin, rangeMax;
    };

    void DescribePad();
    void DescribeJoystick();
    int32_t AxisValue(const Axis& axis) const;

    _SDL_Joystick* joystick_ = nullptr;
    _SDL_GameController* controller_ = nullptr;
    Axis axes_[kAxisLimit] = {};
    int axisCount_ = 0;
    int hatCount_ = 0;
    int buttonCount_ = 0;
};

}  // namespace ravel
