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

const std::string kSteam = ".local/share/Steam/steamapps/compatdata/";
const std::string kRoaming = "/drive_c/users/steamuser/AppData/Roaming/Ravelstone/setting.cfg";

class FakeHome {
  public:
    FakeHome() {
        char real[PATH_MAX];
        home_ = ::realpath(folder_.path().c_str(), real) != nullptr ? real : folder_.path();
    }
    std::string operator/(const std::string& below) const { return home_ + "/" + below; }
    const std::string& path() const { return home_; }

    // A prefix as Wine makes it; `profile` holds the game's folder when given.
    void Prefix(const std::string& at, const std::string& profile = {},
                const char* roaming = "AppData/Roaming") {
        fs::create_directories(*this / at + "/drive_c/windows");
        if (!profile.empty()) {
            fs::create_directories(*this / at + "/drive_c/users/" + profile + "/" + roaming +
                                   "/Ravelstone");
        }
    }
    void Write(const std::string& at, const std::string& text) const {
        fs::create_directories(fs::path(*this / at).parent_path());
        std::ofstream(*this / at) << text;
    }

  private:
    testing::TempFolder folder_;
    std::string home_;
};

// "launcher path-below-home [game]", one line per prefix found.
std::vector<std::string> Found(const FakeHome& home, const PrefixEnvironment& env) {
    std::vector<std::string> lines;
    for (const FoundPrefix& prefix : FindPrefixes(env)) {
        lines.push_back(LauncherName(prefix) + " " + prefix.path.substr(home.path().size() + 1) +
                        (prefix.holdsGameFolder ? " game" : ""));
    }
    return lines;
}

using Arrange = std::function<void(FakeHome&, PrefixEnvironment&)>;

