// The window-fed keyboard and SDL's joysticks (virtual ones for real ones) read
// as Wine's DirectInput reads them, and through the real Qt sheet into a file.
#include <gtest/gtest.h>

#include <SDL.h>

#include <QTest>
#include <QtWidgets>

#include <algorithm>
#include <array>
#include <clocale>
#include <csignal>
#include <optional>
#include <span>
#include <sstream>

#include "app/EditorPages.h"
#include "app/qt/KeyRecorder.h"
#include "app/qt/SheetDialog.h"
#include "fakes/TempFolder.h"
#include "input/KeyNameTable.h"
#include "input/linux/LinuxInput.h"
#include "input/linux/NativeScanCodes.h"

namespace ravel {
namespace {

constexpr uint32_t kX11 = 8;     // X11 key code = evdev code + 8
constexpr uint32_t kJp = 0x100;  // a key the lists name only in Wine's Japanese set

// The evdev code of every key the lists offer, in the lists' order after
// "None  ": arrows, Space, Shift, Ctrl, Alt, Henkan, Muhenkan, "-", A-Z, 1-0,
// keypad 0-9, Insert-PageDown, "@" "[" "]" ";" ":" "," "." "/" "\", F1-F12.
// clang-format off
constexpr uint32_t kEvdevOfListedKey[kKeyNameCount - 1] = {103, 108, 105, 106, 57, 42, 54, 29, 97,
    56, 100, 92, 94, 12, 30, 48, 46, 32, 18, 33, 34, 35, 23, 36, 37, 38, 50, 49, 24, 25, 16, 19, 31,
    20, 22, 47, 17, 45, 21, 44, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 82, 79, 80, 81, 75, 76, 77, 71, 72,
    73, 110, 111, 102, 107, 104, 109, kJp + 26, 26, 27, 39, kJp + 40, 51, 52, 53, 43, 59, 60, 61, 62,
    63, 64, 65, 66, 67, 68, 87, 88};
// clang-format on

// The seven keys whose code Wine's two sets tell apart.
constexpr uint32_t kDifferingKeys[] = {13, 26, 27, 40, 41, 43, 89};
constexpr uint8_t kPcCodes[] = {0x0d, 0x1a, 0x1b, 0x28, 0x29, 0x2b, 0x73};
constexpr uint8_t kJapaneseCodes[] = {0x90, 0x91, 0x1a, 0x92, 0x94, 0x1b, 0x2b};

constexpr uint32_t kSdlJoysticks = SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER;
constexpr uint32_t kCentred = 0xFFFFFFFFu;

// The SDL stick value that scales to exactly `scaled` in -128..127.
int16_t StickFor(int scaled) {
    return static_cast<int16_t>((scaled + 128) * 257 - 32768);
}

class LinuxInputTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        ASSERT_EQ(SDL_InitSubSystem(kSdlJoysticks), 0) << SDL_GetError();
    }
    // Quitting SDL's joysticks closes and detaches the virtual ones.
    void TearDown() override {
        ReleaseInputDevices(devices_);
        SDL_QuitSubSystem(kSdlJoysticks);
    }
    static SDL_Joystick* Attach(SDL_JoystickType type, int axes, int buttons, int hats = 0) {
        return SDL_JoystickOpen(SDL_JoystickAttachVirtual(type, axes, buttons, hats));
    }
    void Discover() { ASSERT_TRUE(InitInputDevices(devices_, input_, nullptr, nullptr)); }
    JoystickState Read(int slot) {
        JoystickState state{};
        EXPECT_EQ(devices_.JoystickSlots[slot]->Poll(), kDiOk);
        EXPECT_EQ(devices_.JoystickSlots[slot]->GetDeviceState(sizeof state, &state), kDiOk);
        return state;
    }

