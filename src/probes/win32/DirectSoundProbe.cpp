#include "probes/win32/DirectXProbes.h"

#include <windows.h>

#include <mmsystem.h>

#include <dsound.h>

namespace ravel {
namespace {

using DirectSoundCreateFunction = HRESULT(WINAPI*)(LPCGUID, LPDIRECTSOUND*, LPUNKNOWN);

bool CreateDefaultDevice(DirectSoundCreateFunction create) {
    IDirectSound* sound = nullptr;
    if (FAILED(create(nullptr, &sound, nullptr)) || sound == nullptr) {
        return false;
    }
    sound->Release();
    return true;
}

}  // namespace

// DirectSound is looked up at run time: a system without it must still start
// the editor, which then keeps the sound off.
bool DirectSoundProbe::OpenDefaultDevice() {
    HMODULE library = LoadLibraryA("dsound.dll");
    if (library == nullptr) {
        return false;
    }
    const auto create = reinterpret_cast<DirectSoundCreateFunction>(
        reinterpret_cast<void*>(GetProcAddress(library, "DirectSoundCreate")));
    const bool created = create != nullptr && CreateDefaultDevice(create);
    FreeLibrary(library);
    return created;
}

}  // namespace ravel