TEST(PrefixFinder, FindsEachLaunchersPrefixesOnce) {
    const struct {
        const char* name;
        Arrange arrange;
        std::vector<std::string> found;
    } cases[] = {
        {"nothing at all", [](FakeHome&, PrefixEnvironment&) {}, {}},
        {"Steam: symlinked roots, two libraries, no pfx or no drive_c skipped",
         [](FakeHome& h, PrefixEnvironment&) {
             h.Prefix(kSteam + "4242/pfx", "steamuser");
             fs::create_directories(h / kSteam + "77");
             fs::create_directories(h / kSteam + "78/pfx");
             fs::create_directories(h / ".steam");
             fs::create_directory_symlink(h / ".local/share/Steam", h / ".steam/steam");
             h.Prefix("lib2/steamapps/compatdata/9/pfx");
             h.Write(".local/share/Steam/steamapps/libraryfolders.vdf",
                     "\"libraryfolders\" { \"0\" { \"path\" \"" + (h / ".local/share/Steam") +
                         "\" } \"1\" { \"path\" \"" + (h / "lib2") + "\" } }");
         },
         {"Steam (Proton) 4242 " + kSteam + "4242/pfx game",
          "Steam (Proton) 9 lib2/steamapps/compatdata/9/pfx"}},
        {"Steam: a damaged libraryfolders.vdf adds no library, the main one stays",
         [](FakeHome& h, PrefixEnvironment&) {
             h.Prefix(kSteam + "4242/pfx");
             h.Prefix("lib2/steamapps/compatdata/9/pfx");
             h.Write(".local/share/Steam/steamapps/libraryfolders.vdf",
                     "\"libraryfolders\" { \"1\" { \"path\" \"" + (h / "lib2") + "\" }");
             fs::create_directories(h / ".steam/steam/steamapps/libraryfolders.vdf");
         },
         {"Steam (Proton) 4242 " + kSteam + "4242/pfx"}},
        {"Steam Flatpak, both of its data folders",
         [](FakeHome& h, PrefixEnvironment&) {
             h.Prefix(
                 ".var/app/com.valvesoftware.Steam/.local/share/Steam/steamapps/compatdata/1/pfx");
             h.Prefix(".var/app/com.valvesoftware.Steam/data/Steam/steamapps/compatdata/2/pfx",
                      "steamuser");
         },
         {"Steam Flatpak (Proton) 1 .var/app/com.valvesoftware.Steam/" + kSteam + "1/pfx",
          "Steam Flatpak (Proton) 2 .var/app/com.valvesoftware.Steam/data/Steam/steamapps/"
          "compatdata/2/pfx game"}},
        {"Lutris: quoted, plain, ~ and XDG folders; damaged files name nothing",
         [](FakeHome& h, PrefixEnvironment& env) {
             for (const char* game : {"a b", "plain", "tilde", "x"}) {
                 h.Prefix(std::string("Games/") + game, *game == 'a' ? "player" : "");
             }
             env.xdgConfigHome = h / "xdg";
             h.Write("xdg/lutris/games/ravelstone-1700000000.yml",
                     "game:\n  exe: x\n  prefix: \"" + (h / "Games/a b") + "\"\n");
             h.Write(".config/lutris/games/plain.yml", "game:\n  prefix: " + (h / "Games/plain\n"));
             h.Write(".local/share/lutris/games/tilde-2.yml", "game:\n  prefix: ~/Games/tilde\n");
             h.Write(".local/share/lutris/games/damaged-3.yml", "game:\n  prefix: '~/Games/x\n");
             h.Write(".local/share/lutris/games/notes.txt", "game:\n  prefix: ~/Games/x\n");
         },
         {"Lutris ravelstone Games/a b game", "Lutris plain Games/plain",
          "Lutris tilde Games/tilde"}},
        {"Bottles, native and Flatpak; a folder that is no prefix skipped",
         [](FakeHome& h, PrefixEnvironment&) {
             h.Prefix(".local/share/bottles/bottles/Gaming", "player", "Application Data");
             fs::create_directories(h / ".local/share/bottles/bottles/broken");
             h.Prefix(".var/app/com.usebottles.bottles/data/bottles/bottles/Flat");
         },
         {"Bottles Gaming .local/share/bottles/bottles/Gaming game",
          "Bottles Flatpak Flat .var/app/com.usebottles.bottles/data/bottles/bottles/Flat"}},
        {"Heroic: per-game folders, default/, and each config's default folder",
         [](FakeHome& h, PrefixEnvironment&) {
             h.Prefix("Games/Heroic/Prefixes/Old");
             h.Prefix("Games/Heroic/Prefixes/default/New", "steamuser");
             h.Prefix("Elsewhere/Fromconfig");
             h.Prefix("Single");
             h.Write(".config/heroic/config.json",
                     R"({"defaultSettings": {"defaultWinePrefix": "~/Elsewhere"}})");
             h.Write(".var/app/com.heroicgameslauncher.hgl/config/heroic/config.json",
                     "{\"defaultWinePrefix\": \"" + (h / "Single") + "\"}");
         },
         {"Heroic New Games/Heroic/Prefixes/default/New game",
          "Heroic Old Games/Heroic/Prefixes/Old", "Heroic Fromconfig Elsewhere/Fromconfig",
          "Heroic Single Single"}},
        {"WINEPREFIX and ~/.wine come first and name a prefix once",
         [](FakeHome& h, PrefixEnvironment& env) {
             h.Prefix(".wine", "player");
             h.Prefix(kSteam + "5/pfx", "steamuser");
             env.winePrefix = h / kSteam + "5/pfx/";
         },
         {"$WINEPREFIX pfx " + kSteam + "5/pfx game", "Wine (~/.wine) .wine game"}},
    };
    for (const auto& c : cases) {
        FakeHome home;
        PrefixEnvironment env{home.path(), "player", "", "", ""};
        c.arrange(home, env);
        EXPECT_EQ(Found(home, env), c.found) << c.name;
    }
}