    // What discovery found, the joysticks' caps by slot: buttons, Z, Rx, Ry,
    // Rz, sliders, hats.
    std::vector<std::array<uint32_t, 7>> Caps() const {
        std::vector<std::array<uint32_t, 7>> caps;
        for (const JoystickCaps& c : devices_.joystickCaps) {
            caps.push_back(
                {c.buttonCount, c.hasZ, c.hasRx, c.hasRy, c.hasRz, c.sliderCount, c.povCount});
        }
        return caps;
    }

    LinuxInput input_;
    InputDevices devices_{};
};

TEST_F(LinuxInputTest, KeysAreCapturedAsTheirDirectInputCodesWhileHeld) {
    Discover();
    KeyCodeSet set = KeyCodeSet::Pc;
    KeyRecorder recorder(input_.keys(),
                         [&](uint32_t key) { return DikFromNativeScanCode(key, set); });
    // Installed on the application, as the editor installs it.
    qApp->installEventFilter(&recorder);
    const auto send = [&](QEvent::Type type, uint32_t evdev, bool repeat = false) {
        QKeyEvent event(type, 0, Qt::NoModifier, evdev + kX11, 0, 0, QString(), repeat);
        QApplication::sendEvent(qApp, &event);
    };
    for (int i = 1; i < kKeyNameCount; ++i) {
        const uint32_t evdev = kEvdevOfListedKey[i - 1] & ~kJp;
        set = kEvdevOfListedKey[i - 1] & kJp ? KeyCodeSet::Japanese106 : KeyCodeSet::Pc;
        send(QEvent::KeyPress, evdev);
        EXPECT_EQ(PollKeyboardCapture(devices_), KeyNameTable[i].scanCode) << KeyNameTable[i].name;
        send(QEvent::KeyRelease, evdev);
        EXPECT_EQ(PollKeyboardCapture(devices_), -1) << KeyNameTable[i].name << " released";
    }
    for (size_t k = 0; k < std::size(kDifferingKeys); ++k) {
        EXPECT_EQ(DikFromNativeScanCode(kDifferingKeys[k] + kX11, KeyCodeSet::Pc), kPcCodes[k]);
        EXPECT_EQ(DikFromNativeScanCode(kDifferingKeys[k] + kX11, KeyCodeSet::Japanese106),
                  kJapaneseCodes[k]);
    }
    for (const uint32_t native : {0u, kX11 - 1, kX11 + 128, 300u}) {
        EXPECT_EQ(DikFromNativeScanCode(native, KeyCodeSet::Japanese106), 0) << native;
    }
    // The lowest held key wins and an auto-repeat release keeps it down. A key
    // held when the editor loses the focus is let go: its release goes elsewhere.
    send(QEvent::KeyPress, 30);  // A, 0x1e
    send(QEvent::KeyPress, 16);  // Q, 0x10
    EXPECT_EQ(PollKeyboardCapture(devices_), 0x10);
    send(QEvent::KeyRelease, 16, /*repeat=*/true);
    EXPECT_EQ(PollKeyboardCapture(devices_), 0x10);
    send(QEvent::KeyRelease, 16);
    EXPECT_EQ(PollKeyboardCapture(devices_), 0x1e);
    set = KeyCodeSet::Japanese106;
    send(QEvent::KeyPress, 26);  // "@", 0x91
    set = KeyCodeSet::Pc;
    send(QEvent::KeyRelease, 26);
    EXPECT_EQ(input_.keys().keys[0x91], 0);
    QApplicationStateChangeEvent away(Qt::ApplicationInactive);
    QApplication::sendEvent(qApp, &away);
    EXPECT_EQ(PollKeyboardCapture(devices_), -1);
    send(QEvent::KeyRelease, 30);  // a late release changes nothing
    EXPECT_EQ(PollKeyboardCapture(devices_), -1);
}

