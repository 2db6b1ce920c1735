// The names the tool writes read back to the same values, and they are the
// names the pages show.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "cli/FieldNames.h"
#include "cli/ValueNames.h"
#include "input/KeyNameTable.h"

namespace ravel::cli {
namespace {

TEST(CfgNames, EveryCodeTheListsBuildReadsBackFromItsName) {
    struct Family {
        InputCode kind;
        uint32_t objects;
        uint32_t elements;
    };
    const Family families[] = {{InputKindButton, 1, 32},
                               {InputKindAxis, 1, 12},
                               {InputKindSlider, 2, 2},
                               {InputKindPov, 4, 4}};
    int count = 0;
    for (uint32_t device = 0; device < 16; ++device) {
        for (const Family& family : families) {
            for (uint32_t object = 0; object < family.objects; ++object) {
                for (uint32_t element = 0; element < family.elements; ++element) {
                    const InputCode code = MakeInputCode(device, family.kind, object, element);
                    EXPECT_EQ(DescribeCodeFault(code), nullptr) << Hex(code, 8);
                    const std::string name = InputName(code);
                    char formatted[kInputNameCapacity] = {};
                    ASSERT_GT(FormatInputCode(formatted, sizeof formatted, code), 0);
                    EXPECT_EQ(name, formatted);
                    InputCode back = 0;
                    ASSERT_TRUE(ParseInputName(name, back)) << name;
                    EXPECT_EQ(back, code) << name;
                    ++count;
                }
            }
        }
    }
    EXPECT_EQ(count, 16 * (32 + 12 + 4 + 16));
}

TEST(CfgNames, AnyOtherCodeHasNoNameAndAFault) {
    std::mt19937 random(20261206);
    for (int i = 0; i < 200000; ++i) {
        // Mostly codes near the valid ones, so every fault class is met.
        InputCode code = random();
        if (i % 2 == 0) {
            code &= 0xFF000F1Fu | (random() & 0x00FF00E0u);
        }
        const std::string name = InputName(code);
        if (DescribeCodeFault(code) != nullptr) {
            EXPECT_TRUE(name.empty()) << Hex(code, 8);
            continue;
        }
        InputCode back = 0;
        ASSERT_TRUE(ParseInputName(name, back)) << Hex(code, 8);
        EXPECT_EQ(back, code);
    }
    struct Case {
        InputCode code;
        const char* fault;
    };
    const Case cases[] = {
        {0x00000000u, "no kind bit"},
        {0x03000000u, "more than one kind bit"},
        {0x01010000u, "bits 16-23 set"},
        {0x01000100u, "object number on a button"},
        {0x01000020u, "button number above 32"},
        {0x02000100u, "object number on an axis"},
        {0x0200000Cu, "axis direction out of range"},
        {0x08000200u, "slider number above 2"},
        {0x08000002u, "slider end out of range"},
        {0x04000400u, "hat number above 4"},
        {0x04000004u, "hat direction out of range"},
    };
    for (const Case& c : cases) {
        const char* fault = DescribeCodeFault(c.code);
        ASSERT_NE(fault, nullptr) << Hex(c.code, 8);
        EXPECT_STREQ(fault, c.fault);
    }
}

TEST(CfgNames, NamesThatAreNotInputsAreRefused) {
    for (const char* text : {"", "0BUTTON1", "17UP", "1BUTTON0", "1BUTTON33", "1BUTTON01", "01UP",
                             "1up", "1POV UP", "1POV UP5", "1SLD MIN3", "1SLD MAX0", "1UPX", "1 UP",
                             "1BUTTON", "None ", "0x01000000", "1POV UP12"}) {
        InputCode code = 7;
        EXPECT_FALSE(ParseInputName(text, code)) << '"' << text << '"';
    }
    InputCode code = 0;
    ASSERT_TRUE(ParseInputName("None", code));
    EXPECT_EQ(code, NoInput);
    ASSERT_TRUE(ParseInputName("16BUTTON32", code));
    EXPECT_EQ(code, 0xF100001Fu);
    ASSERT_TRUE(ParseInputName("4SLD MAX2", code));
    EXPECT_EQ(code, 0x38000101u);
}

TEST(CfgNames, KeyNamesReadBackAndOtherScanCodesHaveNone) {
    int named = 0;
    for (int scan = 0; scan < 256; ++scan) {
        const std::string name = KeyName(static_cast<uint8_t>(scan));
        if (name.empty()) {
            EXPECT_EQ(FindKeyPosition(static_cast<uint8_t>(scan)), 0) << scan;
            continue;
        }
        uint8_t back = 0xEE;
        ASSERT_TRUE(ParseKeyName(name, back)) << name;
        EXPECT_EQ(back, scan);
        ++named;
    }
    EXPECT_EQ(named, kKeyNameCount);
    EXPECT_EQ(KeyName(0x35), "\xef\xbc\x8f");  // fullwidth solidus
    uint8_t scan = 0;
    EXPECT_TRUE(ParseKeyName("None  ", scan));
    EXPECT_EQ(scan, 0);
    EXPECT_FALSE(ParseKeyName("j", scan));
    EXPECT_FALSE(ParseKeyName("/", scan));
}

TEST(CfgNames, HexReadsOnlyWhatItWrites) {
    uint32_t value = 0;
    EXPECT_TRUE(ParseHex("0x1c", 0xFF, value));
    EXPECT_EQ(value, 0x1cu);
    EXPECT_TRUE(ParseHex("0XFFFFFFFF", 0xFFFFFFFFu, value));
    EXPECT_EQ(value, 0xFFFFFFFFu);
    for (const char* text :
         {"", "0x", "1c", "0x100", "0x1g", "x1", "0x 1", "-0x1", "0x000000001"}) {
        EXPECT_FALSE(ParseHex(text, 0xFF, value)) << text;
    }
    EXPECT_EQ(Hex(0x1c, 2), "0x1c");
    EXPECT_EQ(Hex(0x01000002, 8), "0x01000002");
}

}  // namespace
}  // namespace ravel::cli
