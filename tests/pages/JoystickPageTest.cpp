// The Joystick page over scripted joysticks: the lists each slot offers, the
// Advanced boxes, capture, codes no list names, Default Settings and Apply.
#include <gtest/gtest.h>

#include "pages/PageHarness.h"

namespace ravel {
namespace {

using namespace testing;

constexpr int kUp = 1041, kLeft = 1043, kKick = 1046, kStart = 1054;

std::string Texts(const std::vector<FakeDialog::Entry>& entries) {
    std::string texts;
    char value[16];
    for (const auto& entry : entries) {
        std::snprintf(value, sizeof value, "=%x ", entry.value);
        texts += entry.text + value;
    }
    return texts;
}

// Every list the same: its size and last entry; then the grey Advanced boxes.
TEST(JoystickPage, ListsAndAdvancedBoxesFollowTheAttachedJoysticks) {
    // clang-format off
    const std::vector<ObjectInstance> beyondTheState = {
        PovObject(0), PovObject(1), PovObject(2), PovObject(3), PovObject(4), PovObject(5),
        AxisObject(GUID_Slider, 6), AxisObject(GUID_Slider, 7), AxisObject(GUID_Slider, 8)};
    // clang-format on
    const std::pair<std::vector<FakeControllerScript>, const char*> rows[] = {
        // clang-format off
        {{}, "1 None   | 1011 1012 1013"},
        {{{kDiOk, Joystick(4)}}, "9 1BUTTON4 | 1011 1012 1013"},
        {{{kDiOk, Joystick(4)}, {kDiOk, Joystick(1, {AxisObject(GUID_RzAxis, 5)})}}, "16 2BUTTON1 | 1012 1013"},
        // Without buttons a joystick offers nothing, but its axes count.
        {{{kDiOk, Joystick(0, {AxisObject(GUID_ZAxis, 2), AxisObject(GUID_Slider, 3)})}}, "1 None   | 1011"},
        // Only what the state holds: 32 buttons, 2 sliders, 4 hats.
        {{{kDiOk, Joystick(40, beyondTheState)}}, "57 1BUTTON32 | 1011 1013"},
        // clang-format on
    };
    for (const auto& [controllers, seen] : rows) {
        Harness h;
        h.input.controllers = controllers;
        h.Start();
        h.OpenJoystick();
        const auto& entries = h.joystick.Entries(kUp);
        for (int id = kUp + 1; id <= kStart; ++id) {
            EXPECT_EQ(Texts(h.joystick.Entries(id)), Texts(entries)) << id;
        }
        EXPECT_EQ(std::to_string(entries.size()) + " " + entries.back().text + " | " +
                      h.joystick.GreyIds(),
                  seen);
    }
}

// Player 1 holds codes no list names, player 2 one code everywhere; the
// third joystick has no buttons and so no entries.
TEST(JoystickPage, Journey) {
    Harness h;
    SettingsRecord file = DefaultRecord();
    const uint32_t loaded[] = {0x31000004, 0x00000002, 0x0800000E, 0x01000001};
    std::copy(std::begin(loaded), std::end(loaded), file.JoystickTable[0]);
    std::fill_n(file.JoystickTable[1], 24, 0x01000000);       // joystick 1's first button
    file.AxisOptionFlags = 0xF0000001 | kAxisOptionRotation;  // with bits the editor does not own
    h.WriteFile(file);
    // A plain four-button pad, a two-button stick with Z, a slider and a hat,
    // and in slot 3 a joystick without buttons.
    h.input.controllers = {
        {kDiOk, Joystick(4)},
        {kDiOk, Joystick(2, {AxisObject(GUID_ZAxis, 2), AxisObject(GUID_Slider, 3), PovObject(0)})},
        {kDiOk, Joystick(0)}};
    h.Start();
    h.OpenJoystick();
    auto& d = h.joystick;
    EXPECT_EQ(Texts(d.Entries(kUp)),
              "None  =ffffffff 1LEFT=2000000 1RIGHT=2000001 1UP=2000002 1DOWN=2000003 "
              "1BUTTON1=1000000 1BUTTON2=1000001 1BUTTON3=1000002 1BUTTON4=1000003 2LEFT=12000000 "
              "2RIGHT=12000001 2UP=12000002 2DOWN=12000003 2ZMIN=12000004 2ZMAX=12000005 "
              "2SLD MIN1=18000000 2SLD MAX1=18000001 2POV UP1=14000000 2POV DOWN1=14000001 "
              "2POV LEFT1=14000002 2POV RIGHT1=14000003 2BUTTON1=11000000 2BUTTON2=11000001 ");
    EXPECT_EQ(
        d.SelectedText(kUp) + d.SelectedText(1042) + d.SelectedText(kLeft) + d.SelectedText(1044),
        "None  None  None  1BUTTON2");
    EXPECT_EQ(d.Seen(), "1002 1011 | 1011") << "a grey box still shows its flag";

    // Holds an input for one tick with the focus on `id`: what the list shows.
    auto hold = [&](int id, auto& input, int value) {
        d.Focus(id);
        input = value;
        d.Tick();
        input = 0;
        return d.SelectedText(id) + " " + std::to_string(d.changedCount);
    };
    JoystickState& pad = h.Joystick(0)->state;
    JoystickState& stick = h.Joystick(1)->state;
    d.DropDown(kKick);
    EXPECT_EQ(hold(kKick, pad.rgbButtons[2], 0x80), "1BUTTON3 1");
    EXPECT_FALSE(d.Find(kKick)->droppedDown);
    EXPECT_EQ(hold(kLeft, stick.lX, -100), "2LEFT 2");
    // Z is heard only once its box is checked; a box sets its bit alone.
    EXPECT_EQ(hold(kUp, stick.lZ, 100), "None   2");
    d.Click(1013);
    EXPECT_EQ(h.editor.settings.AxisOptionFlags, 0xF000000Du);
    EXPECT_EQ(hold(kUp, stick.lZ, 100), "2ZMAX 4");
    d.Click(1012);
    d.Click(1012);
    // An input no list offers still enables Apply; a focus elsewhere hears nothing.
    EXPECT_EQ(hold(kUp, h.Joystick(2)->state.lY, -100), "2ZMAX 7");
    EXPECT_EQ(hold(1002, h.Joystick(2)->state.lY, -100), " 7");
    EXPECT_EQ(h.joystickPage->OnNotify(kPsnKillActive), 0) << "the page may always be left";

    // Default Settings rebuilds the shown player alone, from its own slot.
    d.Click(1003);
    d.Click(1020);
    EXPECT_EQ(d.SelectedText(kUp) + d.SelectedText(1045) + d.SelectedText(1047) +
                  std::to_string(d.changedCount),
              "2UP2BUTTON1None  8");
    h.Apply();
    const SettingsRecord written = h.FileRecord();
    std::vector<uint32_t> seen(written.JoystickTable[0], written.JoystickTable[0] + 24);
    seen.push_back(written.AxisOptionFlags);
    const uint32_t N = NoInput;  // entries 14-23 have no list and are stored as 0
    // clang-format off
    EXPECT_EQ(seen, std::vector<uint32_t>({0x12000005, N, 0x12000000, 0x01000001, N, 0x01000002,
                                           N, N, N, N, N, N, N, N, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xF000000D}));
    // clang-format on
}

}  // namespace
}  // namespace ravel
