// show names every field as the pages do, and damaged values as they are.
#include <gtest/gtest.h>

#include <sstream>

#include "CfgFiles.h"
#include "CfgRunner.h"

namespace ravel::testing {
namespace {

// The lines below `heading` up to the next line indented no deeper than it.
std::vector<std::string> Section(const std::string& text, const std::string& heading) {
    std::istringstream in(text);
    std::string line;
    std::vector<std::string> lines;
    bool inside = false;
    size_t depth = 0;
    while (std::getline(in, line)) {
        const size_t indent = line.find_first_not_of(' ');
        if (inside) {
            if (indent <= depth) {
                break;
            }
            lines.push_back(line.substr(indent));
        } else if (indent != std::string::npos && line.substr(indent) == heading) {
            inside = true;
            depth = indent;
        }
    }
    return lines;
}

bool Has(const std::vector<std::string>& lines, const std::string& line) {
    for (const std::string& l : lines) {
        if (l == line) {
            return true;
        }
    }
    return false;
}

class CfgShow : public ::testing::Test {
  protected:
    CfgResult Show(const SettingsRecord& record) {
        WriteBytes(file, ToBytes(record));
        return RunCfg({"show", file});
    }
    TempFolder folder;
    const std::string file = folder.path() + "/setting.cfg";
};

TEST_F(CfgShow, JOnKickOfTwoPlayersPlayerOne) {
    SettingsRecord record = DefaultRecord();
    record.KeyboardTable[0][0][6] = 0x24;
    const CfgResult result = Show(record);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto player = Section(result.out, "2 Players, Player 1");
    ASSERT_EQ(player.size(), 24u) << result.out;
    EXPECT_EQ(player[5], "Kick: J");
    // The default J (0x24) on Punch (slot 7) stays where it was.
    EXPECT_EQ(player[7], "Punch: J");
    EXPECT_EQ(player[0], "Up: W");
    EXPECT_EQ(player[13], "Start: SPACE");
    EXPECT_EQ(player[14], "Slot 9: None");
}

TEST_F(CfgShow, DefaultsByThePagesNames) {
    const CfgResult result = Show(DefaultRecord(true, false));
    ASSERT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "");
    const auto graphics = Section(result.out, "Graphic / Audio Settings");
    for (const char* line : {"Screen Mode: Full screen (\"Full Scren Mode (TrueColor)\")",
                             "Texture Color: TrueColor", "Frame Rate: 60FPS", "Sync V-SYNC: on",
                             "Pixel Shader: on", "Effects: Standard", "Disable all sounds: on",
                             "Without BGM: on", "Frequency: 22Khz", "Extra sound option: off"}) {
        EXPECT_TRUE(Has(graphics, line)) << line << "\n" << result.out;
    }
    EXPECT_TRUE(Has(Section(result.out, "Keyboard Settings"), "Number of Players: 2 Players"));
    const auto fourThree = Section(result.out, "4 Players, Player 3");
    EXPECT_TRUE(Has(fourThree, "H.Slash: \xef\xbc\x8f"));  // fullwidth solidus, scan code 0x35
    EXPECT_TRUE(Has(fourThree, "R2: \xef\xbc\xbc"));
    const auto joystick = Section(result.out, "Player 2");
    ASSERT_EQ(joystick.size(), 24u);
    EXPECT_EQ(joystick[5], "Kick: None");
    EXPECT_EQ(joystick[23], "Entry 23: None");
    const auto advanced = Section(result.out, "Advanced");
    EXPECT_EQ(advanced, (std::vector<std::string>{"Rotation axes: off", "Sliders: off",
                                                  "Z axis: off", "Other bits: 0x00000000"}));
    EXPECT_NE(result.out.find("\nReserved: 0x00 0x00\n"), std::string::npos);
}

TEST_F(CfgShow, JoystickInputsByTheirListNames) {
    SettingsRecord record = DefaultRecord();
    record.JoystickTable[0][5] = 0x01000002;
    record.JoystickTable[0][2] = 0x12000000;
    record.JoystickTable[0][12] = 0x24000100;
    record.JoystickTable[0][13] = 0x38000101;
    record.JoystickTable[0][14] = 0;
    record.AxisOptionFlags = 0x8 | 0x2;
    const CfgResult result = Show(record);
    const auto player = Section(result.out, "Player 1");
    ASSERT_EQ(player.size(), 24u) << result.out;
    EXPECT_EQ(player[5], "Kick: 1BUTTON3");
    EXPECT_EQ(player[2], "Left: 2LEFT");
    EXPECT_EQ(player[12], "Select: 3POV UP2");
    EXPECT_EQ(player[13], "Start: 4SLD MAX2");
    EXPECT_EQ(player[14], "Entry 14: 0x00000000");
    const auto advanced = Section(result.out, "Advanced");
    EXPECT_TRUE(Has(advanced, "Sliders: on"));
    EXPECT_TRUE(Has(advanced, "Z axis: on"));
    EXPECT_TRUE(Has(advanced, "Rotation axes: off"));
}

TEST_F(CfgShow, DamagedValuesShowTheirRawValue) {
    SettingsRecord record = DefaultRecord();
    record.frameRate = 7;
    record.PlayerLayout = 3;
    record.KeyboardTable[0][0][6] = 0x1c;
    record.JoystickTable[0][5] = 0x0200000C;
    record.AxisOptionFlags = 0x80000004;
    record.reserved[0] = 0xBE;
    record.reserved[1] = 0xEF;
    const CfgResult result = Show(record);
    ASSERT_EQ(result.exitCode, 0);
    EXPECT_TRUE(Has(Section(result.out, "Graphic / Audio Settings"),
                    "Frame Rate: 0x07 (damaged: neither 0 (\"30FPS\") nor 1 (\"60FPS\"))"))
        << result.out;
    EXPECT_EQ(Section(result.out, "Keyboard Settings").at(0).rfind("Number of Players: 0x03 (", 0),
              0u);
    EXPECT_EQ(Section(result.out, "2 Players, Player 1").at(5).rfind("Kick: 0x1c (damaged: ", 0),
              0u);
    EXPECT_EQ(Section(result.out, "Player 1").at(5),
              "Kick: 0x0200000c (damaged: axis direction out of range; the editor names it "
              "\"1POV UP\")");
    EXPECT_TRUE(Has(Section(result.out, "Advanced"), "Rotation axes: on"));
    EXPECT_NE(result.out.find("Other bits: 0x80000000 (damaged: unknown bits 0x80000000"),
              std::string::npos);
    EXPECT_NE(result.out.find("\nReserved: 0xbe 0xef\n"), std::string::npos);
}

TEST_F(CfgShow, AShortFileIsShownWithAWarning) {
    Bytes bytes = ToBytes(DefaultRecord());
    bytes.resize(100);
    WriteBytes(file, bytes);
    const CfgResult result = RunCfg({"show", file});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.err.find("is 100 bytes, not 596"), std::string::npos) << result.err;
    EXPECT_TRUE(Has(Section(result.out, "Graphic / Audio Settings"), "Screen Mode: Window Mode"));
    EXPECT_EQ(Section(result.out, "2 Players, Player 1").at(0), "Up: W");
}

}  // namespace
}  // namespace ravel::testing
