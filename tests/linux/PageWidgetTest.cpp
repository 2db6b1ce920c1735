// The page-window operations over real Qt widgets, on the offscreen platform.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "pages/Tooltips.h"
#include "app/qt/PageWidget.h"
#include "linux/RecordingPage.h"
#include "resources/Templates.h"

namespace ravel {
namespace {

using testing::RecordingPage;

class PageWidgetTest : public ::testing::Test {
  protected:
    PageWidget& Make(int templateId, bool capturesKeys = false) {
        widget_ = std::make_unique<PageWidget>(*FindDialogTemplate(templateId), page_,
                                               UnitsForFont(DialogFont()), &sheet_, capturesKeys,
                                               &sheet_);
        sheet_.show();
        return *widget_;
    }
    void Click(int id) { QTest::mouseClick(widget_->Control(id), Qt::LeftButton); }
    QComboBox* List(int id) { return qobject_cast<QComboBox*>(widget_->Control(id)); }
    void FillList(int id, std::initializer_list<const char*> texts) {
        uint32_t value = 100;
        for (const char* text : texts) {
            const int index = widget_->ListAppend(id, text);
            widget_->ListSetValue(id, index, value++);
        }
    }

    QWidget sheet_;
    std::vector<std::string> log_;
    RecordingPage page_{log_, "page"};
    std::unique_ptr<PageWidget> widget_;
};

TEST_F(PageWidgetTest, EveryTemplateControlExistsWithItsCaption) {
    for (const DialogTemplate& dialog : DialogTemplates) {
        PageWidget& page = Make(dialog.id);
        for (int i = 0; i < dialog.controlCount; ++i) {
            const ControlTemplate& control = dialog.controls[i];
            if (control.id == kNoControlId) {
                continue;
            }
            QWidget* widget = page.Control(control.id);
            ASSERT_NE(widget, nullptr) << dialog.id << "/" << control.id;
            if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
                EXPECT_EQ(button->text().toStdString(), control.caption);
            }
        }
    }
}

TEST_F(PageWidgetTest, RadioButtonsCheckThemselvesWithinTheirGroupBeforeTheCommand) {
    PageWidget& page = Make(kGraphicAudioTemplateId);
    page.CheckButton(1000, kChecked);
    page.CheckButton(1007, kChecked);
    Click(1001);
    EXPECT_EQ(page.IsButtonChecked(1001), kChecked);
    EXPECT_EQ(page.IsButtonChecked(1000), kUnchecked);
    EXPECT_EQ(page.IsButtonChecked(1007), kChecked) << "another group";
    Click(1001);  // clicking the checked one keeps it checked and still commands
    EXPECT_EQ(page.IsButtonChecked(1001), kChecked);
    EXPECT_EQ(log_, (std::vector<std::string>{"page command 1001 0", "page command 1001 0"}));

    // Frequency buttons form a group that starts at the "Frequency" label.
    page.CheckButton(1009, kChecked);
    Click(1010);
    EXPECT_EQ(page.IsButtonChecked(1009), kUnchecked);
}

TEST_F(PageWidgetTest, KeyboardLayoutRadiosFormTheFirstGroup) {
    PageWidget& page = Make(kKeyboardTemplateId);
    page.CheckButton(1000, kChecked);
    page.CheckButton(1002, kChecked);
    Click(1001);
    EXPECT_EQ(page.IsButtonChecked(1000), kUnchecked);
    EXPECT_EQ(page.IsButtonChecked(1002), kChecked);
    // A program's check touches that button only, as CheckDlgButton does.
    page.CheckButton(1003, kChecked);
    EXPECT_EQ(page.IsButtonChecked(1002), kChecked);
    page.CheckButton(1003, kUnchecked);
    EXPECT_EQ(page.IsButtonChecked(1003), kUnchecked);
}

TEST_F(PageWidgetTest, CheckBoxesToggleAndGreyedControlsIgnoreClicks) {
    PageWidget& page = Make(kGraphicAudioTemplateId);
    Click(1015);
    EXPECT_EQ(page.IsButtonChecked(1015), kChecked);
    Click(1015);
    EXPECT_EQ(page.IsButtonChecked(1015), kUnchecked);
    page.EnableControl(1014, false);
    Click(1014);
    EXPECT_EQ(page.IsButtonChecked(1014), kUnchecked);
    Click(1020);
    EXPECT_EQ(log_, (std::vector<std::string>{"page command 1015 0", "page command 1015 0",
                                              "page command 1020 0"}));
}

TEST_F(PageWidgetTest, ListsKeepOrderValuesAndSelectQuietly) {
    PageWidget& page = Make(kJoystickTemplateId);
    EXPECT_EQ(page.ListAppend(1041, "None  "), 0);
    EXPECT_EQ(page.ListAppend(1041, "1LEFT"), 1);
    page.ListSetValue(1041, 0, 0xFFFFFFFFu);
    page.ListSetValue(1041, 1, 0x02000000u);
    EXPECT_EQ(page.ListValue(1041, 1), 0x02000000u);
    EXPECT_EQ(page.ListValue(1041, 0), 0xFFFFFFFFu);
    EXPECT_EQ(page.ListValue(1041, 7), 0xFFFFFFFFu) << "CB_ERR for an index the list lacks";
    page.ListSelect(1041, 1);
    EXPECT_EQ(page.ListSelection(1041), 1);
    page.ListSelect(1041, 5);
    EXPECT_EQ(page.ListSelection(1041), kListError);
    EXPECT_TRUE(log_.empty()) << "a program's selection is no command";
}

TEST_F(PageWidgetTest, UsersChoiceIsASelectionChange) {
    PageWidget& page = Make(kJoystickTemplateId);
    FillList(1046, {"None  ", "1UP", "1DOWN"});
    page.ListSelect(1046, 0);
    List(1046)->setFocus();
    QTest::keyClick(List(1046), Qt::Key_Down);
    EXPECT_EQ(page.ListSelection(1046), 1);
    EXPECT_EQ(log_, (std::vector<std::string>{"page command 1046 1"}));
}

TEST_F(PageWidgetTest, SelectByTextSearchesFromEntryOneAndEntryZeroLast) {
    PageWidget& page = Make(kJoystickTemplateId);
    FillList(1041, {"alpha", "1BUTTON10", "1button1", "Alphabet"});
    page.ListSelect(1041, 1);
    const struct {
        const char* text;
        int expected;
    } cases[] = {
        {"1BUTTON1", 1},                 // prefix: "1BUTTON10" comes first from entry 1
        {"1button10", 1}, {"ALPHA", 3},  // entry 3 before entry 0
        {"alpha", 3},     {"al", 3},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(page.ListSelectText(1041, c.text), c.expected) << c.text;
        EXPECT_EQ(page.ListSelection(1041), c.expected) << c.text;
    }
    page.ListSelect(1041, 2);
    EXPECT_EQ(page.ListSelectText(1041, "2UP"), kListError);
    EXPECT_EQ(page.ListSelection(1041), 2) << "no match leaves the selection";
    FillList(1042, {"None  ", "1UP"});
    EXPECT_EQ(page.ListSelectText(1042, "none"), 0) << "entry 0 is found last";
    EXPECT_TRUE(log_.empty());
}

TEST_F(PageWidgetTest, ControlsThePageLacksAnswerZero) {
    PageWidget& page = Make(kJoystickTemplateId);
    page.CheckButton(1000, kChecked);
    page.EnableControl(1055, false);
    page.ListSetValue(1057, 0, 5);
    page.ListSelect(1060, 0);
    page.ListCloseDropDown(1064);
    page.AddControlTooltip(1057, "nothing");
    EXPECT_EQ(page.IsButtonChecked(1000), 0u);
    EXPECT_EQ(page.ListAppend(1055, "x"), 0);
    EXPECT_EQ(page.ListValue(1055, 0), 0u);
    EXPECT_EQ(page.ListSelection(1056), 0);
    EXPECT_EQ(page.ListSelectText(1064, "x"), 0);
    EXPECT_EQ(page.IsButtonChecked(1041), 0u) << "a list is no button";
    EXPECT_EQ(page.ListAppend(1002, "x"), 0) << "a radio button is no list";
}

TEST_F(PageWidgetTest, TooltipsShowTheStringTableTexts) {
    PageWidget& page = Make(kKeyboardTemplateId);
    AttachTooltips(page, AssignTooltipTable, kAssignTooltipCount);
    EXPECT_EQ(page.Control(1000)->toolTip().toStdString(), FindString(35));
    EXPECT_EQ(page.Control(1046)->toolTip().toStdString(), "Kick / Cancel");
    const QString start = page.Control(1054)->toolTip();
    EXPECT_EQ(start.split(QLatin1Char('\n')).size(), 3) << "string 33 on three lines";
    EXPECT_EQ(start.split(QLatin1Char('\n'))[0], QString(27, QLatin1Char('?')));
    EXPECT_TRUE(page.Control(1002)->toolTip().isEmpty()) << "players have none";
    EXPECT_TRUE(page.Control(1020)->toolTip().isEmpty());
}

TEST_F(PageWidgetTest, FocusedControlNamesThePagesControl) {
    PageWidget& page = Make(kKeyboardTemplateId);
    sheet_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&sheet_));
    List(1046)->setFocus();
    EXPECT_EQ(page.FocusedControl(), 1046);
    page.Control(1020)->setFocus();
    EXPECT_EQ(page.FocusedControl(), 1020);
    sheet_.setFocus();
    EXPECT_EQ(page.FocusedControl(), 0);
}