// As Wine 8's DirectInput 8 keyboard reads under each X keymap and locale below:
// Japanese codes only under a keymap Wine takes for its Japanese 106 table and a
// Japanese messages locale. LC_CTYPE names nothing; an uninstalled locale is none.
TEST(WineKeyCodeSet, FollowsTheXKeymapAndTheMessagesLocale) {
    const testing::TempFolder built;
    if (std::system(("localedef -i ja_JP -f UTF-8 " + built.path() + "/ja_JP.UTF-8 >/dev/null 2>&1")
                        .c_str()) != 0) {
        GTEST_SKIP() << "localedef cannot build ja_JP.UTF-8 here (Debian's locales package)";
    }
    // An X server of our own; -noreset keeps the keymap a client set after it leaves.
    FILE* xvfb =
        ::popen("Xvfb -displayfd 3 -noreset -nolisten tcp 3>&1 >/dev/null 2>&1 & echo $!", "r");
    int pid = 0, display = -1;
    ASSERT_EQ(std::fscanf(xvfb, "%d %d", &pid, &display), 2) << "Xvfb did not start";
    ::pclose(xvfb);
    const char* kVariables[] = {"DISPLAY", "LOCPATH", "LC_ALL", "LC_MESSAGES", "LC_CTYPE", "LANG"};
    std::vector<std::optional<std::string>> saved;
    for (const char* name : kVariables) {
        saved.push_back(std::getenv(name) ? std::optional<std::string>(std::getenv(name))
                                          : std::nullopt);
    }
    ::setenv("DISPLAY", (":" + std::to_string(display)).c_str(), 1);
    ::setenv("LOCPATH", built.path().c_str(), 1);
    // clang-format off
    const std::pair<const char*, bool> keymaps[] = {{"-model pc105 -layout us", false},
        {"-model jp106 -layout jp", true}, {"-model pc105 -layout jp", true},
        {"-layout jp -variant OADG109A", true}, {"-layout jp -variant kana", false},
        {"-model pc105 -layout de", false}, {"-model pc105 -layout us,jp", false},
        {"-model pc105 -layout jp,us", true}};
    const std::pair<const char*, bool> locales[] = {{"LC_ALL=ja_JP.UTF-8", true},
        {"LANG=ja_JP.UTF-8", true}, {"LANG=C LC_MESSAGES=ja_JP.UTF-8", true},
        {"LANG=C LC_CTYPE=ja_JP.UTF-8", false}, {"LANG=ja_JP.UTF-8 LC_MESSAGES=C", false},
        {"LANG=ja_JP.UTF-8 LC_CTYPE=xx_XX.UTF-8", false}, {"", false}};
    // clang-format on
    for (const auto& [keymap, japaneseKeymap] : keymaps) {
        const std::string setxkbmap = "setxkbmap -display :" + std::to_string(display) + " ";
        EXPECT_EQ(std::system((setxkbmap + keymap).c_str()), 0) << keymap;
        EXPECT_EQ(XKeymapIsWineJapanese106(), japaneseKeymap) << keymap;
        for (const auto& [variables, japaneseLocale] : locales) {
            for (int i = 2; i < 6; ++i) {
                ::unsetenv(kVariables[i]);
            }
            std::istringstream assignments(variables);
            for (std::string assignment; assignments >> assignment;) {
                const size_t equals = assignment.find('=');
                ::setenv(assignment.substr(0, equals).c_str(), assignment.c_str() + equals + 1, 1);
            }
            EXPECT_EQ(WineKeyCodeSet(WineMessagesLocale(), japaneseKeymap),
                      japaneseKeymap && japaneseLocale ? KeyCodeSet::Japanese106 : KeyCodeSet::Pc)
                << keymap << " " << variables;
        }
    }
    ::kill(pid, SIGTERM);
    for (size_t i = 0; i < saved.size(); ++i) {
        saved[i] ? ::setenv(kVariables[i], saved[i]->c_str(), 1) : ::unsetenv(kVariables[i]);
    }
    std::setlocale(LC_ALL, "");
}

