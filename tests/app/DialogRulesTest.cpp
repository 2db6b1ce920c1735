// The page-window rules the pages rely on, as the fake dialog gives them;
// the real adapters are held to the same rules by their own tests.
#include <gtest/gtest.h>

#include "pages/Tooltips.h"
#include "fakes/FakeDialog.h"

namespace ravel {
namespace {

using testing::FakeDialog;

TEST(DialogRules, SelectByTextSearchesFromEntryOneWithEntryZeroLast) {
    FakeDialog d(kJoystickTemplateId);
    for (const char* text : {"1BUTTON1", "None  ", "1BUTTON10", "1button1x"}) {
        d.ListAppend(1041, text);
    }
    d.ListSelect(1041, 3);
    EXPECT_EQ(d.ListSelectText(1041, "1BUTTON1"), 2);  // entry 0 comes last
    EXPECT_EQ(d.ListSelectText(1041, "1bUtToN1X"), 3);  // case ignored
    EXPECT_EQ(d.ListSelectText(1041, "2UP"), kListError);
    EXPECT_EQ(d.ListSelection(1041), 3);  // unchanged by a miss
    EXPECT_EQ(d.ListSelectText(1041, "None"), 1);
}

TEST(DialogRules, ControlsTheTemplateLacksAnswerZero) {
    FakeDialog d(kJoystickTemplateId);
    d.CheckButton(1000, kChecked);
    EXPECT_EQ(d.IsButtonChecked(1000), 0u);
    EXPECT_EQ(d.ListAppend(1055, "x"), 0);
    EXPECT_EQ(d.ListSelection(1055), 0);
    EXPECT_EQ(d.ListValue(1055, 0), 0u);
    EXPECT_EQ(d.ListSelectText(1055, "x"), 0);
    d.ListAppend(1041, "a");
    d.ListSetValue(1041, 0, 77);
    EXPECT_EQ(d.ListValue(1041, 0), 77u);
    EXPECT_EQ(d.ListValue(1041, 5), static_cast<uint32_t>(kListError));
}

TEST(DialogRules, TooltipsGoOnlyToControlsThePageHas) {
    FakeDialog keyboard(kKeyboardTemplateId);
    FakeDialog joystick(kJoystickTemplateId);
    AttachTooltips(keyboard, AssignTooltipTable, kAssignTooltipCount);
    AttachTooltips(joystick, AssignTooltipTable, kAssignTooltipCount);
    EXPECT_EQ(keyboard.Find(1000)->tooltip, "2" + std::string(23, '?'));
    EXPECT_EQ(keyboard.Find(1001)->tooltip, "4" + std::string(23, '?'));
    EXPECT_EQ(keyboard.Find(1054)->tooltip,
              std::string(27, '?') + "\n" + std::string(23, '?') + "\n" + std::string(21, '?'));
    EXPECT_EQ(keyboard.Find(1053)->tooltip, std::string(10, '?') + "ON?OFF" + std::string(9, '?'));
    EXPECT_EQ(keyboard.Find(1043)->tooltip, "Retreat, Guard when character is facing right");
    for (int id : {1002, 1003, 1004, 1005, 1020}) {
        EXPECT_FALSE(keyboard.Find(id)->hasTooltip) << id;
        EXPECT_FALSE(joystick.Find(id)->hasTooltip) << id;
    }
    for (int id : {1011, 1012, 1013}) {
        EXPECT_FALSE(joystick.Find(id)->hasTooltip) << id;
    }
    for (int id = 1041; id <= 1054; ++id) {
        EXPECT_EQ(keyboard.Find(id)->tooltip, joystick.Find(id)->tooltip) << id;
    }
}

}  // namespace
}  // namespace ravel
