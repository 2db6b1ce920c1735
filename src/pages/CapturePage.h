// What the Keyboard and Joystick pages share: the 24 list positions and a
// capture timer that runs only while the page is the active one.
#pragma once

#include "app/Dialog.h"

namespace ravel {

inline constexpr int kFirstAssignList = 1041;
inline constexpr int kAssignPositionCount = 24;

// Position of an assignment list (1041 + position), or -1.
inline int ListPosition(int id) {
    const int position = id - kFirstAssignList;
    return position >= 0 && position < kAssignPositionCount ? position : -1;
}

// Starts the capture timer on activation and stops it when the page is left.
// Answers true for Apply, which each page handles itself.
inline bool FollowActivation(Dialog& dialog, int code) {
    if (code == kPsnSetActive) {
        dialog.StartCaptureTimer();
    } else if (code == kPsnKillActive) {
        dialog.StopCaptureTimer();
    }
    return code == kPsnApply;
}

}  // namespace ravel
