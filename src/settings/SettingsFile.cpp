#include "settings/SettingsFile.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
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
#ifndef O_NONBLOCK
#define O_NONBLOCK 0
#endif

namespace ravel {
namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';

// Windows takes either slash.
bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}
int MakeFolder(const char* path, int) {
    return ::_mkdir(path);
}
int RemoveFolder(const char* path) {
    return ::_rmdir(path);
}
int RemoveFile(const char* path) {
    return ::_unlink(path);
}
int Truncate(int fd, off_t size) {
    return ::_chsize(fd, static_cast<long>(size));
}
void Blocking(int) {}
#else
constexpr char kSeparator = '/';

bool IsSeparator(char c) {
    return c == '/';
}
int MakeFolder(const char* path, int mode) {
    return ::mkdir(path, static_cast<mode_t>(mode));
}
int RemoveFolder(const char* path) {
    return ::rmdir(path);
}
int RemoveFile(const char* path) {
    return ::unlink(path);
}
int Truncate(int fd, off_t size) {
    return ::ftruncate(fd, size);
}
// The file was opened without waiting; from here on it reads and writes as usual.
void Blocking(int fd) {
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
}
#endif

// What a name that is not a regular file is answered with.
int KindError(const struct stat& info) {
    return (info.st_mode & S_IFMT) == S_IFDIR ? EISDIR : kNotRegularFile;
}

// Opens `file` only when it is a regular file. A pipe of that name would
// hold the open (or a read) until someone wrote to it, and a device such as
// /dev/zero would take the record and keep nothing; a link to a regular
// file is fine. Answers the descriptor, or -1 with `error` set.
int OpenRegular(const char* file, int flags, int& error) {
    struct stat info {};
    if (::stat(file, &info) == 0 && (info.st_mode & S_IFMT) != S_IFREG) {
        error = KindError(info);
        return -1;
    }
    const int fd = ::open(file, flags | O_NONBLOCK | O_BINARY, 0666);
    if (fd < 0) {
        // A pipe without a reader refuses a write-only open this way.
        error = errno == ENXIO ? kNotRegularFile : errno;
        return -1;
    }
    // Checked again on what was opened: the name may have changed meanwhile.
    const bool known = ::fstat(fd, &info) == 0;
    if (!known || (info.st_mode & S_IFMT) != S_IFREG) {
        error = known ? KindError(info) : errno;
        ::close(fd);
        return -1;
    }
    Blocking(fd);
    return fd;
}

int ReadAll(int fd, unsigned char* bytes, size_t size, size_t& done) {
    done = 0;
    while (done < size) {
        const auto got = ::read(fd, bytes + done, static_cast<unsigned>(size - done));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return errno;
        }
        if (got == 0) {
            break;
        }
        done += static_cast<size_t>(got);
    }
    return 0;
}

void RemoveMadeFolders(char* path, MadeFolders& made) {
    while (made.count > 0) {
        const size_t end = made.ends[--made.count];
        const char separator = path[end];
        path[end] = '\0';
        RemoveFolder(path);
        path[end] = separator;
    }
}

// Writes the record over the start of an existing file. Should that fail,
// the file gets back its old leading bytes and its old length, as far as
// the descriptor allows (a file we may only write cannot be read back).
int Overwrite(int fd, const unsigned char* record) {
    struct stat info {};
    const off_t oldSize = ::fstat(fd, &info) == 0 ? info.st_size : -1;
    unsigned char old[kSettingsSize];
    size_t kept = 0;
    if (ReadAll(fd, old, kSettingsSize, kept) != 0) {
        kept = 0;
    }
    if (::lseek(fd, 0, SEEK_SET) != 0) {
        return errno;
    }
    const int error = WriteAll(fd, record, kSettingsSize);
    if (error != 0) {
        // Shrinking first frees what the failed write took, so that the old
        // bytes, which fitted before, fit again.
        if (oldSize >= 0 && oldSize < static_cast<off_t>(kSettingsSize)) {
            Truncate(fd, oldSize);
        }
        if (::lseek(fd, 0, SEEK_SET) == 0) {
            WriteAll(fd, old, kept);
        }
    }
    return error;
}

}  // namespace

