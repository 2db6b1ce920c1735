#include "probes/win32/DirectXProbes.h"

#include <windows.h>

#include <d3d8.h>

namespace ravel {
namespace {

using Direct3DCreate8Function = IDirect3D8*(WINAPI*)(UINT);

// The SDK version the Direct3D 8 runtime expects of its callers.
constexpr UINT kSdkVersion = 120;

bool ReadCaps(Direct3DCreate8Function create, uint32_t& version) {
    IDirect3D8* direct3d = create(kSdkVersion);
    if (direct3d == nullptr) {
        return false;
    }
    D3DCAPS8 caps{};
    const HRESULT result = direct3d->GetDeviceCaps(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, &caps);
    direct3d->Release();
    if (FAILED(result)) {
        return false;
    }
    version = caps.PixelShaderVersion;
    return true;
}

}  // namespace

// Direct3D 8 is looked up at run time: a system without it must still start
// the editor, which then offers no pixel shaders.
bool Direct3DProbe::ReadPixelShaderVersion(uint32_t& version) {
    HMODULE library = LoadLibraryA("d3d8.dll");
    if (library == nullptr) {
        return false;
    }
    const auto create = reinterpret_cast<Direct3DCreate8Function>(
        reinterpret_cast<void*>(GetProcAddress(library, "Direct3DCreate8")));
    const bool read = create != nullptr && ReadCaps(create, version);
    FreeLibrary(library);
    return read;
}

}  // namespace ravel
