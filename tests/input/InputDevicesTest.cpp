// Device discovery and the capture polls over scripted DirectInput devices:
// which slot each controller gets, what its caps say, what a failure drops,
// that everything is released once, and reads that recover after lost input.
#include "input/InputDevices.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "fakes/FakeInput.h"

namespace ravel {
namespace {

using namespace testing;
using Scripts = std::vector<FakeControllerScript>;

NativeWindow const kSheet = reinterpret_cast<NativeWindow>(0x1234);

char Fate(const FakeDevice* d, bool kept, uint32_t level) {
    if (d == nullptr) {
        return '-';
    }
    const bool ready = d->window == kSheet && d->cooperativeFlags == level && d->acquired;
    const bool right = kept ? ready && d->releaseCount == 0 : d->releaseCount == 1;
    return right ? (kept ? 'k' : 'r') : '?';
}

// "1 kk krk | 10ZYssh - 2 -": the answer; the system, the keyboard and each
// controller (- never made, k kept, acquired and set up for the sheet, r
// released once, ? otherwise); each slot's buttons, axes (Z, X for Rx, Y for
// Ry, R for Rz), a letter per slider and per hat, or - when empty.
std::string Summary(bool found, const FakeInputSystem& p, const InputDevices& d) {
    std::string text = std::to_string(found) + " ";
    text += d.DirectInputObject ? 'k' : "-r?"[std::min(p.systemReleaseCount, 2)];
    text += Fate(p.keyboard, p.keyboard == d.KeyboardDevice, kDisclNonExclusive | kDisclForeground);
    text += ' ';
    for (const FakeDevice* made : p.joysticks) {
        text += Fate(made, std::ranges::count(d.JoystickSlots, made) == 1,
                     kDisclExclusive | kDisclForeground);
    }
    text += " |";
    for (int slot = 0; slot < kJoystickSlotCount; ++slot) {
        const JoystickCaps& c = d.joystickCaps[slot];
        text += d.JoystickSlots[slot] == nullptr
                    ? " -"
                    : " " + std::to_string(c.buttonCount) + (c.hasZ ? "Z" : "") +
                          (c.hasRx ? "X" : "") + (c.hasRy ? "Y" : "") + (c.hasRz ? "R" : "") +
                          std::string(c.sliderCount, 's') + std::string(c.povCount, 'h');
    }
    return text;
}

TEST(InputDiscovery, SlotsCapsAndFailures) {
    const auto z = AxisObject(GUID_ZAxis, 2), rx = AxisObject(GUID_RxAxis, 3);
    const auto ry = AxisObject(GUID_RyAxis, 4), rz = AxisObject(GUID_RzAxis, 5);
    const auto s0 = AxisObject(GUID_Slider, 6), s1 = AxisObject(GUID_Slider, 7);
    const auto h0 = PovObject(0), h1 = PovObject(1), h2 = PovObject(2);
    const Scripts one{{kDiOk, Joystick(4)}};
    constexpr DiResult kFail = kDiErrGeneric;
    // Three controllers; the middle one's set-up answers `result` at `step`.
    const auto middle = [&](DiResult FakeDeviceScript::*step, DiResult result) {
        Scripts scripts{{kDiOk, Joystick(2)}, {kDiOk, Joystick(6, {z})}, {kDiOk, Joystick(4)}};
        scripts[1].device.*step = result;
        return scripts;
    };
    // A joystick set up with anything but DI_OK is dropped; one whose
    // capabilities fail keeps its slot without buttons.
    const struct {
        const char* what;
        Scripts controllers;
        const char* summary;
        void (*spoil)(FakeInputSystem&) = [](FakeInputSystem&) {};
    } rows[] = {
        // clang-format off
        {"nothing attached", {}, "1 kk  | - - - -"},
        {"never a fifth", Scripts(5, {kDiOk, Joystick(8)}), "1 kk kkkk- | 8 8 8 8"},
        {"not made: no slot", {{kDiOk, Joystick(2)}, {kFail, Joystick(3)}, {kDiOk, Joystick(4)}}, "1 kk k-k | 2 4 - -"},
        {"format", middle(&FakeDeviceScript::dataFormat, kSFalse), "1 kk krk | 2 - 4 -"},
        {"level", middle(&FakeDeviceScript::cooperativeLevel, kSFalse), "1 kk krk | 2 - 4 -"},
        {"objects", middle(&FakeDeviceScript::enumObjects, kSFalse), "1 kk krk | 2 - 4 -"},
        {"caps", middle(&FakeDeviceScript::capabilities, kFail), "1 kk kkk | 2 0Z 4 -"},
        {"each kind of object", {{kDiOk, Joystick(10, {z, ry, s0, s1, h0})}, {kDiOk, Joystick(1, {rx, rz, h0, h1, h2})}},
         "1 kk kk | 10ZYssh 1XRhhh - -"},
        {"no range for Rx: the scan ends", {{kDiOk, Joystick(3, {z, rx, h0})}}, "1 kk k | 3Z - - -",
         [](auto& p) { p.controllers[0].device.failRangeAtObject = 3; }},
        {"no system", one, "0 -- - | - - - -", [](auto& p) { p.createSystem = kFail; }},
        {"no keyboard", one, "1 k- k | 4 - - -", [](auto& p) { p.createKeyboard = kFail; }},
        {"kb format", one, "0 rr - | - - - -", [](auto& p) { p.keyboardScript.dataFormat = kFail; }},
        {"kb level", one, "0 rr - | - - - -", [](auto& p) { p.keyboardScript.cooperativeLevel = kFail; }},
        {"kb any success", {}, "1 kk  | - - - -",
         [](auto& p) { p.keyboardScript.dataFormat = p.keyboardScript.cooperativeLevel = kSFalse; }},
        // clang-format on
    };
    for (const auto& row : rows) {
        FakeInputSystem platform;
        platform.controllers = row.controllers;
        row.spoil(platform);
        InputDevices devices{};
        const bool found = InitInputDevices(devices, platform, nullptr, kSheet);
        EXPECT_EQ(Summary(found, platform, devices), row.summary) << row.what;
        ReleaseInputDevices(devices);
        ReleaseInputDevices(devices);  // safe twice
        std::string released(row.summary, std::strchr(row.summary, '|'));
        std::ranges::replace(released, 'k', 'r');
        EXPECT_EQ(Summary(found, platform, devices), released + "| - - - -") << row.what;
    }
}

// The polls, each "key/joystick" (ffffffff: nothing): lost input is acquired
// again, at once or, refused while the sheet is away, once it is back; the
// lower slot wins, a lost joystick is skipped, a joystick without buttons is
// still polled, and only the options' low byte counts.
TEST(CapturePoll, RecoversAndKeepsTheOrder) {
    FakeInputSystem platform;
    // The first has a hat, which the zeros of a failed read would show as up.
    platform.controllers = {{kDiOk, Joystick(4, {PovObject(0)})},
                            {kDiOk, Joystick(0, {AxisObject(GUID_ZAxis, 2), PovObject(0)})},
                            {kDiOk, Joystick(4)}};
    InputDevices devices{};
    InitInputDevices(devices, platform, nullptr, kSheet);
    FakeDevice *keyboard = platform.keyboard, *first = platform.joysticks[0];
    // Axes only, each to the capture's range.
    EXPECT_EQ(first->ranges + "| " + platform.joysticks[1]->ranges,
              "-128..127 -128..127 | -128..127 -128..127 -128..127 ");
    std::string polls;
    const auto poll = [&](int times, uint32_t options) {
        while (times-- > 0) {
            char text[32];
            const int key = PollKeyboardCapture(devices);  // the keyboard first
            std::snprintf(text, sizeof text, "%x/%x ", key, PollJoystickCapture(devices, options));
            polls += text;
        }
    };
    keyboard->keys[0x24] = first->state.rgbButtons[1] = 0x80;
    platform.joysticks[2]->state.lX = -100;
    poll(1, 0);
    // Lost, lost while the sheet is away, then back (nothing more to lose).
    for (const bool away : {false, true, false}) {
        for (FakeDevice* device : {keyboard, first}) {
            device->LoseInput();
            device->RefuseAcquire(away);
        }
        poll(2, 0);
    }
    first->state.rgbButtons[1] = 0;
    platform.joysticks[2]->state.lX = 0;
    platform.joysticks[1]->state.lZ = 100;
    poll(1, 0x800);
    poll(1, 0xFFFFFF08);
    ReleaseInputDevices(devices);
    poll(1, 0xE);  // nothing left to poll
    EXPECT_EQ(polls,
              "24/1000001 ffffffff/22000000 24/1000001 ffffffff/22000000 ffffffff/22000000 "
              "ffffffff/22000000 24/1000001 24/ffffffff 24/12000005 ffffffff/ffffffff ");
    EXPECT_EQ(keyboard->unacquireCount + first->unacquireCount, 2) << "unacquired before release";
}

}  // namespace
}  // namespace ravel
