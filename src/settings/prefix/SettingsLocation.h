// Where the Linux programs read and write setting.cfg: in the Wine prefix the
// choice rules pick, else in the XDG config folder. The one owner of that
// answer for the editor and ravelstone-cfg alike.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "settings/prefix/PrefixChoice.h"
#include "settings/prefix/PrefixFinder.h"

namespace ravel::prefix {

struct SettingsLocation {
    std::vector<FoundPrefix> found;
    PrefixChoice choice;
    // Empty while the player still has to pick one of the candidates, or
    // when no file can be named (no home folder, a path over 259 characters).
    std::string settingsFile;
    // The prefix whose registry the game would read there; "" for none.
    std::string prefix;
    // Where that is, for the player: "Steam (Proton) 2231450", "Wine (~/.wine)".
    std::string place;
    // Why that file, in words, for `where` and the editor's file line.
    std::string reason;
};

// --prefix PATH or --prefix=PATH, as both programs read it (ravelstone-cfg on
// Windows too, to refuse it there). When argv[i] is that option, `i` moves
// past a separate PATH and the answer is true, with `path` set, or `problem`
// when PATH is missing or empty.
inline bool ReadPrefixOption(int argc, char** argv, int& i, std::string& path,
                             std::string& problem) {
    const char* argument = argv[i];
    if (std::strcmp(argument, "--prefix") != 0 && std::strncmp(argument, "--prefix=", 9) != 0) {
        return false;
    }
    path = argument[8] == '=' ? argument + 9 : (i + 1 < argc ? argv[++i] : "");
    problem = path.empty() ? "--prefix needs a PATH" : "";
    return true;
}

// Why a --prefix PATH cannot be used, for the usage message; "" when it names
// a folder or was not given. A mistyped prefix must not grow a new tree of
// folders.
std::string PrefixFolderProblem(const std::string& path);

// The environment of this process, for the finder.
PrefixEnvironment ProcessEnvironment();

// Finds the prefixes and applies the choice rules; `explicitPrefix` is the
// --prefix value ("" when not given).
SettingsLocation LocateSettings(const std::string& explicitPrefix,
                                const PrefixEnvironment& environment);

// The player has to pick one of the candidates: several prefixes hold the
// game's settings and none is picked yet, or `again` (--choose-prefix) asks
// for a new pick.
bool MustChoose(const SettingsLocation& location, bool again = false);

// The player picked candidate `index`: its file is used and the pick is
// remembered for the next run. False when it could not be remembered (the
// file is used all the same).
bool PickCandidate(SettingsLocation& location, size_t index, const PrefixEnvironment& environment);

// "Steam (Proton)", "Lutris", ... for lists shown to the player.
const char* SourceName(PrefixSource source);
// "Steam (Proton) 2231450", "Wine (~/.wine)": the launcher and its own name.
std::string LauncherName(const FoundPrefix& found);
// "2026-12-08 07:24:11 +0000" in local time, or "no file yet".
std::string LastChangeText(const std::optional<int64_t>& modified);

}  // namespace ravel::prefix
