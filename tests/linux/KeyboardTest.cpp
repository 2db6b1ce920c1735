// The window-fed keyboard: native scan codes of real key events become the
// DirectInput codes of the same keys, read by the core's keyboard capture.
#include <gtest/gtest.h>

#include <QKeyEvent>

#include <cstring>
#include <string>

#include "app/qt/KeyRecorder.h"
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

// Wine reads the seven keys that differ with its Japanese codes only under a
// Japanese locale; elsewhere a Japanese keyboard's keys read as PC keys.
TEST_F(KeyboardTest, JapaneseCodesOnlyUnderAJapaneseLocale) {
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

    const struct {
        const char* all;
        const char* messages;
        const char* ctype;
        const char* lang;
        KeyCodeSet set;
    } locales[] = {
        {nullptr, nullptr, nullptr, nullptr, KeyCodeSet::Pc},
        {nullptr, nullptr, nullptr, "ja_JP.UTF-8", KeyCodeSet::Japanese106},
        {nullptr, nullptr, nullptr, "en_US.UTF-8", KeyCodeSet::Pc},
        {"ja_JP.UTF-8", "en_US.UTF-8", "en_US.UTF-8", "en_US.UTF-8", KeyCodeSet::Japanese106},
        {"en_GB.UTF-8", "ja_JP.UTF-8", nullptr, "ja_JP.UTF-8", KeyCodeSet::Pc},
        {"", "ja_JP.eucJP", nullptr, "en_US.UTF-8", KeyCodeSet::Japanese106},
        {nullptr, "en_US.UTF-8", "ja_JP.UTF-8", nullptr, KeyCodeSet::Pc},
        {nullptr, "C", "ja_JP.UTF-8", nullptr, KeyCodeSet::Japanese106},
        {nullptr, nullptr, "ja_JP.UTF-8", "POSIX", KeyCodeSet::Japanese106},
        {nullptr, nullptr, nullptr, "ja", KeyCodeSet::Japanese106},
        {nullptr, nullptr, nullptr, "jv_ID", KeyCodeSet::Pc},
    };
    for (const auto& l : locales) {
        EXPECT_EQ(WineKeyCodeSet(l.all, l.messages, l.ctype, l.lang), l.set)
            << (l.all ? l.all : "-") << " " << (l.messages ? l.messages : "-") << " "
            << (l.ctype ? l.ctype : "-") << " " << (l.lang ? l.lang : "-");
    }
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
