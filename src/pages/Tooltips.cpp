#include "pages/Tooltips.h"

#include "resources/ControlIds.h"

namespace ravel {

const TooltipPair GraphicAudioTooltipTable[kGraphicAudioTooltipCount] = {
    {kWindowMode, kTipWindowMode},   {kFullHighColor, kTipFullHighColor},
    {kFullTrueColor, kTipFullTrueColor}, {kHighColor, kTipHighColor},
    {kTrueColor, kTipTrueColor},     {kPixelShader, kTipPixelShader},
    {kAspectRatio, kTipAspectRatio}, {k30Fps, kTip30Fps},
    {k60Fps, kTip60Fps},             {kVSync, kTipVSync},
    {kStandard, kTipStandard},       {kSimple, kTipSimple},
    {kNoIntro, kTipNoIntro},         {kNoSound, kTipNoSound},
    {kWithoutBgm, kTipWithoutBgm},   {k22Khz, kTip22Khz},
    {k44Khz, kTip44Khz},
};

// List positions take their strings in order; 16-19 have no list, so their
// pairs come to nothing.
const TooltipPair AssignTooltipTable[kAssignTooltipCount] = {
    {kTwoPlayers, kTipTwoPlayers},     {kFourPlayers, kTipFourPlayers},
    {AssignList(0), kTipUp},           {AssignList(1), kTipDown},
    {AssignList(2), kTipLeft},         {AssignList(3), kTipRight},
    {AssignList(4), kTipHSlash},       {AssignList(5), kTipKick},
    {AssignList(6), kTipSlash},        {AssignList(7), kTipPunch},
    {AssignList(8), kTipL1},           {AssignList(9), kTipL2},
    {AssignList(10), kTipR1},          {AssignList(11), kTipR2},
    {AssignList(12), kTipSelect},      {AssignList(13), kTipStart},
    {AssignList(16), kTipUnlistedPositions}, {AssignList(17), kTipUnlistedPositions},
    {AssignList(18), kTipUnlistedPositions}, {AssignList(19), kTipUnlistedPositions},
};

void AttachTooltips(Dialog& page, const TooltipPair* table, int count) {
    // The tooltip keeps its own copy, so one buffer serves every pair.
    constexpr int kTextCapacity = 1024;
    char text[kTextCapacity];
    for (int i = 0; i < count; ++i) {
        page.LoadTableString(static_cast<int>(table[i].string), text, kTextCapacity);
        page.AddControlTooltip(static_cast<int>(table[i].control), text);
    }
}

}  // namespace ravel
