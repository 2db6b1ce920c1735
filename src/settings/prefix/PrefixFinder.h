// The Wine prefixes a player may run the game in: plain Wine, Steam's Proton,
// Lutris, Bottles and Heroic each keep their own.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ravel::prefix {

// What the finder needs from the process environment, passed in so that the
// caller decides (getenv, a test table). An empty value means unset.
struct PrefixEnvironment {
    std::string home;           // $HOME
    std::string user;           // the login name: Wine names the profile after it
    std::string winePrefix;     // $WINEPREFIX
    std::string xdgDataHome;    // $XDG_DATA_HOME, else ~/.local/share
    std::string xdgConfigHome;  // $XDG_CONFIG_HOME, else ~/.config
};

enum class PrefixSource {
    WinePrefix,      // $WINEPREFIX
    WineDefault,     // ~/.wine
    Steam,           // <library>/steamapps/compatdata/<app id>/pfx
    SteamFlatpak,    // the same, for the Flatpak Steam
    Lutris,          // the prefix: of a Lutris game file
    Bottles,         // ~/.local/share/bottles/bottles/<bottle>
    BottlesFlatpak,  // the same, for the Flatpak Bottles
    Heroic,          // Heroic's prefix folders
    Given,           // --prefix PATH, when no launcher's prefix is that folder
};

struct FoundPrefix {
    std::string path;  // the prefix folder with symlinks resolved
    PrefixSource source = PrefixSource::WinePrefix;
    // Steam: the app id; Lutris: the game's slug; ~/.wine: ""; otherwise
    // the prefix folder's name (a bottle's name for Bottles).
    std::string label;
    // drive_c/users/<user or steamuser>/<roaming folder>/Ravelstone exists.
    bool holdsGameFolder = false;
    // The setting.cfg the editor would use in this prefix: in the game's
    // folder where it exists, else below the roaming folder the editor would
    // pick (the user's own profile first, then steamuser).
    std::string settingsFile;
    // Last modification, in seconds since 1970, when settingsFile exists.
    std::optional<int64_t> settingsModified;
};

// Every prefix folder that exists, each once (by real path; the first source
// in the order above names it), in that order of sources. Missing, damaged
// or unreadable launcher files and folders are passed over.
std::vector<FoundPrefix> FindPrefixes(const PrefixEnvironment& environment);

// Describes one folder as a prefix of `source` (what FindPrefixes does for
// each folder it finds); --prefix PATH and a $WINEPREFIX that does not exist
// yet go through here too.
FoundPrefix DescribePrefix(const std::string& path, PrefixSource source, const std::string& label,
                           const std::string& user);

// $XDG_CONFIG_HOME when it is absolute, else ~/.config; "" without a home.
std::string ConfigHome(const PrefixEnvironment& environment);

// The last part of a path: "game" for "/home/p/game/".
std::string FolderName(const std::string& path);

}  // namespace ravel::prefix
