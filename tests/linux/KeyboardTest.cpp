// The window-fed keyboard: native scan codes of real key events become the
// DirectInput codes of the same keys, read by the core's keyboard capture.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QKeyEvent>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/qt/KeyRecorder.h"
#include "fakes/TempFolder.h"
#include "input/InputDevices.h"
#include "input/KeyNameTable.h"
#include "input/keystate/KeyStateDevice.h"
#include "input/linux/NativeScanCodes.h"
#include "input/sdl/SdlInput.h"

namespace ravel {
namespace {

constexpr uint32_t kX11 = 8;  // X11 key code = evdev code + 8

QKeyEvent KeyEvent(QEvent::Type type, uint32_t evdev, int key = 0, bool repeat = false) {
    const QString text = key > 0 && key < 0x80 ? QString(QChar(key)) : QString();
    return QKeyEvent(type, key, Qt::NoModifier, evdev + kX11, 0, 0, text, repeat);
}

// Every key the lists offer, by the evdev code of its key and the character
// it types, under a PC locale unless marked as read under a Japanese one.
struct PhysicalKey {
    const char* name;
    uint32_t evdev;
    int character;
    KeyCodeSet set = KeyCodeSet::Pc;
};
// clang-format off
const PhysicalKey kKeys[] = {
    {"UP", 103, 0}, {"DOWN", 108, 0}, {"LEFT", 105, 0}, {"RIGHT", 106, 0}, {"SPACE", 57, ' '},
    {"SHIFT(LEFT)", 42, 0}, {"SHIFT(RIGHT)", 54, 0}, {"CTRL(LEFT)", 29, 0}, {"CTRL(RIGHT)", 97, 0},
    {"ALT(LEFT)", 56, 0}, {"ALT(RIGHT)", 100, 0}, {"CONVERT", 92, 0}, {"NO CONVERT", 94, 0},
    {"-", 12, '-'}, {"A", 30, 'A'}, {"B", 48, 'B'}, {"C", 46, 'C'}, {"D", 32, 'D'}, {"E", 18, 'E'},
    {"F", 33, 'F'}, {"G", 34, 'G'}, {"H", 35, 'H'}, {"I", 23, 'I'}, {"J", 36, 'J'}, {"K", 37, 'K'},
    {"L", 38, 'L'}, {"M", 50, 'M'}, {"N", 49, 'N'}, {"O", 24, 'O'}, {"P", 25, 'P'}, {"Q", 16, 'Q'},
    {"R", 19, 'R'}, {"S", 31, 'S'}, {"T", 20, 'T'}, {"U", 22, 'U'}, {"V", 47, 'V'}, {"W", 17, 'W'},
    {"X", 45, 'X'}, {"Y", 21, 'Y'}, {"Z", 44, 'Z'}, {"1", 2, '1'}, {"2", 3, '2'}, {"3", 4, '3'},
    {"4", 5, '4'}, {"5", 6, '5'}, {"6", 7, '6'}, {"7", 8, '7'}, {"8", 9, '8'}, {"9", 10, '9'},
    {"0", 11, '0'}, {"NUMPAD0", 82, '0'}, {"NUMPAD1", 79, '1'}, {"NUMPAD2", 80, '2'},
    {"NUMPAD3", 81, '3'}, {"NUMPAD4", 75, '4'}, {"NUMPAD5", 76, '5'}, {"NUMPAD6", 77, '6'},
    {"NUMPAD7", 71, '7'}, {"NUMPAD8", 72, '8'}, {"NUMPAD9", 73, '9'}, {"Insert", 110, 0},
    {"Delete", 111, 0}, {"Home", 102, 0}, {"End", 107, 0}, {"PageUp", 104, 0},
    {"PageDown", 109, 0},
    {"@", 26, '@', KeyCodeSet::Japanese106},  // the key right of P
    {"[", 26, '['},                           // the same key under a PC locale
    {"]", 27, ']'},
    {";", 39, ';'},
    {":", 40, ':', KeyCodeSet::Japanese106},  // the key right of ";"
    {",", 51, ','}, {".", 52, '.'},
    {"\xef\xbc\x8f", 53, '/'},
    {"\xef\xbc\xbc", 43, '\\'},  // PC backslash
    {"F1", 59, 0}, {"F2", 60, 0}, {"F3", 61, 0}, {"F4", 62, 0}, {"F5", 63, 0}, {"F6", 64, 0},
    {"F7", 65, 0}, {"F8", 66, 0}, {"F9", 67, 0}, {"F10", 68, 0}, {"F11", 87, 0}, {"F12", 88, 0},
};
// clang-format on

uint8_t CodeOf(const char* name) {
    for (const KeyName& key : KeyNameTable) {
        if (std::strcmp(key.name, name) == 0) {
            return key.scanCode;
        }
    }
    return 0;
}

class KeyboardTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::memset(&table_, 0, sizeof table_);
        std::memset(&devices_, 0, sizeof devices_);
        ASSERT_TRUE(InitInputDevices(devices_, backend_, nullptr, nullptr));
        ASSERT_EQ(devices_.KeyboardDevice, &keyboard_);
    }
    void TearDown() override { ReleaseInputDevices(devices_); }

