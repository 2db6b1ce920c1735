#include "settings/SettingsFile.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <direct.h>
#include <io.h>
#else
#include <unistd.h>
#endif

#ifndef O_BINARY
#define O_BINARY 0
#endif

namespace ravel {
namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

// Windows takes either slash.
bool IsSeparator(char c) {
#ifdef _WIN32
    return c == '\\' || c == '/';
#else
    return c == '/';
#endif
}

// One folder whose parent exists; an existing folder or any failure shows
// when the file is opened.
void CreateFolder(const char* path) {
#ifdef _WIN32
    ::_mkdir(path);
#else
    ::mkdir(path, 0777);
#endif
}

// The folders that hold `file`, whichever are missing (a fresh account may
// have no XDG config folder yet; the CLI names a file anywhere).
void CreateFoldersFor(const char* file) {
    char partial[kPathCapacity];
    const size_t length = std::strlen(file);
    std::memcpy(partial, file, length + 1);
    char* last = partial + length;
    while (last != partial && !IsSeparator(*last)) {
        --last;
    }
    *last = '\0';
    for (char* p = partial + 1; p < last; ++p) {
        // "C:\" is a drive, not a folder to make.
        if (IsSeparator(*p) && p[-1] != ':') {
            const char separator = *p;
            *p = '\0';
            CreateFolder(partial);
            *p = separator;
        }
    }
    if (last != partial) {
        CreateFolder(partial);
    }
}

}  // namespace

int ResolveSettingsFile(char (&file)[kPathCapacity]) {
    char base[kPathCapacity] = "";
    ResolveSettingsBase(base);
    base[kPathCapacity - 1] = '\0';
    // Joined by hand: printf would bring MinGW's whole formatter into
    // config.exe for one line.
    static constexpr char kTail[] = "XRavelstoneXsetting.cfg";
    const size_t baseLength = std::strlen(base);
    if (baseLength + sizeof kTail > kPathCapacity) {
        file[0] = '\0';
        return -1;
    }
    std::memcpy(file, base, baseLength);
    std::memcpy(file + baseLength, kTail, sizeof kTail);
    file[baseLength] = kSeparator;
    file[baseLength + 11] = kSeparator;
    return 0;
}

int LoadSettings(SettingsRecord& record, const char* file) {
    const int fd = ::open(file, O_RDONLY | O_BINARY);
    if (fd < 0) {
        return errno;
    }
    // A folder of that name is no settings file (and cannot be opened as one
    // on Windows): the caller falls back to the defaults.
    struct stat info {};
    int error = ::fstat(fd, &info) == 0 ? 0 : errno;
    if (error == 0 && (info.st_mode & S_IFMT) == S_IFDIR) {
        error = EISDIR;
    }
    // A short file replaces only its own leading bytes; the rest of the
    // record keeps what it held.
    auto* bytes = reinterpret_cast<unsigned char*>(&record);
    size_t done = 0;
    while (error == 0 && done < kSettingsSize) {
        const auto got = ::read(fd, bytes + done, static_cast<unsigned>(kSettingsSize - done));
        if (got <= 0) {
            break;
        }
        done += static_cast<size_t>(got);
    }
    ::close(fd);
    return error;
}

int SaveSettings(const SettingsRecord& record, const char* file) {
    if (std::strlen(file) >= kPathCapacity) {
        return ENAMETOOLONG;
    }
    CreateFoldersFor(file);
    // Open-always without truncation: whatever a longer file holds past the
    // record is not ours to drop.
    const int fd = ::open(file, O_WRONLY | O_CREAT | O_BINARY, 0666);
    if (fd < 0) {
        return errno;
    }
    const auto* bytes = reinterpret_cast<const unsigned char*>(&record);
    size_t done = 0;
    int error = 0;
    while (done < kSettingsSize) {
        const auto put = ::write(fd, bytes + done, static_cast<unsigned>(kSettingsSize - done));
        if (put <= 0) {
            // Stopping short is a failure, whether or not the system says why.
            error = put < 0 ? errno : kIncompleteWrite;
            break;
        }
        done += static_cast<size_t>(put);
    }
    // A close that fails may mean the bytes never reached the disk.
    if (::close(fd) != 0) {
        error = errno;
    }
    return error;
}

}  // namespace ravel
