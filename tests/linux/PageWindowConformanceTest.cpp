// The dialog manager's rules the pages rely on, held alike by the page tests'
// fake page window and by the Qt page; then the Qt sheet's order of messages.
#include <gtest/gtest.h>

#include <QTest>
#include <QtWidgets>

#include <array>
#include <optional>
#include <span>
#include <tuple>

#include "app/qt/SheetDialog.h"
#include "fakes/FakeDialog.h"
#include "pages/Tooltips.h"

namespace ravel {
namespace {

using Log = std::vector<std::string>;

struct RecordingPage final : Page {
    RecordingPage(Log& log, std::string name) : log(log), name(std::move(name)) {}
    int OnInitDialog(Dialog&) override { return Write("init"); }
    void OnCommand(int id, int c) override { Write(std::to_string(id) + " " + std::to_string(c)); }
    int OnNotify(int code) override {
        Write(code == kPsnApply ? "apply" : code == kPsnSetActive ? "setactive" : "killactive");
        return code == kPsnApply ? applyAnswer : 0;
    }
    void OnTimer() override { ++ticks; }
    int Write(const std::string& what) {
        log.push_back(name + what);
        return 1;
    }
    Log& log;
    std::string name;
    int ticks = 0;
    int applyAnswer = 0;  // kPsnRetInvalid: the save failed
};

// What a user does on each kind of page window, and what shows there.
struct FakeWindow : testing::FakeDialog {
    FakeWindow(int templateId, Page& page) : FakeDialog(templateId) { Attach(page); }
    std::string Tooltip(int id) { return Find(id)->tooltip; }
    Dialog& dialog = *this;
};

struct QtWindow {
    QtWindow(int templateId, Page& page)
        : dialog(*FindDialogTemplate(templateId), page, UnitsForFont(DialogFont()), &sheet, false,
                 &sheet) {
        sheet.show();
    }
    void Click(int id) { QTest::mouseClick(dialog.Control(id), Qt::LeftButton); }
    void Choose(int id, int index) {
        auto* list = qobject_cast<QComboBox*>(dialog.Control(id));
        list->showPopup();
        const QRect entry = list->view()->visualRect(list->model()->index(index, 0));
        QTest::mouseClick(list->view()->viewport(), Qt::LeftButton, {}, entry.center());
    }
    std::string Tooltip(int id) { return dialog.Control(id)->toolTip().toStdString(); }
    void Tick() { QTest::qWait(150); }  // several of the timer's 33 ms
    QWidget sheet;
    PageWidget dialog;
};

template <class Window>
class PageWindowConformance : public ::testing::Test {
  protected:
    Window& Open(int templateId) {  // closing the last one first
        log.clear();
        return window_.emplace(templateId, page);
    }
    Log log;
    RecordingPage page{log, ""};
    std::optional<Window> window_;
};
using Windows = ::testing::Types<FakeWindow, QtWindow>;
TYPED_TEST_SUITE(PageWindowConformance, Windows);

// Radio groups: Frequency's starts at its label; the Keyboard page's first
// has no group mark.
TYPED_TEST(PageWindowConformance, ButtonsFollowTheDialogManager) {
    auto& window = this->Open(kGraphicAudioTemplateId);
    Dialog& dialog = window.dialog;
    for (int id : {1000, 1007, 1009}) {
        dialog.CheckButton(id, kChecked);
    }
    dialog.EnableControl(1014, false);
    for (int id : {1001, 1001, 1010, 1015, 1012, 1012, 1014, 1020}) {
        window.Click(id);
    }
    const auto checked = [&](std::initializer_list<int> ids) {
        return std::ranges::count_if(ids, [&](int id) { return dialog.IsButtonChecked(id); });
    };
    EXPECT_EQ(checked({1001, 1007, 1010, 1015}), 4);
    EXPECT_EQ(checked({1000, 1009, 1012, 1014}), 0);
    EXPECT_EQ(this->log,
              (Log{"1001 0", "1001 0", "1010 0", "1015 0", "1012 0", "1012 0", "1020 0"}));
    dialog.CheckButton(1000, kChecked);
    EXPECT_EQ(checked({1000, 1001}), 2) << "a program's check touches one button";
    auto& keyboard = this->Open(kKeyboardTemplateId);
    keyboard.dialog.CheckButton(1000, kChecked);
    keyboard.dialog.CheckButton(1002, kChecked);
    keyboard.Click(1001);
    EXPECT_EQ(
        std::pair(keyboard.dialog.IsButtonChecked(1000), keyboard.dialog.IsButtonChecked(1002)),
        std::pair(kUnchecked, kChecked));
}

TYPED_TEST(PageWindowConformance, ListsSelectAsTheDialogManagerDoes) {
    auto& window = this->Open(kJoystickTemplateId);
    Dialog& dialog = window.dialog;
    for (const char* text : {"alpha", "1BUTTON10", "1button1", "Alphabet"}) {
        const int index = dialog.ListAppend(1046, text);
        dialog.ListSetValue(1046, index, 0x02000000u + static_cast<uint32_t>(index));
    }
    dialog.ListAppend(1047, "None  ");
    dialog.ListAppend(1047, "1UP");
    EXPECT_EQ(dialog.ListValue(1046, 3), 0x02000003u);
    EXPECT_EQ(dialog.ListValue(1046, 4), 0xFFFFFFFFu) << "CB_ERR for an entry the list lacks";
    const std::tuple<int, const char*, int, int> rows[] = {
        // list, text, found, selected
        {1046, "1BUTTON1", 1, 1}, {1046, "1button10", 1, 1},    {1046, "ALPHA", 3, 3},
        {1046, "al", 3, 3},       {1046, "2UP", kListError, 3}, {1047, "none", 0, 0}};
    for (const auto& [list, text, found, selected] : rows) {
        EXPECT_EQ(dialog.ListSelectText(list, text), found) << text;
        EXPECT_EQ(dialog.ListSelection(list), selected) << text;
    }
    dialog.ListSelect(1046, 9);
    EXPECT_EQ(dialog.ListSelection(1046), kListError);
    dialog.ListSelect(1046, 2);
    EXPECT_TRUE(this->log.empty());
    window.Choose(1046, 1);
    EXPECT_EQ(dialog.ListSelection(1046), 1);
    EXPECT_EQ(this->log, Log{"1046 1"});
}

TYPED_TEST(PageWindowConformance, ControlsThePageLacksAnswerZero) {
    auto& window = this->Open(kJoystickTemplateId);
    Dialog& dialog = window.dialog;
    for (int id : {1000, 1055, 1002}) {  // none, a position without a list, a radio button
        dialog.ListSetValue(id, 0, 5);
        dialog.ListSelect(id, 0);
        dialog.ListCloseDropDown(id);
        EXPECT_EQ((std::array{dialog.ListAppend(id, "x"), dialog.ListSelectText(id, "x"),
                              dialog.ListSelection(id), static_cast<int>(dialog.ListValue(id, 0))}),
                  (std::array{0, 0, 0, 0}))
            << id;
    }
    for (int id : {1000, 1055, 1041, 1020}) {  // and a list, a push button: no check
        dialog.CheckButton(id, kChecked);
        if (id < 1041) {
            dialog.EnableControl(id, false);
            dialog.AddControlTooltip(id, "nothing");
        }
        EXPECT_EQ(dialog.IsButtonChecked(id), kUnchecked) << id;
    }
    const auto ticked = [&] {
        const int before = this->page.ticks;
        window.Tick();
        return this->page.ticks > before;
    };
    EXPECT_FALSE(ticked());
    dialog.StartCaptureTimer();
    dialog.StartCaptureTimer();
    EXPECT_TRUE(ticked());
    dialog.StopCaptureTimer();
    EXPECT_FALSE(ticked());
    for (int page : {kKeyboardTemplateId, kJoystickTemplateId}) {
        auto& tipped = this->Open(page);
        AttachTooltips(tipped.dialog, AssignTooltipTable, kAssignTooltipCount);
        const DialogTemplate& controls = *FindDialogTemplate(page);
        for (const ControlTemplate& c : std::span(controls.controls, controls.controlCount)) {
            const auto* pair = std::ranges::find(AssignTooltipTable, static_cast<uint32_t>(c.id),
                                                 &TooltipPair::control);
            const bool own = pair != std::end(AssignTooltipTable);
            if (c.id != kNoControlId) {
                EXPECT_EQ(tipped.Tooltip(c.id), own ? FindString(pair->string) : "") << c.id;
            }
        }
    }
}

// After a failed save the page is active again, so that its capture goes on.
TEST(SheetDialogTest, PagesHearOfEachStepInTheWindowsOrder) {
    Log log;
    RecordingPage first(log, "1 "), second(log, "2 "), third(log, "3 ");
    const SheetPage pages[kPageCount] = {{&DialogTemplates[0], &first},
                                         {&DialogTemplates[1], &second},
                                         {&DialogTemplates[2], &third}};
    SheetDialog sheet(pages, DialogFont());
    const auto take = [&] { return std::exchange(log, {}); };
    const auto press = [&](const char* button) {
        QTest::mouseClick(sheet.findChild<QPushButton*>(button), Qt::LeftButton);
    };
    const auto applyEnabled = [&] { return sheet.findChild<QPushButton*>("Apply")->isEnabled(); };
    QTabBar* tabs = sheet.findChild<QTabWidget*>()->tabBar();
    EXPECT_EQ(take(), (Log{"1 init"}));
    sheet.show();
    for (int tab : {1, 0, 1}) {
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(tab).center());
    }
    EXPECT_EQ(take(), (Log{"1 setactive", "1 killactive", "2 init", "2 setactive", "2 killactive",
                           "1 setactive", "1 killactive", "2 setactive"}));
    EXPECT_EQ(sheet.findChild<PageWidget*>("103"), nullptr);
    EXPECT_FALSE(applyEnabled());
    sheet.findChild<PageWidget*>("102")->NotifyChanged();
    EXPECT_TRUE(applyEnabled());
    press("Apply");
    EXPECT_EQ(take(), (Log{"2 killactive", "1 apply", "2 apply", "2 setactive"}));
    EXPECT_FALSE(applyEnabled()) << "grey again after Apply";
    first.applyAnswer = kPsnRetInvalid;
    press("OK");  // OK saves even while Apply is grey
    EXPECT_EQ(take(), (Log{"2 killactive", "1 apply", "2 setactive"}));
    EXPECT_TRUE(sheet.isVisible());
    press("Cancel");
    EXPECT_EQ(take(), Log{});
    EXPECT_EQ(sheet.result(), QDialog::Rejected);
    sheet.show();
    first.applyAnswer = 0;
    press("OK");
    EXPECT_EQ(take(), (Log{"2 killactive", "1 apply", "2 apply"}));
    EXPECT_EQ(sheet.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace ravel
