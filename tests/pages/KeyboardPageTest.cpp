// The Keyboard page as a player goes through it: the lists and players,
// choosing, layouts, capture, leaving the page, Default Settings, Apply.
#include <gtest/gtest.h>

#include "input/KeyNameTable.h"
#include "pages/PageHarness.h"

namespace ravel {
namespace {

using namespace testing;

constexpr int kUp = 1041, kKick = 1046, kPunch = 1048, kStart = 1054;

// Holds keys for one capture tick, as a player pressing them would.
void Press(Harness& h, std::initializer_list<uint8_t> keys) {
    for (uint8_t key : keys) {
        h.Keyboard()->keys[key] = 0x80;
    }
    h.keyboard.Tick();
    std::memset(h.Keyboard()->keys, 0, sizeof h.Keyboard()->keys);
}

TEST(KeyboardPage, Journey) {
    Harness h;
    // Player 1 holds Escape on Punch and keys in slots 9 and 20, which no
    // control shows; Player 4, never shown, one in slot 9. A damaged layout.
    h.WriteFile("7=1 9=30 20=31 81=30 593=7");
    h.Start();
    h.OpenKeyboard();
    auto& d = h.keyboard;
    EXPECT_EQ(d.Seen(), "1000 1002 | 1004 1005");
    EXPECT_EQ(d.SelectedText(kUp) + d.SelectedText(kPunch) + d.SelectedText(kStart),
              "WNone  SPACE");
    for (int id = kUp; id <= kStart; ++id) {
        ASSERT_EQ(d.Entries(id).size(), 88u) << id;
        EXPECT_EQ(d.Entries(id)[74].text + std::to_string(d.Entries(id)[74].value), "／53");
    }

    // A choice reaches the record only when its player is stored, which
    // clears what no control shows and touches no other player.
    d.Choose(kKick, FindKeyPosition(0x24));
    h.keyboardPage->OnCommand(kKick, 7);  // a list's other notifications change nothing
    const SettingsRecord chosen = h.editor.settings;
    d.Click(1002);  // the checked one: nothing
    d.Click(1003);
    EXPECT_EQ(Diff(chosen, h.editor.settings), "6=24 7=0 9=0 20=0");
    EXPECT_EQ(d.SelectedText(kUp) + " " + std::to_string(d.changedCount), "UP 1")
        << "switching players is no change";
    h.Apply();
    EXPECT_EQ(h.FileRecord().PlayerLayout, 7) << "a damaged layout byte stays until changed";

    // Layouts: the selected player stays unless 2 Players leaves it hidden.
    d.Click(1001);
    EXPECT_EQ(d.Seen() + " " + d.SelectedText(kUp), "1001 1003 |  6");
    d.Click(1000);
    EXPECT_EQ(d.CheckedIds(), "1000 1003");
    d.Click(1001);
    d.Click(1004);
    d.Choose(kUp, FindKeyPosition(0x2c));
    d.Click(1000);
    EXPECT_EQ(h.editor.settings.KeyboardTable[1][2][12], 0x2c) << "stored into its own layout";
    EXPECT_EQ(d.Seen() + " " + d.SelectedText(kUp), "1000 1002 | 1004 1005 W");
    EXPECT_EQ(d.changedCount, 6);

    // Capture: into the focused list, its drop-down closed; the lowest key wins.
    d.DropDown(kKick);
    Press(h, {0x1E, 0x10});
    EXPECT_EQ(d.SelectedText(kKick) + std::to_string(d.changedCount), "Q7");
    EXPECT_FALSE(d.Find(kKick)->droppedDown);
    // Caps Lock and Escape are no table keys; radio buttons and Default
    // Settings take no key.
    for (const auto& [focus, key] :
         {std::pair{kKick, 0x3a}, std::pair{kKick, 0x01}, std::pair{1002, 0x24},
          std::pair{1020, 0x24}, std::pair{0, 0x24}}) {
        d.Focus(focus);
        Press(h, {static_cast<uint8_t>(key)});
        EXPECT_EQ(d.SelectedText(kKick) + std::to_string(d.changedCount), "Q7") << focus << key;
    }

    // Leaving the page stops the capture, coming back starts it again.
    EXPECT_EQ(h.keyboardPage->OnNotify(kPsnKillActive), 0) << "the page may always be left";
    d.Focus(kKick);
    Press(h, {0x24});
    EXPECT_EQ(d.SelectedText(kKick), "Q");
    h.OpenKeyboard();
    EXPECT_EQ(d.timerStarts, 2);

    // Default Settings resets the shown player alone; Apply writes it all.
    d.Click(1001);
    d.Click(1004);
    d.Choose(kUp, 0);
    d.Click(1020);
    EXPECT_EQ(d.SelectedText(kUp) + d.SelectedText(1042) + std::to_string(d.changedCount), "0O10");
    h.Apply();
    // Q on Kick (stored when layouts switched) and Punch cleared; Player 4's
    // slot 9 untouched; 4 Players.
    EXPECT_EQ(Diff(DefaultRecord("6=10 7=0 81=30 593=1"), h.FileRecord()), "");
}

}  // namespace
}  // namespace ravel
