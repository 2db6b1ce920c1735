// The SDL joystick backend under the core's own discovery and capture steps,
// with SDL's virtual joysticks standing in for real controllers.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstring>

#include "input/InputDevices.h"
#include "input/sdl/SdlInput.h"

namespace ravel {
namespace {

// SDL stick value that scales to exactly `scaled` in -128..127: the 65536
// stick values fall on 256 steps of 257.
int16_t StickFor(int scaled) {
    return static_cast<int16_t>((scaled + 128) * 257 - 32768);
}

struct VirtualJoystick {
    SDL_JoystickType type;
    int axes, buttons, hats;
};

class SdlInputTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER), 0)
            << SDL_GetError();
        std::memset(&devices_, 0, sizeof devices_);
    }
    void TearDown() override {
        ReleaseInputDevices(devices_);
        for (int i = 0; i < count_; ++i) {
            SDL_JoystickClose(handles_[i]);
            SDL_JoystickDetachVirtual(indices_[i]);
        }
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER);
    }

    // Attaches a virtual device and keeps a handle to drive it.
    SDL_Joystick* Attach(const VirtualJoystick& stick) {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = static_cast<Uint16>(stick.type);
        desc.naxes = static_cast<Uint16>(stick.axes);
        desc.nbuttons = static_cast<Uint16>(stick.buttons);
        desc.nhats = static_cast<Uint16>(stick.hats);
        desc.name = stick.type == SDL_JOYSTICK_TYPE_GAMECONTROLLER ? "Virtual Pad" : "Virtual Stick";
        const int index = SDL_JoystickAttachVirtualEx(&desc);
        EXPECT_GE(index, 0) << SDL_GetError();
        SDL_Joystick* handle = SDL_JoystickOpen(index);
        EXPECT_NE(handle, nullptr) << SDL_GetError();
        indices_[count_] = index;
        handles_[count_++] = handle;
        return handle;
    }

    void Discover() { ASSERT_TRUE(InitInputDevices(devices_, backend_, nullptr, nullptr)); }
    InputCode Poll(uint32_t options = 0) { return PollJoystickCapture(devices_, options); }

    SdlInputBackend backend_{nullptr};
    InputDevices devices_;
    SDL_Joystick* handles_[4] = {};
    int indices_[4] = {};
    int count_ = 0;
};

TEST_F(SdlInputTest, NoControllerLeavesEverySlotEmpty) {
    Discover();
    for (int slot = 0; slot < kJoystickSlotCount; ++slot) {
        EXPECT_EQ(devices_.JoystickSlots[slot], nullptr);
        EXPECT_EQ(devices_.joystickCaps[slot].buttonCount, 0u);
    }
    EXPECT_EQ(devices_.KeyboardDevice, nullptr);  // no window keyboard handed in
    EXPECT_EQ(Poll(0xE), NoInput);
}

TEST_F(SdlInputTest, PlainJoystickCapsFollowItsAxesHatsAndButtons) {
    Attach({SDL_JOYSTICK_TYPE_ARCADE_STICK, 2, 4, 0});
    Attach({SDL_JOYSTICK_TYPE_ARCADE_STICK, 8, 12, 2});
    Attach({SDL_JOYSTICK_TYPE_ARCADE_STICK, 3, 1, 1});
    Discover();

    const JoystickCaps& small = devices_.joystickCaps[0];
    EXPECT_EQ(small.buttonCount, 4u);
    EXPECT_EQ(small.hasZ + small.hasRx + small.hasRy + small.hasRz, 0);
    EXPECT_EQ(small.sliderCount, 0u);
    EXPECT_EQ(small.povCount, 0u);

    // Eight axes: X, Y, Z, Rx, Ry, Rz and two sliders.
    const JoystickCaps& full = devices_.joystickCaps[1];
    EXPECT_EQ(full.buttonCount, 12u);
    EXPECT_EQ(full.hasZ, 1);
    EXPECT_EQ(full.hasRx, 1);
    EXPECT_EQ(full.hasRy, 1);
    EXPECT_EQ(full.hasRz, 1);
    EXPECT_EQ(full.sliderCount, 2u);
    EXPECT_EQ(full.povCount, 2u);

    // A third axis is Z, nothing else.
    const JoystickCaps& three = devices_.joystickCaps[2];
    EXPECT_EQ(three.hasZ, 1);
    EXPECT_EQ(three.hasRx + three.hasRy + three.hasRz, 0);
    EXPECT_EQ(three.povCount, 1u);
    EXPECT_EQ(three.buttonCount, 1u);
}

