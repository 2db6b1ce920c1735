#include "input/linux/SdlInput.h"

#include <SDL.h>

#include "input/linux/SdlLibrary.h"

#include <algorithm>
#include <cstring>

namespace ravel {
namespace {

constexpr uint32_t kSdlSubsystems = SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER;

// Called only once the system has opened with SDL loaded: without it there
// are no joysticks to ask.
const SdlLibrary& Sdl() {
    return *LoadSdl();
}

constexpr int kPovCentred = -1;
constexpr int32_t kDefaultRangeMin = -32768;  // DirectInput's range before SetRange
constexpr int32_t kDefaultRangeMax = 32767;

// Instance GUIDs carry the SDL device index in data1 behind a fixed tag.
constexpr uint16_t kGuidTag2 = 0x5d1;
constexpr uint16_t kGuidTag3 = 0x2026;
constexpr uint8_t kGuidTag4[8] = {'R', 'a', 'v', 'e', 'l', 'S', 'D', 'L'};

constexpr Guid kAxisGuids[kJoystickAxisCount] = {GUID_XAxis,  GUID_YAxis,  GUID_ZAxis,
                                                 GUID_RxAxis, GUID_RyAxis, GUID_RzAxis,
                                                 GUID_Slider, GUID_Slider};

// Wine's pad: left stick X / Y, right stick Rx / Ry, left trigger Z, right
// trigger Rz (triggers rest at their minimum), one hat from the d-pad.
struct PadAxis {
    JoystickAxis field;
    SDL_GameControllerAxis sdl;
    int32_t logicalMin, logicalMax;
};
constexpr PadAxis kPadAxes[] = {
    {JoystickAxis::X, SDL_CONTROLLER_AXIS_LEFTX, -32768, 32767},
    {JoystickAxis::Y, SDL_CONTROLLER_AXIS_LEFTY, -32768, 32767},
    {JoystickAxis::Z, SDL_CONTROLLER_AXIS_TRIGGERLEFT, 0, 32767},
    {JoystickAxis::Rx, SDL_CONTROLLER_AXIS_RIGHTX, -32768, 32767},
    {JoystickAxis::Ry, SDL_CONTROLLER_AXIS_RIGHTY, -32768, 32767},
    {JoystickAxis::Rz, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 0, 32767},
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

// A plain joystick's axes in SDL's order, as Wine's HID usages list them.
constexpr JoystickAxis kJoystickAxes[kJoystickAxisCount] = {
    JoystickAxis::X,  JoystickAxis::Y,  JoystickAxis::Z,       JoystickAxis::Rx,
    JoystickAxis::Ry, JoystickAxis::Rz, JoystickAxis::Slider0, JoystickAxis::Slider1,
};

uint8_t Pressed(bool down) {
    return down ? 0x80 : 0x00;
}

// The instance GUID under which EnumDevices reports SDL device `index`.
Guid SdlDeviceGuid(int index) {
    Guid guid{static_cast<uint32_t>(index), kGuidTag2, kGuidTag3, {}};
    std::memcpy(guid.data4, kGuidTag4, sizeof kGuidTag4);
    return guid;
}

}  // namespace

int32_t ScaleAxis(int32_t value, int32_t logicalMin, int32_t logicalMax, int32_t rangeMin,
                  int32_t rangeMax) {
    value = std::clamp(value, logicalMin, logicalMax);
    const int64_t span = static_cast<int64_t>(logicalMax) - logicalMin;
    const int64_t offset =
        (static_cast<int64_t>(value) - logicalMin) * (static_cast<int64_t>(rangeMax) - rangeMin);
    return static_cast<int32_t>(rangeMin + (offset + span / 2) / span);
}

uint32_t PovFromSdlHat(uint8_t hat) {
    // By SDL_HAT_* bits (up 1, right 2, down 4, left 8); other mixes are centred.
    constexpr uint32_t kCentred = static_cast<uint32_t>(kPovCentred);
    constexpr uint32_t kPovs[16] = {kCentred, 0,        9000,     4500,    18000,    kCentred,
                                    13500,    kCentred, 27000,    31500,   kCentred, kCentred,
                                    22500,    kCentred, kCentred, kCentred};
    return hat < 16 ? kPovs[hat] : kCentred;
}

bool SdlJoystickDevice::Open(int index) {
    Reset();
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
        Close();
        return false;
    }
    if (controller_ != nullptr) {
        DescribePad();
    } else {
        DescribeJoystick();
    }
    return true;
}

void SdlJoystickDevice::Close() {
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
        axes_[axisCount_++] = {pad.field,      pad.sdl,          pad.logicalMin,
                               pad.logicalMax, kDefaultRangeMin, kDefaultRangeMax};
    }
    hatCount_ = 1;
    buttonCount_ = kPadButtonCount;
}

void SdlJoystickDevice::DescribeJoystick() {
    // Wine lists no more absolute axes than the state holds.
    const int sdlAxes = std::min(Sdl().JoystickNumAxes(joystick_), kJoystickAxisCount);
    for (int i = 0; i < sdlAxes; ++i) {
        axes_[axisCount_++] = {kJoystickAxes[i], i, -32768, 32767, kDefaultRangeMin,
                               kDefaultRangeMax};
    }
    hatCount_ = std::max(Sdl().JoystickNumHats(joystick_), 0);
    buttonCount_ = std::max(Sdl().JoystickNumButtons(joystick_), 0);
}

