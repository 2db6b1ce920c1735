#include "settings/Defaults.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "input/InputCode.h"
#include "input/KeyNameTable.h"

namespace ravel {
namespace {

uint8_t ScanCodeNamed(const std::string& name) {
    for (const KeyName& key : KeyNameTable) {
        if (name == key.name) {
            return key.scanCode;
        }
    }
    ADD_FAILURE() << "no key named " << name;
    return 0xFF;
}

// The default keys by control, the way a player reads them, against the
// game's slot order: Up, Down, Left, Right, H.Slash, Kick, Slash, Punch, L1,
// L2, R1, R2, Select, Start live in slots 12, 14, 15, 13, 5, 6, 4, 7, 2, 0,
// 3, 1, 8, 11.
TEST(Defaults, KeyboardTableByControlName) {
    const int slots[14] = {12, 14, 15, 13, 5, 6, 4, 7, 2, 0, 3, 1, 8, 11};
    const char* const rows[2][4][14] = {
        {
            {"W", "S", "A", "D", "O", "U", "I", "J", "8", "9", "L", "7", "B", "SPACE"},
            {"UP", "DOWN", "LEFT", "RIGHT", "NUMPAD6", "NUMPAD4", "NUMPAD5", "NUMPAD1", "NUMPAD8",
             "NUMPAD9", "NUMPAD3", "NUMPAD7", "PageUp", "PageDown"},
            {},
            {},
        },
        {
            {"2", "Q", "1", "W", "X", "Z", "S", "A", "3", "E", "D", "C", "SHIFT(LEFT)", "CTRL(LEFT)"},
            {"6", "T", "5", "Y", "N", "B", "H", "G", "7", "U", "J", "M", "SPACE", "CONVERT"},
            {"0", "O", "9", "P", "\xef\xbc\x8f", ".", ";", "L", "-", "@", ":", "\xef\xbc\xbc",
             "ALT(RIGHT)", "CTRL(RIGHT)"},
            {"UP", "DOWN", "LEFT", "RIGHT", "NUMPAD6", "NUMPAD4", "NUMPAD5", "NUMPAD1", "NUMPAD8",
             "NUMPAD9", "NUMPAD3", "NUMPAD7", "PageUp", "PageDown"},
        },
    };
    for (int layout = 0; layout < 2; ++layout) {
        for (int player = 0; player < 4; ++player) {
            SCOPED_TRACE(::testing::Message() << "layout " << layout << " player " << player);
            uint8_t expected[24] = {};
            if (rows[layout][player][0] != nullptr) {
                for (int control = 0; control < 14; ++control) {
                    expected[slots[control]] = ScanCodeNamed(rows[layout][player][control]);
                }
            }
            EXPECT_EQ(0, std::memcmp(expected, DefaultKeyboardTable[layout][player], 24));
        }
    }
}

TEST(Defaults, GraphicsAudioFollowTheProbes) {
    struct Case {
        uint32_t shaders, sound;
        uint8_t colour, shader, effects, soundOff;
    };
    for (const Case c : {Case{1, 1, 1, 1, 0, 0}, Case{0, 1, 0, 0, 1, 0}, Case{1, 0, 1, 1, 0, 1},
                         Case{0, 0, 0, 0, 1, 1}}) {
        SCOPED_TRACE(::testing::Message() << "shaders " << c.shaders << " sound " << c.sound);
        SettingsRecord record;
        std::memset(&record, 0x5A, sizeof record);
        ResetGraphicsAudio(record, CapabilityFlags{c.shaders, c.sound});
        const uint8_t expected[13] = {c.colour, c.colour, 1, c.shader, 1, 1, c.soundOff,
                                      c.soundOff, 0, c.effects, 0, 0, 0};
        EXPECT_EQ(0, std::memcmp(&record.fullscreenColour, expected, 13));
        // Nothing outside bytes 580-592 moves.
        EXPECT_EQ(record.PlayerLayout, 0x5A);
        EXPECT_EQ(record.AxisOptionFlags, 0x5A5A5A5Au);
        EXPECT_EQ(record.KeyboardTable[1][3][23], 0x5A);
    }
}

TEST(Defaults, ResetKeyboardPlayerCopiesOnlyThatPlayer) {
    SettingsRecord record{};
    ResetKeyboardPlayer(record, 1, 2);
    EXPECT_EQ(0, std::memcmp(record.KeyboardTable[1][2], DefaultKeyboardTable[1][2], 24));
    EXPECT_EQ(record.KeyboardTable[1][2][12], 0x0b);  // "0" on Up
    EXPECT_EQ(record.KeyboardTable[0][0][12], 0);
    EXPECT_EQ(record.KeyboardTable[1][1][12], 0);
    ResetKeyboardPlayer(record, 2, 0);  // no such layout: nothing happens
    ResetKeyboardPlayer(record, 0, 4);
}

constexpr InputCode Axis(uint32_t d, uint32_t e) { return MakeInputCode(d, InputKindAxis, 0, e); }
constexpr InputCode Button(uint32_t d, uint32_t b) { return MakeInputCode(d, InputKindButton, 0, b); }

TEST(Defaults, ResetJoystickPlayerFromTheSlotsButtonCount) {
    struct Case {
        uint32_t buttons;
        int filled;  // entries 4.. that get a button
    };
    const uint8_t order[12] = {0, 1, 2, 3, 6, 7, 4, 5, 8, 9, 10, 11};
    for (const Case c : {Case{0, 0}, Case{1, 1}, Case{4, 4}, Case{5, 5}, Case{12, 12},
                         Case{40, 12}}) {
        SCOPED_TRACE(c.buttons);
        JoystickCapsTable caps{};
        caps[2].buttonCount = c.buttons;
        SettingsRecord record;
        std::memset(&record, 0, sizeof record);
        ResetJoystickPlayer(record, caps, 2);
        const uint32_t* entries = record.JoystickTable[2];
        if (c.buttons == 0) {
            for (int i = 0; i < 24; ++i) {
                EXPECT_EQ(entries[i], NoInput);
            }
            continue;
        }
        EXPECT_EQ(entries[0], Axis(2, kAxisUp));
        EXPECT_EQ(entries[1], Axis(2, kAxisDown));
        EXPECT_EQ(entries[2], Axis(2, kAxisLeft));
        EXPECT_EQ(entries[3], Axis(2, kAxisRight));
        for (int k = 0; k < 20; ++k) {
            EXPECT_EQ(entries[4 + k], k < c.filled ? Button(2, order[k]) : NoInput) << "entry " << 4 + k;
        }
        // Other players are not touched.
        EXPECT_EQ(record.JoystickTable[1][0], 0u);
    }
}

TEST(Defaults, FiveButtonsGiveButtonSevenToTheFifthControl) {
    JoystickCapsTable caps{};
    caps[0].buttonCount = 5;
    SettingsRecord record{};
    ResetJoystickPlayer(record, caps, 0);
    EXPECT_EQ(record.JoystickTable[0][8], 0x1000006u);  // L1: button 6, which the device lacks
}

TEST(Defaults, RepairRebuildsOnlyPlayersWithNoInputAtAll) {
    JoystickCapsTable caps{};
    for (auto& slot : caps) {
        slot.buttonCount = 4;
    }
    SettingsRecord record;
    std::memset(&record, 0, sizeof record);
    for (uint32_t& code : record.JoystickTable[1]) {
        code = NoInput;
    }
    record.JoystickTable[1][7] = 0;  // mixed 0 and NoInput still counts as empty
    for (uint32_t& code : record.JoystickTable[2]) {
        code = NoInput;
    }
    record.JoystickTable[2][23] = 0x3100001Fu;  // a real code of a joystick long gone
    for (uint32_t& code : record.JoystickTable[3]) {
        code = 0;
    }
    record.JoystickTable[3][0] = 5;  // any other value keeps the player

    RepairJoystickTable(record, caps);

    EXPECT_EQ(record.JoystickTable[0][0], Axis(0, kAxisUp));
    EXPECT_EQ(record.JoystickTable[1][4], Button(1, 0));
    EXPECT_EQ(record.JoystickTable[1][7], Button(1, 3));
    EXPECT_EQ(record.JoystickTable[2][0], NoInput);
    EXPECT_EQ(record.JoystickTable[2][23], 0x3100001Fu);
    EXPECT_EQ(record.JoystickTable[3][0], 5u);
    EXPECT_EQ(record.JoystickTable[3][1], 0u);
}

TEST(Defaults, ResetAllBuildsTheWholeRecord) {
    JoystickCapsTable caps{};
    caps[1].buttonCount = 12;
    SettingsRecord record;
    std::memset(&record, 0xEE, sizeof record);
    ResetAllSettings(record, CapabilityFlags{1, 1}, caps);

    EXPECT_EQ(0, std::memcmp(record.KeyboardTable, DefaultKeyboardTable, 192));
    for (int player : {0, 2, 3}) {
        for (uint32_t code : record.JoystickTable[player]) {
            EXPECT_EQ(code, NoInput);
        }
    }
    EXPECT_EQ(record.JoystickTable[1][15], Button(1, 11));
    EXPECT_EQ(record.AxisOptionFlags, 0u);
    EXPECT_EQ(record.fullscreen, 1);
    EXPECT_EQ(record.PlayerLayout, 0);
    EXPECT_EQ(record.reserved[0], 0);
    EXPECT_EQ(record.reserved[1], 0);
}

}  // namespace
}  // namespace ravel
