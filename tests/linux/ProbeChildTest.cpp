// The GL question in a child process: its answer arrives whole; a child that
// crashes, exits early or hangs past the limit gives "no"; and no child is
// left behind in any case: the wait stops it, the end of the run reaps it.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "probes/linux/ProbeChild.h"

namespace ravel {
namespace {

ProbeAnswers Answers14(int, char**) {
    return {0xFFFF0104u, 1, 0, {}};
}
ProbeAnswers SlowAnswer(int, char**) {
    ::usleep(300 * 1000);
    return {0xFFFF0000u, 1, 0, {}};
}
ProbeAnswers Crashes(int, char**) {
    ::raise(SIGSEGV);
    return {};
}
ProbeAnswers ExitsWithoutAnswer(int, char**) {
    ::_exit(0);
}
ProbeAnswers Hangs(int, char**) {
    for (;;) {
        ::pause();
    }
}

// Descriptors the editor holds when it starts the child (its lock file), one
// below the child's pipe and one above it.
int editorDescriptors[2] = {-1, -1};
ProbeAnswers SeesEditorDescriptor(int, char**) {
    const bool open = ::fcntl(editorDescriptors[0], F_GETFD) != -1 ||
                      ::fcntl(editorDescriptors[1], F_GETFD) != -1;
    return {open ? 0xFFFF0104u : 0xFFFF0000u, 1, 0, {}};
}

bool Reaped(pid_t child) {
    return ::waitpid(child, nullptr, WNOHANG) < 0 && errno == ECHILD;
}

// Whether the child has stopped running (it is a zombie or already reaped),
// without reaping it here: that stays the worker's job.
bool Ended(pid_t child) {
    for (int tries = 0; tries < 200; ++tries) {
        siginfo_t info{};
        if (::waitid(P_PID, static_cast<id_t>(child), &info, WEXITED | WNOHANG | WNOWAIT) != 0) {
            return errno == ECHILD;
        }
        if (info.si_pid == child) {
            return true;
        }
        ::usleep(10 * 1000);
    }
    return false;
}

TEST(ProbeChild, AnswersOrGivesUpAndNeverLeavesTheChildBehind) {
    struct Case {
        const char* what;
        ProbeChild::Question question;
        int limit;
        bool answered;
        uint32_t version;
    };
    const Case cases[] = {
        {"answers at once", Answers14, 5000, true, 0xFFFF0104u},
        {"answers slowly within the limit", SlowAnswer, 5000, true, 0xFFFF0000u},
        {"crashes", Crashes, 5000, false, 0},
        {"ends without an answer", ExitsWithoutAnswer, 5000, false, 0},
        {"hangs past the limit", Hangs, 200, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        pid_t pid = -1;
        {
            ProbeChild child(c.limit);
            char name[] = "probe";
            char* argv[] = {name, nullptr};
            ASSERT_TRUE(child.Start(c.question, 1, argv));
            pid = child.child();
            ASSERT_GT(pid, 0);
            ProbeAnswers answers{};
            EXPECT_EQ(child.Wait(answers), c.answered);
            if (c.answered) {
                EXPECT_EQ(answers.graphicsRead, 1);
                EXPECT_EQ(answers.shaderVersion, c.version);
            }
            // Stopped by the wait, even one that hangs; reaped later.
            EXPECT_TRUE(Ended(pid));
            EXPECT_FALSE(child.Wait(answers)) << "a second wait has nothing to read";
        }
        EXPECT_TRUE(Reaped(pid)) << "reaped by the end of the run";
    }
}

TEST(ProbeChild, AChildNeverWaitedForIsEndedWithTheWorker) {
    pid_t pid = -1;
    {
        ProbeChild child;
        char name[] = "probe";
        char* argv[] = {name, nullptr};
        ASSERT_TRUE(child.Start(Hangs, 1, argv));
        pid = child.child();
    }
    EXPECT_TRUE(Reaped(pid));
}

TEST(ProbeChild, HoldsNoneOfTheEditorsDescriptors) {
    editorDescriptors[0] = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    ASSERT_GE(editorDescriptors[0], 3);
    editorDescriptors[1] = ::fcntl(editorDescriptors[0], F_DUPFD_CLOEXEC, 40);
    ASSERT_GE(editorDescriptors[1], 40);
    ProbeChild child;
    char name[] = "probe";
    char* argv[] = {name, nullptr};
    ASSERT_TRUE(child.Start(SeesEditorDescriptor, 1, argv));
    ProbeAnswers answers{};
    ASSERT_TRUE(child.Wait(answers));
    EXPECT_EQ(answers.shaderVersion, 0xFFFF0000u) << "the child still had a descriptor open";
    ::close(editorDescriptors[0]);
    ::close(editorDescriptors[1]);
}

}  // namespace
}  // namespace ravel
