// The GL question in a child process: its answer arrives whole; a child that
// crashes, exits early or hangs past the limit gives "no"; and no child is
// left behind in any case.
#include <gtest/gtest.h>

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

bool Reaped(pid_t child) {
    return ::waitpid(child, nullptr, WNOHANG) < 0 && errno == ECHILD;
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
        ProbeChild child(c.limit);
        char name[] = "probe";
        char* argv[] = {name, nullptr};
        ASSERT_TRUE(child.Start(c.question, 1, argv));
        const pid_t pid = child.child();
        ASSERT_GT(pid, 0);
        ProbeAnswers answers{};
        EXPECT_EQ(child.Wait(answers), c.answered);
        if (c.answered) {
            EXPECT_EQ(answers.graphicsRead, 1);
            EXPECT_EQ(answers.shaderVersion, c.version);
        }
        EXPECT_TRUE(Reaped(pid));
        EXPECT_FALSE(child.Wait(answers)) << "a second wait has nothing to read";
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

}  // namespace
}  // namespace ravel
