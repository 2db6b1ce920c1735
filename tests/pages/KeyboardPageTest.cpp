#include <gtest/gtest.h>

#include "input/KeyNameTable.h"
#include "pages/PageHarness.h"
#include "settings/Defaults.h"

namespace ravel {
namespace {

using testing::Harness;

constexpr int kUp = 1041, kDown = 1042, kLeft = 1043, kRight = 1044, kKick = 1046, kStart = 1054;

// Holds a key for one capture tick, as a player pressing it would.
void Press(Harness& h, uint8_t scanCode) {
    h.Keyboard()->keys[scanCode] = 0x80;
    h.keyboard.Tick();
    h.Keyboard()->keys[scanCode] = 0;
}

TEST(KeyboardPage, OpensOnTwoPlayersPlayerOneWithTheirKeys) {
    Harness h;
    h.Start();
    h.OpenKeyboard();
    auto& d = h.keyboard;
    EXPECT_TRUE(d.Checked(1000));
    EXPECT_FALSE(d.Checked(1001));
    EXPECT_TRUE(d.Checked(1002));
    EXPECT_FALSE(d.Enabled(1004));
    EXPECT_FALSE(d.Enabled(1005));
    EXPECT_EQ(d.SelectedText(kUp), "W");
    EXPECT_EQ(d.SelectedText(kDown), "S");
    EXPECT_EQ(d.SelectedText(kLeft), "A");
    EXPECT_EQ(d.SelectedText(kRight), "D");
    EXPECT_EQ(d.SelectedText(kStart), "SPACE");
    EXPECT_TRUE(d.timerRunning);
}

TEST(KeyboardPage, EveryListHoldsTheKeyTableInOrder) {
    Harness h;
    h.Start();
    h.OpenKeyboard();
    for (int id = 1041; id <= 1054; ++id) {
        const auto entries = h.keyboard.Entries(id);
        ASSERT_EQ(entries.size(), 88u) << id;
        for (int k = 0; k < 88; ++k) {
            EXPECT_EQ(entries[static_cast<size_t>(k)].text, KeyNameTable[k].name);
            EXPECT_EQ(entries[static_cast<size_t>(k)].value, KeyNameTable[k].scanCode);
        }
    }
    EXPECT_EQ(h.keyboard.Find(1055), nullptr);  // the template has no more lists
}

TEST(KeyboardPage, ChoosingInAListIsStoredOnlyWhenThePlayerIs) {
    Harness h;
    h.Start();
    h.OpenKeyboard();
    h.keyboard.Choose(kKick, 24);  // "J"
    EXPECT_EQ(h.keyboard.changedCount, 1);
    EXPECT_EQ(h.editor.settings.KeyboardTable[0][0][6], 0x16);  // still "U"
    h.keyboard.Click(1003);  // Player 2: stores Player 1
    EXPECT_EQ(h.editor.settings.KeyboardTable[0][0][6], 0x24);
    EXPECT_EQ(h.keyboard.changedCount, 1);  // switching players is no change
    EXPECT_EQ(h.keyboard.SelectedText(kUp), "UP");
}

TEST(KeyboardPage, ClickingTheCheckedRadioDoesNothing) {
    Harness h;
    h.Start();
    h.OpenKeyboard();
    const SettingsRecord before = h.editor.settings;
    h.keyboard.Choose(kKick, 24);
    h.keyboard.changedCount = 0;
    h.keyboard.Click(1000);
    h.keyboard.Click(1002);
    EXPECT_EQ(h.keyboard.changedCount, 0);
    EXPECT_EQ(0, std::memcmp(&before, &h.editor.settings, sizeof before));  // nothing stored
}

TEST(KeyboardPage, LayoutSwitchStoresTheOldLayoutAndMovesPlayersThreeAndFour) {
    Harness h;
    h.Start();
    h.OpenKeyboard();
    auto& d = h.keyboard;
    d.Click(1001);  // 4 Players
    EXPECT_EQ(h.editor.settings.PlayerLayout, 1);
    EXPECT_TRUE(d.Enabled(1004));
    EXPECT_EQ(d.SelectedText(kUp), "2");  // layout 1, player 1
    EXPECT_EQ(d.changedCount, 1);

    d.Click(1004);  // Player 3
    EXPECT_EQ(d.SelectedText(kUp), "0");
    d.Choose(kUp, FindKeyPosition(0x2c));  // "Z"
    d.Click(1000);  // back to 2 Players
    EXPECT_EQ(h.editor.settings.KeyboardTable[1][2][12], 0x2c);  // stored into layout 1
    EXPECT_EQ(h.editor.settings.PlayerLayout, 0);
    EXPECT_TRUE(d.Checked(1002));
    EXPECT_FALSE(d.Checked(1004));
    EXPECT_FALSE(d.Enabled(1004));
    EXPECT_EQ(h.keyboardPage->selectedPlayer(), 0);
    EXPECT_EQ(d.SelectedText(kUp), "W");

    // Player 2 survives a switch to four players.
    d.Click(1003);
    d.Click(1001);
    EXPECT_TRUE(d.Checked(1003));
    EXPECT_EQ(d.SelectedText(kUp), "6");
}

TEST(KeyboardPage, CaptureSelectsThePressedKeyInTheFocusedList) {
    Harness h;
    h.Start();
    h.OpenKeyboard();
    auto& d = h.keyboard;
    d.Click(1001);
    d.Click(1003);  // layout 1, player 2
    d.DropDown(kKick);
    d.changedCount = 0;
    Press(h, 0x24);  // J
    EXPECT_EQ(d.SelectedText(kKick), "J");
    EXPECT_FALSE(d.Find(kKick)->droppedDown);
    EXPECT_EQ(d.changedCount, 1);
    h.Apply();
    EXPECT_EQ(h.FileRecord().KeyboardTable[1][1][6], 0x24);

    // With two keys held, the lower scan code wins.
    h.Keyboard()->keys[0x1E] = 0x80;
    h.Keyboard()->keys[0x10] = 0x80;
    d.Tick();
    EXPECT_EQ(d.SelectedText(kKick), "Q");
}

TEST(KeyboardPage, KeysThatCannotBeCapturedLeaveTheListAlone) {
    struct Case {
        const char* what;
        int focus;
        uint8_t key;
    };
    for (const Case c : {Case{"caps lock", kKick, 0x3a}, Case{"escape", kKick, 0x01},
                         Case{"focus on a radio button", 1002, 0x24},
                         Case{"focus on Default Settings", 1020, 0x24},
                         Case{"no focus on the page", 0, 0x24}}) {
        SCOPED_TRACE(c.what);
        Harness h;
        h.Start();
        h.OpenKeyboard();
        h.keyboard.Focus(c.focus);
        const std::string before = h.keyboard.SelectedText(kKick);
        Press(h, c.key);
        EXPECT_EQ(h.keyboard.SelectedText(kKick), before);
        EXPECT_EQ(h.keyboard.changedCount, 0);
    }
}

TEST(KeyboardPage, TimerRunsOnlyWhileThePageIsActive) {
    Harness h;
    h.Start();
    h.OpenKeyboard();
    h.keyboardPage->OnNotify(kPsnKillActive);
    EXPECT_FALSE(h.keyboard.timerRunning);
    h.keyboard.Focus(kKick);
    Press(h, 0x24);
    EXPECT_EQ(h.keyboard.SelectedText(kKick), "U");
    h.OpenKeyboard();  // back to the tab: same page, lists as they were
    EXPECT_TRUE(h.keyboard.timerRunning);
    EXPECT_EQ(h.keyboard.timerStarts, 2);
}

TEST(KeyboardPage, StoringClearsSlotsWithoutAControlAndUnknownKeys) {
    Harness h;
    SettingsRecord file{};
    ResetAllSettings(file, CapabilityFlags{1, 1}, JoystickCapsTable{});
    file.KeyboardTable[0][0][9] = 0x30;
    file.KeyboardTable[0][0][20] = 0x31;
    file.KeyboardTable[0][0][12] = 0x1c;  // Enter on Up: not in the table
    file.KeyboardTable[0][1][9] = 0x30;   // a player never shown keeps it
    h.WriteFile(file);
    h.Start();
    h.OpenKeyboard();
    EXPECT_EQ(h.keyboard.SelectedText(kUp), "None  ");
    h.Apply();
    const SettingsRecord written = h.FileRecord();
    EXPECT_EQ(written.KeyboardTable[0][0][9], 0);
    EXPECT_EQ(written.KeyboardTable[0][0][20], 0);
    EXPECT_EQ(written.KeyboardTable[0][0][12], 0);
    EXPECT_EQ(written.KeyboardTable[0][1][9], 0x30);
    EXPECT_EQ(written.KeyboardTable[0][0][6], 0x16);  // unchanged keys stay
}

TEST(KeyboardPage, DefaultSettingsResetOnlyTheShownPlayer) {
    Harness h;
    SettingsRecord file{};
    std::memset(file.KeyboardTable, 0x2c, sizeof file.KeyboardTable);  // "Z" everywhere
    file.PlayerLayout = 1;
    h.WriteFile(file);
    h.Start();
    h.OpenKeyboard();
    h.keyboard.Click(1004);
    h.keyboard.Click(1020);
    EXPECT_EQ(h.keyboard.SelectedText(kUp), "0");
    EXPECT_EQ(h.keyboard.SelectedText(kDown), "O");
    EXPECT_EQ(h.keyboard.SelectedText(kLeft), "9");
    EXPECT_EQ(h.keyboard.SelectedText(kRight), "P");
    EXPECT_EQ(h.keyboard.changedCount, 1);
    h.Apply();
    const SettingsRecord written = h.FileRecord();
    EXPECT_EQ(0, std::memcmp(written.KeyboardTable[1][2], DefaultKeyboardTable[1][2], 24));
    EXPECT_EQ(written.KeyboardTable[1][0][12], 0x2c);  // Player 1 was stored as shown
    EXPECT_EQ(written.KeyboardTable[0][2][12], 0x2c);
}

TEST(KeyboardPage, DamagedLayoutByteIsShownAsTwoPlayersAndNeverIndexesPastTheTable) {
    Harness h;
    SettingsRecord file{};
    ResetAllSettings(file, CapabilityFlags{1, 1}, JoystickCapsTable{});
    file.PlayerLayout = 7;
    h.WriteFile(file);
    h.Start();
    h.OpenKeyboard();
    EXPECT_TRUE(h.keyboard.Checked(1000));
    EXPECT_FALSE(h.keyboard.Enabled(1004));
    EXPECT_EQ(h.keyboard.SelectedText(kUp), "W");
    h.Apply();
    EXPECT_EQ(h.FileRecord().PlayerLayout, 7);  // not the editor's to change unasked
    h.keyboard.Click(1001);
    EXPECT_EQ(h.editor.settings.PlayerLayout, 1);
}

// The whole way from a key press to the file's bytes.
TEST(KeyboardPage, TypicalEventJOnKickThenOk) {
    Harness h;
    h.Start();
    h.OpenKeyboard();
    h.keyboard.DropDown(kKick);
    h.Keyboard()->keys[0x24] = 0x80;
    h.keyboard.Tick();
    h.keyboard.Tick();  // held: selected again
    h.Keyboard()->keys[0x24] = 0;
    h.Apply();

    SettingsRecord expected{};
    ResetAllSettings(expected, CapabilityFlags{1, 1}, JoystickCapsTable{});
    expected.KeyboardTable[0][0][6] = 0x24;
    const auto file = h.File();
    ASSERT_EQ(file.size(), kSettingsSize);
    EXPECT_EQ(0, std::memcmp(file.data(), &expected, kSettingsSize));
    EXPECT_EQ(file[6], 0x24);
}

}  // namespace
}  // namespace ravel