    void Press(uint32_t evdev, int key = 0) {
        QKeyEvent event = KeyEvent(QEvent::KeyPress, evdev, key);
        recorder_.eventFilter(nullptr, &event);
    }
    void Release(uint32_t evdev, int key = 0, bool repeat = false) {
        QKeyEvent event = KeyEvent(QEvent::KeyRelease, evdev, key, repeat);
        recorder_.eventFilter(nullptr, &event);
    }

    KeyStateTable table_;
    KeyCodeSet set_ = KeyCodeSet::Pc;
    KeyRecorder recorder_{table_,
                          [this](uint32_t native) { return DikFromNativeScanCode(native, set_); }};
    KeyStateDevice keyboard_{table_};
    SdlInputBackend backend_{&keyboard_};
    InputDevices devices_;
};

TEST_F(KeyboardTest, EveryListedKeyIsCapturedAsItsDirectInputCode) {
    int covered = 0;
    for (const PhysicalKey& key : kKeys) {
        const uint8_t expected = CodeOf(key.name);
        ASSERT_NE(expected, 0) << key.name;
        set_ = key.set;
        Press(key.evdev, key.character);
        EXPECT_EQ(PollKeyboardCapture(devices_), expected) << key.name;
        Release(key.evdev, key.character);
        EXPECT_EQ(PollKeyboardCapture(devices_), -1) << key.name << " released";
        ++covered;
    }
    EXPECT_EQ(covered + 1, kKeyNameCount);  // all but "None  "
}

// The seven keys that differ between Wine's two sets; Henkan and Muhenkan
// and the rest read alike in both.
TEST_F(KeyboardTest, JapaneseCodesDifferOnSevenKeys) {
    const struct {
        uint32_t evdev;
        uint8_t pc;
        uint8_t japanese;
    } cases[] = {
        {13, 0x0d, 0x90},  // "^": DIK_CIRCUMFLEX
        {26, 0x1a, 0x91},  // "@": DIK_AT
        {27, 0x1b, 0x1a},  // "[": DIK_LBRACKET
        {40, 0x28, 0x92},  // ":": DIK_COLON
        {41, 0x29, 0x94},  // Hankaku/Zenkaku: DIK_KANJI
        {43, 0x2b, 0x1b},  // "]": DIK_RBRACKET
        {89, 0x73, 0x2b},  // "\ ro": DIK_BACKSLASH
        {39, 0x27, 0x27},  // ";" is the same either way
        {92, 0x79, 0x79},  // Henkan is CONVERT
        {94, 0x7b, 0x7b},  // Muhenkan is NO CONVERT
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DikFromNativeScanCode(c.evdev + kX11, KeyCodeSet::Pc), c.pc) << c.evdev;
        EXPECT_EQ(DikFromNativeScanCode(c.evdev + kX11, KeyCodeSet::Japanese106), c.japanese)
            << c.evdev;
    }
    for (KeyCodeSet set : {KeyCodeSet::Pc, KeyCodeSet::Japanese106}) {
        EXPECT_EQ(DikFromNativeScanCode(0, set), 0);
        EXPECT_EQ(DikFromNativeScanCode(7, set), 0);    // below the evdev offset
        EXPECT_EQ(DikFromNativeScanCode(300, set), 0);  // beyond the table
    }
}

