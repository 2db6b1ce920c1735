// Where the Linux editor keeps setting.cfg: inside the Wine prefix the game
// runs in, so that the game reads what the editor wrote.
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "settings/SettingsFile.h"

namespace ravel {
namespace {

bool IsFolder(const char* path) {
    struct stat info {};
    return ::stat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

const char* NonEmpty(const char* value) {
    return value != nullptr && value[0] != '\0' ? value : nullptr;
}

// $HOME or $USER, else the same field of the account's passwd entry.
const char* Account(const char* variable, char* passwd::*field) {
    if (const char* value = NonEmpty(std::getenv(variable))) {
        return value;
    }
    const passwd* entry = ::getpwuid(::getuid());
    return entry != nullptr ? NonEmpty(entry->*field) : nullptr;
}

// A path that snprintf had to cut is no path.
bool Fits(int length) {
    return length > 0 && static_cast<size_t>(length) < kPathCapacity;
}

// $`variable`, else `inHome` in the home folder; false when neither is known
// or the path does not fit.
bool FolderFrom(const char* variable, const char* inHome, char (&path)[kPathCapacity]) {
    int length = 0;
    if (const char* value = NonEmpty(std::getenv(variable))) {
        length = std::snprintf(path, kPathCapacity, "%s", value);
    } else if (const char* home = Account("HOME", &passwd::pw_dir)) {
        length = std::snprintf(path, kPathCapacity, "%s/%s", home, inHome);
    }
    return Fits(length);
}

// The roaming folder of `user` inside `prefix`, when the prefix has one.
bool RoamingFolder(const char* prefix, const char* user, char (&base)[kPathCapacity]) {
    // Current Wine names the roaming folder AppData/Roaming; old prefixes
    // still carry "Application Data".
    static const char* const kRoaming[] = {"AppData/Roaming", "Application Data"};
    for (const char* roaming : kRoaming) {
        char candidate[kPathCapacity];
        const int length = std::snprintf(candidate, sizeof candidate, "%s/drive_c/users/%s/%s",
                                         prefix, user, roaming);
        if (Fits(length) && IsFolder(candidate)) {
            std::memcpy(base, candidate, static_cast<size_t>(length) + 1);
            return true;
        }
    }
    return false;
}

bool WinePrefixBase(char (&base)[kPathCapacity]) {
    char prefix[kPathCapacity];
    if (!FolderFrom("WINEPREFIX", ".wine", prefix) || !IsFolder(prefix)) {
        return false;
    }
    // Wine names the profile after the Unix user; Proton's prefixes always
    // use "steamuser", whoever runs the game.
    const char* user = Account("USER", &passwd::pw_name);
    return (user != nullptr && RoamingFolder(prefix, user, base)) ||
           RoamingFolder(prefix, "steamuser", base);
}

bool XdgConfigBase(char (&base)[kPathCapacity]) {
    if (FolderFrom("XDG_CONFIG_HOME", ".config", base)) {
        return true;
    }
    base[0] = '\0';
    return false;
}

}  // namespace

void ResolveSettingsBase(char (&base)[kPathCapacity]) {
    if (WinePrefixBase(base) || XdgConfigBase(base)) {
        return;
    }
    if (::getcwd(base, kPathCapacity) == nullptr) {
        base[0] = '\0';
    }
}

}  // namespace ravel
