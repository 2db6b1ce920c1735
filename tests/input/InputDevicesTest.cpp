#include "input/InputDevices.h"

#include <gtest/gtest.h>

#include "fakes/FakeInput.h"

namespace ravel {
namespace {

using testing::AxisObject;
using testing::FakeInputSystem;
using testing::Joystick;
using testing::kSFalse;
using testing::PovObject;

NativeWindow const kSheet = reinterpret_cast<NativeWindow>(0x1234);

struct Discovery {
    FakeInputSystem platform;
    InputDevices devices{};
    bool result = false;

    void Init() { result = InitInputDevices(devices, platform, nullptr, kSheet); }
    InputDevice* Slot(int i) const { return devices.JoystickSlots[i]; }
};

TEST(InputDiscovery, NoControllerGivesEmptySlotsAndAKeyboard) {
    Discovery run;
    run.Init();
    EXPECT_TRUE(run.result);
    ASSERT_NE(run.platform.keyboard, nullptr);
    EXPECT_EQ(run.devices.KeyboardDevice, run.platform.keyboard);
    EXPECT_EQ(run.platform.keyboard->cooperativeFlags(), kDisclNonExclusive | kDisclForeground);
    EXPECT_EQ(run.platform.keyboard->window(), kSheet);
    EXPECT_TRUE(run.platform.keyboard->acquired());
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(run.Slot(i), nullptr);
        EXPECT_EQ(run.devices.joystickCaps[i].buttonCount, 0u);
    }
}

TEST(InputDiscovery, FifthControllerIsNeverCreated) {
    Discovery run;
    run.platform.controllers.assign(5, {kDiOk, Joystick(8)});
    run.Init();
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(run.Slot(i), run.platform.joysticks[i]);
        EXPECT_EQ(run.devices.joystickCaps[i].buttonCount, 8u);
        EXPECT_EQ(run.platform.joysticks[i]->cooperativeFlags(), kDisclExclusive | kDisclForeground);
    }
    EXPECT_EQ(run.platform.createAttempts[4], 0);
}

TEST(InputDiscovery, ControllerThatCannotBeCreatedUsesNoSlot) {
    Discovery run;
    run.platform.controllers = {{kDiOk, Joystick(2)}, {kDiErrGeneric, Joystick(3)},
                                {kDiOk, Joystick(4)}};
    run.Init();
    EXPECT_EQ(run.Slot(0), run.platform.joysticks[0]);
    EXPECT_EQ(run.Slot(1), run.platform.joysticks[2]);
    EXPECT_EQ(run.devices.joystickCaps[1].buttonCount, 4u);
    EXPECT_EQ(run.Slot(2), nullptr);
}

