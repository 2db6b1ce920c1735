// The settings image: the game reads these 596 bytes as they lie, so the
// layout below is the file format and must never move.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

namespace ravel {

inline constexpr int kLayoutCount = 2;
inline constexpr int kPlayerCount = 4;
inline constexpr int kKeyboardSlotCount = 24;
inline constexpr int kJoystickEntryCount = 24;

inline constexpr size_t kKeyboardTableSize =
    static_cast<size_t>(kLayoutCount) * kPlayerCount * kKeyboardSlotCount;

struct SettingsRecord {
    uint8_t KeyboardTable[kLayoutCount][kPlayerCount][kKeyboardSlotCount];  // DIK_* scan codes
    uint32_t JoystickTable[kPlayerCount][kJoystickEntryCount];              // InputCode values
    uint32_t AxisOptionFlags;  // the capture's axis options (input/CaptureScan.h)
    uint8_t fullscreenColour;  // 0 HighColor, 1 TrueColor
    uint8_t textureColour;     // 0 HighColor, 1 TrueColor
    uint8_t fullscreen;
    uint8_t pixelShader;
    uint8_t frameRate;  // 0 = 30FPS, 1 = 60FPS
    uint8_t verticalSync;
    uint8_t allSoundsOff;
    uint8_t musicOff;
    uint8_t introMovieOff;
    uint8_t paletteEffects;  // 0 Standard, 1 Simple
    uint8_t aspectRatio;
    uint8_t extraSoundOption;
    uint8_t soundFrequency;  // 0 = 22Khz, 1 = 44Khz
    uint8_t PlayerLayout;    // 0 = "2 Players", 1 = "4 Players"
    uint8_t reserved[2];
};

inline constexpr size_t kSettingsSize = 596;

// The game slot behind each of the 24 keyboard positions the pages and the
// tool show: Up Down Left Right H.Slash Kick Slash Punch L1 L2 R1 R2 Select
// Start, then the slots no control shows.
inline constexpr uint8_t KeyboardSlotMap[kKeyboardSlotCount] = {
    12, 14, 15, 13, 5, 6, 4, 7, 2, 0, 3, 1, 8, 11, 9, 10, 16, 17, 18, 19, 20, 21, 22, 23};

// Where an entry lies in the file.
constexpr size_t KeyboardEntryOffset(int layout, int player, int slot) {
    const int entry = (layout * kPlayerCount + player) * kKeyboardSlotCount + slot;
    return static_cast<size_t>(entry);
}
constexpr size_t JoystickEntryOffset(int player, int entry) {
    return kKeyboardTableSize +
           static_cast<size_t>((player * kJoystickEntryCount + entry)) * sizeof(uint32_t);
}

// The record is copied to and from the file byte for byte.
static_assert(std::endian::native == std::endian::little, "the file is little-endian");
static_assert(sizeof(SettingsRecord) == kSettingsSize);
static_assert(offsetof(SettingsRecord, KeyboardTable) == 0);
static_assert(offsetof(SettingsRecord, JoystickTable) == 192);
static_assert(offsetof(SettingsRecord, AxisOptionFlags) == 576);
static_assert(offsetof(SettingsRecord, fullscreenColour) == 580);
static_assert(offsetof(SettingsRecord, textureColour) == 581);
static_assert(offsetof(SettingsRecord, fullscreen) == 582);
static_assert(offsetof(SettingsRecord, pixelShader) == 583);
static_assert(offsetof(SettingsRecord, frameRate) == 584);
static_assert(offsetof(SettingsRecord, verticalSync) == 585);
static_assert(offsetof(SettingsRecord, allSoundsOff) == 586);
static_assert(offsetof(SettingsRecord, musicOff) == 587);
static_assert(offsetof(SettingsRecord, introMovieOff) == 588);
static_assert(offsetof(SettingsRecord, paletteEffects) == 589);
static_assert(offsetof(SettingsRecord, aspectRatio) == 590);
static_assert(offsetof(SettingsRecord, extraSoundOption) == 591);
static_assert(offsetof(SettingsRecord, soundFrequency) == 592);
static_assert(offsetof(SettingsRecord, PlayerLayout) == 593);
static_assert(offsetof(SettingsRecord, reserved) == 594);
static_assert(KeyboardEntryOffset(1, 3, 23) == offsetof(SettingsRecord, JoystickTable) - 1);
static_assert(JoystickEntryOffset(0, 0) == offsetof(SettingsRecord, JoystickTable));
static_assert(JoystickEntryOffset(3, 23) + 4 == offsetof(SettingsRecord, AxisOptionFlags));

}  // namespace ravel
