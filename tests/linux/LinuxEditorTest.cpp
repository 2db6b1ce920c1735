// The Linux editor's parts together, in process: the real page models in the
// Qt sheet, the window-fed keyboard and SDL's virtual joysticks, writing a
// real setting.cfg. What the end-to-end test cannot reach from outside (a
// joystick) is driven here.
#include <gtest/gtest.h>

#include <SDL.h>

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <cstring>

#include "cli/CfgRunner.h"
#include "pages/Editor.h"
#include "app/qt/KeyRecorder.h"
#include "input/linux/NativeScanCodes.h"
#include "app/qt/SheetDialog.h"
#include "fakes/TempFolder.h"
#include "input/keystate/KeyStateDevice.h"
#include "input/sdl/SdlInput.h"
#include "pages/GraphicAudioPage.h"
#include "pages/JoystickPage.h"
#include "pages/KeyboardPage.h"

namespace ravel {
namespace {

struct Probes : GraphicsProbe, SoundProbe {
    bool ReadPixelShaderVersion(uint32_t& version) override {
        version = 0xFFFF0104;
        return true;
    }
    bool OpenDefaultDevice() override { return true; }
};

class LinuxEditorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER), 0);
        qApp->installEventFilter(&recorder_);
    }
    void TearDown() override {
        sheet_.reset();
        ReleaseInputDevices(editor_->input);
        qApp->removeEventFilter(&recorder_);
        if (stick_ != nullptr) {
            SDL_JoystickClose(stick_);
            SDL_JoystickDetachVirtual(stickIndex_);
        }
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER);
    }

    void AttachStick(int buttons) {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_ARCADE_STICK;
        desc.naxes = 2;
        desc.nbuttons = static_cast<Uint16>(buttons);
        stickIndex_ = SDL_JoystickAttachVirtualEx(&desc);
        ASSERT_GE(stickIndex_, 0);
        stick_ = SDL_JoystickOpen(stickIndex_);
        ASSERT_NE(stick_, nullptr);
    }

    void Open() {
        sheet_ = std::make_unique<SheetDialog>(pages_.pages(), DialogFont());
        sheet_->show();
        sheet_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(sheet_.get()));
    }
    void OpenTab(int index) {
        QTabBar* bar = sheet_->tabs()->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    }
    void Click(int page, int id) {
        QTest::mouseClick(sheet_->PageAt(page)->Control(id), Qt::LeftButton);
    }
    QComboBox* List(int page, int id) {
        return qobject_cast<QComboBox*>(sheet_->PageAt(page)->Control(id));
    }
    std::vector<unsigned char> File() const { return testing::ReadBytes(folder_.settingsFile()); }

    testing::TempFolder folder_;
    const std::string settingsFile_ = folder_.settingsFile();
    std::unique_ptr<Editor> editor_ = std::make_unique<Editor>();  // zero-initialised
    KeyStateTable keys_{};
    KeyRecorder recorder_{
        keys_, [](uint32_t native) { return DikFromNativeScanCode(native, KeyCodeSet::Pc); }};
    KeyStateDevice keyboard_{keys_};
    SdlInputBackend input_{&keyboard_};
    Probes probes_;
    Platform platform_{&input_, &probes_, &probes_, settingsFile_.c_str(), nullptr};
    EditorPages pages_{*editor_, platform_};
    std::unique_ptr<SheetDialog> sheet_;
    SDL_Joystick* stick_ = nullptr;
    int stickIndex_ = -1;
};

TEST_F(LinuxEditorTest, JoystickButtonPressedOnTheKickListIsSavedOnOk) {
    AttachStick(4);
    Open();
    OpenTab(2);
    QComboBox* kick = List(2, 1046);
    ASSERT_EQ(kick->itemText(kick->count() - 1).toStdString(), "1BUTTON4");
    kick->setFocus();
    SDL_JoystickSetVirtualButton(stick_, 2, SDL_PRESSED);
    EXPECT_TRUE(QTest::qWaitFor([&] { return kick->currentText() == "1BUTTON3"; }, 5000));
    SDL_JoystickSetVirtualButton(stick_, 2, SDL_RELEASED);
    EXPECT_TRUE(sheet_->applyButton()->isEnabled());

    QTest::mouseClick(sheet_->okButton(), Qt::LeftButton);
    const auto bytes = File();
    ASSERT_EQ(bytes.size(), kSettingsSize);
    uint32_t kickCode = 0;
    std::memcpy(&kickCode, bytes.data() + 192 + 5 * 4, sizeof kickCode);
    EXPECT_EQ(kickCode, 0x01000002u);
}

