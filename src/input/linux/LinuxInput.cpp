#include "input/linux/LinuxInput.h"

#include <SDL.h>

#include <algorithm>
#include <iterator>

#include "input/linux/SdlLibrary.h"

namespace ravel {
namespace {

constexpr uint32_t kSdlSubsystems = SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER;

}  // namespace

DiResult LinuxInput::Create(NativeInstance, InputSystem** system) {
    *system = this;
    if (LoadSdl() == nullptr) {
        return kDiOk;  // no joysticks to list
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
    return kDiOk;
}

DiResult LinuxInput::CreateDevice(const Guid& guid, InputDevice** device) {
    if (guid == GUID_SysKeyboard) {
        *device = &keyboard_;
        return kDiOk;
    }
    SdlJoystickDevice* unused = std::ranges::find_if(
        joysticks_, [](const SdlJoystickDevice& joystick) { return !joystick.opened(); });
    if (unused == std::end(joysticks_) || !unused->Open(static_cast<int>(guid.data1))) {
        return kDiErrGeneric;
    }
    *device = unused;
    return kDiOk;
}

DiResult LinuxInput::EnumDevices(uint32_t, EnumDevicesCallback callback, void* context, uint32_t) {
    // Each under a GUID that carries its SDL device index in data1.
    const int count = joysticksReady_ ? Sdl().NumJoysticks() : 0;
    for (int index = 0; index < count; ++index) {
        if (callback(DeviceInstance{Guid{static_cast<uint32_t>(index), 0, 0, {}}}, context) ==
            kDiEnumStop) {
            break;
        }
    }
    return kDiOk;
}

void LinuxInput::Release() {
    if (joysticksReady_) {
        Sdl().QuitSubSystem(kSdlSubsystems);
    }
    joysticksReady_ = false;
}

// What was never released is closed here, joysticks before their subsystem.
LinuxInput::~LinuxInput() {
    for (SdlJoystickDevice& joystick : joysticks_) {
        joystick.Release();
    }
    Release();
}

}  // namespace ravel
