// Fake homes laid out the way Wine, Steam, Lutris, Bottles and Heroic leave
// them, in real folders.
#include <sys/stat.h>
#include <utime.h>

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "fakes/TempFolder.h"
#include "settings/prefix/PrefixChoice.h"
#include "settings/prefix/PrefixFinder.h"
#include "settings/prefix/SettingsLocation.h"
#include "settings/prefix/WineRegistry.h"

namespace ravel::prefix {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

class FakeHome {
  public:
    FakeHome() {
        char real[PATH_MAX];
        home_ = ::realpath(folder_.path().c_str(), real) != nullptr ? real : folder_.path();
    }
    const std::string& path() const { return home_; }

    // A prefix as Wine makes it; `profile` holds the game's folder when given.
    void Prefix(const std::string& at, const std::string& profile = {},
                const char* roaming = "AppData/Roaming") {
        fs::create_directories(home_ + "/" + at + "/drive_c/windows");
        if (!profile.empty()) {
            fs::create_directories(home_ + "/" + at + "/drive_c/users/" + profile + "/" + roaming +
                                   "/Ravelstone");
        }
    }
    void Write(const std::string& at, const std::string& text) {
        fs::create_directories(fs::path(home_ + "/" + at).parent_path());
        std::ofstream(home_ + "/" + at) << text;
    }
    void Link(const std::string& at, const std::string& target) {
        fs::create_directories(fs::path(home_ + "/" + at).parent_path());
        fs::create_directory_symlink(home_ + "/" + target, home_ + "/" + at);
    }

