// Fake homes laid out the way Wine, Steam, Lutris, Bottles and Heroic leave
// them, in real folders.
#include <pwd.h>
#include <unistd.h>
#include <utime.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "fakes/TempFolder.h"
#include "settings/prefix/PrefixChoice.h"
#include "settings/prefix/PrefixFinder.h"
#include "settings/SettingsFile.h"
#include "settings/prefix/SettingsLocation.h"

namespace ravel::prefix {
namespace {

namespace fs = std::filesystem;

const std::string kSteam = ".local/share/Steam/steamapps/compatdata/";
const std::string kRoaming = "/drive_c/users/steamuser/AppData/Roaming/Ravelstone/setting.cfg";

// A home with symlinks resolved, as the finder reports paths, and the
// environment the finder is given there.
struct FakeHome {
    testing::TempFolder folder;
    std::string path = fs::canonical(folder.path()).string();
    PrefixEnvironment env{path, "player", "", "", ""};

    explicit FakeHome(const std::vector<std::string>& layout = {}, const std::string& xdg = "") {
        Lay(layout);
        env.xdgConfigHome = xdg.empty() ? "" : *this / xdg;
    }

    std::string operator/(const std::string& below) const { return path + "/" + below; }

    // One entry a thing, paths below the home: "file = text" (% in the text is
    // the home), "link -> target", "folder/", else a prefix as Wine makes it,
    // "folder[|profile[/roaming folder]]", holding the game's folder in the
    // profile when one is named.
    void Lay(const std::vector<std::string>& entries) const {
        for (const std::string& entry : entries) {
            const size_t text = entry.find(" = "), link = entry.find(" -> "), bar = entry.find('|');
            const std::string at = *this / entry.substr(0, std::min({text, link, bar}));
            const bool folder = text == link && entry.back() == '/';  // neither file nor link
            fs::create_directories(folder ? at : fs::path(at).parent_path().string());
            if (text != std::string::npos) {
                std::string body = entry.substr(text + 3);
                for (size_t i = body.find('%'); i != std::string::npos; i = body.find('%', i)) {
                    body.replace(i, 1, path);
                }
                std::ofstream(at) << body;
            } else if (link != std::string::npos) {
                fs::create_directory_symlink(*this / entry.substr(link + 4), at);
            } else if (!folder) {
                fs::create_directories(at + "/drive_c/windows");
                std::string profile = bar == std::string::npos ? "" : entry.substr(bar + 1);
                if (!profile.empty()) {
                    profile += profile.find('/') == std::string::npos ? "/AppData/Roaming" : "";
                    fs::create_directories(at + "/drive_c/users/" + profile + "/Ravelstone");
                }
            }
        }
    }
};

TEST(PrefixFinder, FindsEachLaunchersPrefixesOnce) {
    // clang-format off
    const std::string vdf = ".local/share/Steam/steamapps/libraryfolders.vdf = \"libraryfolders\" { ";
    const std::string flatSteam = ".var/app/com.valvesoftware.Steam/";
    const std::string bottles = ".local/share/bottles/bottles/";
    const std::string flatBottles = ".var/app/com.usebottles.bottles/data/bottles/bottles/";
    const std::string lutris = ".local/share/lutris/games/";
    const struct {
        const char* name;
        // found: "launcher path-below-home [game]", one line per prefix
        std::vector<std::string> layout, found;
        std::string xdgConfig{}, winePrefix{};  // below the home; "" for unset
    } cases[] = {
        {"nothing at all", {}, {}},
        {"Steam: symlinked roots, two libraries, no pfx or no drive_c skipped",
         {kSteam + "4242/pfx|steamuser", kSteam + "77/", kSteam + "78/pfx/", ".steam/steam -> .local/share/Steam",
          "lib2/steamapps/compatdata/9/pfx", vdf + "\"0\" { \"path\" \"%/.local/share/Steam\" } \"1\" { \"path\" \"%/lib2\" } }"},
         {"Steam (Proton) 4242 " + kSteam + "4242/pfx game", "Steam (Proton) 9 lib2/steamapps/compatdata/9/pfx"}},
        {"Steam: a damaged libraryfolders.vdf adds no library, the main one stays",
         {kSteam + "4242/pfx", "lib2/steamapps/compatdata/9/pfx", vdf + "\"1\" { \"path\" \"%/lib2\" }",
          ".steam/steam/steamapps/libraryfolders.vdf/"},
         {"Steam (Proton) 4242 " + kSteam + "4242/pfx"}},
        {"Steam Flatpak, both of its data folders",
         {flatSteam + kSteam + "1/pfx", flatSteam + "data/Steam/steamapps/compatdata/2/pfx|steamuser"},
         {"Steam Flatpak (Proton) 1 " + flatSteam + kSteam + "1/pfx",
          "Steam Flatpak (Proton) 2 " + flatSteam + "data/Steam/steamapps/compatdata/2/pfx game"}},
        {"Lutris: quoted, plain, ~ and XDG folders; damaged files name nothing",
         {"Games/a b|player", "Games/plain", "Games/tilde", "Games/x",
          "xdg/lutris/games/ravelstone-1700000000.yml = game:\n  exe: x\n  prefix: \"%/Games/a b\"\n",
          ".config/lutris/games/plain.yml = game:\n  prefix: %/Games/plain\n", lutris + "tilde-2.yml = game:\n  prefix: ~/Games/tilde\n",
          lutris + "damaged-3.yml = game:\n  prefix: '~/Games/x\n", lutris + "notes.txt = game:\n  prefix: ~/Games/x\n"},
         {"Lutris ravelstone Games/a b game", "Lutris plain Games/plain", "Lutris tilde Games/tilde"}, "xdg"},
        {"Bottles, native and Flatpak; a folder that is no prefix skipped",
         {bottles + "Gaming|player/Application Data", bottles + "broken/", flatBottles + "Flat"},
         {"Bottles Gaming " + bottles + "Gaming game", "Bottles Flatpak Flat " + flatBottles + "Flat"}},
        {"Heroic: per-game folders, default/, and each config's default folder",
         {"Games/Heroic/Prefixes/Old", "Games/Heroic/Prefixes/default/New|steamuser", "Elsewhere/Fromconfig", "Single",
          R"(.config/heroic/config.json = {"defaultSettings": {"defaultWinePrefix": "~/Elsewhere"}})",
          R"(.var/app/com.heroicgameslauncher.hgl/config/heroic/config.json = {"defaultWinePrefix": "%/Single"})"},
         {"Heroic New Games/Heroic/Prefixes/default/New game", "Heroic Old Games/Heroic/Prefixes/Old",
          "Heroic Fromconfig Elsewhere/Fromconfig", "Heroic Single Single"}},
        {"WINEPREFIX and ~/.wine come first and name a prefix once", {".wine|player", kSteam + "5/pfx|steamuser"},
         {"$WINEPREFIX pfx " + kSteam + "5/pfx game", "Wine (~/.wine) .wine game"}, "", kSteam + "5/pfx/"},
    };
    // clang-format on
    for (const auto& c : cases) {
        FakeHome home(c.layout, c.xdgConfig);
        home.env.winePrefix = c.winePrefix.empty() ? "" : home / c.winePrefix;
        std::vector<std::string> found;
        for (const FoundPrefix& prefix : FindPrefixes(home.env)) {
            found.push_back(LauncherName(prefix) + " " + prefix.path.substr(home.path.size() + 1) +
                            (prefix.holdsGameFolder ? " game" : ""));
        }
        EXPECT_EQ(found, c.found) << c.name;
    }
}

TEST(PrefixFinder, NamesTheSettingsFileTheEditorWouldUse) {
    const std::string file = "own/drive_c/users/player/Application Data/Ravelstone/setting.cfg";
    const FakeHome home({"own|player/Application Data", "both|steamuser",
                         "both/drive_c/users/player/AppData/Roaming/", "fresh", file + " = x"});
    const utimbuf times{1600000000, 1600000123};
    ASSERT_EQ(::utime((home / file).c_str(), &times), 0);

    const FoundPrefix own = DescribePrefix(home / "own", PrefixSource::Lutris, "", "player");
    EXPECT_EQ(own.settingsFile, home / file);
    EXPECT_EQ(own.settingsModified, 1600000123);
    // The game's folder wins over the player's own but empty profile.
    const FoundPrefix both = DescribePrefix(home / "both", PrefixSource::Heroic, "", "player");
    EXPECT_TRUE(both.holdsGameFolder);
    EXPECT_EQ(both.settingsFile, home / "both" + kRoaming);
    EXPECT_FALSE(both.settingsModified.has_value());
    // No profile yet: Proton makes steamuser, Wine the player's own.
    EXPECT_EQ(DescribePrefix(home / "fresh", PrefixSource::Steam, "1", "player").settingsFile,
              home / "fresh" + kRoaming);
    EXPECT_EQ(DescribePrefix(home / "fresh", PrefixSource::Bottles, "", "player").settingsFile,
              home / "fresh/drive_c/users/player/AppData/Roaming/Ravelstone/setting.cfg");
}

// The rules and corners that ravelstone-cfg's `where` rows leave out.
TEST(PrefixChoice, TriesTheRulesInOrder) {
    const auto at = [](const char* path, bool holds, PrefixSource source = PrefixSource::Steam) {
        return FoundPrefix{path, source, "", holds, "", {}};
    };
    // clang-format off
    const std::vector<FoundPrefix> two = {at("/s/1/pfx", true), at("/b/x", false), at("/h/y", true)};
    const std::vector<FoundPrefix> envHolds = {at("/env", true, PrefixSource::WinePrefix), at("/h/y", true)};
    const struct {
        const char *name, *explicitPrefix, *winePrefix;
        std::vector<FoundPrefix> found;
        const char *remembered, *path;  // the path chosen
        PrefixRule rule;
        size_t candidates;
    } cases[] = {
        {"--prefix wins over everything", "/given", "/env", envHolds, "/h/y", "/given", PrefixRule::Explicit, 2},
        {"a $WINEPREFIX holding the game wins over other holders", "", "/env", envHolds, "/h/y", "/env", PrefixRule::WinePrefix, 2},
        {"the only prefix holding the game", "", "", {at("/s/1/pfx", false), at("/h/y", true)}, "/s/1/pfx", "/h/y", PrefixRule::OnlyHolder, 1},
        {"several: ask, remembered still valid", "", "", two, "/h//y/", "/h/y", PrefixRule::AskPlayer, 2},
        {"several: ask, remembered no longer holds the game", "", "", two, "/b/x", "", PrefixRule::AskPlayer, 2},
        {"none holds it and no ~/.wine", "", "", {at("/s/1/pfx", false)}, "/s/1/pfx", "", PrefixRule::NoPrefix, 0},
    };
    // clang-format on
    for (const auto& c : cases) {
        const auto choice = ChoosePrefix(c.explicitPrefix, c.winePrefix, c.found, c.remembered);
        EXPECT_EQ(choice.rule, c.rule) << c.name;
        EXPECT_EQ(choice.path, c.path) << c.name;
        EXPECT_EQ(choice.candidates.size(), c.candidates) << c.name;
    }
}

// The file, place and reason of the rules the command line's `where` does not
// show; the pick stands the next time.
TEST(SettingsLocation, EachRuleNamesItsFilePlaceAndReason) {
    const std::string xdgPlace = "XDG config folder (no Wine prefix)";
    const std::string steam = kSteam + "1000/pfx";
    // clang-format off
    const struct {
        const char *name, *reason;  // a part of the reason
        std::vector<std::string> layout;
        std::string explicitPrefix, xdgConfig, file, place;  // the first three below the home
        PrefixRule rule;
        std::string winePrefix{};  // below the home
    } cases[] = {
        {"nothing at all: the XDG folder", "the game will not find them", {}, "", "", ".config/Ravelstone/setting.cfg", xdgPlace,
         PrefixRule::NoPrefix},
        {"$XDG_CONFIG_HOME counts", "XDG", {}, "", "xdg", "xdg/Ravelstone/setting.cfg", xdgPlace, PrefixRule::NoPrefix},
        {"--prefix naming the Steam prefix", "--prefix", {steam + "|steamuser"}, steam, "", steam + kRoaming, "Steam (Proton) 1000",
         PrefixRule::Explicit},
        {"--prefix naming a folder no launcher knows", "--prefix", {"elsewhere/"}, "elsewhere", "",
         "elsewhere/drive_c/users/player/AppData/Roaming/Ravelstone/setting.cfg", "--prefix elsewhere", PrefixRule::Explicit},
        // The profile is the given environment's user, not this process's.
        {"a $WINEPREFIX Wine has yet to make", "does not exist yet", {}, "", "",
         "not-yet/drive_c/users/player/AppData/Roaming/Ravelstone/setting.cfg", "$WINEPREFIX not-yet", PrefixRule::WinePrefix,
         "not-yet"},
        {"$WINEPREFIX holding the game", "which holds the game's settings", {"wp|player"}, "", "",
         "wp/drive_c/users/player/AppData/Roaming/Ravelstone/setting.cfg", "$WINEPREFIX wp", PrefixRule::WinePrefix, "wp"},
        {"$WINEPREFIX made, and no prefix holds the game", "no prefix holds the game's settings yet", {"wp"}, "", "",
         "wp/drive_c/users/player/AppData/Roaming/Ravelstone/setting.cfg", "$WINEPREFIX wp", PrefixRule::WinePrefix, "wp"},
        {"none holds the game: ~/.wine", "plain Wine", {".wine"}, "", "",
         ".wine/drive_c/users/player/AppData/Roaming/Ravelstone/setting.cfg", "Wine (~/.wine)", PrefixRule::WineDefault},
    };
    // clang-format on
    for (const auto& c : cases) {
        FakeHome home(c.layout, c.xdgConfig);
        home.env.winePrefix = c.winePrefix.empty() ? "" : home / c.winePrefix;
        const SettingsLocation location =
            LocateSettings(c.explicitPrefix.empty() ? "" : home / c.explicitPrefix, home.env);
        EXPECT_EQ(location.choice.rule, c.rule) << c.name;
        EXPECT_EQ(location.settingsFile, home / c.file) << c.name;
        EXPECT_EQ(location.place, c.place) << c.name;
        EXPECT_NE(location.reason.find(c.reason), std::string::npos)
            << c.name << ": " << location.reason;
    }

    // Two holders: the player picks, and the pick stands next time.
    FakeHome home({steam + "|steamuser", kSteam + "2000/pfx|steamuser"});
    SettingsLocation two = LocateSettings("", home.env);
    EXPECT_TRUE(MustChoose(two));
    ASSERT_EQ(two.choice.candidates.size(), 2u);
    ASSERT_TRUE(PickCandidate(two, 1, home.env));
    EXPECT_EQ(two.choice.path, two.choice.candidates[1].path);
    EXPECT_EQ(two.settingsFile, home / kSteam + "2000/pfx" + kRoaming);
    const SettingsLocation again = LocateSettings("", home.env);
    EXPECT_FALSE(MustChoose(again));
    EXPECT_EQ(again.settingsFile, home / kSteam + "2000/pfx" + kRoaming);
    EXPECT_EQ(again.prefix, home / kSteam + "2000/pfx");
    EXPECT_EQ(again.place, "Steam (Proton) 2000");
}

// The programs keep paths in buffers of 260: a file whose path does not fit
// with its terminator is named by none.
TEST(SettingsLocation, APathTooLongForTheProgramsNamesNoFile) {
    FakeHome home;
    const std::string rest = "/drive_c/users/player/AppData/Roaming/Ravelstone/setting.cfg";
    for (const size_t length : {kPathCapacity - 1, kPathCapacity}) {
        const std::string prefix = home / std::string(length - home.path.size() - 1 - rest.size(), 'p');
        fs::create_directory(prefix);
        const SettingsLocation location = LocateSettings(prefix, home.env);
        EXPECT_EQ(location.settingsFile.size(), length < kPathCapacity ? length : 0) << length;
    }
}

// The process's own variables, and its password entry for a home or user
// the environment does not give.
TEST(SettingsLocation, ProcessEnvironmentReadsTheVariablesElseThePasswordEntry) {
    const char* names[] = {"HOME", "USER", "WINEPREFIX", "XDG_DATA_HOME", "XDG_CONFIG_HOME"};
    for (const char* name : names) {
        ::setenv(name, (std::string("/") + name).c_str(), 1);
    }
    const PrefixEnvironment given = ProcessEnvironment();
    EXPECT_EQ(std::vector<std::string>({given.home, given.user, given.winePrefix, given.xdgDataHome,
                                        given.xdgConfigHome}),
              std::vector<std::string>({"/HOME", "/USER", "/WINEPREFIX", "/XDG_DATA_HOME",
                                        "/XDG_CONFIG_HOME"}));
    ::unsetenv("HOME");
    ::unsetenv("USER");
    const passwd* entry = ::getpwuid(::getuid());
    ASSERT_NE(entry, nullptr);
    const PrefixEnvironment fallback = ProcessEnvironment();
    EXPECT_EQ(fallback.home, entry->pw_dir);
    EXPECT_EQ(fallback.user, entry->pw_name);
}

TEST(RememberedPrefix, IsOneLineReplacedWhole) {
    FakeHome home({}, "xdg");
    const std::string file = RememberedPrefixFile(home.env);
    EXPECT_EQ(file, home / "xdg/ravelstone-config/prefix");
    EXPECT_EQ(LoadRememberedPrefix(file), "");

    ASSERT_TRUE(SaveRememberedPrefix(file, "/games/first prefix"));
    ASSERT_TRUE(SaveRememberedPrefix(file, "/games/second"));
    EXPECT_EQ(LoadRememberedPrefix(file), "/games/second");
    EXPECT_FALSE(SaveRememberedPrefix(file, "/two\nlines"));
    EXPECT_FALSE(SaveRememberedPrefix(file, "relative"));
    EXPECT_EQ(LoadRememberedPrefix(file), "/games/second");
    // Nothing but the file itself is left in its folder.
    EXPECT_EQ(std::distance(fs::directory_iterator(fs::path(file).parent_path()), {}), 1);

    for (const char* damaged : {"/no/newline", "relative\n", "/two\n/lines\n", ""}) {
        home.Lay({"xdg/ravelstone-config/prefix = " + std::string(damaged)});
        EXPECT_EQ(LoadRememberedPrefix(file), "") << damaged;
    }
    home.Lay({"blocker = a file where the folder should be"});
    EXPECT_FALSE(SaveRememberedPrefix(home / "blocker/prefix", "/x"));
    // A folder in the file's place: the new name cannot be put there.
    home.Lay({"taken/prefix/inside/"});
    EXPECT_FALSE(SaveRememberedPrefix(home / "taken/prefix", "/x"));
    EXPECT_EQ(std::distance(fs::directory_iterator(home / "taken"), {}), 1) << "no stray copy";
}

}  // namespace
}  // namespace ravel::prefix
