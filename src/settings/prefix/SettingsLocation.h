// Where the Linux programs read and write setting.cfg: in the Wine prefix the
// choice rules pick, or by the editor's own rule ($WINEPREFIX, else ~/.wine,
// else the XDG config folder) when no found prefix holds the game's folder.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "settings/prefix/PrefixChoice.h"
#include "settings/prefix/PrefixFinder.h"
#include "settings/prefix/WineRegistry.h"

namespace ravel::prefix {

struct SettingsLocation {
    std::vector<FoundPrefix> found;
    PrefixChoice choice;
    // Empty while the player still has to pick one of the candidates.
    std::string settingsFile;
    // The prefix whose registry the game would read there; "" for none.
    std::string prefix;
};

// The environment of this process, for the finder.
PrefixEnvironment ProcessEnvironment();

// Finds the prefixes and applies the choice rules; `explicitPrefix` is the
// --prefix value ("" when not given).
SettingsLocation LocateSettings(const std::string& explicitPrefix,
                                const PrefixEnvironment& environment);

// The player picked candidate `index`: its file is used and the pick is
// remembered for the next run. False when it could not be remembered (the
// file is used all the same).
bool PickCandidate(SettingsLocation& location, size_t index, const PrefixEnvironment& environment);

// "Steam (Proton)", "Lutris", ... for lists shown to the player.
const char* SourceName(PrefixSource source);
// "Steam (Proton) 2231450", "Wine (~/.wine)": the launcher and its own name.
std::string LauncherName(const FoundPrefix& found);
// Which rule chose, in words: "--prefix", "$WINEPREFIX", ...
const char* RuleName(PrefixRule rule);

}  // namespace ravel::prefix
