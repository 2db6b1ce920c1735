// Which prefix the editor works in, and the player's remembered pick.
#pragma once

#include <string>
#include <vector>

#include "settings/prefix/PrefixFinder.h"

namespace ravel::prefix {

// The rules, in the order they are tried. The game's settings count where
// its folder exists, whether or not it holds a file yet.
enum class PrefixRule {
    Explicit,     // --prefix PATH
    WinePrefix,   // $WINEPREFIX, when it holds the game's settings or no prefix does
    OnlyHolder,   // the one found prefix that holds them
    AskPlayer,    // several hold them: the player picks one of the candidates
    WineDefault,  // none holds them: ~/.wine, where plain Wine runs the game
    NoPrefix,     // none holds them and there is no ~/.wine: the XDG config folder
};

struct PrefixChoice {
    PrefixRule rule = PrefixRule::NoPrefix;
    // The prefix to edit; for AskPlayer the remembered pick while it still
    // holds the game's folder, else ""; for NoPrefix "".
    std::string path;
    // The found prefixes that hold the game's folder, in the finder's order.
    std::vector<FoundPrefix> candidates;
};

// Touches no file: `found` comes from FindPrefixes, `remembered` from
// LoadRememberedPrefix; empty strings mean "not given".
PrefixChoice ChoosePrefix(const std::string& explicitPrefix, const std::string& winePrefix,
                          const std::vector<FoundPrefix>& found, const std::string& remembered);

// $XDG_CONFIG_HOME/ravelstone-config/prefix (else ~/.config/...).
std::string RememberedPrefixFile(const PrefixEnvironment& environment);

// The path the file holds, or "" when it is missing, empty or damaged.
std::string LoadRememberedPrefix(const std::string& file);

// Replaces the file in one step (a new file renamed over the old), creating
// its folder. False, leaving the old file, when it cannot be written or
// `prefix` is not a single line.
bool SaveRememberedPrefix(const std::string& file, const std::string& prefix);

}  // namespace ravel::prefix