// An X server of the test's own (-noreset, so that a keymap set by one client
// stays when it leaves); DISPLAY names it while the object lives.
class PrivateXServer {
  public:
    PrivateXServer() {
        int fds[2];
        if (::pipe(fds) != 0) {
            return;
        }
        pid_ = ::fork();
        if (pid_ == 0) {
            const int null = ::open("/dev/null", O_WRONLY);
            ::dup2(null, 1);
            ::dup2(null, 2);
            const std::string fd = std::to_string(fds[1]);
            ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-noreset", "-nolisten", "tcp",
                     "-screen", "0", "640x480x24", nullptr);
            ::_exit(127);
        }
        ::close(fds[1]);
        pollfd ready{fds[0], POLLIN, 0};
        char number[16] = {};
        if (::poll(&ready, 1, 20000) == 1 && ::read(fds[0], number, sizeof number - 1) > 0) {
            display_ = std::string(":") + std::to_string(std::atoi(number));
            old_ = std::getenv("DISPLAY") != nullptr ? std::getenv("DISPLAY") : "";
            ::setenv("DISPLAY", display_.c_str(), 1);
        }
        ::close(fds[0]);
    }
    ~PrivateXServer() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
        if (!display_.empty()) {
            ::setenv("DISPLAY", old_.c_str(), 1);
        }
    }
    bool running() const { return !display_.empty(); }
    // setxkbmap's arguments; true when the keymap was set.
    bool SetKeymap(const std::string& arguments) const {
        return std::system(("setxkbmap -display " + display_ + " " + arguments).c_str()) == 0;
    }

  private:
    pid_t pid_ = -1;
    std::string display_;
    std::string old_;
};

// Locale variables for one row, and the process's locale put back afterwards.
class LocaleVariables {
  public:
    explicit LocaleVariables(const std::vector<std::pair<const char*, const char*>>& set) {
        for (const char* name : {"LC_ALL", "LC_MESSAGES", "LC_CTYPE", "LANG"}) {
            const char* old = std::getenv(name);
            saved_.emplace_back(name,
                                old != nullptr ? std::optional<std::string>(old) : std::nullopt);
            ::unsetenv(name);
        }
        for (const auto& [name, value] : set) {
            ::setenv(name, value, 1);
        }
    }
    ~LocaleVariables() {
        for (const auto& [name, value] : saved_) {
            value ? ::setenv(name.c_str(), value->c_str(), 1) : ::unsetenv(name.c_str());
        }
        std::setlocale(LC_ALL, "");
    }

