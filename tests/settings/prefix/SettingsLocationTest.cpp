// Which file the Linux programs edit for each choice rule, over a fake home.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "fakes/TempFolder.h"
#include "settings/prefix/SettingsLocation.h"

namespace ravel::prefix {
namespace {

namespace fs = std::filesystem;

std::string Real(const std::string& path) {
    char real[PATH_MAX];
    return ::realpath(path.c_str(), real) != nullptr ? real : path;
}

// A Proton prefix in the Steam library whose steamuser profile holds the
// game's folder.
std::string ProtonPrefix(const std::string& home, const std::string& appId) {
    const std::string prefix = home + "/.local/share/Steam/steamapps/compatdata/" + appId + "/pfx";
    fs::create_directories(prefix + "/drive_c/users/steamuser/AppData/Roaming/Ravelstone");
    return prefix;
}

TEST(SettingsLocation, EachRuleNamesItsFile) {
    testing::TempFolder folder;
    const std::string home = Real(folder.path());
    const std::string roaming = "/drive_c/users/steamuser/AppData/Roaming/Ravelstone/setting.cfg";
    PrefixEnvironment environment;
    environment.home = home;
    environment.user = "player";
    // The old rule reads the process's own variables.
    ::setenv("HOME", home.c_str(), 1);
    ::setenv("USER", "player", 1);
    ::unsetenv("WINEPREFIX");
    ::unsetenv("XDG_CONFIG_HOME");

    SettingsLocation none = LocateSettings("", environment);
    EXPECT_EQ(none.choice.rule, PrefixRule::Default);
    EXPECT_EQ(none.settingsFile, home + "/.config/Ravelstone/setting.cfg");

    const std::string first = ProtonPrefix(home, "1000");
    SettingsLocation one = LocateSettings("", environment);
    EXPECT_EQ(one.choice.rule, PrefixRule::OnlyHolder);
    EXPECT_EQ(one.settingsFile, first + roaming);
    EXPECT_EQ(one.prefix, first);

    const std::string explicitPrefix = home + "/elsewhere";
    SettingsLocation given = LocateSettings(explicitPrefix, environment);
    EXPECT_EQ(given.choice.rule, PrefixRule::Explicit);
    EXPECT_EQ(given.settingsFile,
              explicitPrefix + "/drive_c/users/player/AppData/Roaming/Ravelstone/setting.cfg");

    // Two holders: the player picks, and the pick stands next time.
    const std::string second = ProtonPrefix(home, "2000");
    SettingsLocation two = LocateSettings("", environment);
    EXPECT_EQ(two.choice.rule, PrefixRule::AskPlayer);
    EXPECT_TRUE(two.settingsFile.empty());
    ASSERT_EQ(two.choice.candidates.size(), 2u);
    ASSERT_TRUE(PickCandidate(two, 1, environment));
    EXPECT_EQ(two.settingsFile, second + roaming);
    SettingsLocation again = LocateSettings("", environment);
    EXPECT_EQ(again.settingsFile, second + roaming);
    EXPECT_EQ(again.prefix, second);
}

}  // namespace
}  // namespace ravel::prefix
