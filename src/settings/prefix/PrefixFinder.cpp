#include "settings/prefix/PrefixFinder.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <set>
#include <string_view>

#include "platform/posix/TextFile.h"
#include "settings/prefix/HeroicConfig.h"
#include "settings/prefix/LutrisYaml.h"
#include "settings/prefix/Vdf.h"
#include "settings/SettingsFile.h"

namespace ravel::prefix {
namespace {

// Launcher files are a few kilobytes; anything far larger is not one.
constexpr size_t kMaxLauncherFileBytes = 4u << 20;

std::string RealPath(const std::string& path) {
    char resolved[PATH_MAX];
    if (path.empty() || path.find('\0') != std::string::npos ||
        ::realpath(path.c_str(), resolved) == nullptr) {
        return {};
    }
    return resolved;
}

// The names in a folder, sorted so that every run lists the same order.
std::vector<std::string> Entries(const std::string& folder) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        return names;
    }
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] != '.') {
            names.emplace_back(entry->d_name);
        }
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

std::string Join(const std::string& folder, const std::string& name) {
    std::string path;
    path.reserve(folder.size() + 1 + name.size());
    path.append(folder).append(1, '/').append(name);
    return path;
}

bool IsAbsolute(const std::string& path) {
    return !path.empty() && path[0] == '/';
}

// ~/.config; "" without a home.
std::string HomeConfig(const PrefixEnvironment& environment) {
    return IsAbsolute(environment.home) ? environment.home + "/.config" : std::string();
}

// A launcher's "~/..." is the player's home; anything not absolute after that
// has no base we could know, so it names nothing.
std::string Expanded(const std::string& path, const std::string& home) {
    if ((path == "~" || path.rfind("~/", 0) == 0) && IsAbsolute(home)) {
        return home + path.substr(1);
    }
    return IsAbsolute(path) ? path : std::string();
}

// Profile folders the game may use, in the order the editor prefers them.
const char* const kRoamingFolders[] = {"AppData/Roaming", "Application Data"};
// Proton's profile name for every player.
const std::string kProtonUser = "steamuser";

std::vector<std::string> Profiles(const std::string& user) {
    std::vector<std::string> users;
    if (!user.empty() && user.find('/') == std::string::npos && user != "." && user != "..") {
        users.push_back(user);
    }
    if (user != kProtonUser) {
        users.push_back(kProtonUser);
    }
    return users;
}

class Finder {
  public:
    explicit Finder(const PrefixEnvironment& environment) : env_(environment) {
        // Launchers that ignore the XDG variables still use these.
        homeData_ = Below(home(), "/.local/share");
        homeConfig_ = HomeConfig(env_);
        dataHome_ = IsAbsolute(env_.xdgDataHome) ? env_.xdgDataHome : homeData_;
        configHome_ = ConfigHome(env_);
    }

    std::vector<FoundPrefix> Run() {
        Add(env_.winePrefix, PrefixSource::WinePrefix, FolderName(env_.winePrefix));
        if (!home().empty()) {
            Add(home() + "/.wine", PrefixSource::WineDefault, {});
        }
        FindSteam();
        FindLutris();
        FindBottles();
        FindHeroic();
        return std::move(found_);
    }

  private:
    const std::string& home() const {
        static const std::string none;
        return IsAbsolute(env_.home) ? env_.home : none;
    }

    // A path below a base that may be unknown (no home): "" names nothing.
    static std::string Below(const std::string& base, const char* rest) {
        return base.empty() ? std::string() : base + rest;
    }

    void Add(const std::string& path, PrefixSource source, const std::string& label) {
        const std::string real = RealPath(path);
        // Only $WINEPREFIX is taken on the player's word; elsewhere a folder
        // without drive_c is a launcher's leftover, not a prefix.
        if (real.empty() || !IsFolder(real) ||
            (source != PrefixSource::WinePrefix && !IsFolder(real + "/drive_c"))) {
            return;
        }
        if (seen_.insert(real).second) {
            found_.push_back(DescribePrefix(real, source, label, env_.user));
        }
    }

