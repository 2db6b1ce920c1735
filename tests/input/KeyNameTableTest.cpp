#include "input/KeyNameTable.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace ravel {
namespace {

TEST(KeyNameTable, ShapeOfTheTable) {
    EXPECT_STREQ(KeyNameTable[0].name, "None  ");
    EXPECT_EQ(KeyNameTable[0].scanCode, 0);
    std::set<int> codes;
    std::set<std::string> names;
    for (const KeyName& key : KeyNameTable) {
        codes.insert(key.scanCode);
        names.insert(key.name);
    }
    EXPECT_EQ(codes.size(), 88u);
    EXPECT_EQ(names.size(), 88u);
}

TEST(KeyNameTable, FindKeyPosition) {
    const struct {
        uint8_t code;
        int position;
    } cases[] = {
        {0x00, 0},  {0xc8, 1},  {0x2b, 75}, {0x35, 74}, {0x58, 87}, {0x24, 24}, {0x91, 67},
        {0x7b, 13}, {0x1c, 0},  {0xff, 0},  {0x01, 0},  {0x0e, 0},  {0x0f, 0},  {0x3a, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FindKeyPosition(c.code), c.position) << std::hex << int{c.code};
    }
}

TEST(KeyNameTable, FullwidthSlashesAreHeldAsUnicode) {
    // U+FF0F FULLWIDTH SOLIDUS and U+FF3C FULLWIDTH REVERSE SOLIDUS, the
    // characters the Japanese names 0x81 0x5e and 0x81 0x5f stand for.
    EXPECT_EQ(std::string(KeyNameTable[74].name), "\xef\xbc\x8f");
    EXPECT_EQ(std::string(KeyNameTable[75].name), "\xef\xbc\xbc");
    EXPECT_EQ(std::string(KeyNameTable[74].name), "／");
    EXPECT_EQ(std::string(KeyNameTable[75].name), "＼");
}

TEST(KeyNameTable, NamesAtTheirPositions) {
    const struct {
        int position;
        const char* name;
        uint8_t code;
    } cases[] = {
        {5, "SPACE", 0x39},     {12, "CONVERT", 0x79}, {14, "-", 0x0c},       {41, "1", 0x02},
        {50, "0", 0x0b},        {51, "NUMPAD0", 0x52}, {61, "Insert", 0xd2},  {66, "PageDown", 0xd1},
        {71, ":", 0x92},        {76, "F1", 0x3b},      {85, "F10", 0x44},     {86, "F11", 0x57},
    };
    for (const auto& c : cases) {
        EXPECT_STREQ(KeyNameTable[c.position].name, c.name);
        EXPECT_EQ(KeyNameTable[c.position].scanCode, c.code);
    }
}

}  // namespace
}  // namespace ravel