TEST_F(LinuxEditorTest, KeyPressedOnTheKickListOfFourPlayersPlayerTwo) {
    Open();
    OpenTab(1);
    Click(1, 1001);  // "4 Players"
    Click(1, 1003);  // "Player 2"
    QComboBox* kick = List(1, 1046);
    kick->setFocus();
    const int before = kick->currentIndex();
    // J as X11 reports it: evdev 36 + 8, sent where the key would go.
    QKeyEvent press(QEvent::KeyPress, Qt::Key_J, Qt::NoModifier, 44, 0, 0, QStringLiteral("j"));
    QApplication::sendEvent(kick, &press);
    EXPECT_TRUE(QTest::qWaitFor([&] { return kick->currentText() == "J"; }, 5000))
        << "was " << before;
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_J, Qt::NoModifier, 44, 0, 0, QStringLiteral("j"));
    QApplication::sendEvent(kick, &release);

    QTest::mouseClick(sheet_->okButton(), Qt::LeftButton);
    const auto bytes = File();
    ASSERT_EQ(bytes.size(), kSettingsSize);
    EXPECT_EQ(bytes[96 + 24 + 6], 0x24) << "KeyboardTable[1][1][6]";
    EXPECT_EQ(bytes[593], 1) << "PlayerLayout 4 Players";
}

TEST_F(LinuxEditorTest, CapsLockIsNotCapturedAndDoesNotEnableApply) {
    Open();
    OpenTab(1);
    QComboBox* kick = List(1, 1046);
    kick->setFocus();
    const QString before = kick->currentText();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_CapsLock, Qt::NoModifier, 58 + 8, 0, 0);
    QApplication::sendEvent(kick, &press);
    // Several capture ticks pass with the key held; the list keeps its key.
    const int ticks = sheet_->PageAt(1)->captureTicks();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return sheet_->PageAt(1)->captureTicks() >= ticks + 3; }, 5000));
    EXPECT_EQ(kick->currentText(), before);
    EXPECT_FALSE(sheet_->applyButton()->isEnabled());
}

// A key held while the editor loses the focus is let go: its release goes to
// another window, and it must not be captured later.
TEST_F(LinuxEditorTest, KeysHeldWhenTheEditorLosesTheFocusAreLetGo) {
    Open();
    OpenTab(1);
    QComboBox* kick = List(1, 1046);
    kick->setFocus();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_J, Qt::NoModifier, 44, 0, 0, QStringLiteral("j"));
    QApplication::sendEvent(kick, &press);
    ASSERT_EQ(keys_.keys[0x24], 0x80);
    // The player turns to another program's window.
    QApplicationStateChangeEvent away(Qt::ApplicationInactive);
    QApplication::sendEvent(qApp, &away);
    EXPECT_EQ(keys_.keys[0x24], 0);
}

// The program's own command line, before any window: what it refuses, what
// it prints, and one line instead of Qt's abort where there is no display.
TEST(LinuxEditorCommandLine, AnswersBeforeAnyWindow) {
    const testing::TempFolder home;
    const std::vector<std::pair<std::string, std::string>> env = {
        {"HOME", home.path()},   {"XDG_RUNTIME_DIR", home.path()},
        {"XDG_CONFIG_HOME", ""}, {"WINEPREFIX", ""},
        {"DISPLAY", ""},         {"WAYLAND_DISPLAY", ""},
        {"QT_QPA_PLATFORM", ""}};
    const std::string missing = home.path() + "/missing";
    const struct {
        std::vector<std::string> args;
        int exitCode;
        const char* out;
        const char* err;
    } cases[] = {
        {{"--bogus"}, 64, "", "ravelstone-config: unknown option --bogus\n"},
        {{"--prefix"}, 64, "", "--prefix needs a PATH"},
        {{"--prefix=", "--choose-prefix"}, 64, "", "--prefix needs a PATH"},
        {{"--prefix", missing}, 64, "", ": no such folder"},
        {{"--help"}, 0, "Usage: ravelstone-config [--prefix PATH] [--choose-prefix]", ""},
        {{"--version"}, 0, "ravelstone-config " RAVEL_VERSION "\n", ""},
        {{}, 1, "", "ravelstone-config: needs a display to show its window"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> command = {RAVEL_EDITOR_PATH};
        command.insert(command.end(), c.args.begin(), c.args.end());
        testing::CfgOptions options;
        options.env = env;
        const testing::CfgResult result = testing::RunCommand(command, options);
        const std::string name = c.args.empty() ? "no display" : c.args.front();
        EXPECT_EQ(result.exitCode, c.exitCode) << name << "\n" << result.err;
        EXPECT_NE(result.out.find(c.out), std::string::npos) << name << "\n" << result.out;
        EXPECT_NE(result.err.find(c.err), std::string::npos) << name << "\n" << result.err;
        if (c.exitCode != 0) {
            EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'),
                      c.exitCode == 64 ? 2 : 1)
                << name << ": one message (and where to find help)\n"
                << result.err;
        }
    }
    EXPECT_FALSE(std::filesystem::exists(missing)) << "a mistyped prefix grows no folders";
}

}  // namespace
}  // namespace ravel