    // Each folder once, however many names lead to it.
    std::vector<std::string> Distinct(const std::vector<std::string>& folders) {
        std::vector<std::string> distinct;
        std::set<std::string> reals;
        for (const std::string& folder : folders) {
            const std::string real = RealPath(folder);
            if (!real.empty() && IsFolder(real) && reals.insert(real).second) {
                distinct.push_back(real);
            }
        }
        return distinct;
    }

    void FindSteam() {
        struct Root {
            std::string path;
            PrefixSource source;
        };
        const std::string flatpak = Below(home(), "/.var/app/com.valvesoftware.Steam");
        const Root roots[] = {
            {Below(home(), "/.steam/steam"), PrefixSource::Steam},
            {Below(homeData_, "/Steam"), PrefixSource::Steam},
            {Below(dataHome_, "/Steam"), PrefixSource::Steam},
            {Below(flatpak, "/.local/share/Steam"), PrefixSource::SteamFlatpak},
            {Below(flatpak, "/data/Steam"), PrefixSource::SteamFlatpak},
        };
        std::vector<Root> libraries;
        std::set<std::string> reals;
        const auto addLibrary = [&](const std::string& path, PrefixSource source) {
            const std::string real = RealPath(path);
            if (!real.empty() && IsFolder(real) && reals.insert(real).second) {
                libraries.push_back({real, source});
            }
        };
        for (const Root& root : roots) {
            if (root.path.empty() || !IsFolder(root.path)) {
                continue;
            }
            addLibrary(root.path, root.source);
            std::string text;
            std::vector<std::string> extra;
            if (ReadTextFile(root.path + "/steamapps/libraryfolders.vdf", kMaxLauncherFileBytes,
                             text) &&
                ReadLibraryFolders(text, extra)) {
                for (const std::string& path : extra) {
                    addLibrary(Expanded(path, home()), root.source);
                }
            }
        }
        for (const Root& library : libraries) {
            const std::string compatdata = library.path + "/steamapps/compatdata";
            for (const std::string& appId : Entries(compatdata)) {
                Add(Join(compatdata, appId) + "/pfx", library.source, appId);
            }
        }
    }

    void FindLutris() {
        const std::vector<std::string> folders =
            Distinct({Below(configHome_, "/lutris/games"), Below(homeConfig_, "/lutris/games"),
                      Below(dataHome_, "/lutris/games"), Below(homeData_, "/lutris/games")});
        for (const std::string& folder : folders) {
            for (const std::string& name : Entries(folder)) {
                if (name.size() <= 4 || name.compare(name.size() - 4, 4, ".yml") != 0) {
                    continue;
                }
                std::string text;
                if (!ReadTextFile(Join(folder, name), kMaxLauncherFileBytes, text)) {
                    continue;
                }
                Add(Expanded(LutrisGamePrefix(text), home()), PrefixSource::Lutris, Slug(name));
            }
        }
    }

    // Lutris names a game's file <slug>-<seconds>.yml.
    static std::string Slug(const std::string& fileName) {
        std::string stem = fileName.substr(0, fileName.size() - 4);
        const size_t dash = stem.rfind('-');
        if (dash != std::string::npos && dash + 1 < stem.size() && dash > 0 &&
            stem.find_first_not_of("0123456789", dash + 1) == std::string::npos) {
            stem.resize(dash);
        }
        return stem;
    }

    void FindBottles() {
        const std::string flatpak =
            Below(home(), "/.var/app/com.usebottles.bottles/data/bottles/bottles");
        for (const std::string& folder : Distinct(
                 {Below(dataHome_, "/bottles/bottles"), Below(homeData_, "/bottles/bottles")})) {
            AddEach(folder, PrefixSource::Bottles);
        }
        AddEach(flatpak, PrefixSource::BottlesFlatpak);
    }

