#include "input/linux/SdlJoystick.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>

#include "input/CaptureScan.h"
#include "input/linux/SdlLibrary.h"

namespace ravel {
namespace {

constexpr int kPovCentred = -1;
constexpr int32_t kDefaultRangeMin = -32768;  // DirectInput's range before SetRange
constexpr int32_t kDefaultRangeMax = 32767;

// The axes' object types by axis: DirectInput's axis bits with the axis's
// number above them, which SetRange is then addressed by.
constexpr uint32_t AxisType(int axis) {
    return kDidftAxis | static_cast<uint32_t>(axis) << 8;
}
constexpr Guid kAxisGuids[] = {GUID_XAxis,  GUID_YAxis,  GUID_ZAxis,  GUID_RxAxis,
                               GUID_RyAxis, GUID_RzAxis, GUID_Slider, GUID_Slider};

// Wine's pad, by axis field: left stick X / Y, left trigger Z, right stick
// Rx / Ry, right trigger Rz (triggers rest at their minimum), and one hat from
// the d-pad.
struct PadAxis {
    SDL_GameControllerAxis sdl;
    int32_t logicalMin, logicalMax;
};
constexpr PadAxis kPadAxes[] = {
    {SDL_CONTROLLER_AXIS_LEFTX, -32768, 32767},  {SDL_CONTROLLER_AXIS_LEFTY, -32768, 32767},
    {SDL_CONTROLLER_AXIS_TRIGGERLEFT, 0, 32767}, {SDL_CONTROLLER_AXIS_RIGHTX, -32768, 32767},
    {SDL_CONTROLLER_AXIS_RIGHTY, -32768, 32767}, {SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 0, 32767},
};

// Wine's pad buttons in DirectInput order. The d-pad is reported both as the
// hat and as buttons 11-14; the guide button sits on a vendor page that
// DirectInput does not list.
constexpr SDL_GameControllerButton kPadButtons[] = {
    SDL_CONTROLLER_BUTTON_A,
    SDL_CONTROLLER_BUTTON_B,
    SDL_CONTROLLER_BUTTON_X,
    SDL_CONTROLLER_BUTTON_Y,
    SDL_CONTROLLER_BUTTON_LEFTSHOULDER,
    SDL_CONTROLLER_BUTTON_RIGHTSHOULDER,
    SDL_CONTROLLER_BUTTON_BACK,
    SDL_CONTROLLER_BUTTON_START,
    SDL_CONTROLLER_BUTTON_LEFTSTICK,
    SDL_CONTROLLER_BUTTON_RIGHTSTICK,
    SDL_CONTROLLER_BUTTON_DPAD_UP,
    SDL_CONTROLLER_BUTTON_DPAD_DOWN,
    SDL_CONTROLLER_BUTTON_DPAD_LEFT,
    SDL_CONTROLLER_BUTTON_DPAD_RIGHT,
};
constexpr int kPadButtonCount = sizeof kPadButtons / sizeof kPadButtons[0];
constexpr int kPadDpadButton = 10;  // up, down, left, right
constexpr uint8_t kPadDpadHat[4] = {SDL_HAT_UP, SDL_HAT_DOWN, SDL_HAT_LEFT, SDL_HAT_RIGHT};

uint8_t Pressed(bool down) {
    return down ? 0x80 : 0x00;
}

// SDL values (-32768..32767 sticks, 0..32767 triggers) to the range set with
// SetRange, rounding to nearest as DirectInput's scaling does.
int32_t ScaleAxis(int32_t value, int32_t logicalMin, int32_t logicalMax, int32_t rangeMin,
                  int32_t rangeMax) {
    value = std::clamp(value, logicalMin, logicalMax);
    const int64_t span = static_cast<int64_t>(logicalMax) - logicalMin;
    const int64_t offset =
        (static_cast<int64_t>(value) - logicalMin) * (static_cast<int64_t>(rangeMax) - rangeMin);
    return static_cast<int32_t>(rangeMin + (offset + span / 2) / span);
}

// An SDL hat (SDL_HAT_* bits) as a POV in hundredths of a degree clockwise
// from up, 0xFFFFFFFF when centred.
uint32_t PovFromSdlHat(uint8_t hat) {
    // By SDL_HAT_* bits (up 1, right 2, down 4, left 8); other mixes are centred.
    constexpr uint32_t kCentred = static_cast<uint32_t>(kPovCentred);
    constexpr uint32_t kPovs[16] = {kCentred, 0,        9000,     4500,    18000,    kCentred,
                                    13500,    kCentred, 27000,    31500,   kCentred, kCentred,
                                    22500,    kCentred, kCentred, kCentred};
    return hat < 16 ? kPovs[hat] : kCentred;
}

}  // namespace

bool SdlJoystickDevice::Open(int index) {
    axisCount_ = hatCount_ = buttonCount_ = 0;
    // Wine maps what SDL knows as a game controller, except wheels and flight
    // sticks, which keep their own axes.
    const SDL_JoystickType type = Sdl().JoystickGetDeviceType(index);
    if (Sdl().IsGameController(index) && type != SDL_JOYSTICK_TYPE_WHEEL &&
        type != SDL_JOYSTICK_TYPE_FLIGHT_STICK) {
        controller_ = Sdl().GameControllerOpen(index);
    }
    joystick_ = controller_ != nullptr ? Sdl().GameControllerGetJoystick(controller_)
                                       : Sdl().JoystickOpen(index);
    if (joystick_ == nullptr) {
        Release();
        return false;
    }
    if (controller_ != nullptr) {
        DescribePad();
    } else {
        DescribeJoystick();
    }
    return true;
}

void SdlJoystickDevice::Release() {
    if (controller_ != nullptr) {
        Sdl().GameControllerClose(controller_);
    } else if (joystick_ != nullptr) {
        Sdl().JoystickClose(joystick_);
    }
    controller_ = nullptr;
    joystick_ = nullptr;
}

void SdlJoystickDevice::DescribePad() {
    for (const PadAxis& pad : kPadAxes) {
        axes_[axisCount_++] = {pad.sdl, pad.logicalMin, pad.logicalMax, kDefaultRangeMin,
                               kDefaultRangeMax};
    }
    hatCount_ = 1;
    buttonCount_ = kPadButtonCount;
}

void SdlJoystickDevice::DescribeJoystick() {
    // Wine lists no more absolute axes than the state holds.
    const int sdlAxes = std::min(Sdl().JoystickNumAxes(joystick_), kAxisLimit);
    for (int i = 0; i < sdlAxes; ++i) {
        axes_[axisCount_++] = {i, -32768, 32767, kDefaultRangeMin, kDefaultRangeMax};
    }
    hatCount_ = std::max(Sdl().JoystickNumHats(joystick_), 0);
    buttonCount_ = std::max(Sdl().JoystickNumButtons(joystick_), 0);
}

DiResult SdlJoystickDevice::EnumObjects(EnumObjectsCallback callback, void* context, uint32_t) {
    // What discovery reads of the objects: the axes, whose ranges it sets, and
    // the hats. The buttons it counts from the caps.
    for (int i = 0; i < axisCount_; ++i) {
        if (callback(ObjectInstance{kAxisGuids[i], AxisType(i)}, context) == kDiEnumStop) {
            return kDiOk;
        }
    }
    for (int h = 0; h < hatCount_; ++h) {
        if (callback(ObjectInstance{GUID_POV, 0}, context) == kDiEnumStop) {
            return kDiOk;
        }
    }
    return kDiOk;
}

DiResult SdlJoystickDevice::SetRange(uint32_t objectType, int32_t minimum, int32_t maximum) {
    const uint32_t axis = objectType >> 8;
    if (axis >= static_cast<uint32_t>(axisCount_)) {
        return kDiErrGeneric;
    }
    axes_[axis].rangeMin = minimum;
    axes_[axis].rangeMax = maximum;
    return kDiOk;
}

DiResult SdlJoystickDevice::GetCapabilities(DeviceCaps& caps) {
    caps.dwButtons = static_cast<uint32_t>(buttonCount_);
    return kDiOk;
}

DiResult SdlJoystickDevice::Poll() {
    Sdl().JoystickUpdate();
    return kDiOk;
}

int32_t SdlJoystickDevice::AxisValue(const Axis& axis) const {
    const int32_t raw = controller_ != nullptr
                            ? Sdl().GameControllerGetAxis(
                                  controller_, static_cast<SDL_GameControllerAxis>(axis.sdlIndex))
                            : Sdl().JoystickGetAxis(joystick_, axis.sdlIndex);
    return ScaleAxis(raw, axis.logicalMin, axis.logicalMax, axis.rangeMin, axis.rangeMax);
}

DiResult SdlJoystickDevice::GetDeviceState(uint32_t size, void* data) {
    if (!Sdl().JoystickGetAttached(joystick_)) {
        return kDiErrInputLost;  // unplugged: nothing to read any more
    }
    JoystickState state{};
    int32_t* fields[kAxisLimit] = {&state.lX,           &state.lY,          &state.lZ,
                                   &state.lRx,          &state.lRy,         &state.lRz,
                                   &state.rglSlider[0], &state.rglSlider[1]};
    for (int i = 0; i < axisCount_; ++i) {
        *fields[i] = AxisValue(axes_[i]);
    }
    std::ranges::fill(state.rgdwPOV, static_cast<uint32_t>(kPovCentred));
    if (controller_ != nullptr) {
        for (int b = 0; b < kPadButtonCount; ++b) {
            state.rgbButtons[b] =
                Pressed(Sdl().GameControllerGetButton(controller_, kPadButtons[b]));
        }
        uint8_t hat = SDL_HAT_CENTERED;
        for (int d = 0; d < 4; ++d) {
            hat |= state.rgbButtons[kPadDpadButton + d] != 0 ? kPadDpadHat[d] : 0;
        }
        state.rgdwPOV[0] = PovFromSdlHat(hat);
    } else {
        for (int h = 0; h < hatCount_ && h < static_cast<int>(kStatePovLimit); ++h) {
            state.rgdwPOV[h] = PovFromSdlHat(Sdl().JoystickGetHat(joystick_, h));
        }
        for (int b = 0; b < buttonCount_ && b < static_cast<int>(kStateButtonLimit); ++b) {
            state.rgbButtons[b] = Pressed(Sdl().JoystickGetButton(joystick_, b) != 0);
        }
    }
    std::memcpy(data, &state, std::min<size_t>(size, sizeof state));
    return kDiOk;
}

}  // namespace ravel
