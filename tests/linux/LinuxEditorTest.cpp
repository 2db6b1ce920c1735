// The Linux editor before its sheet: the prefix chooser, and the probe
// children its start asks the GL and sound questions in.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

#include <QTest>
#include <QtWidgets>

#include "app/qt/PrefixChooser.h"
#include "probes/linux/ProbeChild.h"
#include "settings/prefix/SettingsLocation.h"

namespace ravel {
namespace {

TEST(PrefixChooser, MarksTheCurrentPickAndShowsWholePaths) {
    // Path, source, label, holds the game's folder, settings file, modified.
    const std::vector<prefix::FoundPrefix> candidates = {
        {"/home/p/.wine", prefix::PrefixSource::WineDefault, "", false,
         "/home/p/.wine/drive_c/x/setting.cfg", std::nullopt},
        {"/home/p/steam/compatdata/42/pfx", prefix::PrefixSource::Steam, "42", false,
         "/home/p/steam/compatdata/42/pfx/drive_c/y/setting.cfg", 0}};
    QStringList rows;
    QTimer::singleShot(0, [&] {
        auto* list = QApplication::activeModalWidget()->findChild<QTreeWidget*>("candidates");
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = list->topLevelItem(i);
            rows << item->text(0) + " | " + item->text(2) + " | " + item->toolTip(1) +
                        (item == list->currentItem() ? " <" : "");
        }
        QTest::keyClick(list, Qt::Key_Return);
    });
    qputenv("TZ", "UTC");
    EXPECT_EQ(ChoosePrefixCandidate(candidates, candidates[1].path), 1);
    EXPECT_EQ(rows,
              (QStringList{"Wine (~/.wine) | no file yet | /home/p/.wine/drive_c/x/setting.cfg",
                           "Steam (Proton) 42 (current pick) | 1970-01-01 00:00:00 +0000 | "
                           "/home/p/steam/compatdata/42/pfx/drive_c/y/setting.cfg <"}));
}

char probeName[] = "probe";
char* probeArgv[] = {probeName, nullptr};

// Descriptors the editor holds when it starts a probe child (its lock
// file), one below the child's pipe and one above it.
int editorDescriptors[2] = {-1, -1};

ProbeAnswers AnswersSlowlyWhatItSees(int, char**) {
    ::usleep(300 * 1000);
    const bool open = ::fcntl(editorDescriptors[0], F_GETFD) != -1 ||
                      ::fcntl(editorDescriptors[1], F_GETFD) != -1;
    return {open ? 0xFFFF0104u : 0xFFFF0000u, 1, 0, {}};
}
ProbeAnswers Hangs(int, char**) {
    for (;;) {
        ::pause();
    }
}

// The child this thread forked last, as the kernel lists it: the probe's.
pid_t LastChild() {
    std::ifstream children("/proc/thread-self/children");
    pid_t pid = -1;
    for (pid_t next = -1; children >> next;) {
        pid = next;
    }
    return pid;
}

// Whether `child` ends within two seconds, reaped here only if `reap`; one
// that does not is stopped, so that a failure leaves nothing behind.
bool Ends(pid_t child, bool reap) {
    siginfo_t info{};
    for (int tries = 0; tries < 200; ++tries, ::usleep(10 * 1000)) {
        const int flags = WEXITED | WNOHANG | (reap ? 0 : WNOWAIT);
        if (::waitid(P_PID, static_cast<id_t>(child), &info, flags) != 0) {
            return errno == ECHILD && !reap;  // reaped already, by the worker
        }
        if (info.si_pid == child) {
            return !reap || (info.si_code == CLD_KILLED && info.si_status == SIGKILL);
        }
    }
    ::kill(child, SIGKILL);
    if (reap) {
        ::waitpid(child, nullptr, 0);
    }
    return false;
}

TEST(ProbeChild, AnswersOrGivesUpAndNeverLeavesTheChildBehind) {
    editorDescriptors[0] = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    editorDescriptors[1] = ::fcntl(editorDescriptors[0], F_DUPFD_CLOEXEC, 40);
    const struct {
        ProbeChild::Question question;
        int limit;  // 0: never waited for
        bool answered;
    } cases[] = {{AnswersSlowlyWhatItSees, 5000, true},
                 {[](int, char**) -> ProbeAnswers { std::abort(); }, 5000, false},
                 {Hangs, 200, false},
                 {Hangs, 0, false}};
    for (const auto& c : cases) {
        pid_t pid = -1;
        {
            ProbeChild child(c.limit);
            ASSERT_TRUE(child.Start(c.question, 1, probeArgv));
            pid = LastChild();
            ASSERT_GT(pid, 0);
            ProbeAnswers answers{};
            if (c.limit > 0) {
                EXPECT_EQ(child.Wait(answers), c.answered) << &c - cases;
                EXPECT_EQ(answers.shaderVersion, c.answered ? 0xFFFF0000u : 0) << &c - cases;
                EXPECT_TRUE(Ends(pid, false)) << "stopped by the wait";
                EXPECT_FALSE(child.Wait(answers)) << "a second wait has nothing to read";
            }
        }
        EXPECT_TRUE(::waitpid(pid, nullptr, WNOHANG) < 0 && errno == ECHILD) << &c - cases;
    }
    ::close(editorDescriptors[0]);
    ::close(editorDescriptors[1]);
}

// Though the child runs in a session of its own, an editor killed outright
// takes it along.
TEST(ProbeChild, EndsWithAnEditorKilledOutright) {
    ASSERT_EQ(::prctl(PR_SET_CHILD_SUBREAPER, 1), 0);  // orphans come back here
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    const pid_t editor = ::fork();
    ASSERT_GE(editor, 0);
    if (editor == 0) {
        ProbeChild child;
        const pid_t pid = child.Start(Hangs, 1, probeArgv) ? LastChild() : -1;
        (void)!::write(ends[1], &pid, sizeof pid);
        Hangs(0, nullptr);
    }
    pid_t pid = -1;
    ASSERT_EQ(::read(ends[0], &pid, sizeof pid), static_cast<ssize_t>(sizeof pid));
    ASSERT_GT(pid, 0);
    for (int tries = 0; tries < 200 && ::getsid(pid) != pid; ++tries) {
        ::usleep(5 * 1000);  // until the child is set up to end with the editor
    }
    ::kill(editor, SIGKILL);
    ASSERT_EQ(::waitpid(editor, nullptr, 0), editor);
    EXPECT_TRUE(Ends(pid, true)) << "the child outlived the editor";
    ::prctl(PR_SET_CHILD_SUBREAPER, 0);
    ::close(ends[0]);
    ::close(ends[1]);
}

}  // namespace
}  // namespace ravel