  private:
    TempFolder folder_;
    std::string home_;
};

const char* ShortName(PrefixSource source) {
    switch (source) {
        case PrefixSource::WinePrefix:
            return "WINEPREFIX";
        case PrefixSource::WineDefault:
            return "wine";
        case PrefixSource::Steam:
            return "steam";
        case PrefixSource::SteamFlatpak:
            return "steam-flatpak";
        case PrefixSource::Lutris:
            return "lutris";
        case PrefixSource::Bottles:
            return "bottles";
        case PrefixSource::BottlesFlatpak:
            return "bottles-flatpak";
        case PrefixSource::Heroic:
            return "heroic";
        case PrefixSource::Given:
            return "given";
    }
    return "?";
}

// "source label path-below-home [game]", one line per prefix found.
std::vector<std::string> Found(const FakeHome& home, const PrefixEnvironment& env) {
    std::vector<std::string> lines;
    for (const FoundPrefix& prefix : FindPrefixes(env)) {
        std::string path = prefix.path;
        if (path.rfind(home.path() + "/", 0) == 0) {
            path = path.substr(home.path().size() + 1);
        }
        lines.push_back(std::string(ShortName(prefix.source)) + " " + prefix.label + " " + path +
                        (prefix.holdsGameFolder ? " game" : ""));
    }
    return lines;
}

struct FinderCase {
    const char* name;
    std::function<void(FakeHome&, PrefixEnvironment&)> arrange;
    std::vector<std::string> found;
};

const std::string kSteamApps = ".local/share/Steam/steamapps";

TEST(PrefixFinder, FindsEachLaunchersPrefixesOnce) {
    const FinderCase cases[] = {
        {"nothing at all", [](FakeHome&, PrefixEnvironment&) {}, {}},
        {"Steam: symlinked roots, two libraries, no pfx or no drive_c skipped",
         [](FakeHome& h, PrefixEnvironment&) {
             h.Prefix(kSteamApps + "/compatdata/4242/pfx", "steamuser");
             fs::create_directories(h.path() + "/" + kSteamApps + "/compatdata/77");
             fs::create_directories(h.path() + "/" + kSteamApps + "/compatdata/78/pfx");
             h.Link(".steam/steam", ".local/share/Steam");
             h.Prefix("lib2/steamapps/compatdata/9/pfx");
             h.Write(kSteamApps + "/libraryfolders.vdf",
                     "\"libraryfolders\" { \"0\" { \"path\" \"" + h.path() +
                         "/.local/share/Steam\" } \"1\" { \"path\" \"" + h.path() + "/lib2\" } }");
         },
         {"steam 4242 .local/share/Steam/steamapps/compatdata/4242/pfx game",
          "steam 9 lib2/steamapps/compatdata/9/pfx"}},
        {"Steam: a damaged libraryfolders.vdf adds no library, the main one stays",
         [](FakeHome& h, PrefixEnvironment&) {
             h.Prefix(kSteamApps + "/compatdata/4242/pfx");
             h.Prefix("lib2/steamapps/compatdata/9/pfx");
             h.Write(kSteamApps + "/libraryfolders.vdf",
                     "\"libraryfolders\" { \"1\" { \"path\" \"" + h.path() + "/lib2\" }");
             fs::create_directories(h.path() + "/.steam/steam/steamapps/libraryfolders.vdf");
         },
         {"steam 4242 .local/share/Steam/steamapps/compatdata/4242/pfx"}},
        {"Steam Flatpak, both of its data folders",
         [](FakeHome& h, PrefixEnvironment&) {
             const std::string app = ".var/app/com.valvesoftware.Steam/";
             h.Prefix(app + ".local/share/Steam/steamapps/compatdata/1/pfx");
             h.Prefix(app + "data/Steam/steamapps/compatdata/2/pfx", "steamuser");
         },
         {"steam-flatpak 1 .var/app/com.valvesoftware.Steam/.local/share/Steam/steamapps/"
          "compatdata/1/pfx",
          "steam-flatpak 2 .var/app/com.valvesoftware.Steam/data/Steam/steamapps/compatdata/2/"
          "pfx game"}},
        {"Lutris: quoted, plain, ~ and XDG folders; damaged files name nothing",
         [](FakeHome& h, PrefixEnvironment& env) {
             h.Prefix("Games/a b", "player");
             h.Prefix("Games/plain");
             h.Prefix("Games/tilde");
             env.xdgConfigHome = h.path() + "/xdg";
             h.Write("xdg/lutris/games/ravelstone-1700000000.yml",
                     "game:\n  exe: x\n  prefix: \"" + h.path() + "/Games/a b\"\n");
             h.Write(".config/lutris/games/plain.yml",
                     "game:\n  prefix: " + h.path() + "/Games/plain\n");
             h.Write(".local/share/lutris/games/tilde-2.yml", "game:\n  prefix: ~/Games/tilde\n");
             h.Write(".local/share/lutris/games/damaged-3.yml", "game:\n  prefix: '~/Games/x\n");
             h.Write(".local/share/lutris/games/notes.txt", "game:\n  prefix: ~/Games/x\n");
             h.Prefix("Games/x");
         },
         {"lutris ravelstone Games/a b game", "lutris plain Games/plain",
          "lutris tilde Games/tilde"}},
        {"Bottles, native and Flatpak; a folder that is no prefix skipped",
         [](FakeHome& h, PrefixEnvironment&) {
             h.Prefix(".local/share/bottles/bottles/Gaming", "player", "Application Data");
             fs::create_directories(h.path() + "/.local/share/bottles/bottles/broken");
             h.Prefix(".var/app/com.usebottles.bottles/data/bottles/bottles/Flat");
         },
         {"bottles Gaming .local/share/bottles/bottles/Gaming game",
          "bottles-flatpak Flat .var/app/com.usebottles.bottles/data/bottles/bottles/Flat"}},
        {"Heroic: per-game folders, default/, and each config's default folder",
         [](FakeHome& h, PrefixEnvironment&) {
             h.Prefix("Games/Heroic/Prefixes/Old");
             h.Prefix("Games/Heroic/Prefixes/default/New", "steamuser");
             h.Prefix("Elsewhere/Fromconfig");
             h.Prefix("Single");
             h.Write(".config/heroic/config.json",
                     R"({"defaultSettings": {"defaultWinePrefix": "~/Elsewhere"}})");
             h.Write(".var/app/com.heroicgameslauncher.hgl/config/heroic/config.json",
                     "{\"defaultWinePrefix\": \"" + h.path() + "/Single\"}");
         },
         {"heroic New Games/Heroic/Prefixes/default/New game",
          "heroic Old Games/Heroic/Prefixes/Old", "heroic Fromconfig Elsewhere/Fromconfig",
          "heroic Single Single"}},
        {"WINEPREFIX and ~/.wine come first and name a prefix once",
         [](FakeHome& h, PrefixEnvironment& env) {
             h.Prefix(".wine", "player");
             h.Prefix(kSteamApps + "/compatdata/5/pfx", "steamuser");
             env.winePrefix = h.path() + "/" + kSteamApps + "/compatdata/5/pfx/";
         },
         {"WINEPREFIX pfx .local/share/Steam/steamapps/compatdata/5/pfx game", "wine  .wine game"}},
    };
    for (const FinderCase& c : cases) {
        FakeHome home;
        PrefixEnvironment env{home.path(), "player", "", "", ""};
        c.arrange(home, env);
        EXPECT_EQ(Found(home, env), c.found) << c.name;
    }
}

TEST(PrefixFinder, NamesTheSettingsFileTheEditorWouldUse) {
    FakeHome home;
    home.Prefix("own", "player", "Application Data");
    home.Prefix("both");
    fs::create_directories(home.path() + "/both/drive_c/users/player/AppData/Roaming");
    home.Prefix("both", "steamuser");
    home.Prefix("fresh");
    const std::string file = home.path() +
                             "/own/drive_c/users/player/Application Data/"
                             "Ravelstone/setting.cfg";
    home.Write("own/drive_c/users/player/Application Data/Ravelstone/setting.cfg", "x");
    const utimbuf times{1600000000, 1600000123};
    ASSERT_EQ(::utime(file.c_str(), &times), 0);

    const FoundPrefix own =
        DescribePrefix(home.path() + "/own", PrefixSource::Lutris, "", "player");
    EXPECT_EQ(own.settingsFile, file);
    EXPECT_EQ(own.settingsModified, 1600000123);
    // The game's folder wins over the player's own but empty profile.
    const FoundPrefix both =
        DescribePrefix(home.path() + "/both", PrefixSource::Heroic, "", "player");
    EXPECT_TRUE(both.holdsGameFolder);
    EXPECT_EQ(both.settingsFile,
              home.path() + "/both/drive_c/users/steamuser/AppData/Roaming/Ravelstone/setting.cfg");
    EXPECT_FALSE(both.settingsModified.has_value());
    // Its user.reg is read from beside drive_c; a prefix without one says nothing.
    home.Write("own/user.reg", "[Software\\\\Wine\\\\Drivers] 1\n\"Audio\"=\"\"\n");
    EXPECT_EQ(ReadPrefixRegistryAnswers(own.path).sound, RegistrySays::No);
    EXPECT_EQ(ReadPrefixRegistryAnswers(both.path).sound, RegistrySays::Nothing);
    // No profile yet: Proton makes steamuser, Wine the player's own.
    EXPECT_EQ(
        DescribePrefix(home.path() + "/fresh", PrefixSource::Steam, "1", "player").settingsFile,
        home.path() + "/fresh/drive_c/users/steamuser/AppData/Roaming/Ravelstone/setting.cfg");
    EXPECT_EQ(
        DescribePrefix(home.path() + "/fresh", PrefixSource::Bottles, "", "player").settingsFile,
        home.path() + "/fresh/drive_c/users/player/AppData/Roaming/Ravelstone/setting.cfg");
}

FoundPrefix Candidate(const std::string& path, bool holds,
                      PrefixSource source = PrefixSource::Steam) {
    FoundPrefix prefix;
    prefix.path = path;
    prefix.holdsGameFolder = holds;
    prefix.source = source;
    return prefix;
}

TEST(PrefixChoice, TriesTheRulesInOrder) {
    const std::vector<FoundPrefix> two = {Candidate("/s/1/pfx", true), Candidate("/b/x", false),
                                          Candidate("/h/y", true)};
    const std::vector<FoundPrefix> one = {Candidate("/s/1/pfx", false), Candidate("/h/y", true)};
    const std::vector<FoundPrefix> none = {Candidate("/s/1/pfx", false)};
    const std::vector<FoundPrefix> envHolds = {Candidate("/env", true, PrefixSource::WinePrefix),
                                               Candidate("/h/y", true)};
    const std::vector<FoundPrefix> envEmpty = {Candidate("/env", false, PrefixSource::WinePrefix),
                                               Candidate("/h/y", true)};
    const std::vector<FoundPrefix> plainWine = {
        Candidate("/home/p/.wine", false, PrefixSource::WineDefault), Candidate("/s/1/pfx", false)};
    const struct {
        const char* name;
        const char* explicitPrefix;
        const char* winePrefix;
        const std::vector<FoundPrefix>& found;
        const char* remembered;
        PrefixRule rule;
        const char* path;
        size_t candidates;
    } cases[] = {
        {"--prefix wins over everything", "/given", "/env", envHolds, "/h/y", PrefixRule::Explicit,
         "/given", 2},
        {"a $WINEPREFIX holding the game wins over other holders", "", "/env", envHolds, "/h/y",
         PrefixRule::WinePrefix, "/env", 2},
        {"a $WINEPREFIX holding nothing gives way to the game's", "", "/env", envEmpty, "",
         PrefixRule::OnlyHolder, "/h/y", 1},
        {"a $WINEPREFIX Wine has yet to make, when none holds the game", "", "/env", none, "",
         PrefixRule::WinePrefix, "/env", 0},
        {"the only prefix holding the game", "", "", one, "/s/1/pfx", PrefixRule::OnlyHolder,
         "/h/y", 1},
        {"several: ask, nothing remembered", "", "", two, "", PrefixRule::AskPlayer, "", 2},
        {"several: ask, remembered still valid", "", "", two, "/h//y/", PrefixRule::AskPlayer,
         "/h/y", 2},
        {"several: ask, remembered no longer holds the game", "", "", two, "/b/x",
         PrefixRule::AskPlayer, "", 2},
        {"none holds it: plain Wine's ~/.wine", "", "", plainWine, "", PrefixRule::WineDefault,
         "/home/p/.wine", 0},
        {"none holds it and no ~/.wine", "", "", none, "/s/1/pfx", PrefixRule::NoPrefix, "", 0},
    };
    for (const auto& c : cases) {
        const PrefixChoice choice =
            ChoosePrefix(c.explicitPrefix, c.winePrefix, c.found, c.remembered);
        EXPECT_EQ(choice.rule, c.rule) << c.name;
        EXPECT_EQ(choice.path, c.path) << c.name;
        EXPECT_EQ(choice.candidates.size(), c.candidates) << c.name;
    }
}

// The file each rule names over a real fake home, where the player sees it
// and why; the pick stands the next time.
TEST(SettingsLocation, EachRuleNamesItsFilePlaceAndReason) {
    const std::string proton = "/drive_c/users/steamuser/AppData/Roaming/Ravelstone/setting.cfg";
    const std::string steam = kSteamApps + "/compatdata/";
    const struct {
        const char* name;
        std::function<void(FakeHome&, PrefixEnvironment&)> arrange;
        const char* explicitPrefix;
        PrefixRule rule;
        const char* file;  // below the home; "" for none
        const char* place;
        const char* reason;  // a part of it
    } cases[] = {
        {"nothing at all: the XDG folder", [](FakeHome&, PrefixEnvironment&) {}, "",
         PrefixRule::NoPrefix, ".config/Ravelstone/setting.cfg",
         "XDG config folder (no Wine prefix)", "the game will not find them"},
        {"$XDG_CONFIG_HOME counts",
         [](FakeHome& h, PrefixEnvironment& env) { env.xdgConfigHome = h.path() + "/xdg"; }, "",
         PrefixRule::NoPrefix, "xdg/Ravelstone/setting.cfg", "XDG config folder (no Wine prefix)",
         "XDG"},
        {"a name over 259 characters is none",
         [](FakeHome& h, PrefixEnvironment& env) {
             env.xdgConfigHome = h.path() + "/" + std::string(230, 'x');
         },
         "", PrefixRule::NoPrefix, "", "XDG config folder (no Wine prefix)", "XDG"},
        {"a $WINEPREFIX Wine has yet to make",
         [](FakeHome& h, PrefixEnvironment& env) { env.winePrefix = h.path() + "/not-yet"; }, "",
         PrefixRule::WinePrefix,
         "not-yet/drive_c/users/player/AppData/Roaming/Ravelstone/"
         "setting.cfg",
         "$WINEPREFIX not-yet", "does not exist yet"},
        {"~/.wine without the player's profile yet",
         [](FakeHome& h, PrefixEnvironment&) { h.Prefix(".wine"); }, "", PrefixRule::WineDefault,
         ".wine/drive_c/users/player/AppData/Roaming/Ravelstone/"
         "setting.cfg",
         "Wine (~/.wine)", "where plain Wine runs the game"},
        {"the game's Proton prefix over an empty $WINEPREFIX",
         [&](FakeHome& h, PrefixEnvironment& env) {
             h.Prefix(steam + "1000/pfx", "steamuser");
             h.Prefix("empty");
             env.winePrefix = h.path() + "/empty";
         },
         "", PrefixRule::OnlyHolder,
         ".local/share/Steam/steamapps/compatdata/1000/pfx"
         "/drive_c/users/steamuser/AppData/Roaming/Ravelstone/"
         "setting.cfg",
         "Steam (Proton) 1000", "holds none of the game's settings"},
        {"--prefix naming the Steam prefix",
         [&](FakeHome& h, PrefixEnvironment&) { h.Prefix(steam + "1000/pfx", "steamuser"); },
         ".local/share/Steam/steamapps/compatdata/1000/pfx", PrefixRule::Explicit,
         ".local/share/Steam/steamapps/compatdata/1000/pfx/drive_c/users/steamuser/AppData/"
         "Roaming/Ravelstone/setting.cfg",
         "Steam (Proton) 1000", "--prefix"},
        {"--prefix naming a folder no launcher knows",
         [](FakeHome& h, PrefixEnvironment&) { fs::create_directories(h.path() + "/elsewhere"); },
         "elsewhere", PrefixRule::Explicit,
         "elsewhere/drive_c/users/player/AppData/Roaming/Ravelstone/setting.cfg",
         "--prefix elsewhere", "--prefix"},
    };
    for (const auto& c : cases) {
        FakeHome home;
        PrefixEnvironment env{home.path(), "player", "", "", ""};
        c.arrange(home, env);
        const std::string given =
            c.explicitPrefix[0] != '\0' ? home.path() + "/" + c.explicitPrefix : "";
        const SettingsLocation location = LocateSettings(given, env);
        EXPECT_EQ(location.choice.rule, c.rule) << c.name;
        EXPECT_EQ(location.settingsFile, c.file[0] != '\0' ? home.path() + "/" + c.file : "")
            << c.name;
        EXPECT_EQ(location.place, c.place) << c.name;
        EXPECT_NE(location.reason.find(c.reason), std::string::npos)
            << c.name << ": " << location.reason;
    }

    // Two holders: the player picks, and the pick stands next time.
    FakeHome home;
    const PrefixEnvironment env{home.path(), "player", "", "", ""};
    home.Prefix(steam + "1000/pfx", "steamuser");
    home.Prefix(steam + "2000/pfx", "steamuser");
    SettingsLocation two = LocateSettings("", env);
    EXPECT_TRUE(MustChoose(two));
    ASSERT_EQ(two.choice.candidates.size(), 2u);
    ASSERT_TRUE(PickCandidate(two, 1, env));
    const std::string second = home.path() + "/" + steam + "2000/pfx";
    EXPECT_EQ(two.settingsFile, second + proton);
    const SettingsLocation again = LocateSettings("", env);
    EXPECT_FALSE(MustChoose(again));
    EXPECT_EQ(again.settingsFile, second + proton);
    EXPECT_EQ(again.prefix, second);
    EXPECT_EQ(again.place, "Steam (Proton) 2000");
}

TEST(RememberedPrefix, IsOneLineReplacedWhole) {
    FakeHome home;
    const PrefixEnvironment env{home.path(), "player", "", "", home.path() + "/xdg"};
    const std::string file = RememberedPrefixFile(env);
    EXPECT_EQ(file, home.path() + "/xdg/ravelstone-config/prefix");
    EXPECT_EQ(LoadRememberedPrefix(file), "");

    ASSERT_TRUE(SaveRememberedPrefix(file, "/games/first prefix"));
    ASSERT_TRUE(SaveRememberedPrefix(file, "/games/second"));
    EXPECT_EQ(LoadRememberedPrefix(file), "/games/second");
    EXPECT_FALSE(SaveRememberedPrefix(file, "/two\nlines"));
    EXPECT_FALSE(SaveRememberedPrefix(file, "relative"));
    EXPECT_EQ(LoadRememberedPrefix(file), "/games/second");
    // Nothing but the file itself is left in its folder.
    EXPECT_EQ(std::distance(fs::directory_iterator(fs::path(file).parent_path()),
                            fs::directory_iterator()),
              1);

    for (const char* damaged : {"/no/newline", "relative\n", "/two\n/lines\n", ""}) {
        home.Write("xdg/ravelstone-config/prefix", damaged);
        EXPECT_EQ(LoadRememberedPrefix(file), "") << damaged;
    }
    home.Write("blocker", "a file where the folder should be");
    EXPECT_FALSE(SaveRememberedPrefix(home.path() + "/blocker/prefix", "/x"));
}

}  // namespace
}  // namespace ravel::prefix