TEST(InputDiscovery, SetUpThatIsNotExactlyDiOkEmptiesOnlyThatSlot) {
    struct Case {
        const char* what;
        void (*spoil)(testing::FakeDeviceScript&);
    };
    const Case cases[] = {
        {"data format", [](testing::FakeDeviceScript& s) { s.dataFormat = kSFalse; }},
        {"cooperative level", [](testing::FakeDeviceScript& s) { s.cooperativeLevel = kSFalse; }},
        {"object enumeration", [](testing::FakeDeviceScript& s) { s.enumObjects = kDiErrGeneric; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Discovery run;
        auto second = Joystick(6, {AxisObject(GUID_ZAxis, 2)});
        c.spoil(second);
        run.platform.controllers = {{kDiOk, Joystick(2)}, {kDiOk, second}, {kDiOk, Joystick(4)}};
        run.Init();
        EXPECT_TRUE(run.result);
        EXPECT_NE(run.Slot(0), nullptr);
        EXPECT_EQ(run.Slot(1), nullptr);
        EXPECT_EQ(run.platform.joysticks[1]->releaseCount, 1);
        EXPECT_EQ(run.Slot(2), run.platform.joysticks[2]);  // keeps joystick number 3
        EXPECT_EQ(run.devices.joystickCaps[1].buttonCount, 0u);
        EXPECT_EQ(run.devices.joystickCaps[2].buttonCount, 4u);
    }
}

TEST(InputDiscovery, CapsOfAStickWithRzTwoSlidersAndAHat) {
    Discovery run;
    run.platform.controllers = {{kDiOk, Joystick(10, {AxisObject(GUID_RzAxis, 5),
                                                      AxisObject(GUID_Slider, 6),
                                                      AxisObject(GUID_Slider, 7), PovObject(0)})}};
    run.Init();
    const JoystickCaps& caps = run.devices.joystickCaps[0];
    EXPECT_EQ(caps.buttonCount, 10u);
    EXPECT_EQ(caps.hasZ, 0);
    EXPECT_EQ(caps.hasRx, 0);
    EXPECT_EQ(caps.hasRy, 0);
    EXPECT_EQ(caps.hasRz, 1);
    EXPECT_EQ(caps.sliderCount, 2u);
    EXPECT_EQ(caps.povCount, 1u);
    // Every axis (X, Y, Rz, both sliders) and nothing else gets -128..127.
    const auto& ranges = run.platform.joysticks[0]->ranges;
    ASSERT_EQ(ranges.size(), 5u);
    for (const auto& range : ranges) {
        EXPECT_EQ(range.minimum, -128);
        EXPECT_EQ(range.maximum, 127);
    }
}

TEST(InputDiscovery, RangeFailureStopsTheObjectScanButKeepsTheJoystick) {
    Discovery run;
    auto script = Joystick(3, {AxisObject(GUID_ZAxis, 2), AxisObject(GUID_RxAxis, 3), PovObject(0)});
    script.failRangeAtObject = 3;  // Rx
    run.platform.controllers = {{kDiOk, script}};
    run.Init();
    ASSERT_EQ(run.Slot(0), run.platform.joysticks[0]);
    const JoystickCaps& caps = run.devices.joystickCaps[0];
    EXPECT_EQ(caps.hasZ, 1);
    EXPECT_EQ(caps.hasRx, 0);
    EXPECT_EQ(caps.povCount, 0u);
    EXPECT_EQ(caps.buttonCount, 3u);  // from the capabilities, not the objects
}

TEST(InputDiscovery, FailedCapabilitiesLeaveTheJoystickWithoutButtons) {
    Discovery run;
    auto script = Joystick(5, {AxisObject(GUID_ZAxis, 2)});
    script.capabilities = kDiErrGeneric;
    run.platform.controllers = {{kDiOk, script}};
    run.Init();
    EXPECT_NE(run.Slot(0), nullptr);
    EXPECT_EQ(run.devices.joystickCaps[0].buttonCount, 0u);
    EXPECT_EQ(run.devices.joystickCaps[0].hasZ, 1);
}

TEST(InputDiscovery, NoInputSystemMeansNothingAtAll) {
    Discovery run;
    run.platform.createSystem = kDiErrGeneric;
    run.platform.controllers = {{kDiOk, Joystick(4)}};
    run.Init();
    EXPECT_FALSE(run.result);
    EXPECT_EQ(run.devices.DirectInputObject, nullptr);
    EXPECT_EQ(run.devices.KeyboardDevice, nullptr);
    EXPECT_EQ(run.Slot(0), nullptr);
    ReleaseInputDevices(run.devices);  // does nothing
    EXPECT_EQ(run.platform.systemReleaseCount, 0);
}

TEST(InputDiscovery, MissingKeyboardStillFindsJoysticks) {
    Discovery run;
    run.platform.createKeyboard = kDiErrGeneric;
    run.platform.controllers = {{kDiOk, Joystick(4)}};
    run.Init();
    EXPECT_TRUE(run.result);
    EXPECT_EQ(run.devices.KeyboardDevice, nullptr);
    EXPECT_NE(run.Slot(0), nullptr);
    EXPECT_EQ(PollKeyboardCapture(run.devices), -1);
}

TEST(InputDiscovery, KeyboardThatCannotBeConfiguredEndsDiscovery) {
    for (bool formatFails : {true, false}) {
        SCOPED_TRACE(formatFails ? "data format" : "cooperative level");
        Discovery run;
        if (formatFails) {
            run.platform.keyboardScript.dataFormat = kDiErrGeneric;
        } else {
            run.platform.keyboardScript.cooperativeLevel = kDiErrGeneric;
        }
        run.platform.controllers = {{kDiOk, Joystick(4)}};
        run.Init();
        EXPECT_FALSE(run.result);
        EXPECT_EQ(run.platform.systemReleaseCount, 1);
        EXPECT_EQ(run.platform.keyboard->releaseCount, 1);
        EXPECT_EQ(run.devices.KeyboardDevice, nullptr);
        EXPECT_EQ(run.platform.createAttempts[0], 0);
    }
}

TEST(InputDiscovery, KeyboardAcceptsAnySuccess) {
    Discovery run;
    run.platform.keyboardScript.dataFormat = kSFalse;
    run.platform.keyboardScript.cooperativeLevel = kSFalse;
    run.Init();
    EXPECT_TRUE(run.result);
    EXPECT_EQ(run.devices.KeyboardDevice, run.platform.keyboard);
}

TEST(InputDiscovery, ReleaseUnacquiresAndReleasesEverythingOnce) {
    Discovery run;
    run.platform.controllers = {{kDiOk, Joystick(2)}, {kDiOk, Joystick(2)}};
    run.Init();
    ReleaseInputDevices(run.devices);
    ReleaseInputDevices(run.devices);
    EXPECT_EQ(run.platform.keyboard->unacquireCount, 1);
    EXPECT_EQ(run.platform.keyboard->releaseCount, 1);
    for (auto* joystick : run.platform.joysticks) {
        EXPECT_EQ(joystick->unacquireCount, 1);
        EXPECT_EQ(joystick->releaseCount, 1);
    }
    EXPECT_EQ(run.platform.systemReleaseCount, 1);
    EXPECT_EQ(run.devices.KeyboardDevice, nullptr);
    EXPECT_EQ(run.Slot(0), nullptr);
}

TEST(CapturePoll, KeyboardReportsLowestKeyAndRecoversFromLostInput) {
    Discovery run;
    run.Init();
    auto* keyboard = run.platform.keyboard;
    EXPECT_EQ(PollKeyboardCapture(run.devices), -1);
    keyboard->keys[0x1E] = 0x80;
    keyboard->keys[0x10] = 0x80;
    EXPECT_EQ(PollKeyboardCapture(run.devices), 0x10);

    const int acquired = keyboard->acquireCount;
    keyboard->LoseInput();
    EXPECT_EQ(PollKeyboardCapture(run.devices), -1);
    EXPECT_EQ(keyboard->acquireCount, acquired + 1);
    EXPECT_EQ(PollKeyboardCapture(run.devices), 0x10);
}

TEST(CapturePoll, DevicesUnacquiredWhileInTheBackgroundAreAcquiredAgain) {
    Discovery run;
    run.platform.controllers = {{kDiOk, Joystick(2)}};
    run.Init();
    auto* keyboard = run.platform.keyboard;
    auto* joystick = run.platform.joysticks[0];
    keyboard->keys[0x24] = 0x80;
    joystick->state.rgbButtons[1] = 0x80;
    // Away: the first reads report lost input, Acquire is refused while the
    // sheet is in the background, later reads report "not acquired".
    keyboard->LoseInput();
    joystick->LoseInput();
    keyboard->RefuseAcquire(true);
    joystick->RefuseAcquire(true);
    for (int tick = 0; tick < 3; ++tick) {
        EXPECT_EQ(PollKeyboardCapture(run.devices), -1);
        EXPECT_EQ(PollJoystickCapture(run.devices, 0), NoInput);
    }
    // Back in the foreground: the next tick acquires, the one after reads.
    keyboard->RefuseAcquire(false);
    joystick->RefuseAcquire(false);
    EXPECT_EQ(PollKeyboardCapture(run.devices), -1);
    EXPECT_EQ(PollKeyboardCapture(run.devices), 0x24);
    EXPECT_EQ(PollJoystickCapture(run.devices, 0), NoInput);
    EXPECT_EQ(PollJoystickCapture(run.devices, 0), 0x1000001u);
}

TEST(CapturePoll, LowerSlotWinsAndALostJoystickIsSkippedThenReacquired) {
    Discovery run;
    run.platform.controllers = {{kDiOk, Joystick(4)}, {kDiOk, Joystick(0)}, {kDiOk, Joystick(4)}};
    run.Init();
    auto* first = run.platform.joysticks[0];
    auto* noButtons = run.platform.joysticks[1];
    auto* third = run.platform.joysticks[2];
    EXPECT_EQ(PollJoystickCapture(run.devices, 0), NoInput);

    first->state.rgbButtons[1] = 0x80;
    third->state.lX = -100;
    EXPECT_EQ(PollJoystickCapture(run.devices, 0), 0x1000001u);

    first->LoseInput();
    EXPECT_EQ(PollJoystickCapture(run.devices, 0), 0x22000000u);  // this tick, slot 2
    EXPECT_TRUE(first->acquired());
    EXPECT_EQ(PollJoystickCapture(run.devices, 0), 0x1000001u);  // next tick, slot 0 again

    // A joystick without buttons is still polled for its stick.
    first->state.rgbButtons[1] = 0;
    third->state.lX = 0;
    noButtons->state.lY = 90;
    EXPECT_EQ(PollJoystickCapture(run.devices, 0), 0x12000003u);
    EXPECT_GT(noButtons->pollCount, 0);
}

TEST(CapturePoll, OnlyTheLowByteOfTheOptionsCounts) {
    Discovery run;
    run.platform.controllers = {{kDiOk, Joystick(2, {AxisObject(GUID_ZAxis, 2)})}};
    run.Init();
    run.platform.joysticks[0]->state.lZ = 100;
    EXPECT_EQ(PollJoystickCapture(run.devices, 0x800), NoInput);
    EXPECT_EQ(PollJoystickCapture(run.devices, 0xFFFFFF08), 0x2000005u);
}

}  // namespace
}  // namespace ravel
