#include <gtest/gtest.h>

#include <set>

#include "pages/PageHarness.h"
#include "settings/Defaults.h"

namespace ravel {
namespace {

using testing::AxisObject;
using testing::Harness;
using testing::Joystick;
using testing::PovObject;

constexpr int kUpList = 1041, kLeftList = 1043, kKickList = 1046, kStartList = 1054;

// The two joysticks players most often describe: a plain four-button pad in
// slot 0 and a two-button stick with Z, a slider and a hat in slot 1.
void AttachExamplePair(Harness& h, bool second = true) {
    h.input.controllers = {{kDiOk, Joystick(4)}};
    if (second) {
        h.input.controllers.push_back(
            {kDiOk, Joystick(2, {AxisObject(GUID_ZAxis, 2), AxisObject(GUID_Slider, 3), PovObject(0)})});
    }
}

TEST(JoystickPage, ListsOfTheTwoJoystickExample) {
    Harness h;
    AttachExamplePair(h);
    h.Start();
    h.OpenJoystick();
    const std::vector<std::pair<std::string, uint32_t>> expected = {
        {"None  ", 0xFFFFFFFF},   {"1LEFT", 0x02000000},    {"1RIGHT", 0x02000001},
        {"1UP", 0x02000002},      {"1DOWN", 0x02000003},    {"1BUTTON1", 0x01000000},
        {"1BUTTON2", 0x01000001}, {"1BUTTON3", 0x01000002}, {"1BUTTON4", 0x01000003},
        {"2LEFT", 0x12000000},    {"2RIGHT", 0x12000001},   {"2UP", 0x12000002},
        {"2DOWN", 0x12000003},    {"2ZMIN", 0x12000004},    {"2ZMAX", 0x12000005},
        {"2SLD MIN1", 0x18000000}, {"2SLD MAX1", 0x18000001}, {"2POV UP1", 0x14000000},
        {"2POV DOWN1", 0x14000001}, {"2POV LEFT1", 0x14000002}, {"2POV RIGHT1", 0x14000003},
        {"2BUTTON1", 0x11000000}, {"2BUTTON2", 0x11000001},
    };
    for (int id = 1041; id <= 1054; ++id) {
        const auto entries = h.joystick.Entries(id);
        ASSERT_EQ(entries.size(), expected.size()) << id;
        for (size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(entries[i].text, expected[i].first) << id << " " << i;
            EXPECT_EQ(entries[i].value, expected[i].second) << id << " " << i;
        }
    }
    EXPECT_FALSE(h.joystick.Enabled(1011));
    EXPECT_TRUE(h.joystick.Enabled(1012));
    EXPECT_TRUE(h.joystick.Enabled(1013));
    // Player 1's defaults come from joystick 1.
    EXPECT_EQ(h.joystick.SelectedText(kUpList), "1UP");
    EXPECT_EQ(h.joystick.SelectedText(kKickList), "1BUTTON2");
    EXPECT_EQ(h.joystick.SelectedText(kStartList), "None  ");  // button 10 does not exist
}

TEST(JoystickPage, AdvancedBoxesFollowTheCapsOfAllSlots) {
    struct Case {
        const char* what;
        std::vector<testing::FakeControllerScript> controllers;
        bool rotation, sliders, z;
    };
    const std::vector<Case> cases = {
        {"nothing attached", {}, false, false, false},
        {"only the plain pad", {{kDiOk, Joystick(4)}}, false, false, false},
        {"Rz on a second stick", {{kDiOk, Joystick(4)}, {kDiOk, Joystick(1, {AxisObject(GUID_RzAxis, 5)})}}, true, false, false},
        {"a stick without buttons still counts",
         {{kDiOk, Joystick(0, {AxisObject(GUID_ZAxis, 2), AxisObject(GUID_Slider, 3)})}}, false, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Harness h;
        h.input.controllers = c.controllers;
        h.Start();
        h.OpenJoystick();
        EXPECT_EQ(h.joystick.Enabled(1011), c.rotation);
        EXPECT_EQ(h.joystick.Enabled(1012), c.sliders);
        EXPECT_EQ(h.joystick.Enabled(1013), c.z);
    }
}

TEST(JoystickPage, NoJoystickThenApplyStoresNoInputAndZeros) {
    Harness h;
    h.Start();
    h.OpenJoystick();
    for (int id = 1041; id <= 1054; ++id) {
        ASSERT_EQ(h.joystick.Entries(id).size(), 1u);
        EXPECT_EQ(h.joystick.SelectedText(id), "None  ");
    }
    h.Apply();
    const SettingsRecord written = h.FileRecord();
    for (int i = 0; i < 24; ++i) {
        EXPECT_EQ(written.JoystickTable[0][i], i < 14 ? NoInput : 0u) << i;
        EXPECT_EQ(written.JoystickTable[1][i], NoInput) << i;  // never shown
    }
}

TEST(JoystickPage, CapturesIntoTheFocusedList) {
    Harness h;
    AttachExamplePair(h);
    h.Start();
    h.OpenJoystick();
    auto& d = h.joystick;

    d.DropDown(kKickList);
    h.Joystick(0)->state.rgbButtons[2] = 0x80;  // button 3 of joystick 1
    d.Tick();
    h.Joystick(0)->state.rgbButtons[2] = 0;
    EXPECT_EQ(d.SelectedText(kKickList), "1BUTTON3");
    EXPECT_FALSE(d.Find(kKickList)->droppedDown);

    d.Focus(kLeftList);
    h.Joystick(1)->state.lX = -100;
    d.Tick();
    h.Joystick(1)->state.lX = 0;
    EXPECT_EQ(d.SelectedText(kLeftList), "2LEFT");

    // Z is heard only once its box is checked.
    d.Focus(kUpList);
    h.Joystick(1)->state.lZ = 100;
    d.Tick();
    EXPECT_EQ(d.SelectedText(kUpList), "1UP");
    d.Click(1013);
    d.Focus(kUpList);
    d.Tick();
    EXPECT_EQ(d.SelectedText(kUpList), "2ZMAX");
    h.Joystick(1)->state.lZ = 0;

    h.Apply();
    const SettingsRecord written = h.FileRecord();
    EXPECT_EQ(written.JoystickTable[0][5], 0x01000002u);
    EXPECT_EQ(written.JoystickTable[0][2], 0x12000000u);
    EXPECT_EQ(written.JoystickTable[0][0], 0x12000005u);
    EXPECT_EQ(written.AxisOptionFlags, kAxisOptionZ);
}

TEST(JoystickPage, InputNoListOffersStillEnablesApply) {
    Harness h;
    h.input.controllers = {{kDiOk, Joystick(0)}};  // in its slot, but no buttons
    h.Start();
    h.OpenJoystick();
    h.joystick.Focus(kUpList);
    h.Joystick(0)->state.lY = -100;
    h.joystick.Tick();
    EXPECT_EQ(h.joystick.SelectedText(kUpList), "None  ");
    EXPECT_EQ(h.joystick.changedCount, 1);
}

TEST(JoystickPage, NothingCapturedWithoutAFocusedList) {
    Harness h;
    AttachExamplePair(h);
    h.Start();
    h.OpenJoystick();
    h.joystick.Focus(1002);
    h.Joystick(0)->state.rgbButtons[0] = 0x80;
    h.joystick.Tick();
    EXPECT_EQ(h.joystick.changedCount, 0);
}

TEST(JoystickPage, AdvancedBoxesSetOnlyTheirBitEachTime) {
    Harness h;
    SettingsRecord file{};
    ResetAllSettings(file, CapabilityFlags{1, 1}, JoystickCapsTable{});
    file.AxisOptionFlags = 0xF0000001;  // bits the editor does not own
    h.WriteFile(file);
    h.input.controllers = {{kDiOk, Joystick(2, {AxisObject(GUID_Slider, 2)})}};
    h.Start();
    h.OpenJoystick();
    h.joystick.Click(1012);
    EXPECT_EQ(h.editor.settings.AxisOptionFlags, 0xF0000003u);
    h.joystick.Click(1012);
    EXPECT_EQ(h.editor.settings.AxisOptionFlags, 0xF0000001u);
    EXPECT_EQ(h.joystick.changedCount, 2);
}

TEST(JoystickPage, GreyBoxStillShowsItsFlag) {
    Harness h;
    SettingsRecord file{};
    ResetAllSettings(file, CapabilityFlags{1, 1}, JoystickCapsTable{});
    file.AxisOptionFlags = kAxisOptionZ;
    h.WriteFile(file);
    h.Start();
    h.OpenJoystick();
    EXPECT_FALSE(h.joystick.Enabled(1013));
    EXPECT_TRUE(h.joystick.Checked(1013));
    EXPECT_FALSE(h.joystick.Checked(1011));
}

TEST(JoystickPage, CodesNoListNamesShowNoneAndBecomeNoInput) {
    Harness h;
    SettingsRecord file{};
    ResetAllSettings(file, CapabilityFlags{1, 1}, JoystickCapsTable{});
    file.JoystickTable[0][0] = 0x31000004;  // joystick 4, not attached
    file.JoystickTable[0][1] = 0x00000002;  // no kind bit
    file.JoystickTable[0][2] = 0x0800000E;  // slider end past the table
    file.JoystickTable[0][3] = 0x01000001;  // joystick 1's button 2: offered
    file.JoystickTable[0][14] = 0x01000000;
    h.WriteFile(file);
    h.input.controllers = {{kDiOk, Joystick(4)}};
    h.Start();
    h.OpenJoystick();
    EXPECT_EQ(h.joystick.SelectedText(1041), "None  ");
    EXPECT_EQ(h.joystick.SelectedText(1042), "None  ");
    EXPECT_EQ(h.joystick.SelectedText(1043), "None  ");
    EXPECT_EQ(h.joystick.SelectedText(1044), "1BUTTON2");
    h.joystick.Click(1003);  // switching stores Player 1
    EXPECT_EQ(h.joystick.changedCount, 0);
    const uint32_t* stored = h.editor.settings.JoystickTable[0];
    EXPECT_EQ(stored[0], NoInput);
    EXPECT_EQ(stored[1], NoInput);
    EXPECT_EQ(stored[2], NoInput);
    EXPECT_EQ(stored[3], 0x01000001u);
    EXPECT_EQ(stored[14], 0u);
    h.joystick.Click(1002);
    EXPECT_EQ(h.joystick.SelectedText(1044), "1BUTTON2");
}

TEST(JoystickPage, DefaultSettingsRebuildTheShownPlayerFromItsSlot) {
    Harness h;
    AttachExamplePair(h);
    h.Start();
    h.OpenJoystick();
    h.joystick.Click(1003);  // Player 2: joystick 2
    h.joystick.Choose(kUpList, 0);
    h.joystick.Click(1020);
    EXPECT_EQ(h.joystick.SelectedText(kUpList), "2UP");
    EXPECT_EQ(h.joystick.SelectedText(1045), "2BUTTON1");
    EXPECT_EQ(h.joystick.changedCount, 2);
    h.joystick.Click(1003);  // already shown: nothing
    EXPECT_EQ(h.joystick.changedCount, 2);
}

TEST(JoystickPage, DevicesBeyondTheStateOfferOnlyWhatCanBeCaptured) {
    Harness h;
    std::vector<ObjectInstance> extra;
    for (uint32_t i = 0; i < 3; ++i) {
        extra.push_back(AxisObject(GUID_Slider, 6 + i));
    }
    for (uint32_t i = 0; i < 6; ++i) {
        extra.push_back(PovObject(i));
    }
    h.input.controllers = {{kDiOk, Joystick(40, extra)}};
    h.Start();
    h.OpenJoystick();
    const auto entries = h.joystick.Entries(kUpList);
    // None, 4 directions, 2 sliders x 2, 4 hats x 4, 32 buttons.
    EXPECT_EQ(entries.size(), 1u + 4 + 4 + 16 + 32);
    std::set<std::string> names;
    for (const auto& entry : entries) {
        names.insert(entry.text);
        char text[kInputNameCapacity] = "";
        if (entry.value != NoInput) {
            FormatInputCode(text, sizeof text, entry.value);
            EXPECT_EQ(entry.text, text);  // every entry can be found again by name
        }
    }
    EXPECT_EQ(names.size(), entries.size());
}

}  // namespace
}  // namespace ravel