  private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

// Measured with Wine 8's own DirectInput 8 keyboard (its device subtype and
// the codes it reads) under each X keymap and locale below: Japanese 106
// codes only under a keymap Wine matches to its Japanese 106 table and a
// Japanese messages locale; LC_CTYPE names nothing, and a locale that is not
// installed is no locale at all.
TEST(WineKeyCodeSet, FollowsTheXKeymapAndTheMessagesLocale) {
    const testing::TempFolder locales;
    const std::string build =
        "localedef -i ja_JP -f UTF-8 " + locales.path() + "/ja_JP.UTF-8 >/dev/null 2>&1";
    if (std::system(build.c_str()) != 0) {
        GTEST_SKIP() << "localedef cannot build ja_JP.UTF-8 here (Debian's locales package)";
    }
    const PrivateXServer server;
    ASSERT_TRUE(server.running()) << "Xvfb did not start";
    const std::optional<std::string> oldPath =
        std::getenv("LOCPATH") != nullptr ? std::optional<std::string>(std::getenv("LOCPATH"))
                                          : std::nullopt;
    ::setenv("LOCPATH", locales.path().c_str(), 1);

    const struct {
        const char* keymap;
        bool japanese;
    } keymaps[] = {
        {"-model pc105 -layout us", false},    {"-model jp106 -layout jp", true},
        {"-model pc105 -layout jp", true},     {"-layout jp -variant OADG109A", true},
        {"-layout jp -variant kana", false},   {"-model pc105 -layout de", false},
        {"-model pc105 -layout us,jp", false}, {"-model pc105 -layout jp,us", true},
    };
    const struct {
        std::vector<std::pair<const char*, const char*>> variables;
        bool japanese;
    } environments[] = {
        {{{"LC_ALL", "ja_JP.UTF-8"}}, true},
        {{{"LANG", "ja_JP.UTF-8"}}, true},
        {{{"LANG", "C"}, {"LC_MESSAGES", "ja_JP.UTF-8"}}, true},
        {{{"LANG", "C"}, {"LC_CTYPE", "ja_JP.UTF-8"}}, false},
        {{{"LANG", "ja_JP.UTF-8"}, {"LC_MESSAGES", "C"}}, false},
        {{{"LANG", "ja_JP.UTF-8"}, {"LC_CTYPE", "xx_XX.UTF-8"}}, false},
        {{}, false},
    };
    // The keys right of "=", P and L, left of 1, "\" and "\ ro", as the game
    // reads them in each set (see the README).
    const uint32_t keys[] = {13, 26, 27, 40, 41, 43, 89};
    const std::vector<uint8_t> pcCodes = {0x0d, 0x1a, 0x1b, 0x28, 0x29, 0x2b, 0x73};
    const std::vector<uint8_t> japaneseCodes = {0x90, 0x91, 0x1a, 0x92, 0x94, 0x1b, 0x2b};
    for (const auto& keymap : keymaps) {
        ASSERT_TRUE(server.SetKeymap(keymap.keymap)) << keymap.keymap;
        const bool japaneseKeymap = XKeymapIsWineJapanese106();
        EXPECT_EQ(japaneseKeymap, keymap.japanese) << keymap.keymap;
        for (const auto& environment : environments) {
            const LocaleVariables variables(environment.variables);
            const KeyCodeSet set = WineKeyCodeSet(WineMessagesLocale(), japaneseKeymap);
            std::vector<uint8_t> codes;
            for (const uint32_t evdev : keys) {
                codes.push_back(DikFromNativeScanCode(evdev + kX11, set));
            }
            const bool japanese = keymap.japanese && environment.japanese;
            std::string row = keymap.keymap;
            for (const auto& [name, value] : environment.variables) {
                row += std::string(" ") + name + "=" + value;
            }
            EXPECT_EQ(codes, japanese ? japaneseCodes : pcCodes) << row;
        }
    }
    oldPath ? ::setenv("LOCPATH", oldPath->c_str(), 1) : ::unsetenv("LOCPATH");
}

TEST_F(KeyboardTest, LowestCodeWinsAndRepeatsKeepTheKeyDown) {
    Press(30, 'A');  // 0x1e
    Press(16, 'Q');  // 0x10
    EXPECT_EQ(PollKeyboardCapture(devices_), 0x10);
    Release(16, 'Q', /*repeat=*/true);  // X11's auto-repeat release
    EXPECT_EQ(PollKeyboardCapture(devices_), 0x10);
    Release(16, 'Q');
    EXPECT_EQ(PollKeyboardCapture(devices_), 0x1e);
    // The release is matched to the press even if the mapping changed
    // meanwhile.
    set_ = KeyCodeSet::Japanese106;
    Press(26, '@');
    EXPECT_EQ(table_.keys[0x91], 0x80);
    set_ = KeyCodeSet::Pc;
    Release(26, '[');
    EXPECT_EQ(table_.keys[0x91], 0);
}

TEST_F(KeyboardTest, LeavingTheForegroundLetsEveryKeyGo) {
    Press(36, 'J');
    EXPECT_EQ(PollKeyboardCapture(devices_), 0x24);
    recorder_.Clear();
    EXPECT_EQ(PollKeyboardCapture(devices_), -1);
    Release(36, 'J');  // a late release changes nothing
    EXPECT_EQ(PollKeyboardCapture(devices_), -1);
}

TEST_F(KeyboardTest, DeviceAnswersAsDirectInputDoes) {
    uint8_t state[256];
    EXPECT_EQ(keyboard_.GetDeviceState(sizeof state, state), kDiOk);
    EXPECT_EQ(keyboard_.GetDeviceState(16, state), kDiErrInvalidParam);
    EXPECT_EQ(keyboard_.SetCooperativeLevel(nullptr, kDisclForeground), kDiErrInvalidParam);
    EXPECT_EQ(keyboard_.SetRange(0x2, -128, 127), kDiErrUnsupported);
    keyboard_.Unacquire();
    EXPECT_EQ(keyboard_.GetDeviceState(sizeof state, state), kDiErrNotAcquired);
    EXPECT_EQ(PollKeyboardCapture(devices_), -1);
    ReleaseInputDevices(devices_);
    EXPECT_TRUE(keyboard_.released());
}

}  // namespace
}  // namespace ravel
