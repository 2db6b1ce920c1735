// Without FILE the tool uses the file of the Wine prefix the editor would
// pick: fake homes laid out as Wine and Steam leave them, in real folders.
#include <utime.h>

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <functional>

#include "CfgFiles.h"
#include "CfgRunner.h"

namespace ravel::testing {
namespace {

namespace fs = std::filesystem;

constexpr const char* kSteam = "/.local/share/Steam/steamapps/compatdata/2231450/pfx";
constexpr const char* kSteamFile =
    "/.local/share/Steam/steamapps/compatdata/2231450/pfx/drive_c/users/steamuser/AppData/"
    "Roaming/Ravelstone/setting.cfg";
constexpr const char* kWineFile =
    "/.wine/drive_c/users/player/AppData/Roaming/Ravelstone/setting.cfg";

class FakeHome {
  public:
    FakeHome() {
        char real[PATH_MAX];
        path = ::realpath(folder_.path().c_str(), real) != nullptr ? real : folder_.path();
    }

    // A prefix as Wine makes it; `withGame` gives its profile the game's folder.
    void Prefix(const std::string& at, const std::string& profile, bool withGame) const {
        fs::create_directories(path + at + "/drive_c/users/" + profile + "/AppData/Roaming" +
                               (withGame ? "/Ravelstone" : ""));
    }

    // The tool run by a player "player" living here.
    CfgResult Cfg(const std::vector<std::string>& args, const std::string& winePrefix = "") const {
        return RunCfg(args, WithEnv({{"HOME", path},
                                     {"USER", "player"},
                                     {"WINEPREFIX", winePrefix},
                                     {"XDG_CONFIG_HOME", ""},
                                     {"XDG_DATA_HOME", ""},
                                     {"TZ", "UTC"}}));
    }

    std::string path;

  private:
    TempFolder folder_;
};

TEST(CfgPrefix, WhereListsThePrefixesAndTheFileItUses) {
    struct Case {
        const char* name;
        std::function<void(const FakeHome&)> layout;
        std::vector<std::string> lines;  // "@" stands for the home folder
        const char* winePrefix = "";     // below the home
    };
    const std::string steam = kSteam;
    const std::vector<Case> cases = {
        {"OneSteamHolder",
         [](const FakeHome& home) {
             home.Prefix("/.wine", "player", false);
             home.Prefix(kSteam, "steamuser", true);
             WriteBytes(home.path + kSteamFile, ToBytes(DefaultRecord()));
             const utimbuf time{1700000000, 1700000000};
             ::utime((home.path + kSteamFile).c_str(), &time);
         },
         {"Wine (~/.wine): @/.wine\n  holds the game's settings: no\n  settings file: @" +
              std::string(kWineFile) + "\n  last modified: no file yet\n",
          "Steam (Proton) 2231450: @" + steam + "\n  holds the game's settings: yes\n" +
              "  settings file: @" + kSteamFile +
              "\n  last modified: 2023-11-14 22:13:20 +0000\n\n",
          "Used: @" + std::string(kSteamFile) + " (Steam (Proton) 2231450)\n",
          "Rule: the only prefix that holds the game's settings\n"}},
        {"A $WINEPREFIX holding nothing does not hide the game's prefix",
         [](const FakeHome& home) {
             home.Prefix("/other", "player", false);
             home.Prefix(kSteam, "steamuser", true);
         },
         {"$WINEPREFIX other: @/other\n  holds the game's settings: no\n",
          "Used: @" + std::string(kSteamFile) + " (Steam (Proton) 2231450)\n",
          "Rule: the only prefix that holds the game's settings ($WINEPREFIX @/other holds "
          "none of the game's settings)\n"},
         "/other"},
        {"A $WINEPREFIX Wine has yet to make, when no prefix holds the game",
         [](const FakeHome& home) { home.Prefix(kSteam, "steamuser", false); },
         {"Used: @/not-yet/drive_c/users/player/AppData/Roaming/Ravelstone/setting.cfg "
          "($WINEPREFIX not-yet)\n",
          "Rule: $WINEPREFIX, which does not exist yet: Wine makes it"},
         "/not-yet"},
        {"~/.wine without the player's profile yet",
         [](const FakeHome& home) { fs::create_directories(home.path + "/.wine/drive_c"); },
         {"Used: @" + std::string(kWineFile) + " (Wine (~/.wine))\n",
          "Rule: no prefix holds the game's settings yet: ~/.wine"}},
        {"TwoHolders",
         [](const FakeHome& home) {
             home.Prefix("/.wine", "player", true);
             home.Prefix(kSteam, "steamuser", true);
         },
         {"Used: none until chosen: choose one of the prefixes that hold the game's settings "
          "with --prefix PATH\n",
          "Rule: several prefixes hold the game's settings and none is picked yet"}},
        {"NoHolder",
         [](const FakeHome& home) { home.Prefix(kSteam, "steamuser", false); },
         {"  holds the game's settings: no\n",
          "Used: @/.config/Ravelstone/setting.cfg (XDG config folder (no Wine prefix))\n",
          "Rule: no Wine prefix holds the game's settings and there is no ~/.wine"}},
    };
    for (const Case& c : cases) {
        const FakeHome home;
        c.layout(home);
        const CfgResult where =
            home.Cfg({"where"}, c.winePrefix[0] != '\0' ? home.path + c.winePrefix : "");
        EXPECT_EQ(where.exitCode, 0) << c.name << where.err;
        for (std::string line : c.lines) {
            for (size_t at = line.find('@'); at != std::string::npos; at = line.find('@', at)) {
                line.replace(at, 1, home.path);
            }
            EXPECT_NE(where.out.find(line), std::string::npos) << c.name << "\n" << where.out;
        }
    }
}

// That is the point: with no $WINEPREFIX, the one prefix holding the game's
// folder is where the settings are written and read.
TEST(CfgPrefix, WithoutFileTheOnlyHolderIsUsed) {
    const FakeHome home;
    home.Prefix("/.wine", "player", false);
    home.Prefix(kSteam, "steamuser", true);
    ASSERT_EQ(home.Cfg({"defaults", "--no-sound"}).exitCode, 0);
    EXPECT_EQ(ReadBytes(home.path + kSteamFile), ToBytes(DefaultRecord(true, false)));
    EXPECT_FALSE(fs::exists(home.path + kWineFile));
    const CfgResult shown = home.Cfg({"show"});
    EXPECT_EQ(shown.exitCode, 0) << shown.err;
    EXPECT_EQ(shown.out.rfind("File: " + home.path + kSteamFile + "\n", 0), 0u) << shown.out;
}

TEST(CfgPrefix, SeveralHoldersMustBeChosen) {
    const FakeHome home;
    home.Prefix("/.wine", "player", true);
    home.Prefix(kSteam, "steamuser", true);
    for (const char* command : {"show", "defaults"}) {
        const CfgResult result = home.Cfg({command});
        EXPECT_EQ(result.exitCode, 5) << command;
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err.find("  Wine (~/.wine): " + home.path +
                                  "/.wine\n  Steam (Proton) "
                                  "2231450: " +
                                  home.path + kSteam + "\n"),
                  std::string::npos)
            << result.err;
        EXPECT_NE(result.err.find("choose one with --prefix PATH"), std::string::npos);
    }
    EXPECT_FALSE(fs::exists(home.path + kWineFile));
    EXPECT_FALSE(fs::exists(home.path + kSteamFile));

