#include "settings/win32/SettingsBase.h"

#include <windows.h>

#include <shlobj.h>

#include "platform/win32/Unique.h"

namespace ravel {
namespace {

using GetFolderPathFunction = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPSTR);

// Looked up at run time: Shfolder.dll is not on every system.
bool ApplicationDataFolder(char (&base)[kPathCapacity]) {
    const UniqueModule library(LoadLibraryA("Shfolder.dll"));
    const auto getFolderPath = ModuleFunction<GetFolderPathFunction>(library, "SHGetFolderPathA");
    // A failing lookup leaves no usable path: fall back like a missing one.
    return getFolderPath != nullptr &&
           SUCCEEDED(getFolderPath(nullptr, CSIDL_APPDATA, nullptr, 0, base)) && base[0] != '\0';
}

}  // namespace

void ResolveSettingsBase(char (&base)[kPathCapacity]) {
    base[0] = '\0';
    if (ApplicationDataFolder(base)) {
        return;
    }
    const DWORD length = GetCurrentDirectoryA(kPathCapacity, base);
    if (length == 0 || length >= kPathCapacity) {
        base[0] = '\0';
    }
}

int ResolveSettingsFile(char (&file)[kPathCapacity]) {
    char base[kPathCapacity];
    ResolveSettingsBase(base);
    return JoinSettingsFile(base, file);
}

}  // namespace ravel
