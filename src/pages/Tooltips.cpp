#include "pages/Tooltips.h"

#include <cstring>

#include "resources/Templates.h"

namespace ravel {

const TooltipPair GraphicAudioTooltipTable[kGraphicAudioTooltipCount] = {
    {kWindowMode, 1},  {kFullHighColor, 2}, {kFullTrueColor, 3}, {kHighColor, 4}, {kTrueColor, 5},
    {kPixelShader, 6}, {kAspectRatio, 7},   {k30Fps, 8},         {k60Fps, 9},     {kVSync, 10},
    {kStandard, 11},   {kSimple, 12},       {kNoIntro, 13},      {kNoSound, 14},  {kWithoutBgm, 15},
    {k22Khz, 16},      {k44Khz, 17},
};

// Positions 16-19 have no list, so their pairs come to nothing.
const TooltipPair AssignTooltipTable[kAssignTooltipCount] = {
    {kTwoPlayers, 35},    {kFourPlayers, 36},   {AssignList(0), 20},  {AssignList(1), 21},
    {AssignList(2), 22},  {AssignList(3), 23},  {AssignList(4), 24},  {AssignList(5), 25},
    {AssignList(6), 26},  {AssignList(7), 27},  {AssignList(8), 28},  {AssignList(9), 29},
    {AssignList(10), 30}, {AssignList(11), 31}, {AssignList(12), 32}, {AssignList(13), 33},
    {AssignList(16), 34}, {AssignList(17), 34}, {AssignList(18), 34}, {AssignList(19), 34},
};

void AttachTooltips(Dialog& page, const TooltipPair* table, int count) {
    constexpr size_t kTextCapacity = 1024;
    char text[kTextCapacity];
    for (int i = 0; i < count; ++i) {
        const char* source = FindString(static_cast<int>(table[i].string));
        text[0] = '\0';
        if (source != nullptr) {
            std::strncpy(text, source, kTextCapacity - 1);
            text[kTextCapacity - 1] = '\0';
        }
        page.AddControlTooltip(static_cast<int>(table[i].control), text);
    }
}

}  // namespace ravel
