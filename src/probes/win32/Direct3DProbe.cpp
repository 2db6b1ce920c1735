#include "probes/win32/ProbeThread.h"

#include <windows.h>

#include <d3d8.h>

#include "platform/win32/Unique.h"

namespace ravel {
namespace {

using Direct3DCreate8Function = IDirect3D8*(WINAPI*)(UINT);

// The SDK version the Direct3D 8 runtime expects of its callers.
constexpr UINT kSdkVersion = 120;

}  // namespace

// Direct3D 8 is looked up at run time: a system without it must still start
// the editor, which then offers no pixel shaders.
bool Direct3DProbe::ReadPixelShaderVersion(uint32_t& version) {
    const UniqueModule library(LoadLibraryA("d3d8.dll"));
    const auto create = ModuleFunction<Direct3DCreate8Function>(library, "Direct3DCreate8");
    if (create == nullptr) {
        return false;
    }
    const ComPtr<IDirect3D8> direct3d(create(kSdkVersion));  // released before its module
    D3DCAPS8 caps{};
    if (!direct3d || FAILED(direct3d->GetDeviceCaps(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, &caps))) {
        return false;
    }
    version = caps.PixelShaderVersion;
    return true;
}

}  // namespace ravel