DiResult SdlJoystickDevice::EnumObjects(EnumObjectsCallback callback, void* context, uint32_t) {
    // Axes in DIJOYSTATE order, then hats, then buttons, each numbered from 0
    // within its kind as DirectInput numbers object instances.
    for (int field = 0; field < kJoystickAxisCount; ++field) {
        for (int i = 0; i < axisCount_; ++i) {
            if (static_cast<int>(axes_[i].field) != field) {
                continue;
            }
            const ObjectInstance object{kAxisGuids[field], DidftMakeInstance(kDidftAbsAxis, i)};
            if (callback(object, context) == kDiEnumStop) {
                return kDiOk;
            }
        }
    }
    for (int h = 0; h < hatCount_; ++h) {
        if (callback(ObjectInstance{GUID_POV, DidftMakeInstance(kDidftPov, h)}, context) ==
            kDiEnumStop) {
            return kDiOk;
        }
    }
    for (int b = 0; b < buttonCount_; ++b) {
        if (callback(ObjectInstance{GUID_Button, DidftMakeInstance(kDidftPshButton, b)}, context) ==
            kDiEnumStop) {
            return kDiOk;
        }
    }
    return kDiOk;
}

DiResult SdlJoystickDevice::SetRange(uint32_t objectType, int32_t minimum, int32_t maximum) {
    if (minimum > maximum) {
        return kDiErrInvalidParam;
    }
    for (int i = 0; i < axisCount_; ++i) {
        if (DidftMakeInstance(kDidftAbsAxis, i) == objectType) {
            axes_[i].rangeMin = minimum;
            axes_[i].rangeMax = maximum;
            return kDiOk;
        }
    }
    return kDiErrNotFound;
}

void SdlJoystickDevice::FillCaps(DeviceCaps& caps) const {
    caps.dwDevType = controller_ != nullptr ? kDi8DevTypeGamepad : kDi8DevTypeJoystick;
    caps.dwAxes = static_cast<uint32_t>(axisCount_);
    caps.dwButtons = static_cast<uint32_t>(buttonCount_);
    caps.dwPOVs = static_cast<uint32_t>(hatCount_);
}

bool SdlJoystickDevice::Attached() const {
    return Sdl().JoystickGetAttached(joystick_);
}

DiResult SdlJoystickDevice::Update() {
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

void SdlJoystickDevice::ReadState(void* data) const {
    JoystickState state{};
    int32_t* fields[kJoystickAxisCount] = {&state.lX,           &state.lY,          &state.lZ,
                                           &state.lRx,          &state.lRy,         &state.lRz,
                                           &state.rglSlider[0], &state.rglSlider[1]};
    for (int i = 0; i < axisCount_; ++i) {
        *fields[static_cast<int>(axes_[i].field)] = AxisValue(axes_[i]);
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
    std::memcpy(data, &state, sizeof state);
}

DiResult SdlInputSystem::CreateDevice(const Guid& guid, InputDevice** device) {
    if (device == nullptr) {
        return kDiErrInvalidParam;
    }
    *device = nullptr;
    if (guid == GUID_SysKeyboard) {
        if (keyboard_ == nullptr) {
            return kDiErrDeviceNotReg;
        }
        *device = keyboard_;
        return kDiOk;
    }
    // One of ours is the GUID SdlDeviceGuid makes of the index it carries.
    const int index = static_cast<int>(guid.data1);
    if (!joysticksReady_ || guid != SdlDeviceGuid(index) || index >= Sdl().NumJoysticks()) {
        return kDiErrDeviceNotReg;
    }
    for (SdlJoystickDevice& joystick : joysticks_) {
        if (!joystick.opened()) {
            if (!joystick.Open(index)) {
                return kDiErrDeviceNotReg;
            }
            *device = &joystick;
            return kDiOk;
        }
    }
    return kDiErrOutOfMemory;
}

DiResult SdlInputSystem::EnumDevices(uint32_t deviceClass, EnumDevicesCallback callback,
                                     void* context, uint32_t) {
    if (deviceClass != kDi8DevClassGameCtrl || !joysticksReady_) {
        return kDiOk;
    }
    const int count = Sdl().NumJoysticks();
    for (int index = 0; index < count; ++index) {
        if (callback(DeviceInstance{SdlDeviceGuid(index)}, context) == kDiEnumStop) {
            break;
        }
    }
    return kDiOk;
}

void SdlInputSystem::Release() {
    if (joysticksReady_) {
        Sdl().QuitSubSystem(kSdlSubsystems);
    }
    joysticksReady_ = false;
}

// What was never released is closed here, joysticks before their subsystem.
SdlInputSystem::~SdlInputSystem() {
    for (SdlJoystickDevice& joystick : joysticks_) {
        joystick.Release();
    }
    Release();
}

void SdlInputSystem::Open() {
    // Without SDL's joysticks (or without SDL itself) the keyboard still
    // works: the system then lists no game controllers.
    if (LoadSdl() == nullptr) {
        joysticksReady_ = false;
        return;
    }
    // SDL would otherwise catch SIGINT and SIGTERM for a quit event nobody
    // reads, and the editor would no longer end when asked to.
    Sdl().SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    joysticksReady_ = Sdl().InitSubSystem(kSdlSubsystems) == 0;
    if (joysticksReady_) {
        // States are read with SDL_JoystickUpdate at each poll; nothing pumps
        // SDL's event queue, so no events are queued.
        Sdl().JoystickEventState(SDL_IGNORE);
        Sdl().GameControllerEventState(SDL_IGNORE);
    }
}

DiResult SdlInputBackend::Create(NativeInstance, InputSystem** system) {
    if (system == nullptr) {
        return kDiErrInvalidParam;
    }
    system_.Open();
    *system = &system_;
    return kDiOk;
}

}  // namespace ravel
