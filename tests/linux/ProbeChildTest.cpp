// The GL question in a child process: its answer arrives whole; a child that
// crashes, exits early or hangs past the limit gives "no"; and no child is
// left behind in any case: the wait stops it, the end of the run reaps it.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
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

// The child runs in a session of its own (so the scheduler weighs the GL
// question apart from the editor's own start-up), yet an editor that is
// killed outright still takes its child with it.
TEST(ProbeChild, EndsWithAnEditorKilledOutright) {
    ASSERT_EQ(::prctl(PR_SET_CHILD_SUBREAPER, 1), 0);  // orphans come back here
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    const pid_t editor = ::fork();
    ASSERT_GE(editor, 0);
    if (editor == 0) {
        ProbeChild child;
        char name[] = "probe";
        char* argv[] = {name, nullptr};
        const pid_t pid = child.Start(Hangs, 1, argv) ? child.child() : -1;
        (void)!::write(ends[1], &pid, sizeof pid);
        for (;;) {
            ::pause();
        }
    }
    ::close(ends[1]);
    pid_t pid = -1;
    ASSERT_EQ(::read(ends[0], &pid, sizeof pid), static_cast<ssize_t>(sizeof pid));
    ::close(ends[0]);
    ASSERT_GT(pid, 0);
    for (int tries = 0; tries < 200 && ::getsid(pid) != pid; ++tries) {
        ::usleep(5 * 1000);
    }
    EXPECT_EQ(::getsid(pid), pid);
    ::kill(editor, SIGKILL);
    ASSERT_EQ(::waitpid(editor, nullptr, 0), editor);
    int status = 0;
    pid_t reaped = 0;
    for (int tries = 0; tries < 400 && reaped == 0; ++tries) {
        reaped = ::waitpid(pid, &status, WNOHANG);  // the orphan comes back to be reaped
        ::usleep(reaped == 0 ? 5 * 1000 : 0);
    }
    if (reaped == 0) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, &status, 0);
        ADD_FAILURE() << "the child outlived the editor";
    } else {
        EXPECT_EQ(reaped, pid);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    }
    ::prctl(PR_SET_CHILD_SUBREAPER, 0);
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