TEST_F(SdlInputTest, StickCapturesOnlyBeyondHalfTravel) {
    SDL_Joystick* stick = Attach({SDL_JOYSTICK_TYPE_ARCADE_STICK, 2, 4, 1});
    Discover();
    struct Case {
        int axis;
        int scaled;
        InputCode expected;
    };
    const Case cases[] = {
        {0, 64, NoInput},
        {0, 65, MakeInputCode(0, InputKindAxis, 0, kAxisRight)},
        {0, -64, NoInput},
        {0, -65, MakeInputCode(0, InputKindAxis, 0, kAxisLeft)},
        {1, 64, NoInput},
        {1, 65, MakeInputCode(0, InputKindAxis, 0, kAxisDown)},
        {1, -64, NoInput},
        {1, -65, MakeInputCode(0, InputKindAxis, 0, kAxisUp)},
        {0, 127, MakeInputCode(0, InputKindAxis, 0, kAxisRight)},
        {0, -128, MakeInputCode(0, InputKindAxis, 0, kAxisLeft)},
    };
    for (const Case& c : cases) {
        SDL_JoystickSetVirtualAxis(stick, c.axis, StickFor(c.scaled));
        EXPECT_EQ(Poll(), c.expected) << "axis " << c.axis << " at " << c.scaled;
        SDL_JoystickSetVirtualAxis(stick, c.axis, 0);
        EXPECT_EQ(Poll(), NoInput) << "centred again";
    }
}

TEST_F(SdlInputTest, ButtonsHatsAndSlidersOfAPlainJoystick) {
    SDL_Joystick* stick = Attach({SDL_JOYSTICK_TYPE_ARCADE_STICK, 8, 6, 1});
    Discover();

    SDL_JoystickSetVirtualButton(stick, 2, SDL_PRESSED);
    SDL_JoystickSetVirtualAxis(stick, 0, 32767);  // a button beats the stick
    EXPECT_EQ(Poll(), MakeInputCode(0, InputKindButton, 0, 2));
    SDL_JoystickSetVirtualButton(stick, 2, SDL_RELEASED);
    SDL_JoystickSetVirtualAxis(stick, 0, 0);

    const struct {
        uint8_t hat;
        InputCode expected;
    } hats[] = {
        {SDL_HAT_UP, MakeInputCode(0, InputKindPov, 0, kPovUp)},
        {SDL_HAT_RIGHT, MakeInputCode(0, InputKindPov, 0, kPovRight)},
        {SDL_HAT_DOWN, MakeInputCode(0, InputKindPov, 0, kPovDown)},
        {SDL_HAT_LEFT, MakeInputCode(0, InputKindPov, 0, kPovLeft)},
        {SDL_HAT_RIGHTDOWN, MakeInputCode(0, InputKindPov, 0, kPovRight)},  // 13500
        {SDL_HAT_LEFTUP, MakeInputCode(0, InputKindPov, 0, kPovUp)},        // 31500
        {SDL_HAT_CENTERED, NoInput},
    };
    for (const auto& h : hats) {
        SDL_JoystickSetVirtualHat(stick, 0, h.hat);
        EXPECT_EQ(Poll(), h.expected) << "hat " << int(h.hat);
    }

    // SDL axis 6 is the first slider, axis 7 the second; both need the
    // sliders option, Z (axis 2) needs the Z option, Rz (axis 5) rotation.
    SDL_JoystickSetVirtualAxis(stick, 7, StickFor(-100));
    EXPECT_EQ(Poll(0), NoInput);
    EXPECT_EQ(Poll(0x2), MakeInputCode(0, InputKindSlider, 1, kSliderMin));
    SDL_JoystickSetVirtualAxis(stick, 7, 0);
    SDL_JoystickSetVirtualAxis(stick, 2, StickFor(100));
    EXPECT_EQ(Poll(0x4 | 0x2), NoInput);
    EXPECT_EQ(Poll(0x8), MakeInputCode(0, InputKindAxis, 0, kAxisZMax));
    SDL_JoystickSetVirtualAxis(stick, 2, 0);
    SDL_JoystickSetVirtualAxis(stick, 5, StickFor(-65));
    EXPECT_EQ(Poll(0x8), NoInput);
    EXPECT_EQ(Poll(0x4), MakeInputCode(0, InputKindAxis, 0, kAxisRzMin));
}

