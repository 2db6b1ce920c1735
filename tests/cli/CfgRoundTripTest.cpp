// export then import gives back the very bytes, for sound, damaged and
// random files, and writing keeps the editor's file rules.
#include <gtest/gtest.h>

#include <filesystem>

#include "CfgFiles.h"
#include "CfgRunner.h"

namespace ravel::testing {
namespace {

class CfgRoundTrip : public ::testing::Test {
  protected:
    // Exports `bytes` and imports the JSON into a fresh file.
    Bytes RoundTrip(const Bytes& bytes) {
        const std::string source = folder.path() + "/source.cfg";
        const std::string target = folder.path() + "/target/setting.cfg";
        WriteBytes(source, bytes);
        std::filesystem::remove_all(folder.path() + "/target");
        const CfgResult exported = RunCfg({"export", source});
        EXPECT_EQ(exported.exitCode, 0) << exported.err;
        const CfgResult imported = RunCfg({"import", "-", target}, Stdin(exported.out));
        EXPECT_EQ(imported.exitCode, 0) << imported.err;
        return ReadBytes(target);
    }

    TempFolder folder;
};

TEST_F(CfgRoundTrip, DefaultsOfEveryMachineComeBackIdentical) {
    for (const bool shader : {true, false}) {
        for (const bool sound : {true, false}) {
            const Bytes bytes = ToBytes(DefaultRecord(shader, sound));
            EXPECT_EQ(RoundTrip(bytes), bytes) << shader << sound;
        }
    }
}

TEST_F(CfgRoundTrip, DamagedFilesComeBackIdentical) {
    for (const Damage& damage : Damages()) {
        SettingsRecord record = DefaultRecord();
        damage.apply(record);
        record.reserved[0] = 0xAB;
        record.reserved[1] = 0x01;
        const Bytes bytes = ToBytes(record);
        EXPECT_EQ(RoundTrip(bytes), bytes) << damage.name;
    }
}

TEST_F(CfgRoundTrip, RandomFilesComeBackIdentical) {
    for (unsigned seed = 1; seed <= 12; ++seed) {
        const Bytes bytes = RandomBytes(kSettingsSize, seed);
        EXPECT_EQ(RoundTrip(bytes), bytes) << "seed " << seed;
    }
}

TEST_F(CfgRoundTrip, ImportKeepsWhatTheFileHoldsPastTheRecordAndCreatesItsFolder) {
    const std::string source = folder.path() + "/source.cfg";
    WriteBytes(source, ToBytes(DefaultRecord(false, true)));
    const CfgResult exported = RunCfg({"export", source});
    ASSERT_EQ(exported.exitCode, 0);

    const std::string longer = folder.path() + "/longer.cfg";
    Bytes original = RandomBytes(1000, 77);
    WriteBytes(longer, original);
    ASSERT_EQ(RunCfg({"import", "-", longer}, Stdin(exported.out)).exitCode, 0);
    Bytes expected = ToBytes(DefaultRecord(false, true));
    expected.insert(expected.end(), original.begin() + kSettingsSize, original.end());
    EXPECT_EQ(ReadBytes(longer), expected);

    const std::string fresh = folder.path() + "/a/b/Ravelstone/setting.cfg";
    ASSERT_EQ(RunCfg({"import", "-", fresh}, Stdin(exported.out)).exitCode, 0);
    EXPECT_EQ(ReadBytes(fresh), ToBytes(DefaultRecord(false, true)));
}

TEST_F(CfgRoundTrip, DefaultsCommandWritesTheEditorsDefaults) {
    struct Case {
        std::vector<std::string> flags;
        bool shader;
        bool sound;
    };
    const Case cases[] = {{{}, true, true},
                          {{"--no-pixel-shader"}, false, true},
                          {{"--no-sound"}, true, false},
                          {{"--no-sound", "--no-pixel-shader"}, false, false}};
    for (const Case& c : cases) {
        const std::string file = folder.path() + "/defaults.cfg";
        WriteBytes(file, RandomBytes(700, 5));
        std::vector<std::string> args = {"defaults", file};
        args.insert(args.end(), c.flags.begin(), c.flags.end());
        const CfgResult result = RunCfg(args);
        ASSERT_EQ(result.exitCode, 0) << result.err;
        Bytes expected = ToBytes(DefaultRecord(c.shader, c.sound));
        const Bytes tail = RandomBytes(700, 5);
        expected.insert(expected.end(), tail.begin() + kSettingsSize, tail.end());
        EXPECT_EQ(ReadBytes(file), expected);
    }
}

// Without FILE the tool reads and writes where the editor does.
TEST_F(CfgRoundTrip, WithoutFileItUsesTheEditorsFile) {
    const std::vector<std::pair<std::string, std::string>> env = {
        {"HOME", folder.path()},
        {"XDG_CONFIG_HOME", folder.path() + "/config"},
        {"WINEPREFIX", ""}};
    const CfgResult written = RunCfg({"defaults", "--no-sound"}, WithEnv(env));
    ASSERT_EQ(written.exitCode, 0) << written.err;
    const std::string file = folder.path() + "/config/Ravelstone/setting.cfg";
    EXPECT_EQ(ReadBytes(file), ToBytes(DefaultRecord(true, false)));
    const CfgResult shown = RunCfg({"show"}, WithEnv(env));
    EXPECT_EQ(shown.exitCode, 0);
    EXPECT_EQ(shown.out.rfind("File: " + file + "\n", 0), 0u) << shown.out;
    EXPECT_EQ(RunCfg({"check"}, WithEnv(env)).exitCode, 0);

    // import without FILE replaces that file's record.
    const std::string source = folder.path() + "/random.cfg";
    const Bytes random = RandomBytes(kSettingsSize, 21);
    WriteBytes(source, random);
    const CfgResult exported = RunCfg({"export", source});
    ASSERT_EQ(exported.exitCode, 0);
    CfgOptions options = WithEnv(env);
    options.input = exported.out;
    ASSERT_EQ(RunCfg({"import", "-"}, options).exitCode, 0);
    EXPECT_EQ(ReadBytes(file), random);
}

}  // namespace
}  // namespace ravel::testing
