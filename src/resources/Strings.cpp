// The string table's texts, compiled in for the Linux editor and the
// resource-script generator. config.exe loads them from its own string table
// resource instead and links nothing of this file.
#include <algorithm>
#include <cstdio>
#include <iterator>

#include "resources/Templates.h"

namespace ravel {

// Several texts are question marks as the game's resources hold them; they
// are shown as they stand.
const StringResource StringTable[kStringCount] = {
    {kTipWindowMode, "Startup the game using the actual screen.  A high-spec machine is needed by fullscreen"},
    {kTipFullHighColor, "Startup the game with 16bit fullscreen, lower cpu usage"},
    {kTipFullTrueColor, "Startup the game with 32bit fullscreen, as in the arcade"},
    {kTipHighColor, "Use 16bit textures"},
    {kTipTrueColor, "Use 32bit textures"},
    {kTipPixelShader, "There is a possible speedup using shaders."},
    {kTipAspectRatio,
     "Aspect ratio is preserved when a 4:3 resolution isn't available. Not necessary in a CRT "
     "display"},
    {kTip30Fps, "Check if the process runs slow"},
    {kTip60Fps, "Same framerate as the arcade"},
    {kTipVSync, "Depending on the enviroment, there are cases where synchronic setting helps smoothness"},
    {kTipStandard, "Process the same -sparks- as the arcade"},
    {kTipSimple, "Simplicity for better performance"},
    {kTipNoIntro, "Skip Movie Playback"},
    {kTipNoSound, "Do not use DirectSound"},
    {kTipWithoutBgm, "Do not play BGM"},
    {kTip22Khz, "BGM???????????????????"},
    {kTip44Khz, "BGM???????????"},
    {kTipUp, "Jump"},
    {kTipDown, "Crouch"},
    {kTipLeft, "Retreat, Guard when character is facing right"},
    {kTipRight, "Advance when character is facing right"},
    {kTipHSlash, "H Slash / Accept"},
    {kTipKick, "Kick / Cancel"},
    {kTipSlash, "Slash"},
    {kTipPunch, "Punch"},
    {kTipL1, "Memory"},
    {kTipL2, "Dust Attack"},
    {kTipR1, "Taunt"},
    {kTipR2, "Migration"},
    {kTipSelect, "??????????ON?OFF?????????"},
    {kTipStart, "???????????????????????????\n???????????????????????\n?????????????????????"},
    {kTipUnlistedPositions, "?????KEY CONFIG??ANALOG?ON???????????????????"},
    {kTipTwoPlayers, "2???????????????????????"},
    {kTipFourPlayers, "4???????????????????????"},
};

const char* FindString(int id) {
    const StringResource* found = std::ranges::find(StringTable, id, &StringResource::id);
    return found != std::end(StringTable) ? found->text : nullptr;
}

void CopyString(int id, char* text, int capacity) {
    const char* found = FindString(id);
    std::snprintf(text, static_cast<size_t>(capacity), "%s", found != nullptr ? found : "");
}

}  // namespace ravel