// A stick keeps SDL's axes, hats and buttons in order; a game controller gets
// Wine's pad layout. Values round to -128..127.
TEST_F(LinuxInputTest, SticksAndPadsReadAsWinesDirectInputShowsThem) {
    Attach(SDL_JOYSTICK_TYPE_ARCADE_STICK, 2, 4);
    SDL_Joystick* stick = Attach(SDL_JOYSTICK_TYPE_ARCADE_STICK, 8, 12, 4);
    Attach(SDL_JOYSTICK_TYPE_ARCADE_STICK, 3, 1, 1);
    SDL_Joystick* pad = Attach(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                               SDL_CONTROLLER_BUTTON_MAX);
    ASSERT_TRUE(SDL_IsGameController(3)) << "SDL maps virtual pads itself";
    Discover();
    const std::vector<std::array<uint32_t, 7>> found = {{4, 0, 0, 0, 0, 0, 0},
                                                        {12, 1, 1, 1, 1, 2, 4},
                                                        {1, 1, 0, 0, 0, 0, 1},
                                                        {14, 1, 1, 1, 1, 0, 1}};
    EXPECT_EQ(Caps(), found);

    const int16_t axes[] = {StickFor(-128), StickFor(-65), StickFor(65),  StickFor(127), 0,
                            StickFor(-1),   StickFor(100), StickFor(-100)};
    const uint8_t hats[] = {SDL_HAT_RIGHTUP, SDL_HAT_RIGHTDOWN, SDL_HAT_LEFTUP,
                            SDL_HAT_UP | SDL_HAT_DOWN};
    for (int i = 0; i < 8; ++i) {
        SDL_JoystickSetVirtualAxis(stick, i, axes[i]);
        SDL_JoystickSetVirtualHat(stick, i % 4, hats[i % 4]);
    }
    SDL_JoystickSetVirtualButton(stick, 11, SDL_PRESSED);
    const JoystickState s = Read(1);
    EXPECT_EQ((std::array{s.lX, s.lY, s.lZ, s.lRx, s.lRy, s.lRz, s.rglSlider[0], s.rglSlider[1]}),
              (std::array{-128, -65, 65, 127, 0, -1, 100, -100}));
    EXPECT_EQ((std::array{s.rgdwPOV[0], s.rgdwPOV[1], s.rgdwPOV[2], s.rgdwPOV[3]}),
              (std::array{4500u, 13500u, 31500u, kCentred}));
    EXPECT_EQ(std::ranges::find(s.rgbButtons, 0x80) - s.rgbButtons, 11);

    const JoystickState rest = Read(3);
    EXPECT_EQ((std::array{rest.lX, rest.lY, rest.lZ, rest.lRx, rest.lRy, rest.lRz}),
              (std::array{0, 0, -128, 0, 0, -128}));
    std::vector<ptrdiff_t> buttons;
    std::vector<uint32_t> hat;
    for (int b = 0; b <= SDL_CONTROLLER_BUTTON_DPAD_RIGHT; ++b) {
        SDL_JoystickSetVirtualButton(pad, b, SDL_PRESSED);
        const JoystickState pressed = Read(3);
        buttons.push_back(std::ranges::find(pressed.rgbButtons, 0x80) - pressed.rgbButtons);
        hat.push_back(pressed.rgdwPOV[0]);
        SDL_JoystickSetVirtualButton(pad, b, SDL_RELEASED);
    }
    // By SDL's order: A B X Y Back Guide Start, sticks, shoulders, d-pad (32: none).
    EXPECT_EQ(buttons, (std::vector<ptrdiff_t>{0, 1, 2, 3, 6, 32, 7, 8, 9, 4, 5, 10, 11, 12, 13}));
    const uint32_t c = kCentred;
    EXPECT_EQ(hat, (std::vector<uint32_t>{c, c, c, c, c, c, c, c, c, c, c, 0, 18000, 27000, 9000}));
    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN, SDL_PRESSED);
    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_DPAD_LEFT, SDL_PRESSED);
    const int16_t padAxes[] = {StickFor(-65), StickFor(65), StickFor(-100), StickFor(100), 32767};
    for (int axis = 0; axis < 5; ++axis) {  // left X, Y, right X, Y, left trigger
        SDL_JoystickSetVirtualAxis(pad, axis, padAxes[axis]);
    }
    const JoystickState moved = Read(3);
    EXPECT_EQ((std::array{moved.lX, moved.lY, moved.lRx, moved.lRy, moved.lZ, moved.lRz}),
              (std::array{-65, 65, -100, 100, 127, -128}));
    EXPECT_EQ(moved.rgdwPOV[0], 22500u);

    // Released devices are handed out again: a joystick left open would keep
    // its place, and the next discovery would find no room for it.
    ReleaseInputDevices(devices_);
    input_.keys().keys[0x1e] = 0x80;
    EXPECT_EQ(PollKeyboardCapture(devices_), -1);
    Discover();
    EXPECT_EQ(PollKeyboardCapture(devices_), 0x1e);
    EXPECT_EQ(Caps(), found);
}

