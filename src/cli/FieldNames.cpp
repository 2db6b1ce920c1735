#include "cli/FieldNames.h"

#include "pages/KeyboardPage.h"

namespace ravel::cli {

const OptionField OptionFields[kOptionFieldCount] = {
    {582, OptionStyle::Choice, "Screen Mode", "Window Mode", "Full screen"},
    {580, OptionStyle::Choice, "Full screen color", "HighColor", "TrueColor"},
    {581, OptionStyle::Choice, "Texture Color", "HighColor", "TrueColor"},
    {584, OptionStyle::Choice, "Frame Rate", "30FPS", "60FPS"},
    {585, OptionStyle::Check, "Sync V-SYNC", nullptr, nullptr},
    {583, OptionStyle::Check, "Pixel Shader", nullptr, nullptr},
    {590, OptionStyle::Check, "Aspect Ratio", nullptr, nullptr},
    {589, OptionStyle::Choice, "Effects", "Standard", "Simple"},
    {588, OptionStyle::Check, "Disable Intro movie", nullptr, nullptr},
    {586, OptionStyle::Check, "Disable all sounds", nullptr, nullptr},
    {587, OptionStyle::Check, "Without BGM", nullptr, nullptr},
    // The page's box 1013 reads "????????????????"; a readable name serves better.
    {591, OptionStyle::Check, "Extra sound option", nullptr, nullptr},
    {592, OptionStyle::Choice, "Frequency", "22Khz", "44Khz"},
};

const char* const ControlLabels[kControlCount] = {
    "Up",    "Down", "Left", "Right", "H.Slash", "Kick",   "Slash",
    "Punch", "L1",   "L2",   "R1",    "R2",      "Select", "Start",
};

const AxisOption AxisOptions[kAxisOptionCount] = {
    {0x4, "Rotation axes", "?????"},
    {0x2, "Sliders", "??????"},
    {0x8, "Z axis", "Z???"},
};

const char* LayoutName(int layout) {
    return layout == 0 ? "2 Players" : "4 Players";
}

const char* PlayerName(int player) {
    static const char* const kNames[4] = {"Player 1", "Player 2", "Player 3", "Player 4"};
    return kNames[player & 3];
}

std::string KeyboardPositionName(int position) {
    if (position < kControlCount) {
        return ControlLabels[position];
    }
    return "Slot " + std::to_string(KeyboardSlotMap[position]);
}

std::string JoystickEntryName(int entry) {
    if (entry < kControlCount) {
        return ControlLabels[entry];
    }
    return "Entry " + std::to_string(entry);
}

}  // namespace ravel::cli
