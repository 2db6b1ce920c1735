#include "input/CaptureScan.h"

#include <gtest/gtest.h>

#include "settings/SettingsRecord.h"

namespace ravel {
namespace {

TEST(KeyboardScan, LowestScanCodeHeldWins) {
    uint8_t state[256] = {};
    EXPECT_EQ(ScanKeyboardState(state), -1);
    state[0x1E] = 0x80;
    state[0x10] = 0x80;
    EXPECT_EQ(ScanKeyboardState(state), 0x10);
    state[0x01] = 0x7F;  // only the top bit counts
    EXPECT_EQ(ScanKeyboardState(state), 0x10);
    uint8_t last[256] = {};
    last[255] = 0xFF;
    EXPECT_EQ(ScanKeyboardState(last), 255);
}

JoystickState Idle() {
    JoystickState state{};
    for (uint32_t& pov : state.rgdwPOV) {
        pov = 0xFFFFFFFF;
    }
    return state;
}

JoystickCaps FullCaps() { return JoystickCaps{12, 1, 1, 1, 1, 2, 4}; }

constexpr uint32_t kAllOptions = kAxisOptionZ | kAxisOptionRotation | kAxisOptionSliders;

TEST(JoystickScan, ThresholdsAreStrict) {
    const struct {
        int32_t x;
        InputCode expected;
    } cases[] = {
        {-64, NoInput}, {-65, 0x2000000}, {64, NoInput}, {65, 0x2000001},
        {-128, 0x2000000}, {127, 0x2000001}, {0, NoInput},
    };
    for (const auto& c : cases) {
        JoystickState state = Idle();
        state.lX = c.x;
        EXPECT_EQ(ScanJoystickState(state, FullCaps(), 0, 0), c.expected) << c.x;
    }
}

TEST(JoystickScan, PriorityWithinOneJoystick) {
    struct Case {
        const char* what;
        void (*press)(JoystickState&);
        InputCode expected;
    };
    const Case cases[] = {
        {"button beats stick",
         [](JoystickState& s) {
             s.rgbButtons[2] = 0x80;
             s.lX = 100;
         },
         0x1000002},
        {"lower button wins",
         [](JoystickState& s) {
             s.rgbButtons[7] = 0x80;
             s.rgbButtons[3] = 0x80;
         },
         0x1000003},
        {"Y beats X on a diagonal",
         [](JoystickState& s) {
             s.lX = -100;
             s.lY = -100;
         },
         0x2000002},
        {"X beats Z",
         [](JoystickState& s) {
             s.lX = 100;
             s.lZ = -100;
         },
         0x2000001},
        {"Z beats the rotation axes",
         [](JoystickState& s) {
             s.lZ = 100;
             s.lRx = 100;
         },
         0x2000005},
        {"Rx, then Ry, then Rz",
         [](JoystickState& s) {
             s.lRy = -100;
             s.lRz = -100;
         },
         0x2000008},
        {"Rz alone", [](JoystickState& s) { s.lRz = 100; }, 0x200000B},
        {"axes beat sliders",
         [](JoystickState& s) {
             s.lRx = -100;
             s.rglSlider[0] = 100;
         },
         0x2000006},
        {"second slider", [](JoystickState& s) { s.rglSlider[1] = -100; }, 0x8000100},
        {"sliders beat hats",
         [](JoystickState& s) {
             s.rglSlider[0] = 100;
             s.rgdwPOV[0] = 0;
         },
         0x8000001},
        {"lower hat wins",
         [](JoystickState& s) {
             s.rgdwPOV[3] = 9000;
             s.rgdwPOV[1] = 18000;
         },
         0x4000101},
        {"top bit of a button only", [](JoystickState& s) { s.rgbButtons[0] = 0x7F; }, NoInput},
    };
    for (const Case& c : cases) {
        JoystickState state = Idle();
        c.press(state);
        EXPECT_EQ(ScanJoystickState(state, FullCaps(), 0, kAllOptions), c.expected) << c.what;
    }
}

TEST(JoystickScan, OptionBitsAndCapsGateTheExtraAxes) {
    struct Case {
        const char* what;
        uint32_t options;
        JoystickCaps caps;
        void (*press)(JoystickState&);
        InputCode expected;
    };
    JoystickCaps noZ = FullCaps();
    noZ.hasZ = 0;
    JoystickCaps noRy = FullCaps();
    noRy.hasRy = 0;
    JoystickCaps oneSlider = FullCaps();
    oneSlider.sliderCount = 1;
    const Case cases[] = {
        {"Z without its bit", kAllOptions & ~kAxisOptionZ, FullCaps(), [](JoystickState& s) { s.lZ = -90; }, NoInput},
        {"Z bit without the axis", kAllOptions, noZ, [](JoystickState& s) { s.lZ = -90; }, NoInput},
        {"Z with both", kAxisOptionZ, FullCaps(), [](JoystickState& s) { s.lZ = -90; }, 0x2000004},
        {"rotation without its bit", kAxisOptionZ | kAxisOptionSliders, FullCaps(), [](JoystickState& s) { s.lRx = 90; }, NoInput},
        {"Ry missing, Rz present", kAxisOptionRotation, noRy,
         [](JoystickState& s) {
             s.lRy = 90;
             s.lRz = 90;
         },
         0x200000B},
        {"slider without its bit", kAxisOptionZ | kAxisOptionRotation, FullCaps(), [](JoystickState& s) { s.rglSlider[0] = 90; }, NoInput},
        {"slider beyond the count", kAllOptions, oneSlider, [](JoystickState& s) { s.rglSlider[1] = 90; }, NoInput},
        {"slider just past the threshold", kAxisOptionSliders, FullCaps(), [](JoystickState& s) { s.rglSlider[0] = -65; }, 0x8000000},
    };
    for (const Case& c : cases) {
        JoystickState state = Idle();
        c.press(state);
        EXPECT_EQ(ScanJoystickState(state, c.caps, 0, c.options), c.expected) << c.what;
    }
}

TEST(JoystickScan, HatDirections) {
    const struct {
        uint32_t value;
        InputCode expected;
    } cases[] = {
        {0xFFFFFFFF, NoInput}, {65535, NoInput}, {0x0001FFFF, NoInput},
        {0, 0x4000000},        {4500, 0x4000000},  {4501, 0x4000003},  {13500, 0x4000003},
        {13501, 0x4000001},    {22500, 0x4000001}, {22501, 0x4000002}, {31499, 0x4000002},
        {31500, 0x4000000},    {35999, 0x4000000}, {40000, 0x4000000},
    };
    for (const auto& c : cases) {
        JoystickState state = Idle();
        state.rgdwPOV[0] = c.value;
        EXPECT_EQ(ScanJoystickState(state, FullCaps(), 0, 0), c.expected) << c.value;
    }
}

TEST(JoystickScan, SlotGoesIntoTheTopNibble) {
    JoystickState state = Idle();
    state.rgdwPOV[2] = 27000;
    EXPECT_EQ(ScanJoystickState(state, FullCaps(), 3, 0), 0x34000202u);
    state = Idle();
    state.rgbButtons[31] = 0x80;
    JoystickCaps caps = FullCaps();
    caps.buttonCount = 32;
    EXPECT_EQ(ScanJoystickState(state, caps, 1, 0), 0x1100001Fu);
}

TEST(JoystickScan, CountsBeyondTheStateAreNeverRead) {
    // A device that claims more than the state holds: only 32 buttons, 2
    // sliders and 4 hats are looked at. The state is framed by guard bytes
    // so a read past it would find a pressed "button" or an active hat.
    struct Framed {
        JoystickState state;
        uint8_t guard[64];
    } framed{};
    framed.state = Idle();
    for (uint8_t& g : framed.guard) {
        g = 0x80;
    }
    const JoystickCaps huge{1000, 1, 1, 1, 1, 1000, 1000};
    EXPECT_EQ(ScanJoystickState(framed.state, huge, 0, kAllOptions), NoInput);

    // And a device with no buttons still reports its stick.
    JoystickState state = Idle();
    state.lY = 70;
    EXPECT_EQ(ScanJoystickState(state, JoystickCaps{}, 2, 0), 0x22000003u);
}

}  // namespace
}  // namespace ravel
