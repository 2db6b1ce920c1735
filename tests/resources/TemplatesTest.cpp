// What must hold of the dialog templates and strings both programs are built
// from, whatever their exact numbers.
#include "resources/Templates.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "pages/Tooltips.h"

namespace ravel {
namespace {

// A list's template height includes its dropped-down part; closed it is a
// line of text high.
int Bottom(const ControlTemplate& c) {
    return c.y + (c.kind == ControlKind::DropDownList ? 12 : c.height);
}

bool Holds(const ControlTemplate& box, const ControlTemplate& c) {
    return box.kind == ControlKind::GroupBox && c.x >= box.x && c.y >= box.y &&
           c.x + c.width <= box.x + box.width && Bottom(c) <= box.y + box.height;
}

// Every control inside its page, unique ids, and no two controls that take
// clicks on top of each other unless a group box holds the other.
TEST(Templates, ControlsFitTheirPageAndEachOther) {
    for (const DialogTemplate& page : DialogTemplates) {
        std::set<int> ids;
        for (int i = 0; i < page.controlCount; ++i) {
            const ControlTemplate& c = page.controls[i];
            EXPECT_TRUE(c.id == kNoControlId || ids.insert(c.id).second) << page.id << " " << c.id;
            EXPECT_TRUE(c.x >= 0 && c.y >= 0 && c.x + c.width <= page.width &&
                        Bottom(c) <= page.height)
                << page.id << " " << c.caption;
            for (int j = 0; j < i; ++j) {
                const ControlTemplate& d = page.controls[j];
                // A caption may run under its neighbour; the game's pages do.
                const bool label = c.kind == ControlKind::Label || d.kind == ControlKind::Label;
                const bool apart = label || c.x >= d.x + d.width || d.x >= c.x + c.width ||
                                   c.y >= Bottom(d) || d.y >= Bottom(c);
                EXPECT_TRUE(apart || Holds(c, d) || Holds(d, c))
                    << page.id << ": " << c.caption << c.id << " on " << d.caption << d.id;
            }
        }
        EXPECT_EQ(FindDialogTemplate(page.id), &page);
    }
    EXPECT_EQ(FindDialogTemplate(104), nullptr);
    EXPECT_EQ(FindControl(*FindDialogTemplate(kJoystickTemplateId), 1000), nullptr);
}

// Tab moves between the controls a player sets, never onto a radio button
// (arrows move within its group); and the radio buttons of one group box form
// exactly one automatic group, so a click there clears its neighbours only.
TEST(Templates, TabStopsAndRadioGroupsFollowTheGroupBoxes) {
    using K = ControlKind;
    for (const DialogTemplate& page : DialogTemplates) {
        std::map<int, std::set<int>> groupsOfBox, boxesOfGroup;
        for (int i = 0, group = 0; i < page.controlCount; ++i) {
            const ControlTemplate& c = page.controls[i];
            group += c.groupStart ? 1 : 0;
            EXPECT_EQ(c.tabStop,
                      c.kind == K::CheckBox || c.kind == K::DropDownList || c.kind == K::PushButton)
                << page.id << " " << c.id;
            // Groups start at radio buttons, and every label ends the group
            // before it, so the arrow keys never leave a set of choices.
            EXPECT_EQ(c.groupStart && c.kind != K::RadioButton, c.kind == K::Label)
                << page.id << " " << c.caption;
            for (int box = 0; c.kind == K::RadioButton && box < page.controlCount; ++box) {
                if (Holds(page.controls[box], c)) {
                    groupsOfBox[box].insert(group);
                    boxesOfGroup[group].insert(box);
                }
            }
        }
        for (const auto& [box, groups] : groupsOfBox) {
            EXPECT_EQ(groups.size(), 1u) << page.id << " " << page.controls[box].caption;
        }
        for (const auto& [group, boxes] : boxesOfGroup) {
            EXPECT_EQ(boxes.size(), 1u) << page.id << " group " << group;
        }
    }
}

TEST(Templates, EveryTooltipNamesAStringThatExists) {
    std::set<int> ids;
    for (const StringResource& entry : StringTable) {
        EXPECT_TRUE(ids.insert(entry.id).second && *entry.text != '\0') << entry.id;
    }
    for (const TooltipPair& tip : AssignTooltipTable) {
        EXPECT_NE(FindString(static_cast<int>(tip.string)), nullptr) << tip.string;
    }
    for (const TooltipPair& tip : GraphicAudioTooltipTable) {
        EXPECT_NE(FindString(static_cast<int>(tip.string)), nullptr) << tip.string;
    }
    EXPECT_EQ(FindString(18), nullptr);
}

}  // namespace
}  // namespace ravel
