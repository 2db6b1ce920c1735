#include "probes/win32/ProbeThread.h"

#include <windows.h>

#include <mmsystem.h>

#include <dsound.h>

#include "platform/win32/Unique.h"

namespace ravel {
namespace {

using DirectSoundCreateFunction = HRESULT(WINAPI*)(LPCGUID, LPDIRECTSOUND*, LPUNKNOWN);

}  // namespace

// DirectSound is looked up at run time: a system without it must still start
// the editor, which then keeps the sound off.
bool DirectSoundProbe::OpenDefaultDevice() {
    const UniqueModule library(LoadLibraryA("dsound.dll"));
    const auto create = ModuleFunction<DirectSoundCreateFunction>(library, "DirectSoundCreate");
    ComPtr<IDirectSound> sound;  // released before its module
    return create != nullptr && SUCCEEDED(create(nullptr, sound.put(), nullptr)) && sound;
}

}  // namespace ravel
