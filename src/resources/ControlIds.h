// The control identifiers of the three pages, named once for the templates,
// the tooltip tables and the pages: the part resource.h plays in a Win32
// program. The numbers are the game's own and never change.
#pragma once

namespace ravel {

inline constexpr int kNoControlId = -1;  // IDC_STATIC

// "Graphic / Audio Settings".
enum GraphicAudioControlId : int {
    kWindowMode = 1000,
    kFullHighColor = 1001,
    kFullTrueColor = 1002,
    k30Fps = 1003,
    k60Fps = 1004,
    kStandard = 1005,
    kSimple = 1006,
    kHighColor = 1007,
    kTrueColor = 1008,
    k22Khz = 1009,
    k44Khz = 1010,
    kWithoutBgm = 1011,
    kAspectRatio = 1012,
    kExtraSound = 1013,
    kPixelShader = 1014,
    kVSync = 1015,
    kNoIntro = 1016,
    kNoSound = 1017,
};

// "Keyboard Settings" and "Joystick Settings".
enum AssignControlId : int {
    kTwoPlayers = 1000,  // the Keyboard page only
    kFourPlayers = 1001,
    kPlayer1 = 1002,
    kPlayer2 = 1003,
    kPlayer3 = 1004,
    kPlayer4 = 1005,
    kRotationAxes = 1011,  // the Joystick page's Advanced boxes
    kSliders = 1012,
    kZAxis = 1013,
    kFirstAssignList = 1041,
};

// The string table: the tooltip texts, named by what they explain. The
// numbers are the game's own.
enum TooltipStringId : int {
    kTipWindowMode = 1, kTipFullHighColor, kTipFullTrueColor, kTipHighColor, kTipTrueColor,
    kTipPixelShader, kTipAspectRatio, kTip30Fps, kTip60Fps, kTipVSync, kTipStandard, kTipSimple,
    kTipNoIntro, kTipNoSound, kTipWithoutBgm, kTip22Khz, kTip44Khz,
    kTipUp = 20, kTipDown, kTipLeft, kTipRight, kTipHSlash, kTipKick, kTipSlash, kTipPunch,
    kTipL1, kTipL2, kTipR1, kTipR2, kTipSelect, kTipStart, kTipUnlistedPositions, kTipTwoPlayers,
    kTipFourPlayers,
};

// "Default Settings", on every page.
inline constexpr int kDefaultSettings = 1020;

// Positions 0-23 of the assignment tables are lists 1041-1064; only the
// first fourteen have a control.
inline constexpr int kAssignPositionCount = 24;
inline constexpr int kAssignListCount = 14;

constexpr int AssignList(int position) {
    return kFirstAssignList + position;
}

// Position of an assignment list, or -1.
constexpr int ListPosition(int id) {
    const int position = id - kFirstAssignList;
    return position >= 0 && position < kAssignPositionCount ? position : -1;
}

constexpr int PlayerButton(int player) {
    return kPlayer1 + player;
}

// Player 0-3 of a Player radio button, or -1.
constexpr int ButtonPlayer(int id) {
    return id >= kPlayer1 && id <= kPlayer4 ? id - kPlayer1 : -1;
}

constexpr int LayoutButton(int layout) {
    return kTwoPlayers + layout;
}

}  // namespace ravel
