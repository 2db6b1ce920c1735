// The names players read: every key of the lists in order with its code, and
// the name of every kind of joystick input code; both read back to their code.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

#include "input/InputCode.h"
#include "input/KeyNameTable.h"

namespace ravel {
namespace {

TEST(KeyNameTable, EveryKeyInOrderWithItsCode) {
    const std::string golden =
        "None  =0|UP=c8|DOWN=d0|LEFT=cb|RIGHT=cd|SPACE=39|SHIFT(LEFT)=2a|SHIFT(RIGHT)=36|"
        "CTRL(LEFT)=1d|CTRL(RIGHT)=9d|ALT(LEFT)=38|ALT(RIGHT)=b8|CONVERT=79|NO CONVERT=7b|-=c|"
        "A=1e|B=30|C=2e|D=20|E=12|F=21|G=22|H=23|I=17|J=24|K=25|L=26|M=32|N=31|O=18|P=19|Q=10|"
        "R=13|S=1f|T=14|U=16|V=2f|W=11|X=2d|Y=15|Z=2c|1=2|2=3|3=4|4=5|5=6|6=7|7=8|8=9|9=a|0=b|"
        "NUMPAD0=52|NUMPAD1=4f|NUMPAD2=50|NUMPAD3=51|NUMPAD4=4b|NUMPAD5=4c|NUMPAD6=4d|"
        "NUMPAD7=47|NUMPAD8=48|NUMPAD9=49|Insert=d2|Delete=d3|Home=c7|End=cf|PageUp=c9|"
        "PageDown=d1|@=91|[=1a|]=1b|;=27|:=92|,=33|.=34|／=35|＼=2b|F1=3b|F2=3c|F3=3d|F4=3e|"
        "F5=3f|F6=40|F7=41|F8=42|F9=43|F10=44|F11=57|F12=58|";
    std::string table;
    for (const KeyName& key : KeyNameTable) {
        char code[8];
        std::snprintf(code, sizeof code, "=%x|", key.scanCode);
        table += key.name + std::string(code);
        EXPECT_EQ(FindKeyPosition(key.scanCode), &key - KeyNameTable) << key.name;
    }
    EXPECT_EQ(table, golden);
    // Keys outside the table show as "None  ".
    for (const int scanCode : {0x1c, 0xff, 0x01, 0x3a}) {
        EXPECT_EQ(FindKeyPosition(scanCode), 0) << scanCode;
        EXPECT_STREQ(KeyNameOf(static_cast<uint8_t>(scanCode)), "") << scanCode;
    }
}

TEST(KeyNameTable, NamesReadBackToTheirKey) {
    uint8_t scanCode = 0xFF;
    for (const KeyName& key : KeyNameTable) {
        if (key.scanCode != 0) {
            EXPECT_STREQ(KeyNameOf(key.scanCode), key.name);
        }
        EXPECT_TRUE(ParseKeyName(key.name, scanCode) && scanCode == key.scanCode) << key.name;
    }
    EXPECT_STREQ(KeyNameOf(0), "None");
    EXPECT_TRUE(ParseKeyName("None", scanCode) && scanCode == 0);
    for (const char* text : {"", "none", "None ", "ENTER", "a", "F13"}) {
        EXPECT_FALSE(ParseKeyName(text, scanCode)) << '"' << text << '"';
    }
}

// Codes no list holds leave the caller's text as it was.
TEST(InputCode, NamesOfEveryKind) {
    const struct {
        InputCode code;
        const char* name;
    } rows[] = {
        // clang-format off
        {0x1000000, "1BUTTON1"}, {0x1100000B, "2BUTTON12"}, {0x1100001F, "2BUTTON32"},
        {0x01000020, "1BUTTON1"}, {NoInput, "16BUTTON32"}, {0x3000004, "1BUTTON5"},
        {0x2000000, "1LEFT"}, {0x12000002, "2UP"}, {0x0200001B, "1RZMAX"},
        {0x2000002 | 0x8000000, "1UP"}, {0x8000000, "1SLD MIN1"}, {0x38000101, "4SLD MAX2"},
        {0x8000001 | 0x4000000, "1SLD MAX1"}, {0x4000003, "1POV RIGHT1"}, {0x24000100, "3POV UP2"},
        {0x4000302, "1POV LEFT4"}, {0xF4000301, "16POV DOWN4"}, {0x0, "untouched"},
        {0x04000004, "untouched"}, {0x08000002, "untouched"},
        // clang-format on
    };
    for (const auto& row : rows) {
        char text[kInputNameCapacity] = "untouched";
        const int length = FormatInputCode(text, sizeof text, row.code);
        const size_t named = std::string(row.name) == "untouched" ? 0 : std::strlen(row.name);
        EXPECT_EQ(text + (" " + std::to_string(length)), row.name + (" " + std::to_string(named)))
            << std::hex << row.code;
    }
    // A name answers its length only where it fits with its end.
    char text[kInputNameCapacity];
    EXPECT_EQ(FormatInputCode(text, 10, 0x1100000B), 9);
    EXPECT_EQ(FormatInputCode(text, 9, 0x1100000B), 0);
}

TEST(InputCode, NamesReadBackAndOtherCodesNameTheirFault) {
    // Buttons, stick directions, sliders' two ends, hats' four directions.
    const uint32_t shapes[][3] = {{InputKindButton, 1, 32},
                                  {InputKindAxis, 1, 12},
                                  {InputKindSlider, 2, 2},
                                  {InputKindPov, 4, 4}};
    for (uint32_t device = 0; device < 16; ++device)
        for (const auto& [kind, objects, elements] : shapes)
            for (uint32_t object = 0; object < objects; ++object)
                for (uint32_t element = 0; element < elements; ++element) {
                    const InputCode code = MakeInputCode(device, kind, object, element);
                    char text[kInputNameCapacity] = {};
                    InputCode back = 0;
                    ASSERT_GT(FormatInputCode(text, sizeof text, code), 0);
                    ASSERT_EQ(InputName(code), text);
                    ASSERT_TRUE(ParseInputName(text, back) && back == code) << text;
                }
    const std::pair<InputCode, const char*> faults[] = {{0x00000000, "no kind bit"},
                                                        {0x03000000, "more than one kind bit"},
                                                        {0x01010000, "bits 16-23 set"},
                                                        {0x01000100, "object number on a button"},
                                                        {0x01000020, "button number above 32"},
                                                        {0x02000100, "object number on an axis"},
                                                        {0x0200000C, "axis direction out of range"},
                                                        {0x08000200, "slider number above 2"},
                                                        {0x08000002, "slider end out of range"},
                                                        {0x04000400, "hat number above 4"},
                                                        {0x04000004, "hat direction out of range"}};
    for (const auto& [code, fault] : faults) {
        EXPECT_STREQ(DescribeCodeFault(code), fault);
        EXPECT_EQ(InputName(code), "") << fault;
    }
    InputCode code = 0;
    for (const char* text :
         {"", "0BUTTON1", "17UP", "1BUTTON0", "1BUTTON33", "1BUTTON01", "01UP", "1up", "1POV UP",
          "1POV UP5", "1SLD MIN3", "1SLD MAX0", "1UPX", "1 UP", "1BUTTON", "None ", "1POV UP12"}) {
        EXPECT_FALSE(ParseInputName(text, code)) << '"' << text << '"';
    }
    EXPECT_TRUE(ParseInputName("None", code) && code == NoInput);
    EXPECT_TRUE(ParseInputName("None  ", code) && code == NoInput);
    EXPECT_EQ(InputName(NoInput), "None");
}

}  // namespace
}  // namespace ravel
