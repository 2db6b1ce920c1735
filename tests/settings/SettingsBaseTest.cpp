#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
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

// The file the editor reads: below the XDG config folder here, for a
// player without a Wine prefix.
class SettingsFileBelowXdg : public ::testing::Test {
protected:
    void SetUp() override {
        env.Set("HOME", home.path().c_str());
        env.Set("WINEPREFIX", (home.path() + "/no-such-prefix").c_str());
    }
    // The resolved name, and whether it fitted.
    std::string Resolved(const std::string& base, bool& fitted) {
        env.Set("XDG_CONFIG_HOME", base.c_str());
        char file[kPathCapacity];
        fitted = ResolveSettingsFile(file) == 0;
        return file;
    }
    TempFolder home;
    Environment env;
};

TEST_F(SettingsFileBelowXdg, IsTheRavelstoneFolderBelowTheBase) {
    bool fitted = false;
    EXPECT_EQ(Resolved(home.path() + "/xdg", fitted), home.path() + "/xdg/Ravelstone/setting.cfg");
    EXPECT_TRUE(fitted);
}

TEST_F(SettingsFileBelowXdg, SavingCreatesAMissingConfigFolderChain) {
    const std::string base = home.path() + "/fresh/.config";
    bool fitted = false;
    const std::string file = Resolved(base, fitted);
    ASSERT_TRUE(fitted);
    SettingsRecord record{};
    ASSERT_EQ(SaveSettings(record, file.c_str()), 0);
    EXPECT_EQ(std::filesystem::file_size(base + "/Ravelstone/setting.cfg"), kSettingsSize);
    SettingsRecord read{};
    EXPECT_EQ(LoadSettings(read, file.c_str()), 0);
}

TEST_F(SettingsFileBelowXdg, BaseTooLongForThePathIsRefusedWithoutTouchingAnything) {
    // "/Ravelstone/setting.cfg" is 23 characters; with the terminating zero a
    // base of 236 characters just fits in 260.
    const size_t longest = kPathCapacity - 1 - std::strlen("/Ravelstone/setting.cfg");
    bool fitted = false;
    std::string base(longest, 'b');
    EXPECT_EQ(Resolved(base, fitted).size(), kPathCapacity - 1);
    EXPECT_TRUE(fitted);

    base.push_back('b');
    EXPECT_EQ(Resolved(base, fitted), "");
    EXPECT_FALSE(fitted);

    // A real folder whose joined path is one character too long: the empty
    // name reads nothing and writes nothing.
    std::string deep = home.path() + "/";
    deep.append(longest + 1 - deep.size(), 'd');
    const std::string file = Resolved(deep, fitted);
    EXPECT_FALSE(fitted);
    const auto bytes = testing::Pattern(kSettingsSize, 8);
    SettingsRecord record;
    std::memcpy(&record, bytes.data(), sizeof record);
    EXPECT_NE(LoadSettings(record, file.c_str()), 0);
    EXPECT_NE(SaveSettings(record, file.c_str()), 0);
    EXPECT_EQ(std::memcmp(&record, bytes.data(), sizeof record), 0);
    EXPECT_FALSE(std::filesystem::exists(deep));
}

}  // namespace
}  // namespace ravel
