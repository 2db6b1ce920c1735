// The capture scans over state snapshots: which held key or joystick input
// is reported, with the thresholds, the priority, the option bits and caps
// that gate the extra axes, the hat directions and the slot.
#include "input/CaptureScan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <sstream>
#include <string>

namespace ravel {
namespace {

TEST(KeyboardScan, LowestScanCodeHeldWins) {
    uint8_t none[256] = {}, held[256] = {}, last[256] = {};
    held[0x1E] = held[0x10] = 0x80;
    held[0x01] = 0x7F;  // only the top bit counts
    last[255] = 0xFF;
    EXPECT_EQ(ScanKeyboardState(none), -1);
    EXPECT_EQ(ScanKeyboardState(held), 0x10);
    EXPECT_EQ(ScanKeyboardState(last), 255);
}

// "b2 x=100 h1=9000 s0=-65": button 2 held, X at 100, hat 1 at 9000, slider
// 0 at -65; "B0" is button 0 with its low bits set but not held.
JoystickState State(const std::string& held) {
    // The axes, the sliders and the hats: the state's first twelve words.
    const std::string names[] = {"x",  "y",  "z",  "rx", "ry", "rz",
                                 "s0", "s1", "h0", "h1", "h2", "h3"};
    uint32_t words[12] = {0, 0, 0, 0, 0, 0, 0, 0, ~0u, ~0u, ~0u, ~0u};
    JoystickState s{};
    std::istringstream tokens(held);
    for (std::string token; tokens >> token;) {
        const size_t equals = token.find('=');
        if (equals == std::string::npos) {
            s.rgbButtons[std::stoi(token.substr(1))] = token[0] == 'b' ? 0x80 : 0x7F;
        } else {
            const auto* name = std::ranges::find(names, token.substr(0, equals));
            words[name - names] = static_cast<uint32_t>(std::stoll(token.substr(equals + 1)));
        }
    }
    std::memcpy(&s, words, sizeof words);
    return s;
}

// Buttons, all six axes, both sliders and every hat.
constexpr JoystickCaps kFull{12, 1, 1, 1, 1, 2, 4};

TEST(JoystickScan, EveryRule) {
    constexpr uint32_t kZ = kAxisOptionZ, kRot = kAxisOptionRotation, kSld = kAxisOptionSliders;
    constexpr uint32_t kAll = kZ | kRot | kSld;
    const struct {
        const char* held;
        InputCode expected;
        uint32_t options = 0;
        JoystickCaps caps = kFull;
        uint32_t slot = 0;
    } rows[] = {
        // clang-format off
        // Axes fire strictly beyond half travel.
        {"x=-64", NoInput}, {"x=-65", 0x2000000}, {"x=64", NoInput}, {"x=65", 0x2000001},
        // Buttons, then Y, X, Z, Rx, Ry, Rz, then sliders, then hats; lower first.
        {"b0 x=100", 0x1000000, kAll}, {"b7 b3", 0x1000003, kAll}, {"x=-100 y=-100", 0x2000002, kAll},
        {"x=100 z=-100", 0x2000001, kAll}, {"z=100 rx=100", 0x2000005, kAll}, {"rx=-100 ry=100", 0x2000006, kAll},
        {"ry=-100 rz=-100", 0x2000008, kAll}, {"rz=100 s0=100", 0x200000B, kAll}, {"s1=-100", 0x8000100, kAll},
        {"s1=-100 s0=100 h0=0", 0x8000001, kAll}, {"B0", NoInput, kAll},
        // Z, the rotation axes and the sliders each need their option bit and the caps.
        {"z=-90", NoInput, kAll & ~kZ}, {"z=-90", 0x2000004, kZ}, {"z=-90", NoInput, kAll, {12, 0, 1, 1, 1, 2, 4}},
        {"rx=90 ry=90 rz=90", NoInput, kZ | kSld}, {"rx=90 ry=90 rz=90", NoInput, kAll, {12, 1, 0, 0, 0, 2, 4}},
        {"ry=90 rz=90", 0x200000B, kRot, {12, 1, 1, 0, 1, 2, 4}}, {"s0=90", NoInput, kZ | kRot},
        {"s0=-65", 0x8000000, kSld}, {"s1=90", NoInput, kAll, {12, 1, 1, 1, 1, 1, 4}},
        // Only the buttons and hats the caps count.
        {"b0 h1=0", NoInput, kAll, {0, 1, 1, 1, 1, 2, 1}},
        // Hats in hundredths of a degree clockwise from up; both upper diagonals
        // are UP and LEFT has none; low 16 bits all set is centred.
        {"h0=4294967295", NoInput}, {"h0=131071", NoInput}, {"h0=4500", 0x4000000}, {"h0=4501", 0x4000003},
        {"h0=13500", 0x4000003}, {"h0=13501", 0x4000001}, {"h0=22500", 0x4000001}, {"h0=22501", 0x4000002},
        {"h0=31499", 0x4000002}, {"h0=31500", 0x4000000}, {"h3=9000 h1=18000", 0x4000101},
        // The slot goes into the top nibble.
        {"h2=27000", 0x34000202, 0, kFull, 3}, {"b31", 0x1100001F, 0, {32, 1, 1, 1, 1, 2, 4}, 1},
        // Counts beyond the state are never read: a third slider would be the
        // centred hat 0 at 65535, a fifth hat the released buttons at 0 (up).
        {"h0=65535", NoInput, kAll, {1000, 1, 1, 1, 1, 1000, 1000}},
        // clang-format on
    };
    // Guard bytes after the state would read as pressed buttons.
    JoystickState framed[2];
    std::memset(&framed[1], 0x80, sizeof framed[1]);
    for (const auto& row : rows) {
        framed[0] = State(row.held);
        const InputCode code = ScanJoystickState(framed[0], row.caps, row.slot, row.options);
        EXPECT_EQ(code, row.expected) << row.held << std::hex << " gave " << code;
    }
}

}  // namespace
}  // namespace ravel
