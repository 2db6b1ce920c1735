// The floor of config.exe's graphics question: Direct3DCreate8 and the
// default adapter's caps, as the editor asks them, and then at once a plain
// window, so the start-up benchmark can time it like the others.
#include <windows.h>

#include <d3d8.h>

namespace {

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

DWORD AskPixelShaderVersion() {
    using Create = IDirect3D8*(WINAPI*)(UINT);
    HMODULE library = LoadLibraryA("d3d8.dll");
    if (library == nullptr) {
        return 0;
    }
    DWORD version = 0;
    const auto create = reinterpret_cast<Create>(
        reinterpret_cast<void*>(GetProcAddress(library, "Direct3DCreate8")));
    if (IDirect3D8* d3d = create != nullptr ? create(D3D_SDK_VERSION) : nullptr) {
        D3DCAPS8 caps{};
        if (SUCCEEDED(d3d->GetDeviceCaps(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, &caps))) {
            version = caps.PixelShaderVersion;
        }
        d3d->Release();
    }
    FreeLibrary(library);
    return version;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    const DWORD version = AskPixelShaderVersion();
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"BareDirect3DProbe";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowW(windowClass.lpszClassName, L"Bare Direct3D probe",
                                WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 320, 200,
                                nullptr, nullptr, instance, nullptr);
    ShowWindow(window, show);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        DispatchMessageW(&message);
    }
    return version != 0 ? 0 : 1;
}
