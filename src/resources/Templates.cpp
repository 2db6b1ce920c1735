#include "resources/Templates.h"

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

constexpr ControlTemplate kKeyboard[] = {
    {S, K::GroupBox, "Number of Players", 5, 5, 270, 30, false, false},
    {kTwoPlayers, K::RadioButton, "2 Players", 15, 20, 48, 10, false, false},
    {kFourPlayers, K::RadioButton, "4 Players", 85, 20, 48, 10, false, false},
    {S, K::GroupBox, "Player Selection", 5, 40, 270, 30, false, false},
    {kPlayer1, K::RadioButton, "Player 1", 15, 55, 51, 10, true, false},
    {kPlayer2, K::RadioButton, "Player 2", 85, 55, 51, 10, false, false},
    {kPlayer3, K::RadioButton, "Player 3", 150, 55, 51, 10, false, false},
    {kPlayer4, K::RadioButton, "Player 4", 215, 55, 51, 10, false, false},
    {S, K::GroupBox, "Key Assign", 5, 75, 270, 170, false, false},
    {S, K::Label, AssignLabels[0], 10, 90, 10, 8, true, false},
    {S, K::Label, AssignLabels[1], 10, 110, 23, 8, true, false},
    {S, K::Label, AssignLabels[2], 10, 130, 18, 8, true, false},
    {S, K::Label, AssignLabels[3], 10, 150, 19, 8, true, false},
    {S, K::Label, AssignLabels[4], 10, 170, 27, 8, true, false},
    {S, K::Label, AssignLabels[5], 10, 190, 19, 8, true, false},
    {S, K::Label, AssignLabels[6], 10, 210, 19, 8, true, false},
    {S, K::Label, AssignLabels[7], 10, 230, 22, 8, true, false},
    {S, K::Label, AssignLabels[8], 100, 90, 8, 8, true, false},
    {S, K::Label, AssignLabels[9], 100, 110, 8, 8, true, false},
    {S, K::Label, AssignLabels[10], 100, 130, 9, 8, true, false},
    {S, K::Label, AssignLabels[11], 100, 150, 9, 8, true, false},
    {S, K::Label, AssignLabels[12], 100, 170, 25, 8, true, false},
    {S, K::Label, AssignLabels[13], 100, 190, 22, 8, true, false},
    {AssignList(0), K::DropDownList, "", 38, 85, 56, 150, false, true},
    {AssignList(1), K::DropDownList, "", 38, 105, 56, 150, false, true},
    {AssignList(2), K::DropDownList, "", 38, 125, 56, 150, false, true},
    {AssignList(3), K::DropDownList, "", 38, 145, 56, 150, false, true},
    {AssignList(4), K::DropDownList, "", 38, 165, 56, 150, false, true},
    {AssignList(5), K::DropDownList, "", 38, 185, 56, 150, false, true},
    {AssignList(6), K::DropDownList, "", 38, 205, 56, 150, false, true},
    {AssignList(7), K::DropDownList, "", 38, 225, 56, 150, false, true},
    {AssignList(8), K::DropDownList, "", 130, 85, 56, 150, false, true},
    {AssignList(9), K::DropDownList, "", 130, 105, 56, 150, false, true},
    {AssignList(10), K::DropDownList, "", 130, 125, 56, 150, false, true},
    {AssignList(11), K::DropDownList, "", 130, 145, 56, 150, false, true},
    {AssignList(12), K::DropDownList, "", 130, 165, 56, 150, false, true},
    {AssignList(13), K::DropDownList, "", 130, 185, 56, 150, false, true},
    {kDefaultSettings, K::PushButton, "Default Settings", 195, 250, 80, 14, false, true},
};