int WriteAll(int fd, const void* data, size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    size_t done = 0;
    while (done < size) {
        const auto put = ::write(fd, bytes + done, static_cast<unsigned>(size - done));
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put <= 0) {
            return put < 0 ? errno : kIncompleteWrite;
        }
        done += static_cast<size_t>(put);
    }
    return 0;
}

int MakeParentFolders(char* path, int mode, MadeFolders* made) {
    size_t last = std::strlen(path);
    while (last > 0 && !IsSeparator(path[last])) {
        --last;
    }
    int error = 0;
    for (size_t end = 1; end <= last && last > 0; ++end) {
        // "C:\" is a drive, not a folder to make.
        if ((end < last && !IsSeparator(path[end])) || path[end - 1] == ':') {
            continue;
        }
        const char separator = path[end];
        path[end] = '\0';
        if (MakeFolder(path, mode) == 0) {
            if (made != nullptr) {
                made->ends[made->count++] = end;
            }
        } else if (errno != EEXIST && error == 0) {
            error = errno;
        }
        path[end] = separator;
    }
    return error;
}

const char* SettingsErrorText(int error) {
    switch (error) {
        case kIncompleteWrite:
            return "the write did not complete";
        case kNotRegularFile:
            return "it is not a regular file (a pipe or a device has its name)";
        default:
            return std::strerror(error);
    }
}

int JoinSettingsFile(const char* base, char (&file)[kPathCapacity]) {
    const size_t baseLength = std::strlen(base);
    constexpr size_t kFolderLength = sizeof kSettingsFolderName - 1;
    // base, separator, folder, separator, file name and its terminator.
    if (baseLength + 1 + kFolderLength + 1 + sizeof kSettingsFileName > kPathCapacity) {
        file[0] = '\0';
        return -1;
    }
    // Joined by hand: printf would bring MinGW's whole formatter into
    // config.exe for one line.
    std::memcpy(file, base, baseLength + 1);
    char* end = file + baseLength;
    *end++ = kSeparator;
    std::memcpy(end, kSettingsFolderName, kFolderLength);
    end += kFolderLength;
    *end++ = kSeparator;
    std::memcpy(end, kSettingsFileName, sizeof kSettingsFileName);
    return 0;
}

int LoadSettings(SettingsRecord& record, const char* file) {
    int error = 0;
    const int fd = OpenRegular(file, O_RDONLY, error);
    if (fd < 0) {
        return error;
    }
    // A short file replaces only its own leading bytes; the rest of the
    // record keeps what it held. A failed read replaces nothing.
    unsigned char bytes[kSettingsSize];
    size_t got = 0;
    error = ReadAll(fd, bytes, kSettingsSize, got);
    ::close(fd);
    if (error == 0) {
        std::memcpy(&record, bytes, got);
    }
    return error;
}

int SaveSettings(const SettingsRecord& record, const char* file) {
    if (std::strlen(file) >= kPathCapacity) {
        return ENAMETOOLONG;
    }
    if (file[0] == '\0') {
        return ENOENT;
    }
    char path[kPathCapacity];
    std::memcpy(path, file, std::strlen(file) + 1);
    MadeFolders made{};
    const int folderError = MakeParentFolders(path, 0777, &made);
    // Read and write, so that a failed write can be undone; a file we may
    // only write is still written.
    int error = 0;
    int fd = OpenRegular(file, O_RDWR, error);
    if (fd < 0 && error == EACCES) {
        fd = OpenRegular(file, O_WRONLY, error);
    }
    const bool created = fd < 0 && error == ENOENT;
    if (created) {
        fd = OpenRegular(file, O_WRONLY | O_CREAT | O_EXCL, error);
    }
    if (fd < 0) {
        RemoveMadeFolders(path, made);
        // A missing folder is missing for a reason: say that one.
        return error == ENOENT && folderError != 0 ? folderError : error;
    }
    const auto* bytes = reinterpret_cast<const unsigned char*>(&record);
    error = created ? WriteAll(fd, bytes, kSettingsSize) : Overwrite(fd, bytes);
    // A close that fails may mean the bytes never reached the disk.
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error != 0 && created) {
        RemoveFile(file);
        RemoveMadeFolders(path, made);
    }
    return error;
}

}  // namespace ravel
