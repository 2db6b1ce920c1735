#include "probes/linux/ProbeChild.h"

#include <poll.h>
#include <sys/prctl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

namespace ravel {
namespace {

int RemainingMilliseconds(std::chrono::steady_clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

// Closes every descriptor above the standard three except `keep`.
void CloseAllBut(int keep) {
    const unsigned kept = static_cast<unsigned>(keep);
    if (kept > 3) {
        ::close_range(3, kept - 1, 0);
    }
    ::close_range(kept + 1 > 3 ? kept + 1 : 3, ~0U, 0);
}

}  // namespace

ProbeChild::~ProbeChild() {
    EndChild();
}

bool ProbeChild::Start(Question question, int argc, char** argv) {
    int ends[2];
    if (::pipe(ends) != 0) {
        return false;
    }
    const pid_t editor = ::getpid();
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(ends[0]);
        ::close(ends[1]);
        return false;
    }
    if (child == 0) {
        // Nothing of the editor's stays open here: the single-instance lock
        // above all, which a child still ending after its answer would
        // otherwise hold for a moment after the editor itself is gone.
        CloseAllBut(ends[1]);
        // The child ends with the editor, even one that hangs, or one that
        // was gone before the child could ask for that.
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != editor) {
            ::_exit(1);
        }
        // A session of its own puts the question in a scheduling group of
        // its own (where the kernel groups by session), so the editor's
        // start-up, done by the time the answer is needed, does not slow
        // the answer down: about 4 ms earlier on two cores.
        ::setsid();
        const ProbeAnswers answers = question(argc, argv);
        const ssize_t written = ::write(ends[1], &answers, sizeof answers);
        // No exit handlers: they belong to the editor, not to this copy.
        ::_exit(written == static_cast<ssize_t>(sizeof answers) ? 0 : 1);
    }
    ::close(ends[1]);
    child_ = child;
    pipe_ = ends[0];
    return true;
}

bool ProbeChild::Wait(ProbeAnswers& answers) {
    if (pipe_ < 0) {
        return false;
    }
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMilliseconds_);
    unsigned char bytes[sizeof(ProbeAnswers)] = {};
    size_t got = 0;
    while (got < sizeof bytes) {
        pollfd ready{pipe_, POLLIN, 0};
        const int polled = ::poll(&ready, 1, RemainingMilliseconds(deadline));
        if (polled < 0 && errno == EINTR) {
            continue;
        }
        if (polled <= 0) {
            break;  // the limit passed
        }
        const ssize_t read = ::read(pipe_, bytes + got, sizeof bytes - got);
        if (read < 0 && errno == EINTR) {
            continue;
        }
        if (read <= 0) {
            break;  // the child ended without a whole answer: it crashed
        }
        got += static_cast<size_t>(read);
    }
    StopChild();
    if (got != sizeof bytes) {
        return false;
    }
    std::memcpy(&answers, bytes, sizeof answers);
    return true;
}

void ProbeChild::StopChild() {
    if (pipe_ >= 0) {
        ::close(pipe_);
        pipe_ = -1;
    }
    if (child_ > 0 && !stopped_) {
        // A child that already answered is ending by itself; one that has
        // not is stopped.
        ::kill(child_, SIGKILL);
        stopped_ = true;
    }
    // Reaped now if it is gone already; if not, at the end of the run: the
    // kernel takes the child's memory down on the other core meanwhile,
    // instead of on the way to the window.
    if (child_ > 0 && ::waitpid(child_, nullptr, WNOHANG) == child_) {
        child_ = -1;
    }
}

void ProbeChild::EndChild() {
    StopChild();
    if (child_ > 0) {
        while (::waitpid(child_, nullptr, 0) < 0 && errno == EINTR) {
        }
        child_ = -1;
    }
}

}  // namespace ravel