TEST_F(SdlInputTest, GameControllerGetsWinesPadLayout) {
    Attach({SDL_JOYSTICK_TYPE_ARCADE_STICK, 2, 2, 0});
    SDL_Joystick* pad = Attach(
        {SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX, SDL_CONTROLLER_BUTTON_MAX, 0});
    ASSERT_TRUE(SDL_IsGameController(indices_[1])) << "SDL maps virtual pads itself";
    Discover();

    const JoystickCaps& caps = devices_.joystickCaps[1];
    EXPECT_EQ(caps.buttonCount, 14u);
    EXPECT_EQ(caps.hasZ, 1);
    EXPECT_EQ(caps.hasRx, 1);
    EXPECT_EQ(caps.hasRy, 1);
    EXPECT_EQ(caps.hasRz, 1);
    EXPECT_EQ(caps.sliderCount, 0u);
    EXPECT_EQ(caps.povCount, 1u);

    // Virtual pads take SDL_GameControllerButton numbers as their buttons.
    const struct {
        int sdlButton;
        uint32_t diButton;
    } buttons[] = {
        {SDL_CONTROLLER_BUTTON_A, 0},
        {SDL_CONTROLLER_BUTTON_B, 1},
        {SDL_CONTROLLER_BUTTON_X, 2},
        {SDL_CONTROLLER_BUTTON_Y, 3},
        {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, 4},
        {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, 5},
        {SDL_CONTROLLER_BUTTON_BACK, 6},
        {SDL_CONTROLLER_BUTTON_START, 7},
        {SDL_CONTROLLER_BUTTON_LEFTSTICK, 8},
        {SDL_CONTROLLER_BUTTON_RIGHTSTICK, 9},
        {SDL_CONTROLLER_BUTTON_DPAD_UP, 10},
        {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, 13},
    };
    for (const auto& b : buttons) {
        SDL_JoystickSetVirtualButton(pad, b.sdlButton, SDL_PRESSED);
        EXPECT_EQ(Poll(), MakeInputCode(1, InputKindButton, 0, b.diButton)) << b.sdlButton;
        SDL_JoystickSetVirtualButton(pad, b.sdlButton, SDL_RELEASED);
    }
    // The guide button is not one of DirectInput's buttons.
    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_GUIDE, SDL_PRESSED);
    EXPECT_EQ(Poll(0x2), NoInput);
    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_GUIDE, SDL_RELEASED);

    // Sticks: left is X / Y, right is Rx / Ry.
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTY, StickFor(-65));
    EXPECT_EQ(Poll(), MakeInputCode(1, InputKindAxis, 0, kAxisUp));
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTY, 0);
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_RIGHTY, StickFor(65));
    EXPECT_EQ(Poll(0), NoInput);
    EXPECT_EQ(Poll(0x4), MakeInputCode(1, InputKindAxis, 0, kAxisRyMax));
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_RIGHTY, 0);

    // Triggers run 0..32767, so a trigger at rest reads -128 on Z / Rz: with
    // the Z option the resting left trigger is already ZMIN, as the game
    // sees it; pulled fully it is ZMAX.
    EXPECT_EQ(Poll(0x8), MakeInputCode(1, InputKindAxis, 0, kAxisZMin));
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERLEFT, 32767);
    EXPECT_EQ(Poll(0x8), MakeInputCode(1, InputKindAxis, 0, kAxisZMax));
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767);
    EXPECT_EQ(Poll(0x4), MakeInputCode(1, InputKindAxis, 0, kAxisRzMax));
}