TEST_F(PageWidgetTest, CaptureTimerTicksUntilStopped) {
    PageWidget& page = Make(kKeyboardTemplateId);
    page.StartCaptureTimer();
    page.StartCaptureTimer();  // starting again replaces it
    EXPECT_TRUE(page.captureTimerActive());
    EXPECT_TRUE(QTest::qWaitFor([&] { return page_.ticks >= 3; }, 5000));
    page.StopCaptureTimer();
    EXPECT_FALSE(page.captureTimerActive());
}

TEST_F(PageWidgetTest, ListIgnoresKeysWhileKeysAreCaptured) {
    PageWidget& page = Make(kKeyboardTemplateId, /*capturesKeys=*/true);
    FillList(1046, {"None  ", "I", "J", "K"});
    page.ListSelect(1046, 1);
    QComboBox* list = List(1046);
    list->setFocus();
    page.StartCaptureTimer();
    for (int key : {int(Qt::Key_J), int(Qt::Key_Down), int(Qt::Key_Space), int(Qt::Key_F4)}) {
        QTest::keyClick(list, static_cast<Qt::Key>(key));
        EXPECT_EQ(page.ListSelection(1046), 1) << key;
    }
    EXPECT_FALSE(list->view()->isVisible()) << "no drop-down opened";
    page.StopCaptureTimer();
    QTest::keyClick(list, Qt::Key_K);  // type-ahead works again without capture
    EXPECT_EQ(page.ListSelection(1046), 3);
}

TEST_F(PageWidgetTest, JoystickListsKeepTheirTypeAhead) {
    PageWidget& page = Make(kJoystickTemplateId, /*capturesKeys=*/false);
    FillList(1041, {"None  ", "1UP", "1DOWN"});
    page.ListSelect(1041, 0);
    List(1041)->setFocus();
    page.StartCaptureTimer();
    QTest::keyClick(List(1041), Qt::Key_Down);
    EXPECT_EQ(page.ListSelection(1041), 1);
    page.StopCaptureTimer();
}

TEST_F(PageWidgetTest, PlacesControlsInDialogUnits) {
    PageWidget& page = Make(kKeyboardTemplateId);
    const DialogUnits units = UnitsForFont(DialogFont());
    EXPECT_EQ(page.width(), units.X(283));
    EXPECT_EQ(page.height(), units.Y(269));
    EXPECT_EQ(page.Control(1020)->geometry(), units.Rect(195, 250, 80, 14));
    const QRect kick = page.Control(1046)->geometry();
    EXPECT_EQ(kick.topLeft(), QPoint(units.X(38), units.Y(185)));
    EXPECT_LT(kick.height(), units.Y(20)) << "closed height, not the dropped list";
}

}  // namespace
}  // namespace ravel
