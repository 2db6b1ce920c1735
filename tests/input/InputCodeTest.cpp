#include "input/InputCode.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace ravel {
namespace {

std::string Format(InputCode code) {
    char text[kInputNameCapacity];
    std::strcpy(text, "untouched");
    FormatInputCode(text, sizeof text, code);
    return text;
}

TEST(InputCode, NamesOfCodes) {
    const struct {
        InputCode code;
        const char* name;
    } cases[] = {
        {0x1000000, "1BUTTON1"},     {0x1100000B, "2BUTTON12"},  {0x12000002, "2UP"},
        {0x4000003, "1POV RIGHT1"},  {0x24000100, "3POV UP2"},   {0x38000101, "4SLD MAX2"},
        {0x2000000, "1LEFT"},        {0x200000B, "1RZMAX"},      {0x1100001F, "2BUTTON32"},
        {0x8000000, "1SLD MIN1"},    {0x4000302, "1POV LEFT4"},  {NoInput, "16BUTTON32"},
        {0x01000020, "1BUTTON1"},    // the button number is taken modulo 32
        {0xF4000301, "16POV DOWN4"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Format(c.code), c.name) << std::hex << c.code;
    }
}

TEST(InputCode, ButtonBitWinsOverTheOtherKinds) {
    EXPECT_EQ(Format(InputKindButton | InputKindAxis | 2), "1BUTTON3");
    EXPECT_EQ(Format(InputKindAxis | InputKindSlider | 2), "1UP");
    EXPECT_EQ(Format(InputKindSlider | InputKindPov | 1), "1SLD MAX1");
}

TEST(InputCode, CodesThatNameNothingLeaveTheBufferAlone) {
    for (InputCode code : {0x0u, 0x30000005u, 0x00FF0000u,
                           // hat and slider directions beyond the table
                           0x04000004u, 0x0400000Fu, 0x08000002u, 0x0800000Fu, 0x38000109u}) {
        EXPECT_EQ(Format(code), "untouched") << std::hex << code;
    }
}

TEST(InputCode, EveryCodeShapeStaysWithinTheBuffer) {
    // All kinds, every low nibble and object byte, every joystick number.
    char text[kInputNameCapacity];
    for (uint32_t high = 0; high < 256; ++high) {
        for (uint32_t low = 0; low < 0x400; ++low) {
            const InputCode code = (high << 24) | ((low >> 4) << 8) | (low & 0xF);
            const int length = FormatInputCode(text, sizeof text, code);
            ASSERT_LE(length, 12) << std::hex << code;
            if (length > 0) {
                ASSERT_EQ(std::strlen(text), static_cast<size_t>(length));
            }
        }
    }
}

TEST(InputCode, MakeInputCodePlacesEveryField) {
    EXPECT_EQ(MakeInputCode(3, InputKindSlider, 1, kSliderMax), 0x38000101u);
    EXPECT_EQ(MakeInputCode(2, InputKindPov, 3, kPovLeft), 0x24000302u);
}

}  // namespace
}  // namespace ravel
