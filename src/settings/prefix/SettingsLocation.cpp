#include "settings/prefix/SettingsLocation.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <iterator>

#include "settings/SettingsFile.h"

namespace ravel::prefix {
namespace {

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

}  // namespace

PrefixEnvironment ProcessEnvironment() {
    PrefixEnvironment environment;
    const passwd* entry = ::getpwuid(::getuid());
    environment.home = Variable("HOME");
    if (environment.home.empty() && entry != nullptr && entry->pw_dir != nullptr) {
        environment.home = entry->pw_dir;
    }
    environment.user = Variable("USER");
    if (environment.user.empty() && entry != nullptr && entry->pw_name != nullptr) {
        environment.user = entry->pw_name;
    }
    environment.winePrefix = Variable("WINEPREFIX");
    environment.xdgDataHome = Variable("XDG_DATA_HOME");
    environment.xdgConfigHome = Variable("XDG_CONFIG_HOME");
    return environment;
}

SettingsLocation LocateSettings(const std::string& explicitPrefix,
                                const PrefixEnvironment& environment) {
    SettingsLocation location;
    location.found = FindPrefixes(environment);
    const std::string remembered = LoadRememberedPrefix(RememberedPrefixFile(environment));
    location.choice = ChoosePrefix(explicitPrefix, environment.winePrefix, location.found,
                                   remembered, environment.home);
    const PrefixChoice& choice = location.choice;
    switch (choice.rule) {
        case PrefixRule::Explicit:
            location.settingsFile =
                DescribePrefix(choice.path, PrefixSource::WinePrefix, "", environment.user)
                    .settingsFile;
            location.prefix = choice.path;
            break;
        case PrefixRule::OnlyHolder:
        case PrefixRule::AskPlayer:
            for (const FoundPrefix& candidate : choice.candidates) {
                if (!choice.path.empty() && candidate.path == choice.path) {
                    location.settingsFile = candidate.settingsFile;
                    location.prefix = candidate.path;
                }
            }
            break;
        case PrefixRule::WinePrefix:
        case PrefixRule::Default: {
            // The editor's own rule, as it has always placed the file.
            char file[kPathCapacity];
            if (ResolveSettingsFile(file) == 0) {
                location.settingsFile = file;
            }
            location.prefix = choice.path;
            break;
        }
    }
    return location;
}

bool PickCandidate(SettingsLocation& location, size_t index, const PrefixEnvironment& environment) {
    const FoundPrefix& candidate = location.choice.candidates.at(index);
    location.choice.path = candidate.path;
    location.settingsFile = candidate.settingsFile;
    location.prefix = candidate.path;
    return SaveRememberedPrefix(RememberedPrefixFile(environment), candidate.path);
}

const char* SourceName(PrefixSource source) {
    static constexpr const char* kNames[] = {
        "$WINEPREFIX", "Wine (~/.wine)", "Steam (Proton)",  "Steam Flatpak (Proton)",
        "Lutris",      "Bottles",        "Bottles Flatpak", "Heroic",
    };
    static_assert(std::size(kNames) == static_cast<size_t>(PrefixSource::Heroic) + 1);
    const auto index = static_cast<size_t>(source);
    return index < std::size(kNames) ? kNames[index] : "";
}

std::string LauncherName(const FoundPrefix& found) {
    const std::string name = SourceName(found.source);
    return found.label.empty() ? name : name + " " + found.label;
}

const char* RuleName(PrefixRule rule) {
    static constexpr const char* kNames[] = {
        "--prefix",
        "$WINEPREFIX",
        "the only prefix that holds the game's settings",
        "the player's pick among the prefixes that hold the game's settings",
        ("no prefix holds the game's settings: $WINEPREFIX, else ~/.wine, else the XDG config "
         "folder"),
    };
    static_assert(std::size(kNames) == static_cast<size_t>(PrefixRule::Default) + 1);
    const auto index = static_cast<size_t>(rule);
    return index < std::size(kNames) ? kNames[index] : "";
}

}  // namespace ravel::prefix
