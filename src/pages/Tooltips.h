// Which control explains itself with which string.
#pragma once

#include <cstdint>

#include "pages/Dialog.h"

namespace ravel {

struct TooltipPair {
    uint32_t control;
    uint32_t string;
};

inline constexpr int kGraphicAudioTooltipCount = 17;
inline constexpr int kAssignTooltipCount = 20;

extern const TooltipPair GraphicAudioTooltipTable[kGraphicAudioTooltipCount];
// Shared by the Keyboard and Joystick pages.
extern const TooltipPair AssignTooltipTable[kAssignTooltipCount];

// Loads each pair's string (at most 1023 bytes) and gives the control a
// tooltip with it. Pairs whose control the page lacks come to nothing.
void AttachTooltips(Dialog& page, const TooltipPair* table, int count);

}  // namespace ravel
