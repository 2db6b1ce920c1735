// One editor at a time: an advisory lock on a file in the user's runtime
// folder. The kernel drops the lock when the process ends, however it ends,
// so a crashed editor never blocks the next start.
#pragma once

#include <cstddef>

namespace ravel {

class SingleInstance {
  public:
    SingleInstance() = default;
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when another process holds the lock. When the lock file cannot be
    // made at all the editor runs unguarded, as it would without a mutex.
    bool AnotherRuns();

  private:
    int fd_ = -1;
};

// $XDG_RUNTIME_DIR/ravelstone-config.lock, else /tmp/ravelstone-config-<uid>.lock.
// Answers false when the path does not fit.
bool LockFilePath(char* path, size_t capacity);

}  // namespace ravel
