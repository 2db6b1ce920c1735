#include "settings/prefix/SettingsLocation.h"

#include <pwd.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <ctime>
#include <iterator>

#include "platform/posix/TextFile.h"
#include "settings/SettingsFile.h"

namespace ravel::prefix {
namespace {

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

std::string RealPath(const std::string& path) {
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) != nullptr ? resolved : path;
}

// The prefix at `path` as the finder saw it, when it did.
const FoundPrefix* FoundAt(const std::vector<FoundPrefix>& found, const std::string& path) {
    const std::string real = RealPath(path);
    for (const FoundPrefix& prefix : found) {
        if (prefix.path == real) {
            return &prefix;
        }
    }
    return nullptr;
}

// What the player sees of a prefix that is used: its file and its name.
void Use(SettingsLocation& location, const FoundPrefix& prefix) {
    location.settingsFile = prefix.settingsFile;
    location.prefix = prefix.path;
    location.place = LauncherName(prefix);
}

// A $WINEPREFIX that was passed over, said beside the rule that won.
std::string PassedOver(const PrefixEnvironment& environment) {
    if (environment.winePrefix.empty()) {
        return "";
    }
    return " ($WINEPREFIX " + environment.winePrefix + " holds none of the game's settings)";
}

std::string Reason(const SettingsLocation& location, const PrefixEnvironment& environment) {
    switch (location.choice.rule) {
        case PrefixRule::Explicit:
            return "the prefix given with --prefix";
        case PrefixRule::WinePrefix: {
            if (!IsFolder(location.prefix)) {
                return "$WINEPREFIX, which does not exist yet: Wine makes it when the game first "
                       "runs there, and the game will look for its settings here";
            }
            const FoundPrefix* used = FoundAt(location.found, location.prefix);
            return used != nullptr && used->holdsGameFolder
                       ? "$WINEPREFIX, which holds the game's settings"
                       : "$WINEPREFIX: no prefix holds the game's settings yet, and the game "
                         "started there will look for them here";
        }
        case PrefixRule::OnlyHolder:
            return "the only prefix that holds the game's settings" + PassedOver(environment);
        case PrefixRule::AskPlayer:
            return (location.settingsFile.empty()
                        ? "several prefixes hold the game's settings and none is picked yet"
                        : "the player's pick among the prefixes that hold the game's settings") +
                   PassedOver(environment);
        case PrefixRule::WineDefault:
            return "no prefix holds the game's settings yet: ~/.wine, where plain Wine runs "
                   "the game";
        case PrefixRule::NoPrefix:
            return "no Wine prefix holds the game's settings and there is no ~/.wine: they are "
                   "kept in the XDG config folder, where the game will not find them; start the "
                   "game once, then the editor again";
    }
    return "";
}

}  // namespace

std::string PrefixFolderProblem(const std::string& path) {
    return path.empty() || IsFolder(path) ? "" : "--prefix " + path + ": no such folder";
}

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
    location.choice = ChoosePrefix(explicitPrefix, environment.winePrefix, location.found,
                                   LoadRememberedPrefix(RememberedPrefixFile(environment)));
    const PrefixChoice& choice = location.choice;
    const FoundPrefix* found = FoundAt(location.found, choice.path);
    switch (choice.rule) {
        case PrefixRule::Explicit:
        case PrefixRule::WinePrefix:
            // A folder no launcher names, or a $WINEPREFIX Wine has yet to make.
            Use(location,
                found != nullptr
                    ? *found
                    : DescribePrefix(RealPath(choice.path),
                                     choice.rule == PrefixRule::Explicit ? PrefixSource::Given
                                                                         : PrefixSource::WinePrefix,
                                     FolderName(choice.path), environment.user));
            break;
        case PrefixRule::OnlyHolder:
        case PrefixRule::AskPlayer:
        case PrefixRule::WineDefault:
            if (!choice.path.empty() && found != nullptr) {
                Use(location, *found);
            }
            break;
        case PrefixRule::NoPrefix: {
            const std::string config = ConfigHome(environment);
            if (!config.empty()) {
                location.settingsFile =
                    config + "/" + kSettingsFolderName + "/" + kSettingsFileName;
            }
            location.place = "XDG config folder (no Wine prefix)";
            break;
        }
    }
    // The programs keep paths in buffers of the classic length.
    if (location.settingsFile.size() >= kPathCapacity) {
        location.settingsFile.clear();
    }
    location.reason = Reason(location, environment);
    return location;
}

bool MustChoose(const SettingsLocation& location, bool again) {
    return location.choice.rule == PrefixRule::AskPlayer &&
           (again || location.settingsFile.empty());
}

bool PickCandidate(SettingsLocation& location, size_t index, const PrefixEnvironment& environment) {
    const FoundPrefix& candidate = location.choice.candidates.at(index);
    location.choice.path = candidate.path;
    Use(location, candidate);
    location.reason = Reason(location, environment);
    return SaveRememberedPrefix(RememberedPrefixFile(environment), candidate.path);
}

const char* SourceName(PrefixSource source) {
    static constexpr const char* kNames[] = {
        "$WINEPREFIX", "Wine (~/.wine)", "Steam (Proton)",  "Steam Flatpak (Proton)",
        "Lutris",      "Bottles",        "Bottles Flatpak", "Heroic",
        "--prefix",
    };
    static_assert(std::size(kNames) == static_cast<size_t>(PrefixSource::Given) + 1);
    const auto index = static_cast<size_t>(source);
    return index < std::size(kNames) ? kNames[index] : "";
}

std::string LauncherName(const FoundPrefix& found) {
    const std::string name = SourceName(found.source);
    return found.label.empty() ? name : name + " " + found.label;
}

std::string LastChangeText(const std::optional<int64_t>& modified) {
    if (!modified) {
        return "no file yet";
    }
    const auto time = static_cast<std::time_t>(*modified);
    std::tm parts{};
    char text[64];
    if (::localtime_r(&time, &parts) == nullptr ||
        std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S %z", &parts) == 0) {
        return std::to_string(*modified) + " seconds since 1970";
    }
    return text;
}

}  // namespace ravel::prefix
