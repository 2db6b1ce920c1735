#include "app/posix/SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace ravel {

bool LockFilePath(char* path, size_t capacity) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    int length = 0;
    if (runtime != nullptr && runtime[0] == '/') {
        length = std::snprintf(path, capacity, "%s/ravelstone-config.lock", runtime);
    } else {
        length = std::snprintf(path, capacity, "/tmp/ravelstone-config-%u.lock",
                               static_cast<unsigned>(::getuid()));
    }
    return length > 0 && static_cast<size_t>(length) < capacity;
}

bool SingleInstance::AnotherRuns() {
    char path[4096];
    if (!LockFilePath(path, sizeof path)) {
        return false;
    }
    fd_ = ::open(path, O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd_ < 0) {
        return false;
    }
    int result = 0;
    do {
        result = ::flock(fd_, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result == 0) {
        return false;
    }
    const bool held = errno == EWOULDBLOCK;
    ::close(fd_);
    fd_ = -1;
    return held;
}

SingleInstance::~SingleInstance() {
    if (fd_ >= 0) {
        ::close(fd_);  // closing releases the lock
    }
}

}  // namespace ravel
