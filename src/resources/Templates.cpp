#include "resources/Templates.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <iterator>

namespace ravel {
namespace {

using K = ControlKind;
constexpr int S = kNoControlId;

constexpr ControlTemplate kGraphicAudio[] = {
    {S, K::GroupBox, "Screen Mode", 5, 5, 130, 60, false, false},
    {kWindowMode, K::RadioButton, "Window Mode", 15, 20, 61, 10, true, false},
    {kFullHighColor, K::RadioButton, "Full Scren Mode (HighColor)", 15, 35, 109, 10, false, false},
    {kFullTrueColor, K::RadioButton, "Full Scren Mode (TrueColor)", 15, 50, 105, 10, false, false},
    {S, K::GroupBox, "Texture Color", 140, 5, 135, 60, false, false},
    {kHighColor, K::RadioButton, "HighColor", 150, 20, 45, 10, true, false},
    {kTrueColor, K::RadioButton, "TrueColor", 150, 35, 45, 10, false, false},
    {S, K::GroupBox, "Frame Process", 105, 70, 170, 45, false, false},
    {S, K::Label, "Frame Rate", 115, 85, 43, 8, true, false},
    {k30Fps, K::RadioButton, "30FPS", 190, 85, 35, 10, true, false},
    {k60Fps, K::RadioButton, "60FPS", 235, 85, 35, 10, false, false},
    {kVSync, K::CheckBox, "Sync V-SYNC", 115, 100, 61, 10, false, true},
    {S, K::GroupBox, "GFX Drawing Process", 5, 70, 95, 45, false, false},
    {kPixelShader, K::CheckBox, "Pixel Shader", 15, 85, 79, 10, false, true},
    {kAspectRatio, K::CheckBox, "Aspect Ratio", 15, 100, 66, 10, false, true},
    {S, K::GroupBox, "Palette Effect", 5, 120, 130, 30, false, false},
    {S, K::Label, "Effects", 15, 135, 32, 8, true, false},
    {kStandard, K::RadioButton, "Standard", 43, 135, 41, 10, true, false},
    {kSimple, K::RadioButton, "Simple", 90, 135, 41, 10, false, false},
    {S, K::GroupBox, "Movie", 140, 120, 135, 30, false, false},
    {kNoIntro, K::CheckBox, "Disable Intro movie", 150, 135, 77, 10, false, true},
    {S, K::GroupBox, "Sound Process ON/OFF", 5, 155, 270, 50, false, false},
    {kNoSound, K::CheckBox, "Disable all sounds", 15, 170, 85, 10, false, true},
    {kWithoutBgm, K::CheckBox, "Without BGM", 100, 170, 50, 10, false, true},
    {kExtraSound, K::CheckBox, "????????????????", 172, 170, 84, 10, false, true},
    {S, K::Label, "Frequency", 15, 185, 58, 8, true, false},
    {k22Khz, K::RadioButton, "22Khz", 85, 185, 33, 10, false, false},
    {k44Khz, K::RadioButton, "44Khz", 130, 185, 33, 10, false, false},
    {kDefaultSettings, K::PushButton, "Default Settings", 200, 209, 75, 14, false, true},
};

// The Key Assign and Button Assign blocks of the two input pages: the
// fourteen labels, then their lists, in two columns of rows 20 units apart.
// Only where a block starts and where its right column of lists stands differ.
constexpr int kAssignLabelWidths[kAssignListCount] = {10, 23, 18, 19, 27, 19, 19,
                                                      22, 8,  8,  9,  9,  25, 22};

// The block's labels and lists.
constexpr size_t kAssignBlockSize = 2 * static_cast<size_t>(kAssignListCount);

template <size_t Before, size_t After>
constexpr std::array<ControlTemplate, Before + kAssignBlockSize + After> WithAssignBlock(
    const ControlTemplate (&before)[Before], int labelTop, int rightListX,
    const ControlTemplate (&after)[After]) {
    std::array<ControlTemplate, Before + kAssignBlockSize + After> page{};
    auto out = std::ranges::copy(before, page.begin()).out;
    for (int i = 0; i < kAssignListCount; ++i) {
        const int x = i < 8 ? 10 : 100;
        const int y = labelTop + 20 * (i % 8);
        *out++ = {S, K::Label, AssignLabels[i], x, y, kAssignLabelWidths[i], 8, true, false};
    }
    for (int i = 0; i < kAssignListCount; ++i) {
        const int x = i < 8 ? 38 : rightListX;
        const int y = labelTop - 5 + 20 * (i % 8);
        *out++ = {AssignList(i), K::DropDownList, "", x, y, 56, 150, false, true};
    }
    std::ranges::copy(after, out);
    return page;
}

constexpr ControlTemplate kKeyboardTop[] = {
    {S, K::GroupBox, "Number of Players", 5, 5, 270, 30, false, false},
    {kTwoPlayers, K::RadioButton, "2 Players", 15, 20, 48, 10, false, false},
    {kFourPlayers, K::RadioButton, "4 Players", 85, 20, 48, 10, false, false},
    {S, K::GroupBox, "Player Selection", 5, 40, 270, 30, false, false},
    {kPlayer1, K::RadioButton, "Player 1", 15, 55, 51, 10, true, false},
    {kPlayer2, K::RadioButton, "Player 2", 85, 55, 51, 10, false, false},
    {kPlayer3, K::RadioButton, "Player 3", 150, 55, 51, 10, false, false},
    {kPlayer4, K::RadioButton, "Player 4", 215, 55, 51, 10, false, false},
    {S, K::GroupBox, "Key Assign", 5, 75, 270, 170, false, false},
};
constexpr auto kKeyboard = WithAssignBlock(
    kKeyboardTop, 90, 130,
    {{kDefaultSettings, K::PushButton, "Default Settings", 195, 250, 80, 14, false, true}});

constexpr ControlTemplate kJoystickTop[] = {
    {S, K::GroupBox, "Player Selection", 5, 5, 270, 30, false, false},
    {kPlayer1, K::RadioButton, "Player 1", 15, 20, 51, 10, true, false},
    {kPlayer2, K::RadioButton, "Player 2", 85, 20, 51, 10, false, false},
    {kPlayer3, K::RadioButton, "Player 3", 150, 20, 50, 10, false, false},
    {kPlayer4, K::RadioButton, "Player 4", 215, 20, 51, 10, false, false},
    {S, K::GroupBox, "Button Assign", 5, 40, 190, 170, false, false},
};
constexpr ControlTemplate kJoystickBottom[] = {
    {kDefaultSettings, K::PushButton, "Default Settings", 195, 215, 80, 14, false, true},
    {S, K::GroupBox, "Advanced", 200, 40, 75, 70, false, false},
    {kRotationAxes, K::CheckBox, "?????", 205, 55, 50, 10, false, true},
    {kSliders, K::CheckBox, "??????", 205, 70, 54, 10, false, true},
    {kZAxis, K::CheckBox, "Z???", 205, 85, 41, 10, false, true},
};
constexpr auto kJoystick = WithAssignBlock(kJoystickTop, 55, 131, kJoystickBottom);

template <typename Controls>
constexpr int Count(const Controls& controls) {
    return static_cast<int>(std::size(controls));
}

}  // namespace

const DialogTemplate DialogTemplates[kPageCount] = {
    {kGraphicAudioTemplateId, "Graphic / Audio Settings", 283, 229, kGraphicAudio,
     Count(kGraphicAudio)},
    {kKeyboardTemplateId, "Keyboard Settings", 283, 269, kKeyboard.data(), Count(kKeyboard)},
    {kJoystickTemplateId, "Joystick Settings", 283, 235, kJoystick.data(), Count(kJoystick)},
};

const DialogTemplate* FindDialogTemplate(int id) {
    const DialogTemplate* found = std::ranges::find(DialogTemplates, id, &DialogTemplate::id);
    return found != std::end(DialogTemplates) ? found : nullptr;
}

const ControlTemplate* FindControl(const DialogTemplate& dialog, int id) {
    if (id == kNoControlId) {
        return nullptr;
    }
    const ControlTemplate* end = dialog.controls + dialog.controlCount;
    const ControlTemplate* found =
        std::ranges::find(dialog.controls, end, id, &ControlTemplate::id);
    return found != end ? found : nullptr;
}

const char* ControlCaption(const DialogTemplate& dialog, int id) {
    const ControlTemplate* control = FindControl(dialog, id);
    return control != nullptr ? control->caption : "";
}

const char* ControlHeading(const DialogTemplate& dialog, int id) {
    const ControlTemplate* control = FindControl(dialog, id);
    if (control == nullptr || control == dialog.controls) {
        return "";
    }
    const ControlTemplate& before = control[-1];
    const bool heading = before.kind == ControlKind::GroupBox || before.kind == ControlKind::Label;
    return heading ? before.caption : "";
}

}  // namespace ravel
