// What each option control edits: the Graphic / Audio page's bytes and the
// Joystick page's Advanced bits. The pages refresh and store them from these
// tables, and ravelstone-cfg names the fields after the same controls.
#pragma once

#include <cstddef>
#include <cstdint>

#include "input/CaptureScan.h"
#include "resources/ControlIds.h"
#include "settings/SettingsRecord.h"

namespace ravel {

struct OptionControl {
    uint8_t SettingsRecord::*field;
    int zeroId;  // the radio button for 0; kNoControlId for a check box
    int oneId;   // the radio button for 1, or the check box
    // The page sets these controls by rules of its own (the full-screen
    // buttons stand for two bytes at once).
    bool byRule;
    const char* name;     // nullptr: the check box's caption or the pair's heading
    const char* oneWord;  // nullptr: the caption of oneId
};

inline constexpr int kOptionControlCount = 13;

// The bytes 580-592, in the order the page shows them.
inline constexpr OptionControl GraphicAudioOptions[kOptionControlCount] = {
    {&SettingsRecord::fullscreen, kWindowMode, kNoControlId, true, nullptr, "Full screen"},
    // Named like the texture colours it mirrors; shown by the full-screen buttons.
    {&SettingsRecord::fullscreenColour, kHighColor, kTrueColor, true, "Full screen color", nullptr},
    {&SettingsRecord::textureColour, kHighColor, kTrueColor, false, nullptr, nullptr},
    {&SettingsRecord::frameRate, k30Fps, k60Fps, false, nullptr, nullptr},
    {&SettingsRecord::verticalSync, kNoControlId, kVSync, false, nullptr, nullptr},
    {&SettingsRecord::pixelShader, kNoControlId, kPixelShader, false, nullptr, nullptr},
    {&SettingsRecord::aspectRatio, kNoControlId, kAspectRatio, false, nullptr, nullptr},
    {&SettingsRecord::paletteEffects, kStandard, kSimple, false, nullptr, nullptr},
    {&SettingsRecord::introMovieOff, kNoControlId, kNoIntro, false, nullptr, nullptr},
    {&SettingsRecord::allSoundsOff, kNoControlId, kNoSound, false, nullptr, nullptr},
    {&SettingsRecord::musicOff, kNoControlId, kWithoutBgm, false, nullptr, nullptr},
    // The box reads "????????????????"; a readable name serves the tool better.
    {&SettingsRecord::extraSoundOption, kNoControlId, kExtraSound, false, "Extra sound option",
     nullptr},
    {&SettingsRecord::soundFrequency, k22Khz, k44Khz, false, nullptr, nullptr},
};

constexpr bool IsChoice(const OptionControl& option) {
    return option.zeroId != kNoControlId;
}

// Where the option's byte lies in the file.
inline size_t OptionOffset(const OptionControl& option) {
    static const SettingsRecord layout{};
    return static_cast<size_t>(&(layout.*option.field) - reinterpret_cast<const uint8_t*>(&layout));
}

struct AxisOptionControl {
    uint32_t bit;  // of AxisOptionFlags
    int id;
    const char* name;  // the box's caption is question marks
};

inline constexpr int kAxisOptionControlCount = 3;

inline constexpr AxisOptionControl AxisOptionControls[kAxisOptionControlCount] = {
    {kAxisOptionRotation, kRotationAxes, "Rotation axes"},
    {kAxisOptionSliders, kSliders, "Sliders"},
    {kAxisOptionZ, kZAxis, "Z axis"},
};

inline constexpr uint32_t kKnownAxisBits = kAxisOptionRotation | kAxisOptionSliders | kAxisOptionZ;

}  // namespace ravel
