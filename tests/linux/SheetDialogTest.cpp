// The sheet's order of messages: lazy page creation, activation on tab
// switches, Apply enabling and the apply order, nothing on Cancel.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "app/qt/PrefixChooser.h"
#include "app/qt/SheetDialog.h"
#include "linux/RecordingPage.h"

namespace ravel {
namespace {

using Log = std::vector<std::string>;
using testing::RecordingPage;

class SheetDialogTest : public ::testing::Test {
  protected:
    SheetDialogTest() {
        const SheetPage pages[kPageCount] = {{&DialogTemplates[0], &first_},
                                             {&DialogTemplates[1], &second_},
                                             {&DialogTemplates[2], &third_}};
        sheet_ = std::make_unique<SheetDialog>(pages, DialogFont());
    }
    Log Take() {
        Log taken;
        taken.swap(log_);
        return taken;
    }
    void OpenTab(int index) {
        QTabBar* bar = sheet_->tabs()->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    }

    Log log_;
    RecordingPage first_{log_, "1"};
    RecordingPage second_{log_, "2", /*capturesKeys=*/true};
    RecordingPage third_{log_, "3"};
    std::unique_ptr<SheetDialog> sheet_;
};

TEST_F(SheetDialogTest, CaptionAndTabsFollowTheTemplates) {
    EXPECT_EQ(sheet_->windowTitle().toStdString(), "Ravelstone - Config by Qv");
    ASSERT_EQ(sheet_->tabs()->count(), 3);
    EXPECT_EQ(sheet_->tabs()->tabText(0).toStdString(), "Graphic / Audio Settings");
    EXPECT_EQ(sheet_->tabs()->tabText(1).toStdString(), "Keyboard Settings");
    EXPECT_EQ(sheet_->tabs()->tabText(2).toStdString(), "Joystick Settings");
    EXPECT_FALSE(sheet_->windowFlags() & Qt::WindowContextHelpButtonHint);
}

// The file line names the place first, so that prefixes tell apart however
// much is cut, and the file and the reason in its tooltip; the sheet keeps
// its size.
TEST_F(SheetDialogTest, FileLineNamesThePlaceFirstWithoutGrowingTheSheet) {
    sheet_->show();
    const QSize before = sheet_->size();
    EXPECT_FALSE(sheet_->fileLine()->isVisible());
    const QString details = QStringLiteral("/home/p/x/setting.cfg\nthe only prefix ...");
    sheet_->ShowFileLine(QStringLiteral("Steam (Proton) 2231450"), details);
    EXPECT_TRUE(sheet_->fileLine()->isVisible());
    EXPECT_EQ(sheet_->fileLine()->text(), QStringLiteral("Steam (Proton) 2231450"));
    EXPECT_EQ(sheet_->fileLine()->toolTip(), details);
    const QString longPlace = QStringLiteral("Lutris ") + QString(300, QLatin1Char('x'));
    sheet_->ShowFileLine(longPlace, details);
    EXPECT_LT(sheet_->fileLine()->text().size(), longPlace.size());
    EXPECT_TRUE(sheet_->fileLine()->text().startsWith(QStringLiteral("Lutris x")));
    QApplication::processEvents();
    EXPECT_EQ(sheet_->size(), before);
}

// The controls are placed in dialog units of the sheet's font, so they must
// show that font, not the desktop's.
TEST_F(SheetDialogTest, PageControlsShowTheFontTheirLayoutIsMeasuredIn) {
    const QFont desktop = QApplication::font();
    QFont far(QStringLiteral("DejaVu Serif"));
    far.setPixelSize(DialogFont().pixelSize() + 5);
    QApplication::setFont(far);
    const SheetPage pages[kPageCount] = {{&DialogTemplates[0], &first_},
                                         {&DialogTemplates[1], &second_},
                                         {&DialogTemplates[2], &third_}};
    SheetDialog sheet(pages, DialogFont());
    sheet.show();
    const QFontInfo wanted(DialogFont());
    int checked = 0;
    for (int page = 0; page < kPageCount; ++page) {
        sheet.tabs()->setCurrentIndex(page);
        for (const QWidget* control : sheet.tabs()->widget(page)->findChildren<QWidget*>()) {
            const QFontInfo shown(control->font());
            EXPECT_EQ(shown.family(), wanted.family()) << control->metaObject()->className();
            EXPECT_EQ(shown.pixelSize(), wanted.pixelSize()) << control->metaObject()->className();
            ++checked;
        }
    }
    QApplication::setFont(desktop);
    EXPECT_GT(checked, 60);
}

TEST_F(SheetDialogTest, OnlyTheFirstPageIsCreatedAtOnceAndActivatedWhenShown) {
    EXPECT_EQ(Take(), (Log{"1 init"}));
    EXPECT_EQ(sheet_->PageAt(1), nullptr);
    sheet_->show();
    EXPECT_EQ(Take(), (Log{"1 setactive"}));
    OpenTab(1);
    EXPECT_EQ(Take(), (Log{"1 killactive", "2 init", "2 setactive"}));
    OpenTab(0);
    OpenTab(1);
    EXPECT_EQ(Take(), (Log{"2 killactive", "1 setactive", "1 killactive", "2 setactive"}))
        << "created once";
    EXPECT_EQ(sheet_->PageAt(2), nullptr);
}

TEST_F(SheetDialogTest, ApplyIsEnabledByAPageAndAppliesEveryCreatedPageInOrder) {
    sheet_->show();
    OpenTab(1);
    Take();
    EXPECT_FALSE(sheet_->applyButton()->isEnabled());
    second_.dialog()->NotifyChanged();
    EXPECT_TRUE(sheet_->applyButton()->isEnabled());
    QTest::mouseClick(sheet_->applyButton(), Qt::LeftButton);
    EXPECT_EQ(Take(), (Log{"2 killactive", "1 apply", "2 apply", "2 setactive"}));
    EXPECT_FALSE(sheet_->applyButton()->isEnabled()) << "grey again after Apply";
    EXPECT_TRUE(sheet_->isVisible());

    QTest::mouseClick(sheet_->okButton(), Qt::LeftButton);
    EXPECT_EQ(Take(), (Log{"2 killactive", "1 apply", "2 apply"}));
    EXPECT_EQ(sheet_->result(), QDialog::Accepted);
    EXPECT_FALSE(sheet_->isVisible());
}

// A save that failed keeps the sheet open, and the active page is active
// again, so that its capture goes on.
TEST_F(SheetDialogTest, AFailedApplyKeepsTheSheetOpenAndThePageActive) {
    sheet_->show();
    OpenTab(1);
    second_.dialog()->NotifyChanged();
    Take();
    first_.applyAnswer = kPsnRetInvalid;
    QTest::mouseClick(sheet_->okButton(), Qt::LeftButton);
    EXPECT_EQ(Take(), (Log{"2 killactive", "1 apply", "2 setactive"}));
    EXPECT_TRUE(sheet_->isVisible());
    EXPECT_TRUE(sheet_->applyButton()->isEnabled()) << "nothing was saved";

    first_.applyAnswer = 0;
    second_.applyAnswer = kPsnRetInvalid;
    QTest::mouseClick(sheet_->applyButton(), Qt::LeftButton);
    EXPECT_EQ(Take(), (Log{"2 killactive", "1 apply", "2 apply", "2 setactive"}));
    EXPECT_TRUE(sheet_->applyButton()->isEnabled());
}

TEST_F(SheetDialogTest, CancelSendsNothing) {
    sheet_->show();
    OpenTab(2);
    third_.dialog()->NotifyChanged();
    Take();
    QTest::mouseClick(sheet_->cancelButton(), Qt::LeftButton);
    EXPECT_TRUE(Take().empty());
    EXPECT_EQ(sheet_->result(), QDialog::Rejected);
}

TEST_F(SheetDialogTest, OkAppliesEvenWithoutChanges) {
    sheet_->show();
    Take();
    QTest::mouseClick(sheet_->okButton(), Qt::LeftButton);
    EXPECT_EQ(Take(), (Log{"1 killactive", "1 apply"}));
}

// The chooser marks the pick made before and starts on it, shows each file's
// last change as `where` does, and whole paths on hover.
TEST(PrefixChooser, MarksTheCurrentPickAndShowsWholePaths) {
    std::vector<prefix::FoundPrefix> candidates(2);
    candidates[0].path = "/home/p/.wine";
    candidates[0].source = prefix::PrefixSource::WineDefault;
    candidates[0].settingsFile = "/home/p/.wine/drive_c/x/setting.cfg";
    candidates[1].path = "/home/p/steam/compatdata/42/pfx";
    candidates[1].source = prefix::PrefixSource::Steam;
    candidates[1].label = "42";
    candidates[1].settingsFile = "/home/p/steam/compatdata/42/pfx/drive_c/y/setting.cfg";
    candidates[1].settingsModified = 0;
    QStringList rows;
    QString hover;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        auto* list = dialog->findChild<QTreeWidget*>(QStringLiteral("candidates"));
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = list->topLevelItem(i);
            rows << item->text(0) + " | " + item->text(2) +
                        (item == list->currentItem() ? " <" : "");
        }
        hover = list->topLevelItem(1)->toolTip(1);
        QTest::keyClick(list, Qt::Key_Return);
    });
    qputenv("TZ", "UTC");
    EXPECT_EQ(ChoosePrefixCandidate(candidates, candidates[1].path), 1);
    EXPECT_EQ(rows,
              (QStringList{"Wine (~/.wine) | no file yet",
                           "Steam (Proton) 42 (current pick) | 1970-01-01 00:00:00 +0000 <"}));
    EXPECT_EQ(hover.toStdString(), candidates[1].settingsFile);
}

}  // namespace
}  // namespace ravel
