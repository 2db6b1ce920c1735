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

// Bits of AxisOptionFlags that the joystick capture reads.
inline constexpr uint32_t kAxisOptionSliders = 0x2;
inline constexpr uint32_t kAxisOptionRotation = 0x4;
inline constexpr uint32_t kAxisOptionZ = 0x8;

struct SettingsRecord {
    uint8_t KeyboardTable[kLayoutCount][kPlayerCount][kKeyboardSlotCount];  // DIK_* scan codes
    uint32_t JoystickTable[kPlayerCount][kJoystickEntryCount];              // InputCode values
    uint32_t AxisOptionFlags;
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

}  // namespace ravel
