#include "cli/FieldNames.h"

#include "pages/KeyboardPage.h"

namespace ravel::cli {

const OptionField OptionFields[kOptionFieldCount] = {
    {582, "Screen Mode", OptionStyle::Choice, "Window Mode", "Full screen"},
    {580, "Full screen color", OptionStyle::Choice, "HighColor", "TrueColor"},
    {581, "Texture Color", OptionStyle::Choice, "HighColor", "TrueColor"},
    {584, "Frame Rate", OptionStyle::Choice, "30FPS", "60FPS"},
    {585, "Sync V-SYNC", OptionStyle::Check, nullptr, nullptr},
    {583, "Pixel Shader", OptionStyle::Check, nullptr, nullptr},
    {590, "Aspect Ratio", OptionStyle::Check, nullptr, nullptr},
    {589, "Effects", OptionStyle::Choice, "Standard", "Simple"},
    {588, "Disable Intro movie", OptionStyle::Check, nullptr, nullptr},
    {586, "Disable all sounds", OptionStyle::Check, nullptr, nullptr},
    {587, "Without BGM", OptionStyle::Check, nullptr, nullptr},
    // The page's box 1013 reads "????????????????"; a readable name serves better.
    {591, "Extra sound option", OptionStyle::Check, nullptr, nullptr},
    {592, "Frequency", OptionStyle::Choice, "22Khz", "44Khz"},
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