    // The editor's remembered pick is the tool's too.
    const std::string pick = home.path + kSteam + "\n";
    WriteBytes(home.path + "/.config/ravelstone-config/prefix", Bytes(pick.begin(), pick.end()));
    ASSERT_EQ(home.Cfg({"defaults"}).exitCode, 0);
    EXPECT_EQ(ReadBytes(home.path + kSteamFile), ToBytes(DefaultRecord()));
    EXPECT_FALSE(fs::exists(home.path + kWineFile));
}

TEST(CfgPrefix, PrefixPicksThatPrefixesFileAndAGivenFileStillWins) {
    const FakeHome home;
    home.Prefix("/.wine", "player", true);
    home.Prefix(kSteam, "steamuser", true);
    const std::string wine = home.path + "/.wine";
    ASSERT_EQ(home.Cfg({"--prefix", wine, "defaults", "--no-pixel-shader"}).exitCode, 0);
    EXPECT_EQ(ReadBytes(home.path + kWineFile), ToBytes(DefaultRecord(false, true)));
    EXPECT_FALSE(fs::exists(home.path + kSteamFile));

    const CfgResult shown = home.Cfg({"show", "--prefix=" + wine});
    EXPECT_EQ(shown.exitCode, 0) << shown.err;
    EXPECT_EQ(shown.out.rfind("File: " + home.path + kWineFile + "\n", 0), 0u) << shown.out;
    const CfgResult where = home.Cfg({"where", "--prefix", wine});
    EXPECT_NE(where.out.find("Used: " + home.path + kWineFile +
                             " (Wine (~/.wine))\nRule: the prefix given with --prefix\n"),
              std::string::npos)
        << where.out;

    const std::string given = home.path + "/given.cfg";
    ASSERT_EQ(home.Cfg({"--prefix", home.path + kSteam, "defaults", given}).exitCode, 0);
    EXPECT_EQ(ReadBytes(given), ToBytes(DefaultRecord()));
    EXPECT_FALSE(fs::exists(home.path + kSteamFile));
}

TEST(CfgPrefix, PrefixWithoutAFolderIsWrongUsage) {
    const FakeHome home;
    home.Prefix(kSteam, "steamuser", true);
    const std::vector<std::vector<std::string>> calls = {
        {"defaults", "--prefix"},
        {"--prefix=", "defaults"},
        {"--prefix", home.path + "/missing", "defaults"},
        {"where", "extra"},
    };
    for (const auto& args : calls) {
        const CfgResult result = home.Cfg(args);
        EXPECT_EQ(result.exitCode, 64) << ::testing::PrintToString(args);
        EXPECT_NE(result.err.find("--help"), std::string::npos) << result.err;
    }
    EXPECT_FALSE(fs::exists(home.path + "/missing"));
    EXPECT_FALSE(fs::exists(home.path + kSteamFile));
    const CfgResult help = home.Cfg({"--help"});
    EXPECT_NE(help.out.find("  --prefix PATH  "), std::string::npos);
    EXPECT_NE(help.out.find("  where  "), std::string::npos);
}

}  // namespace
}  // namespace ravel::testing
