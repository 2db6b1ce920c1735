#include "cli/WinePrefixes.h"

#include <ctime>

#include "settings/prefix/SettingsLocation.h"

namespace ravel::cli {
namespace {

using prefix::FoundPrefix;
using prefix::PrefixRule;
using prefix::SettingsLocation;

std::string LocalTime(int64_t seconds) {
    const std::time_t time = static_cast<std::time_t>(seconds);
    std::tm parts{};
    char text[64];
    if (::localtime_r(&time, &parts) == nullptr ||
        std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S %z", &parts) == 0) {
        return std::to_string(seconds) + " seconds since 1970";
    }
    return text;
}

bool MustChoose(const SettingsLocation& location) {
    return location.choice.rule == PrefixRule::AskPlayer && location.settingsFile.empty();
}

}  // namespace

PrefixFile PrefixSettingsFile(const std::string& explicitPrefix) {
    const SettingsLocation location =
        prefix::LocateSettings(explicitPrefix, prefix::ProcessEnvironment());
    PrefixFile file;
    if (!MustChoose(location)) {
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
        text += "  last modified: " +
                (found.settingsModified ? LocalTime(*found.settingsModified) : "no file yet") +
                "\n";
    }
    text += "\n";
    if (MustChoose(location)) {
        text +=
            "Used: none until chosen: choose one of the prefixes that hold the game's "
            "settings with --prefix PATH\n";
    } else {
        text += "Used: " +
                (location.settingsFile.empty() ? "none, its folder's name is too long"
                                               : location.settingsFile) +
                "\n";
    }
    text += std::string("Rule: ") + prefix::RuleName(location.choice.rule) + "\n";
    return text;
}

}  // namespace ravel::cli
