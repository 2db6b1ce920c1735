#include "resources/Templates.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "pages/Tooltips.h"

namespace ravel {
namespace {

TEST(Templates, PagesInOrderWithTheirCaptionsAndControls) {
    const struct {
        int id;
        const char* caption;
        int controls, lists;
    } expected[] = {
        {101, "Graphic / Audio Settings", 29, 0},
        {102, "Keyboard Settings", 38, 14},
        {103, "Joystick Settings", 39, 14},
    };
    for (int page = 0; page < 3; ++page) {
        const DialogTemplate& t = DialogTemplates[page];
        EXPECT_EQ(t.id, expected[page].id);
        EXPECT_STREQ(t.caption, expected[page].caption);
        EXPECT_EQ(t.controlCount, expected[page].controls);
        std::set<int> ids;
        int lists = 0;
        for (int i = 0; i < t.controlCount; ++i) {
            const ControlTemplate& c = t.controls[i];
            if (c.id != kNoControlId) {
                EXPECT_TRUE(ids.insert(c.id).second) << "duplicate " << c.id;
            }
            lists += c.kind == ControlKind::DropDownList ? 1 : 0;
            // Every control lies inside its page.
            EXPECT_LE(c.x + c.width, t.width) << c.caption;
            if (c.kind != ControlKind::DropDownList) {
                EXPECT_LE(c.y + c.height, t.height) << c.caption;
            }
        }
        EXPECT_EQ(lists, expected[page].lists);
    }
    EXPECT_EQ(FindDialogTemplate(104), nullptr);
    EXPECT_EQ(FindControl(DialogTemplates[2], 1000), nullptr);
}

TEST(Templates, CaptionsShownAsTheGameHasThem) {
    const DialogTemplate& graphic = *FindDialogTemplate(101);
    EXPECT_STREQ(FindControl(graphic, 1001)->caption, "Full Scren Mode (HighColor)");
    EXPECT_STREQ(FindControl(graphic, 1013)->caption, "????????????????");
    const DialogTemplate& joystick = *FindDialogTemplate(103);
    EXPECT_STREQ(FindControl(joystick, 1011)->caption, "?????");
    EXPECT_STREQ(FindControl(joystick, 1012)->caption, "??????");
    EXPECT_STREQ(FindControl(joystick, 1013)->caption, "Z???");
    EXPECT_EQ(FindControl(joystick, 1049)->x, 131);
    EXPECT_EQ(FindControl(*FindDialogTemplate(102), 1049)->x, 130);
}

TEST(Templates, StringTableHoldsOnlyRealStrings) {
    std::set<int> ids;
    for (const StringResource& entry : StringTable) {
        ASSERT_NE(entry.text, nullptr);
        EXPECT_TRUE(ids.insert(entry.id).second) << entry.id;
    }
    EXPECT_EQ(ids.size(), 34u);  // 1-17 and 20-36
}

TEST(Templates, EveryTooltipStringExists) {
    for (const TooltipPair& pair : GraphicAudioTooltipTable) {
        EXPECT_NE(FindString(static_cast<int>(pair.string)), nullptr) << pair.string;
    }
    for (const TooltipPair& pair : AssignTooltipTable) {
        EXPECT_NE(FindString(static_cast<int>(pair.string)), nullptr) << pair.string;
    }
    EXPECT_EQ(std::string(FindString(34)),
              std::string(5, '?') + "KEY CONFIG??ANALOG?ON" + std::string(19, '?'));
    EXPECT_EQ(std::string(FindString(16)).size(), 22u);
    EXPECT_EQ(FindString(18), nullptr);
}

}  // namespace
}  // namespace ravel
