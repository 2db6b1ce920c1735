#include "settings/SettingsFile.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cstring>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#ifndef O_BINARY
#define O_BINARY 0
#endif

namespace ravel {
namespace {

constexpr char kFolderName[] = "Ravelstone";
constexpr char kFileName[] = "setting.cfg";

// Windows takes either slash.
bool IsSeparator(char c) {
#ifdef _WIN32
    return c == '\\' || c == '/';
#else
    return c == '/';
#endif
}

}  // namespace

void CreateFolders(const char* path) {
    char partial[kPathCapacity];
    const size_t length = std::strlen(path);
    if (length >= kPathCapacity) {
        return;
    }
    std::memcpy(partial, path, length + 1);
    for (size_t i = 1; i < length; ++i) {
        // "C:\" is a drive, not a folder to make.
        if (IsSeparator(partial[i]) && partial[i - 1] != ':') {
            const char separator = partial[i];
            partial[i] = '\0';
            CreateFolder(partial);
            partial[i] = separator;
        }
    }
    CreateFolder(partial);
}

int JoinSettingsPath(const char* base, bool withFile, char (&out)[kPathCapacity]) {
    out[0] = '\0';
    const size_t baseLength = std::strlen(base);
    size_t needed = baseLength + 1 + sizeof(kFolderName);  // separator, name and its zero
    if (withFile) {
        needed += 1 + sizeof(kFileName) - 1;
    }
    if (needed > kPathCapacity) {
        return -1;
    }
    char* p = out;
    std::memcpy(p, base, baseLength);
    p += baseLength;
    *p++ = kPathSeparator;
    std::memcpy(p, kFolderName, sizeof(kFolderName) - 1);
    p += sizeof(kFolderName) - 1;
    if (withFile) {
        *p++ = kPathSeparator;
        std::memcpy(p, kFileName, sizeof(kFileName) - 1);
        p += sizeof(kFileName) - 1;
    }
    *p = '\0';
    return 0;
}

int LoadSettingsFrom(const char* base, SettingsRecord& record) {
    char path[kPathCapacity];
    if (JoinSettingsPath(base, true, path) != 0) {
        return -1;
    }
    return LoadSettingsFile(path, record);
}

int LoadSettingsFile(const char* path, SettingsRecord& record) {
    const int fd = ::open(path, O_RDONLY | O_BINARY);
    if (fd < 0) {
        return -1;
    }
    // A folder of that name is no settings file (and cannot be opened as one
    // on Windows): the caller falls back to the defaults.
    struct stat info {};
    if (::fstat(fd, &info) != 0 || (info.st_mode & S_IFMT) == S_IFDIR) {
        ::close(fd);
        return -1;
    }
    // A short file replaces only its own leading bytes; the rest of the
    // record keeps what it held.
    auto* bytes = reinterpret_cast<unsigned char*>(&record);
    size_t done = 0;
    while (done < kSettingsSize) {
        const auto got = ::read(fd, bytes + done, static_cast<unsigned>(kSettingsSize - done));
        if (got <= 0) {
            break;
        }
        done += static_cast<size_t>(got);
    }
    ::close(fd);
    return 0;
}

int SaveSettingsTo(const char* base, const SettingsRecord& record) {
    char path[kPathCapacity];
    if (JoinSettingsPath(base, true, path) != 0) {
        return -1;
    }
    return SaveSettingsFile(path, record);
}

int SaveSettingsFile(const char* path, const SettingsRecord& record) {
    // The folder that holds the file: everything before the last separator.
    char folder[kPathCapacity];
    const size_t length = std::strlen(path);
    if (length >= kPathCapacity) {
        return -1;
    }
    std::memcpy(folder, path, length + 1);
    char* last = nullptr;
    for (char* p = folder; *p != '\0'; ++p) {
        if (IsSeparator(*p)) {
            last = p;
        }
    }
    if (last != nullptr && last != folder) {
        *last = '\0';
        CreateFolders(folder);
    }
    // Open-always without truncation: whatever a longer file holds past the
    // record is not ours to drop.
    const int fd = ::open(path, O_WRONLY | O_CREAT | O_BINARY, 0666);
    if (fd < 0) {
        return -1;
    }
    const auto* bytes = reinterpret_cast<const unsigned char*>(&record);
    size_t done = 0;
    while (done < kSettingsSize) {
        const auto put = ::write(fd, bytes + done, static_cast<unsigned>(kSettingsSize - done));
        if (put <= 0) {
            break;
        }
        done += static_cast<size_t>(put);
    }
    const bool closed = ::close(fd) == 0;
    return done == kSettingsSize && closed ? 0 : -1;
}

namespace {

void ResolveInto(BaseResolver resolve, char (&base)[kPathCapacity]) {
    base[0] = '\0';
    resolve(base);
    base[kPathCapacity - 1] = '\0';
}

}  // namespace

int LoadSettings(SettingsRecord& record, BaseResolver resolve) {
    char base[kPathCapacity];
    ResolveInto(resolve, base);
    return LoadSettingsFrom(base, record);
}

int SaveSettings(const SettingsRecord& record, BaseResolver resolve) {
    char base[kPathCapacity];
    ResolveInto(resolve, base);
    return SaveSettingsTo(base, record);
}

}  // namespace ravel
