// check names each kind of damage in a file made for it, and nothing else.
#include <gtest/gtest.h>

#include "CfgFiles.h"
#include "CfgRunner.h"

namespace ravel::testing {
namespace {

size_t CountLines(const std::string& text) {
    size_t lines = 0;
    for (char c : text) {
        lines += c == '\n' ? 1 : 0;
    }
    return lines;
}

class CfgCheck : public ::testing::Test {
  protected:
    std::string file() const { return folder.path() + "/setting.cfg"; }
    TempFolder folder;
};

TEST_F(CfgCheck, DefaultsAreClean) {
    for (const bool shader : {true, false}) {
        for (const bool sound : {true, false}) {
            WriteBytes(file(), ToBytes(DefaultRecord(shader, sound)));
            const CfgResult result = RunCfg({"check", file()});
            EXPECT_EQ(result.exitCode, 0) << result.out;
            EXPECT_EQ(result.out, "");
        }
    }
}

TEST_F(CfgCheck, EachDamageIsFoundAloneAndLeavesTheFileAsItWas) {
    for (const Damage& damage : Damages()) {
        SettingsRecord record = DefaultRecord();
        damage.apply(record);
        const Bytes bytes = ToBytes(record);
        WriteBytes(file(), bytes);
        const CfgResult result = RunCfg({"check", file()});
        EXPECT_EQ(result.exitCode, 1) << damage.name;
        EXPECT_EQ(CountLines(result.out), 1u) << damage.name << "\n" << result.out;
        EXPECT_EQ(result.out.rfind(damage.where, 0), 0u) << damage.name << "\n" << result.out;
        EXPECT_EQ(ReadBytes(file()), bytes);
    }
}

TEST_F(CfgCheck, AllDamagesTogetherAreEachReported) {
    SettingsRecord record = DefaultRecord();
    for (const Damage& damage : Damages()) {
        damage.apply(record);
    }
    WriteBytes(file(), ToBytes(record));
    const CfgResult result = RunCfg({"check", file()});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(CountLines(result.out), Damages().size()) << result.out;
    for (const Damage& damage : Damages()) {
        EXPECT_NE(result.out.find(damage.where), std::string::npos) << damage.name;
    }
}

TEST_F(CfgCheck, WrongSizesAreFoundAndAShortFileReadsOverZeros) {
    SettingsRecord record = DefaultRecord();
    record.JoystickTable[0][0] = 0x02000002;  // 1UP
    Bytes bytes = ToBytes(record);
    bytes.resize(600, 0x55);
    WriteBytes(file(), bytes);
    CfgResult result = RunCfg({"check", file()});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out.rfind("file: 600 bytes, not 596", 0), 0u) << result.out;
    EXPECT_EQ(CountLines(result.out), 1u);

    // 200 bytes: the keyboard table and the first two joystick entries are
    // there; the rest reads as zeros, so players 2-4 are rebuilt and player
    // 1 (who holds 1UP) shows zeros where the editor shows "None  ".
    bytes.resize(200);
    WriteBytes(file(), bytes);
    result = RunCfg({"check", file()});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out.rfind("file: 200 bytes, not 596", 0), 0u) << result.out;
    EXPECT_NE(result.out.find("(Joystick Settings: Player 2): every entry is 0"),
              std::string::npos);
    EXPECT_NE(result.out.find("(Joystick Settings: Player 4): every entry is 0"),
              std::string::npos);
    EXPECT_EQ(result.out.find("Player 1): every entry"), std::string::npos);
    EXPECT_NE(result.out.find("(Joystick Settings: Player 1: Left): holds 0x00000000, no kind bit"),
              std::string::npos);

    WriteBytes(file(), {});
    result = RunCfg({"check", file()});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out.rfind("file: 0 bytes, not 596", 0), 0u) << result.out;
}

TEST_F(CfgCheck, AFileThatCannotBeReadIsExitTwo) {
    CfgResult result = RunCfg({"check", folder.path() + "/missing.cfg"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("missing.cfg"), std::string::npos) << result.err;
    EXPECT_EQ(result.out, "");

    result = RunCfg({"check", folder.path()});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("is a folder"), std::string::npos) << result.err;

    WriteBytes(file(), ToBytes(DefaultRecord()));
    ::chmod(folder.path().c_str(), 0755);
    ::chmod(file().c_str(), 0200);
    result = RunCfg({"check", file()}, AsNobody());
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("Permission denied"), std::string::npos) << result.err;
}

}  // namespace
}  // namespace ravel::testing
