#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "fakes/TempFolder.h"
#include "settings/SettingsFile.h"

namespace ravel {
namespace {

using testing::TempFolder;

// Sets environment variables for one test and puts the old values back.
class Environment {
public:
    void Set(const char* name, const char* value) {
        const char* old = std::getenv(name);
        saved_.push_back({name, old != nullptr, old != nullptr ? old : ""});
        if (value != nullptr) {
            ::setenv(name, value, 1);
        } else {
            ::unsetenv(name);
        }
    }
    ~Environment() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
            if (it->present) {
                ::setenv(it->name.c_str(), it->value.c_str(), 1);
            } else {
                ::unsetenv(it->name.c_str());
            }
        }
    }

private:
    struct Saved {
        std::string name;
        bool present;
        std::string value;
    };
    std::vector<Saved> saved_;
};

std::string Resolved() {
    char base[kPathCapacity];
    ResolveSettingsBase(base);
    return base;
}

TEST(SettingsBase, PrefersTheWinePrefixRoamingFolder) {
    TempFolder home;
    const std::string prefix = home.path() + "/games-prefix";
    const std::string roaming = prefix + "/drive_c/users/player/AppData/Roaming";
    std::filesystem::create_directories(roaming);
    Environment env;
    env.Set("HOME", home.path().c_str());
    env.Set("USER", "player");
    env.Set("WINEPREFIX", prefix.c_str());
    env.Set("XDG_CONFIG_HOME", nullptr);

    EXPECT_EQ(Resolved(), roaming);
}

TEST(SettingsBase, DefaultPrefixIsDotWineInHome) {
    TempFolder home;
    const std::string roaming = home.path() + "/.wine/drive_c/users/player/AppData/Roaming";
    std::filesystem::create_directories(roaming);
    Environment env;
    env.Set("HOME", home.path().c_str());
    env.Set("USER", "player");
    env.Set("WINEPREFIX", nullptr);

    EXPECT_EQ(Resolved(), roaming);
}

TEST(SettingsBase, WithoutAPrefixFallsBackToTheXdgConfigFolder) {
    TempFolder home;
    Environment env;
    env.Set("HOME", home.path().c_str());
    env.Set("USER", "player");
    env.Set("WINEPREFIX", (home.path() + "/no-such-prefix").c_str());
    env.Set("XDG_CONFIG_HOME", nullptr);
    EXPECT_EQ(Resolved(), home.path() + "/.config");

    env.Set("XDG_CONFIG_HOME", (home.path() + "/xdg").c_str());
    EXPECT_EQ(Resolved(), home.path() + "/xdg");
}

TEST(SettingsBase, ProtonPrefixesUseTheSteamuserProfile) {
    TempFolder home;
    const std::string prefix = home.path() + "/compatdata/4242/pfx";
    const std::string roaming = prefix + "/drive_c/users/steamuser/AppData/Roaming";
    std::filesystem::create_directories(roaming);
    Environment env;
    env.Set("HOME", home.path().c_str());
    env.Set("USER", "player");
    env.Set("WINEPREFIX", prefix.c_str());
    env.Set("XDG_CONFIG_HOME", nullptr);
    EXPECT_EQ(Resolved(), roaming);

    // A profile of the player's own name, where there is one, comes first.
    const std::string own = prefix + "/drive_c/users/player/AppData/Roaming";
    std::filesystem::create_directories(own);
    EXPECT_EQ(Resolved(), own);
}

TEST(SettingsBase, SavingCreatesAMissingConfigFolderChain) {
    TempFolder home;
    const std::string base = home.path() + "/fresh/.config";
    SettingsRecord record{};
    ASSERT_EQ(SaveSettingsTo(base.c_str(), record), 0);
    EXPECT_EQ(std::filesystem::file_size(base + "/Ravelstone/setting.cfg"), kSettingsSize);
}

}  // namespace
}  // namespace ravel