    void FindHeroic() {
        const std::string prefixes = Below(home(), "/Games/Heroic/Prefixes");
        AddOrEach(Below(prefixes, "/default"));
        AddEach(prefixes, PrefixSource::Heroic);
        const std::string flatpak = Below(home(), "/.var/app/com.heroicgameslauncher.hgl/config");
        const std::vector<std::string> configs = {Below(configHome_, "/heroic/config.json"),
                                                  Below(homeConfig_, "/heroic/config.json"),
                                                  Below(flatpak, "/heroic/config.json")};
        for (const std::string& config : configs) {
            std::string text;
            if (!config.empty() && ReadTextFile(config, kMaxLauncherFileBytes, text)) {
                AddOrEach(Expanded(HeroicDefaultPrefix(text), home()));
            }
        }
    }

    void AddEach(const std::string& folder, PrefixSource source) {
        if (folder.empty()) {
            return;
        }
        for (const std::string& name : Entries(folder)) {
            Add(Join(folder, name), source, name);
        }
    }

    // Heroic's default folder is one prefix in older setups and a folder of
    // per-game prefixes in newer ones.
    void AddOrEach(const std::string& folder) {
        if (folder.empty() || !IsFolder(folder)) {
            return;
        }
        if (IsFolder(folder + "/drive_c")) {
            Add(folder, PrefixSource::Heroic, FolderName(folder));
        } else {
            AddEach(folder, PrefixSource::Heroic);
        }
    }

    const PrefixEnvironment& env_;
    std::string dataHome_;
    std::string configHome_;
    std::string homeData_;
    std::string homeConfig_;
    std::set<std::string> seen_;
    std::vector<FoundPrefix> found_;
};

}  // namespace

FoundPrefix DescribePrefix(const std::string& path, PrefixSource source, const std::string& label,
                           const std::string& user) {
    FoundPrefix prefix;
    prefix.path = path;
    prefix.source = source;
    prefix.label = label;
    const std::vector<std::string> users = Profiles(user);
    std::string roaming;  // the first profile folder that exists
    for (const std::string& name : users) {
        for (const char* folder : kRoamingFolders) {
            std::string candidate = path + "/drive_c/users/";
            candidate.append(name).append(1, '/').append(folder);
            if (!prefix.holdsGameFolder && IsFolder(candidate + "/" + kSettingsFolderName)) {
                prefix.holdsGameFolder = true;
                roaming = candidate;
            } else if (roaming.empty() && IsFolder(candidate)) {
                roaming = candidate;
            }
        }
    }
    if (roaming.empty()) {
        // No profile yet: where Wine or Proton will make it.
        const bool proton = source == PrefixSource::Steam || source == PrefixSource::SteamFlatpak;
        roaming = path + "/drive_c/users/" + (proton ? kProtonUser : users.front()) + "/" +
                  kRoamingFolders[0];
    }
    prefix.settingsFile = roaming + "/" + kSettingsFolderName + "/" + kSettingsFileName;
    struct stat info {};
    if (::stat(prefix.settingsFile.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
        prefix.settingsModified = static_cast<int64_t>(info.st_mtime);
    }
    return prefix;
}

std::vector<FoundPrefix> FindPrefixes(const PrefixEnvironment& environment) {
    return Finder(environment).Run();
}

std::string ConfigHome(const PrefixEnvironment& environment) {
    return IsAbsolute(environment.xdgConfigHome) ? environment.xdgConfigHome
                                                 : HomeConfig(environment);
}

std::string FolderName(const std::string& path) {
    const size_t end = path.find_last_not_of('/');
    if (end == std::string::npos) {
        return {};
    }
    const size_t slash = path.find_last_of('/', end);
    return path.substr(slash == std::string::npos ? 0 : slash + 1,
                       slash == std::string::npos ? end + 1 : end - slash);
}

}  // namespace ravel::prefix
