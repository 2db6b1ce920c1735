#include "cli/WinePrefixes.h"

#include "settings/prefix/SettingsLocation.h"

namespace ravel::cli {

using prefix::FoundPrefix;
using prefix::SettingsLocation;

PrefixFile PrefixSettingsFile(const std::string& explicitPrefix) {
    const SettingsLocation location =
        prefix::LocateSettings(explicitPrefix, prefix::ProcessEnvironment());
    PrefixFile file;
    if (!prefix::MustChoose(location)) {
        file.path = location.settingsFile;
        return file;
    }
    // The editor would ask; a script cannot be asked.
    file.choose = "several Wine prefixes hold the game's settings:\n";
    for (const FoundPrefix& candidate : location.choice.candidates) {
        file.choose += "  " + prefix::LauncherName(candidate) + ": " + candidate.path + "\n";
    }
    file.choose +=
        "choose one with --prefix PATH (a pick made in ravelstone-config counts here too)";
    return file;
}

std::string WhereReport(const std::string& explicitPrefix) {
    const SettingsLocation location =
        prefix::LocateSettings(explicitPrefix, prefix::ProcessEnvironment());
    std::string text;
    if (location.found.empty()) {
        text += "No Wine prefix found.\n";
    }
    for (const FoundPrefix& found : location.found) {
        text += prefix::LauncherName(found) + ": " + found.path + "\n";
        text += std::string("  holds the game's settings: ") +
                (found.holdsGameFolder ? "yes" : "no") + "\n";
        text += "  settings file: " + found.settingsFile + "\n";
        text += "  last modified: " + prefix::LastChangeText(found.settingsModified) + "\n";
    }
    text += "\n";
    if (prefix::MustChoose(location)) {
        text +=
            "Used: none until chosen: choose one of the prefixes that hold the game's "
            "settings with --prefix PATH\n";
    } else if (location.settingsFile.empty()) {
        text += "Used: none: no home folder, or a name longer than 259 characters\n";
    } else {
        text += "Used: " + location.settingsFile + " (" + location.place + ")\n";
    }
    text += "Rule: " + location.reason + "\n";
    return text;
}

}  // namespace ravel::cli
