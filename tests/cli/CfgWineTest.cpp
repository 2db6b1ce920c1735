// ravelstone-cfg.exe, built from the same sources by the MinGW build, under
// Wine in a private prefix: the settings folder, the file rules and the
// round trip hold on Windows too. (The 64-bit build stands in where the
// machine cannot run 32-bit code.)
#include <glob.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "CfgFiles.h"
#include "CfgRunner.h"

namespace ravel::testing {
namespace {

class CfgWine : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        root_ = new TempFolder();
        ASSERT_TRUE(std::filesystem::exists(RAVEL_CFG_EXE))
            << RAVEL_CFG_EXE << " is missing: make build makes it";
        const CfgResult boot = Wine({RAVEL_WINE64, "wineboot", "-i"});
        ASSERT_EQ(boot.exitCode, 0) << boot.err;
        ASSERT_EQ(Wine({RAVEL_WINESERVER, "-w"}).exitCode, 0);
    }
    static void TearDownTestSuite() {
        Wine({RAVEL_WINESERVER, "-k"});
        delete root_;
    }

    static CfgResult Wine(const std::vector<std::string>& command) {
        CfgOptions options;
        options.env = {{"WINEPREFIX", root_->path() + "/prefix"},
                       {"HOME", root_->path()},
                       {"WINEDEBUG", "-all"},
                       {"WINEDLLOVERRIDES", "mscoree,mshtml="},
                       {"DISPLAY", ""}};
        return RunCommand(command, options);
    }

    static CfgResult Cfg(std::vector<std::string> args) {
        args.insert(args.begin(), {RAVEL_WINE64, RAVEL_CFG_EXE});
        CfgResult result = Wine(args);
        // The console's line ends.
        std::erase(result.out, '\r');
        return result;
    }

    // A path the Windows program reads: Wine's Z: drive is the root folder.
    static std::string WindowsPath(const std::string& path) {
        std::string windows = "Z:" + path;
        std::replace(windows.begin(), windows.end(), '/', '\\');
        return windows;
    }

    static std::string RoamingFolder() {
        const std::string pattern = root_->path() + "/prefix/drive_c/users/*/AppData/Roaming";
        glob_t found{};
        std::string folder;
        if (::glob(pattern.c_str(), 0, nullptr, &found) == 0) {
            for (size_t i = 0; i < found.gl_pathc && folder.empty(); ++i) {
                const std::string candidate = found.gl_pathv[i];
                if (candidate.find("/users/Public/") == std::string::npos) {
                    folder = candidate;
                }
            }
        }
        ::globfree(&found);
        return folder;
    }

    static TempFolder* root_;
};

TempFolder* CfgWine::root_ = nullptr;

TEST_F(CfgWine, VersionAndUsage) {
    const CfgResult version = Cfg({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "ravelstone-cfg 1.0.0.1\n");
    EXPECT_EQ(Cfg({"nonsense"}).exitCode, 64);
    // Windows has no Wine prefixes: the Linux options say so.
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--prefix", "C:\\", "show"}, {"where"}}) {
        const CfgResult refused = Cfg(args);
        EXPECT_EQ(refused.exitCode, 64);
        EXPECT_NE(refused.err.find("are for Linux"), std::string::npos) << refused.err;
    }
}

TEST_F(CfgWine, DefaultsGoWhereTheEditorReadsThem) {
    const CfgResult written = Cfg({"defaults", "--no-pixel-shader"});
    ASSERT_EQ(written.exitCode, 0) << written.err;
    const std::string roaming = RoamingFolder();
    ASSERT_FALSE(roaming.empty());
    EXPECT_EQ(ReadBytes(roaming + "/Ravelstone/setting.cfg"), ToBytes(DefaultRecord(false, true)));
    EXPECT_EQ(Cfg({"check"}).exitCode, 0);
}

TEST_F(CfgWine, ShowNamesJOnKick) {
    SettingsRecord record = DefaultRecord();
    record.KeyboardTable[0][0][6] = 0x24;
    const std::string file = root_->path() + "/kick.cfg";
    WriteBytes(file, ToBytes(record));
    const CfgResult shown = Cfg({"show", WindowsPath(file)});
    ASSERT_EQ(shown.exitCode, 0) << shown.err;
    const size_t player = shown.out.find("  2 Players, Player 1\n");
    ASSERT_NE(player, std::string::npos) << shown.out;
    EXPECT_EQ(shown.out.find("    Kick: J\n", player), shown.out.find("    Kick:", player));
    // The fullwidth names arrive as UTF-8.
    EXPECT_NE(shown.out.find("H.Slash: \xef\xbc\x8f\n"), std::string::npos);
}

TEST_F(CfgWine, ExportImportGivesTheSameBytesAndKeepsTheTail) {
    const Bytes record = RandomBytes(kSettingsSize, 42);
    const std::string source = root_->path() + "/random.cfg";
    WriteBytes(source, record);
    const CfgResult exported = Cfg({"export", WindowsPath(source)});
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    const std::string json = root_->path() + "/random.json";
    WriteBytes(json, Bytes(exported.out.begin(), exported.out.end()));

    const std::string target = root_->path() + "/sub/setting.cfg";
    ASSERT_EQ(Cfg({"import", WindowsPath(json), WindowsPath(target)}).exitCode, 0);
    EXPECT_EQ(ReadBytes(target), record);

    Bytes longer = RandomBytes(900, 8);
    WriteBytes(target, longer);
    ASSERT_EQ(Cfg({"import", WindowsPath(json), WindowsPath(target)}).exitCode, 0);
    std::copy(record.begin(), record.end(), longer.begin());
    EXPECT_EQ(ReadBytes(target), longer);

    const std::string broken = root_->path() + "/broken.json";
    WriteBytes(broken, Bytes(exported.out.begin(), exported.out.begin() + 100));
    const CfgResult refused = Cfg({"import", WindowsPath(broken), WindowsPath(target)});
    EXPECT_EQ(refused.exitCode, 3);
    EXPECT_EQ(ReadBytes(target), longer);
}

}  // namespace
}  // namespace ravel::testing
