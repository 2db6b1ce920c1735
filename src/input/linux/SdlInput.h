// Joysticks through SDL 2, described and read the way the game sees the same
// controller under Wine, whose default route hands each SDL device to
// DirectInput as a HID device: a plain joystick keeps SDL's axes (as X, Y, Z,
// Rx, Ry, Rz, then two sliders), hats and buttons in SDL's order; a device SDL
// knows as a game controller gets Wine's fixed pad layout. The keyboard is
// not SDL's: the window supplies it and this system only hands it out.
#pragma once

#include <cstdint>

#include "input/CaptureScan.h"
#include "input/JoystickCaps.h"
#include "input/linux/EmulatedDevice.h"

struct _SDL_Joystick;
struct _SDL_GameController;

namespace ravel {

// What DirectInput would list for one controller, as far as the editor reads
// it: which DIJOYSTATE fields it fills.
enum class JoystickAxis : uint8_t { X, Y, Z, Rx, Ry, Rz, Slider0, Slider1 };
inline constexpr int kJoystickAxisCount = 8;

// SDL values (-32768..32767 sticks, 0..32767 triggers) to the range set with
// SetRange, rounding to nearest as DirectInput's scaling does.
int32_t ScaleAxis(int32_t value, int32_t logicalMin, int32_t logicalMax, int32_t rangeMin,
                  int32_t rangeMax);

// An SDL hat (SDL_HAT_* bits) as a POV in hundredths of a degree clockwise
// from up, 0xFFFFFFFF when centred.
uint32_t PovFromSdlHat(uint8_t hat);

// One of the input system's joysticks, opened by CreateDevice, closed by Release.
class SdlJoystickDevice final : public EmulatedDevice {
  public:
    SdlJoystickDevice() : EmulatedDevice(DataFormat::Joystick) {}
    ~SdlJoystickDevice() { Close(); }

    // Opens SDL device `index`; false when SDL cannot.
    bool Open(int index);
    bool opened() const { return joystick_ != nullptr; }

    DiResult EnumObjects(EnumObjectsCallback callback, void* context, uint32_t flags) override;
    DiResult SetRange(uint32_t objectType, int32_t minimum, int32_t maximum) override;

  private:
    struct Axis {
        JoystickAxis field;
        int sdlIndex;  // SDL axis (joystick) or SDL_GameControllerAxis (pad)
        int32_t logicalMin, logicalMax;
        int32_t rangeMin, rangeMax;
    };

    void FillCaps(DeviceCaps& caps) const override;
    void ReadState(void* data) const override;
    bool Attached() const override;
    DiResult Update() override;
    void Close() override;
    void DescribePad();
    void DescribeJoystick();
    int32_t AxisValue(const Axis& axis) const;

    _SDL_Joystick* joystick_ = nullptr;
    _SDL_GameController* controller_ = nullptr;
    Axis axes_[kJoystickAxisCount] = {};
    int axisCount_ = 0;
    int hatCount_ = 0;
    int buttonCount_ = 0;
};

// The backend's one input system: Open starts SDL's joystick subsystem,
// Release stops it.
class SdlInputSystem final : public InputSystem {
  public:
    // `keyboard` answers GUID_SysKeyboard; may be null (no keyboard).
    explicit SdlInputSystem(InputDevice* keyboard) : keyboard_(keyboard) {}
    ~SdlInputSystem();

    void Open();

    DiResult CreateDevice(const Guid& guid, InputDevice** device) override;
    DiResult EnumDevices(uint32_t deviceClass, EnumDevicesCallback callback, void* context,
                         uint32_t flags) override;
    void Release() override;

  private:
    InputDevice* keyboard_;
    bool joysticksReady_ = false;
    SdlJoystickDevice joysticks_[kJoystickSlotCount];  // never more open than the slots
};

// DirectInput8Create over SDL.
class SdlInputBackend final : public InputBackend {
  public:
    explicit SdlInputBackend(InputDevice* keyboard) : system_(keyboard) {}

    DiResult Create(NativeInstance instance, InputSystem** system) override;

  private:
    SdlInputSystem system_;
};

}  // namespace ravel
