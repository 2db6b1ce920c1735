// The defaults: every default key in the game's slot order, the joystick
// defaults from a slot's button count, the repair of empty players, and a
// full reset.
#include "settings/Defaults.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "input/InputCode.h"

namespace ravel {
namespace {

// `count` items of `size` bytes (1, or 4 for joystick codes) in hex, "-" for
// None, "|" and a new line closing each 24.
std::string Hex(const void* data, size_t count, size_t size = 1) {
    std::string text;
    for (size_t i = 0; i < count; ++i) {
        const auto* bytes = static_cast<const uint8_t*>(data) + i * size;
        const uint32_t item = size == 1 ? *bytes : *reinterpret_cast<const uint32_t*>(bytes);
        char piece[16];
        const char* format = item == NoInput ? "-" : size == 1 ? "%02x " : "%x ";
        std::snprintf(piece, sizeof piece, format, item);
        text += piece + std::string((i + 1) % 24 ? "" : "|\n");
    }
    return text;
}

// A record with room around it, where a write outside its tables shows.
struct Framed {
    uint8_t before[128];
    SettingsRecord record;
    uint8_t after[128];
    Framed() { std::memset(this, 0xEE, sizeof *this); }
};

TEST(Defaults, EveryDefaultKeyAndTheResetOfOnePlayer) {
    EXPECT_EQ(Hex(DefaultKeyboardTable, sizeof DefaultKeyboardTable),
              "0a 08 09 26 17 18 16 24 30 00 00 39 11 20 1f 1e 00 00 00 00 00 00 00 00 |\n"
              "49 47 48 51 4c 4d 4b 4f c9 00 00 d1 c8 cd d0 cb 00 00 00 00 00 00 00 00 |\n"
              "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 |\n"
              "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 |\n"
              "12 2e 04 20 1f 2d 2c 1e 2a 00 00 1d 03 11 10 02 00 00 00 00 00 00 00 00 |\n"
              "16 32 08 24 23 31 30 22 39 00 00 79 07 15 14 06 00 00 00 00 00 00 00 00 |\n"
              "91 2b 0c 92 27 35 34 26 b8 00 00 9d 0b 19 18 0a 00 00 00 00 00 00 00 00 |\n"
              "49 47 48 51 4c 4d 4b 4f c9 00 00 d1 c8 cd d0 cb 00 00 00 00 00 00 00 00 |\n");
    // Default Settings resets that player alone; outside the table, nothing.
    for (int layout = -1; layout <= kLayoutCount; ++layout) {
        for (int player = -1; player <= kPlayerCount; ++player) {
            Framed framed, expected;
            ResetKeyboardPlayer(framed.record, layout, player);
            if (layout >= 0 && layout < kLayoutCount && player >= 0 && player < kPlayerCount) {
                std::memcpy(expected.record.KeyboardTable[layout][player],
                            DefaultKeyboardTable[layout][player], kKeyboardSlotCount);
            }
            if (player < 0 || player >= kPlayerCount) {  // nor does a joystick player outside it
                ResetJoystickPlayer(framed.record, JoystickCapsTable{}, player);
            }
            EXPECT_EQ(std::memcmp(&framed, &expected, sizeof framed), 0) << layout << player;
        }
    }
}

// A player whose entries are all 0 or None is rebuilt; any other value keeps
// the whole player, even a code of a joystick long gone.
TEST(Defaults, RepairRebuildsOnlyEmptyPlayers) {
    JoystickCapsTable caps;
    std::ranges::fill(caps, JoystickCaps{4, 0, 0, 0, 0, 0, 0});
    SettingsRecord record{};
    std::ranges::fill(record.JoystickTable[1], NoInput);
    std::ranges::fill(record.JoystickTable[2], NoInput);
    record.JoystickTable[1][7] = 0;
    record.JoystickTable[2][23] = 0x3100001F;
    record.JoystickTable[3][0] = 5;
    uint32_t unassigned[kJoystickEntryCount];
    std::ranges::fill(unassigned, NoInput);
    EXPECT_TRUE(RepairRebuildsPlayer(unassigned));
    for (int player = 0; player < kPlayerCount; ++player) {
        EXPECT_EQ(RepairRebuildsPlayer(record.JoystickTable[player]), player < 2) << player;
    }
    RepairJoystickTable(record, caps);
    // clang-format off
    EXPECT_EQ(Hex(record.JoystickTable, kPlayerCount * kJoystickEntryCount, 4),
              "2000002 2000003 2000000 2000001 1000000 1000001 1000002 1000003 ----------------|\n"
              "12000002 12000003 12000000 12000001 11000000 11000001 11000002 11000003 ----------------|\n"
              "-----------------------3100001f |\n"
              "5 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 |\n");
    // clang-format on
}

// Each player from its own slot: Up, Down, Left, Right as axes, then buttons
// in the order 0 1 2 3 6 7 4 5 8 9 10 11 for k below the button count (a
// five-button device gets button 7 for its fifth control), then None. Bytes
// 580-592, and only those, follow the machine's answers: shaders, then sound.
TEST(Defaults, ResetAllBuildsTheWholeRecord) {
    const std::pair<CapabilityFlags, std::string> machines[] = {
        {{0, 1}, "00 00 01 00 01 01 00 00 00 01 00 00 00 "},
        {{1, 0}, "01 01 01 01 01 01 01 01 00 00 00 00 00 "},
    };
    const JoystickCapsTable caps{
        {}, {40, 0, 0, 0, 0, 0, 0}, {5, 0, 0, 0, 0, 0, 0}, {1, 0, 0, 0, 0, 0, 0}};
    for (const auto& [flags, options] : machines) {
        Framed framed;
        SettingsRecord& record = framed.record;
        ResetGraphicsAudio(record, flags);
        EXPECT_EQ(Hex(&record.AxisOptionFlags, 20), "ee ee ee ee " + options + "ee ee ee ");
        ResetAllSettings(record, flags, caps);
        EXPECT_EQ(std::memcmp(record.KeyboardTable, DefaultKeyboardTable, kKeyboardTableSize), 0);
        // clang-format off
        EXPECT_EQ(Hex(record.JoystickTable, kPlayerCount * kJoystickEntryCount, 4) + Hex(&record.AxisOptionFlags, 20),
                  "------------------------|\n"
                  "12000002 12000003 12000000 12000001 11000000 11000001 11000002 11000003 "
                  "11000006 11000007 11000004 11000005 11000008 11000009 1100000a 1100000b --------|\n"
                  "22000002 22000003 22000000 22000001 21000000 21000001 21000002 21000003 21000006 ---------------|\n"
                  "32000002 32000003 32000000 32000001 31000000 -------------------|\n"
                  "00 00 00 00 " + options + "00 00 00 ");
        // clang-format on
    }
}

}  // namespace
}  // namespace ravel