class LinuxEditorTest : public LinuxInputTest {
  protected:
    void TearDown() override {
        RunShutDown(*editor_);
        LinuxInputTest::TearDown();
    }
    testing::TempFolder folder_;
    const std::string file_ = folder_.settingsFile();
    std::unique_ptr<Editor> editor_ = std::make_unique<Editor>();  // zero-initialised
    // As the editor's own: a failed save keeps the sheet open.
    Platform platform_{&input_,       nullptr, nullptr,
                       file_.c_str(), nullptr, [](const char*, int) { return true; }};
    EditorPages pages_{*editor_, platform_};
};

// A save that fails (a folder where the file goes) keeps the sheet open and
// the capture going. On the way: the file line, fonts, places, key lists.
TEST_F(LinuxEditorTest, AStickButtonOnTheKickListReachesTheFileThroughAFailedSave) {
    SDL_Joystick* stick = Attach(SDL_JOYSTICK_TYPE_ARCADE_STICK, 2, 4);
    SheetDialog sheet(pages_.pages(), DialogFont());
    sheet.show();
    const auto activate = [&] {
        sheet.activateWindow();  // which the offscreen platform leaves to us after a popup
        return QTest::qWaitForWindowActive(&sheet);
    };
    ASSERT_TRUE(activate());
    // The sheet's parts by their object names: a page by its template id.
    const auto pageAt = [&](int i) {
        return sheet.findChild<PageWidget*>(QString::number(DialogTemplates[i].id));
    };
    auto* fileLine = sheet.findChild<QLabel*>("fileLine");
    const QSize size = sheet.size();
    sheet.ShowFileLine(QStringLiteral("Lutris ") + QString(300, QLatin1Char('x')), "file\nwhy");
    QApplication::processEvents();
    EXPECT_EQ(sheet.size(), size);
    EXPECT_TRUE(fileLine->text().startsWith("Lutris x"));
    EXPECT_LT(fileLine->text().size(), 300);
    EXPECT_EQ(fileLine->toolTip(), "file\nwhy");
    EXPECT_FALSE(sheet.windowFlags() & Qt::WindowContextHelpButtonHint);

    QTabBar* tabs = sheet.findChild<QTabWidget*>()->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    auto* keys = qobject_cast<QComboBox*>(pageAt(1)->Control(1046));
    const int shown = keys->currentIndex();
    for (const Qt::Key key : {Qt::Key_J, Qt::Key_Down, Qt::Key_Space, Qt::Key_F4}) {
        QTest::keyClick(keys, key);
    }
    EXPECT_EQ(keys->currentIndex(), shown) << "the list acted on a key";
    EXPECT_FALSE(keys->view()->isVisible());
    ASSERT_EQ(keys->count(), 88);
    QStyleOptionComboBox option;
    option.initFrom(keys);
    const QRect field = keys->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                      QStyle::SC_ComboBoxEditField, keys);
    for (int i = 0; i < keys->count(); ++i) {
        EXPECT_LE(keys->fontMetrics().horizontalAdvance(keys->itemText(i)), field.width() - 2)
            << keys->itemText(i).toStdString();
    }
    const DialogUnits units = UnitsForFont(DialogFont());
    keys->showPopup();
    const QRect popup = keys->view()->window()->geometry();
    const QRect box(keys->mapToGlobal(QPoint(0, 0)), keys->size());
    EXPECT_GE(popup.top(), box.bottom()) << "below the box";
    EXPECT_LE(popup.bottom() - box.top(), units.Y(150)) << "within the template";
    EXPECT_EQ(pageAt(1)->FocusedControl(), 1046);
    keys->hidePopup();
    ASSERT_TRUE(activate());

    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
    for (int page = 0; page < kPageCount; ++page) {
        for (const QWidget* widget : pageAt(page)->findChildren<QWidget*>()) {
            EXPECT_EQ(QFontInfo(widget->font()).family(), QFontInfo(DialogFont()).family());
            EXPECT_EQ(QFontInfo(widget->font()).pixelSize(), QFontInfo(DialogFont()).pixelSize());
        }
        const DialogTemplate& dialog = DialogTemplates[page];
        for (const ControlTemplate& c : std::span(dialog.controls, dialog.controlCount)) {
            const QWidget* widget = pageAt(page)->Control(c.id);
            if (c.id == kNoControlId) {
                continue;
            }
            ASSERT_NE(widget, nullptr) << c.id;
            EXPECT_EQ(widget->pos(), QPoint(units.X(c.x), units.Y(c.y))) << c.id;
            if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
                EXPECT_EQ(button->text().toStdString(), c.caption);
            }
        }
    }
    auto* kick = qobject_cast<QComboBox*>(pageAt(2)->Control(1046));
    EXPECT_EQ(kick->itemText(kick->count() - 1).toStdString(), "1BUTTON4");
    kick->setFocus();
    QTest::keyClick(kick, Qt::Key_Up);
    EXPECT_EQ(kick->currentText().toStdString(), "1BUTTON1");
    EXPECT_EQ(pageAt(1)->FocusedControl(), 0) << "the Keyboard page no longer shown";
    const auto press = [&](int button, const char* name) {
        SDL_JoystickSetVirtualButton(stick, button, SDL_PRESSED);
        EXPECT_TRUE(QTest::qWaitFor([&] { return kick->currentText() == name; }, 5000)) << name;
        SDL_JoystickSetVirtualButton(stick, button, SDL_RELEASED);
    };
    press(2, "1BUTTON3");
    std::filesystem::create_directories(file_);
    QTest::keyClick(kick, Qt::Key_Return);  // OK, the sheet's default button
    EXPECT_TRUE(sheet.isVisible());
    EXPECT_TRUE(sheet.findChild<QPushButton*>("Apply")->isEnabled()) << "nothing was saved";
    press(3, "1BUTTON4");
    std::filesystem::remove(file_);
    QTest::mouseClick(sheet.findChild<QPushButton*>("OK"), Qt::LeftButton);
    EXPECT_FALSE(sheet.isVisible());
    const auto bytes = testing::ReadBytes(file_);
    ASSERT_EQ(bytes.size(), kSettingsSize);
    const std::vector<unsigned char> code(bytes.begin() + 192 + 5 * 4, bytes.begin() + 192 + 6 * 4);
    EXPECT_EQ(code, (std::vector<unsigned char>{3, 0, 0, 1})) << "player 1's Kick, 0x01000003";
}

}  // namespace
}  // namespace ravel
