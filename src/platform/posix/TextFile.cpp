#include "platform/posix/TextFile.h"

#include <algorithm>
#include <cctype>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace ravel {

bool ReadTextFile(const std::string& path, size_t limit, std::string& text) {
    text.clear();
    // Non-blocking, so that a FIFO where a file should be cannot stall us.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return false;
    }
    struct stat info {};
    bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
              static_cast<unsigned long long>(info.st_size) <= limit;
    if (ok) {
        text.resize(static_cast<size_t>(info.st_size));
        size_t done = 0;
        while (done < text.size()) {
            const ssize_t got = ::read(fd, text.data() + done, text.size() - done);
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got <= 0) {
                break;  // the file shrank while we read it: keep what came
            }
            done += static_cast<size_t>(got);
        }
        text.resize(done);
        ok = done > 0 || info.st_size == 0;
    }
    ::close(fd);
    if (!ok) {
        text.clear();
    }
    return ok;
}

bool IsFolder(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool SameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

std::string_view TrimRight(std::string_view text) {
    const size_t last = text.find_last_not_of(" \t\r");
    return text.substr(0, last == std::string_view::npos ? 0 : last + 1);
}

}  // namespace ravel
