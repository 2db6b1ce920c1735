// SDL 2, loaded when the joysticks are first asked for instead of when the
// editor starts: Debian's libSDL2 brings some thirty libraries with it
// (PulseAudio, libsndfile and its codecs, Wayland, DRM), and loading them all
// before main held back everything the editor does first, the start of its
// probe children among them.
#pragma once

#include <SDL.h>

namespace ravel {

// The SDL functions the joysticks use: member `JoystickOpen` is SDL_JoystickOpen.
// clang-format off
#define RAVEL_SDL_FUNCTIONS(X)                                                         \
    X(SetHint) X(InitSubSystem) X(QuitSubSystem) X(NumJoysticks) X(IsGameController)   \
    X(JoystickEventState) X(JoystickUpdate) X(JoystickOpen) X(JoystickClose)           \
    X(JoystickGetAttached) X(JoystickGetDeviceType) X(JoystickNumAxes)                 \
    X(JoystickNumHats) X(JoystickNumButtons) X(JoystickGetAxis) X(JoystickGetHat)      \
    X(JoystickGetButton) X(GameControllerEventState) X(GameControllerOpen)             \
    X(GameControllerClose) X(GameControllerGetJoystick) X(GameControllerGetAxis)       \
    X(GameControllerGetButton)
// clang-format on

struct SdlLibrary {
// NOLINTNEXTLINE(bugprone-macro-parentheses): `name` names the member
#define RAVEL_SDL_POINTER(name) decltype(&::SDL_##name) name = nullptr;
    RAVEL_SDL_FUNCTIONS(RAVEL_SDL_POINTER)
#undef RAVEL_SDL_POINTER
};

// Loads SDL 2 on the first call. Null when it cannot be loaded or lacks a
// function: the editor then offers no joysticks, and the keyboard still works.
const SdlLibrary* LoadSdl();

// The loaded library, for code that runs only once LoadSdl has answered it.
inline const SdlLibrary& Sdl() {
    return *LoadSdl();
}

}  // namespace ravel