TEST(PrefixFinder, NamesTheSettingsFileTheEditorWouldUse) {
    FakeHome home;
    home.Prefix("own", "player", "Application Data");
    home.Prefix("both", "steamuser");
    fs::create_directories(home / "both/drive_c/users/player/AppData/Roaming");
    home.Prefix("fresh");
    const std::string file =
        home / "own/drive_c/users/player/Application Data/Ravelstone/setting.cfg";
    home.Write("own/drive_c/users/player/Application Data/Ravelstone/setting.cfg", "x");
    const utimbuf times{1600000000, 1600000123};
    ASSERT_EQ(::utime(file.c_str(), &times), 0);

    const FoundPrefix own = DescribePrefix(home / "own", PrefixSource::Lutris, "", "player");
    EXPECT_EQ(own.settingsFile, file);
    EXPECT_EQ(own.settingsModified, 1600000123);
    // The game's folder wins over the player's own but empty profile.
    const FoundPrefix both = DescribePrefix(home / "both", PrefixSource::Heroic, "", "player");
    EXPECT_TRUE(both.holdsGameFolder);
    EXPECT_EQ(both.settingsFile, home / "both" + kRoaming);
    EXPECT_FALSE(both.settingsModified.has_value());
    // Its user.reg is read from beside drive_c; a prefix without one says nothing.
    home.Write("own/user.reg", "[Software\\\\Wine\\\\Drivers] 1\n\"Audio\"=\"\"\n");
    EXPECT_EQ(ReadPrefixRegistryAnswers(own.path).sound, RegistrySays::No);
    EXPECT_EQ(ReadPrefixRegistryAnswers(both.path).sound, RegistrySays::Nothing);
    // No profile yet: Proton makes steamuser, Wine the player's own.
    EXPECT_EQ(DescribePrefix(home / "fresh", PrefixSource::Steam, "1", "player").settingsFile,
              home / "fresh" + kRoaming);
    EXPECT_EQ(DescribePrefix(home / "fresh", PrefixSource::Bottles, "", "player").settingsFile,
              home / "fresh/drive_c/users/player/AppData/Roaming/Ravelstone/setting.cfg");
}

FoundPrefix Candidate(const char* path, bool holds, PrefixSource source = PrefixSource::Steam) {
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
        // clang-format off
        {"--prefix wins over everything", "/given", "/env", envHolds, "/h/y", PrefixRule::Explicit, "/given", 2},
        {"a $WINEPREFIX holding the game wins over other holders", "", "/env", envHolds, "/h/y", PrefixRule::WinePrefix, "/env", 2},
        {"a $WINEPREFIX holding nothing gives way to the game's", "", "/env", envEmpty, "", PrefixRule::OnlyHolder, "/h/y", 1},
        {"a $WINEPREFIX Wine has yet to make, when none holds the game", "", "/env", none, "", PrefixRule::WinePrefix, "/env", 0},
        {"the only prefix holding the game", "", "", one, "/s/1/pfx", PrefixRule::OnlyHolder, "/h/y", 1},
        {"several: ask, nothing remembered", "", "", two, "", PrefixRule::AskPlayer, "", 2},
        {"several: ask, remembered still valid", "", "", two, "/h//y/", PrefixRule::AskPlayer, "/h/y", 2},
        {"several: ask, remembered no longer holds the game", "", "", two, "/b/x", PrefixRule::AskPlayer, "", 2},
        {"none holds it: plain Wine's ~/.wine", "", "", plainWine, "", PrefixRule::WineDefault, "/home/p/.wine", 0},
        {"none holds it and no ~/.wine", "", "", none, "/s/1/pfx", PrefixRule::NoPrefix, "", 0},
        // clang-format on
    };
    for (const auto& c : cases) {
        const PrefixChoice choice =
            ChoosePrefix(c.explicitPrefix, c.winePrefix, c.found, c.remembered);
        EXPECT_EQ(choice.rule, c.rule) << c.name;
        EXPECT_EQ(choice.path, c.path) << c.name;
        EXPECT_EQ(choice.candidates.size(), c.candidates) << c.name;
    }
}