TEST_F(SdlInputTest, PadDpadIsAlsoTheHat) {
    SDL_Joystick* pad = Attach(
        {SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX, SDL_CONTROLLER_BUTTON_MAX, 0});
    Discover();
    // Buttons come first, so read the hat straight from the device state.
    InputDevice* device = devices_.JoystickSlots[0];
    ASSERT_NE(device, nullptr);
    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN, SDL_PRESSED);
    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_DPAD_LEFT, SDL_PRESSED);
    ASSERT_EQ(device->Poll(), kDiOk);
    JoystickState state{};
    ASSERT_EQ(device->GetDeviceState(sizeof state, &state), kDiOk);
    EXPECT_EQ(state.rgdwPOV[0], 22500u);
    EXPECT_EQ(state.rgdwPOV[1], 0xFFFFFFFFu);
    EXPECT_EQ(state.rgbButtons[11], 0x80);
    EXPECT_EQ(state.rgbButtons[12], 0x80);
    EXPECT_EQ(state.lZ, -128);
    EXPECT_EQ(state.lX, 0);
}

TEST_F(SdlInputTest, ReadsNeedTheDeviceAcquiredAndTheJoystickFormat) {
    Attach({SDL_JOYSTICK_TYPE_ARCADE_STICK, 2, 2, 0});
    Discover();
    InputDevice* device = devices_.JoystickSlots[0];
    ASSERT_NE(device, nullptr);
    JoystickState state{};
    EXPECT_EQ(device->GetDeviceState(sizeof state, &state), kDiOk);
    EXPECT_EQ(device->GetDeviceState(sizeof state - 1, &state), kDiErrInvalidParam);
    EXPECT_EQ(device->Unacquire(), kDiOk);
    EXPECT_EQ(device->GetDeviceState(sizeof state, &state), kDiErrNotAcquired);
    EXPECT_EQ(device->Poll(), kDiErrNotAcquired);
    EXPECT_EQ(device->SetDataFormat(DataFormat::Keyboard), kDiErrInvalidParam);
    EXPECT_EQ(device->Acquire(), kDiOk);
    EXPECT_EQ(device->SetRange(0xFFFFFF02u, -1, 1), kDiErrNotFound);
}

TEST_F(SdlInputTest, AFifthControllerIsNeverOpened) {
    for (int i = 0; i < 4; ++i) {
        Attach({SDL_JOYSTICK_TYPE_ARCADE_STICK, 2, static_cast<int>(i + 1), 0});
    }
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_ARCADE_STICK;
    desc.naxes = 2;
    desc.nbuttons = 9;
    const int fifth = SDL_JoystickAttachVirtualEx(&desc);
    ASSERT_GE(fifth, 0);
    Discover();
    for (int slot = 0; slot < 4; ++slot) {
        EXPECT_EQ(devices_.joystickCaps[slot].buttonCount, static_cast<uint32_t>(slot + 1));
    }
    ReleaseInputDevices(devices_);
    SDL_JoystickDetachVirtual(fifth);
}

TEST(SdlScaling, RoundsToTheSetRange) {
    EXPECT_EQ(ScaleAxis(0, -32768, 32767, -128, 127), 0);
    EXPECT_EQ(ScaleAxis(-32768, -32768, 32767, -128, 127), -128);
    EXPECT_EQ(ScaleAxis(32767, -32768, 32767, -128, 127), 127);
    EXPECT_EQ(ScaleAxis(0, 0, 32767, -128, 127), -128);
    EXPECT_EQ(ScaleAxis(32767, 0, 32767, -128, 127), 127);
    EXPECT_EQ(ScaleAxis(32767, -32768, 32767, 0, 1000), 1000);
    EXPECT_EQ(PovFromSdlHat(SDL_HAT_CENTERED), 0xFFFFFFFFu);
    EXPECT_EQ(PovFromSdlHat(SDL_HAT_RIGHTUP), 4500u);
}

}  // namespace
}  // namespace ravel