constexpr ControlTemplate kJoystick[] = {
    {S, K::GroupBox, "Player Selection", 5, 5, 270, 30, false, false},
    {kPlayer1, K::RadioButton, "Player 1", 15, 20, 51, 10, true, false},
    {kPlayer2, K::RadioButton, "Player 2", 85, 20, 51, 10, false, false},
    {kPlayer3, K::RadioButton, "Player 3", 150, 20, 50, 10, false, false},
    {kPlayer4, K::RadioButton, "Player 4", 215, 20, 51, 10, false, false},
    {S, K::GroupBox, "Button Assign", 5, 40, 190, 170, false, false},
    {S, K::Label, AssignLabels[0], 10, 55, 10, 8, true, false},
    {S, K::Label, AssignLabels[1], 10, 75, 23, 8, true, false},
    {S, K::Label, AssignLabels[2], 10, 95, 18, 8, true, false},
    {S, K::Label, AssignLabels[3], 10, 115, 19, 8, true, false},
    {S, K::Label, AssignLabels[4], 10, 135, 27, 8, true, false},
    {S, K::Label, AssignLabels[5], 10, 155, 19, 8, true, false},
    {S, K::Label, AssignLabels[6], 10, 175, 19, 8, true, false},
    {S, K::Label, AssignLabels[7], 10, 195, 22, 8, true, false},
    {S, K::Label, AssignLabels[8], 100, 55, 8, 8, true, false},
    {S, K::Label, AssignLabels[9], 100, 75, 8, 8, true, false},
    {S, K::Label, AssignLabels[10], 100, 95, 9, 8, true, false},
    {S, K::Label, AssignLabels[11], 100, 115, 9, 8, true, false},
    {S, K::Label, AssignLabels[12], 100, 135, 25, 8, true, false},
    {S, K::Label, AssignLabels[13], 100, 155, 22, 8, true, false},
    {AssignList(0), K::DropDownList, "", 38, 50, 56, 150, false, true},
    {AssignList(1), K::DropDownList, "", 38, 70, 56, 150, false, true},
    {AssignList(2), K::DropDownList, "", 38, 90, 56, 150, false, true},
    {AssignList(3), K::DropDownList, "", 38, 110, 56, 150, false, true},
    {AssignList(4), K::DropDownList, "", 38, 130, 56, 150, false, true},
    {AssignList(5), K::DropDownList, "", 38, 150, 56, 150, false, true},
    {AssignList(6), K::DropDownList, "", 38, 170, 56, 150, false, true},
    {AssignList(7), K::DropDownList, "", 38, 190, 56, 150, false, true},
    {AssignList(8), K::DropDownList, "", 131, 50, 56, 150, false, true},
    {AssignList(9), K::DropDownList, "", 131, 70, 56, 150, false, true},
    {AssignList(10), K::DropDownList, "", 131, 90, 56, 150, false, true},
    {AssignList(11), K::DropDownList, "", 131, 110, 56, 150, false, true},
    {AssignList(12), K::DropDownList, "", 131, 130, 56, 150, false, true},
    {AssignList(13), K::DropDownList, "", 131, 150, 56, 150, false, true},
    {kDefaultSettings, K::PushButton, "Default Settings", 195, 215, 80, 14, false, true},
    {S, K::GroupBox, "Advanced", 200, 40, 75, 70, false, false},
    {kRotationAxes, K::CheckBox, "?????", 205, 55, 50, 10, false, true},
    {kSliders, K::CheckBox, "??????", 205, 70, 54, 10, false, true},
    {kZAxis, K::CheckBox, "Z???", 205, 85, 41, 10, false, true},
};

template <int N>
constexpr int Count(const ControlTemplate (&)[N]) {
    return N;
}

}  // namespace

const DialogTemplate DialogTemplates[kPageCount] = {
    {kGraphicAudioTemplateId, "Graphic / Audio Settings", 283, 229, kGraphicAudio,
     Count(kGraphicAudio)},
    {kKeyboardTemplateId, "Keyboard Settings", 283, 269, kKeyboard, Count(kKeyboard)},
    {kJoystickTemplateId, "Joystick Settings", 283, 235, kJoystick, Count(kJoystick)},
};

const DialogTemplate* FindDialogTemplate(int id) {
    for (const DialogTemplate& dialog : DialogTemplates) {
        if (dialog.id == id) {
            return &dialog;
        }
    }
    return nullptr;
}

const ControlTemplate* FindControl(const DialogTemplate& dialog, int id) {
    if (id == kNoControlId) {
        return nullptr;
    }
    for (int i = 0; i < dialog.controlCount; ++i) {
        if (dialog.controls[i].id == id) {
            return &dialog.controls[i];
        }
    }
    return nullptr;
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

// Several texts are question marks as the game's resources hold them; they
// are shown as they stand.
const StringResource StringTable[kStringCount] = {
    {1, "Startup the game using the actual screen.  A high-spec machine is needed by fullscreen"},
    {2, "Startup the game with 16bit fullscreen, lower cpu usage"},
    {3, "Startup the game with 32bit fullscreen, as in the arcade"},
    {4, "Use 16bit textures"},
    {5, "Use 32bit textures"},
    {6, "There is a possible speedup using shaders."},
    {7,
     "Aspect ratio is preserved when a 4:3 resolution isn't available. Not necessary in a CRT "
     "display"},
    {8, "Check if the process runs slow"},
    {9, "Same framerate as the arcade"},
    {10, "Depending on the enviroment, there are cases where synchronic setting helps smoothness"},
    {11, "Process the same -sparks- as the arcade"},
    {12, "Simplicity for better performance"},
    {13, "Skip Movie Playback"},
    {14, "Do not use DirectSound"},
    {15, "Do not play BGM"},
    {16, "BGM???????????????????"},
    {17, "BGM???????????"},
    {20, "Jump"},
    {21, "Crouch"},
    {22, "Retreat, Guard when character is facing right"},
    {23, "Advance when character is facing right"},
    {24, "H Slash / Accept"},
    {25, "Kick / Cancel"},
    {26, "Slash"},
    {27, "Punch"},
    {28, "Memory"},
    {29, "Dust Attack"},
    {30, "Taunt"},
    {31, "Migration"},
    {32, "??????????ON?OFF?????????"},
    {33, "???????????????????????????\n???????????????????????\n?????????????????????"},
    {34, "?????KEY CONFIG??ANALOG?ON???????????????????"},
    {35, "2???????????????????????"},
    {36, "4???????????????????????"},
};

const char* FindString(int id) {
    for (const StringResource& entry : StringTable) {
        if (entry.id == id) {
            return entry.text;
        }
    }
    return nullptr;
}

}  // namespace ravel