// The file, place and reason of the rules the command line's `where` does not
// show; the pick stands the next time.
TEST(SettingsLocation, EachRuleNamesItsFilePlaceAndReason) {
    const std::string xdgPlace = "XDG config folder (no Wine prefix)";
    const std::string own = "/drive_c/users/player/AppData/Roaming/Ravelstone/setting.cfg";
    const struct {
        const char* name;
        Arrange arrange;
        std::string explicitPrefix;
        PrefixRule rule;
        std::string file;  // below the home; "" for none
        std::string place;
        const char* reason;  // a part of it
    } cases[] = {
        {"nothing at all: the XDG folder", [](FakeHome&, PrefixEnvironment&) {}, "",
         PrefixRule::NoPrefix, ".config/Ravelstone/setting.cfg", xdgPlace,
         "the game will not find them"},
        {"$XDG_CONFIG_HOME counts",
         [](FakeHome& h, PrefixEnvironment& env) { env.xdgConfigHome = h / "xdg"; }, "",
         PrefixRule::NoPrefix, "xdg/Ravelstone/setting.cfg", xdgPlace, "XDG"},
        {"--prefix naming the Steam prefix",
         [](FakeHome& h, PrefixEnvironment&) { h.Prefix(kSteam + "1000/pfx", "steamuser"); },
         kSteam + "1000/pfx", PrefixRule::Explicit, kSteam + "1000/pfx" + kRoaming,
         "Steam (Proton) 1000", "--prefix"},
        {"--prefix naming a folder no launcher knows",
         [](FakeHome& h, PrefixEnvironment&) { fs::create_directories(h / "elsewhere"); },
         "elsewhere", PrefixRule::Explicit, "elsewhere" + own, "--prefix elsewhere", "--prefix"},
    };
    for (const auto& c : cases) {
        FakeHome home;
        PrefixEnvironment env{home.path(), "player", "", "", ""};
        c.arrange(home, env);
        const SettingsLocation location =
            LocateSettings(c.explicitPrefix.empty() ? "" : home / c.explicitPrefix, env);
        EXPECT_EQ(location.choice.rule, c.rule) << c.name;
        EXPECT_EQ(location.settingsFile, c.file.empty() ? "" : home / c.file) << c.name;
        EXPECT_EQ(location.place, c.place) << c.name;
        EXPECT_NE(location.reason.find(c.reason), std::string::npos)
            << c.name << ": " << location.reason;
    }

    // Two holders: the player picks, and the pick stands next time.
    FakeHome home;
    const PrefixEnvironment env{home.path(), "player", "", "", ""};
    home.Prefix(kSteam + "1000/pfx", "steamuser");
    home.Prefix(kSteam + "2000/pfx", "steamuser");
    SettingsLocation two = LocateSettings("", env);
    EXPECT_TRUE(MustChoose(two));
    ASSERT_EQ(two.choice.candidates.size(), 2u);
    ASSERT_TRUE(PickCandidate(two, 1, env));
    EXPECT_EQ(two.settingsFile, home / kSteam + "2000/pfx" + kRoaming);
    const SettingsLocation again = LocateSettings("", env);
    EXPECT_FALSE(MustChoose(again));
    EXPECT_EQ(again.settingsFile, home / kSteam + "2000/pfx" + kRoaming);
    EXPECT_EQ(again.prefix, home / kSteam + "2000/pfx");
    EXPECT_EQ(again.place, "Steam (Proton) 2000");
}

TEST(RememberedPrefix, IsOneLineReplacedWhole) {
    FakeHome home;
    const PrefixEnvironment env{home.path(), "player", "", "", home / "xdg"};
    const std::string file = RememberedPrefixFile(env);
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
        home.Write("xdg/ravelstone-config/prefix", damaged);
        EXPECT_EQ(LoadRememberedPrefix(file), "") << damaged;
    }
    home.Write("blocker", "a file where the folder should be");
    EXPECT_FALSE(SaveRememberedPrefix(home / "blocker/prefix", "/x"));
}

}  // namespace
}  // namespace ravel::prefix
