// The editor's look as drawn, not as configured: a group box is one flat line
// broken for its title, and a check mark sits at the left edge close to its
// caption.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QStyleOption>

#include "app/qt/ClassicStyle.h"
#include "app/qt/DialogUnits.h"
#include "app/qt/PageWidget.h"
#include "input/KeyNameTable.h"
#include "linux/RecordingPage.h"
#include "resources/Templates.h"

namespace ravel {
namespace {

QImage Render(QWidget& widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

class ClassicStyleTest : public ::testing::Test {
  protected:
    void Dress(QWidget& widget) {
        widget.setStyle(&style_);
        widget.setFont(DialogFont());
        widget.setPalette(style_.standardPalette());
    }
    ClassicStyle style_;
};

TEST_F(ClassicStyleTest, GroupBoxIsOneFlatLineBrokenForItsTitle) {
    QGroupBox box(QStringLiteral("Screen Mode"));
    Dress(box);
    box.resize(200, 80);
    const QImage image = Render(box);
    const QRgb line = box.palette().color(QPalette::Active, QPalette::Mid).rgb();
    const QRgb ground = box.palette().color(QPalette::Window).rgb();
    ASSERT_NE(line, ground);

    QStyleOptionGroupBox option;
    option.initFrom(&box);
    option.text = box.title();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    const QRect title =
        style_.subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, &box);
    const QRect frame =
        style_.subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxFrame, &box);
    const int top = frame.top();
    EXPECT_GT(top, title.top()) << "the line runs through the title";
    EXPECT_LT(top, title.bottom());
    EXPECT_GT(title.left(), 2) << "the title stands in from the corner";

    for (int x = title.right() + 3; x < box.width() - 2; ++x) {
        ASSERT_EQ(image.pixel(x, top), line) << "top line at " << x;
    }
    for (int x : {title.left() - 2, title.left() - 1, title.right() + 1, title.right() + 2}) {
        EXPECT_EQ(image.pixel(x, top), ground) << "clear space beside the title at " << x;
    }
    for (int y = qMax(top + 2, title.bottom() + 1); y < box.height() - 2; ++y) {
        ASSERT_EQ(image.pixel(0, y), line) << "left line at " << y;
        ASSERT_EQ(image.pixel(box.width() - 1, y), line) << "right line at " << y;
    }
    for (int x = 2; x < box.width() - 2; ++x) {
        ASSERT_EQ(image.pixel(x, box.height() - 1), line) << "bottom line at " << x;
    }
    // Flat: nothing inside the line is shaded.
    for (int y = qMax(top + 2, title.bottom() + 1); y < box.height() - 2; ++y) {
        for (int x = 2; x < box.width() - 2; ++x) {
            ASSERT_EQ(image.pixel(x, y), ground) << "inside at " << x << "," << y;
        }
    }
    // Rounded: the corner pixels are blends, neither line nor ground.
    for (const QPoint corner :
         {QPoint(0, top), QPoint(box.width() - 1, top), QPoint(0, box.height() - 1),
          QPoint(box.width() - 1, box.height() - 1)}) {
        EXPECT_NE(image.pixel(corner), line);
        EXPECT_NE(image.pixel(corner), ground);
    }
    int inked = 0;
    for (int y = title.top(); y <= title.bottom(); ++y) {
        for (int x = title.left(); x <= title.right(); ++x) {
            inked += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
        }
    }
    EXPECT_GT(inked, 20) << "the title is written";
}

TEST_F(ClassicStyleTest, CheckMarkSitsAtTheLeftEdgeCloseToItsCaption) {
    for (const bool radio : {false, true}) {
        QCheckBox check(QStringLiteral("Pixel Shader"));
        Dress(check);
        check.resize(check.sizeHint());
        QStyleOptionButton option;
        option.initFrom(&check);
        option.text = check.text();
        const auto mark = radio ? QStyle::SE_RadioButtonIndicator : QStyle::SE_CheckBoxIndicator;
        const auto caption = radio ? QStyle::SE_RadioButtonContents : QStyle::SE_CheckBoxContents;
        const QRect markRect = style_.subElementRect(mark, &option, &check);
        EXPECT_EQ(markRect.left(), 0) << radio;
        EXPECT_EQ(style_.subElementRect(caption, &option, &check).left(), markRect.right() + 1 + 3)
            << radio;
        EXPECT_GE(check.width(),
                  markRect.width() + 3 + check.fontMetrics().horizontalAdvance(check.text()));
    }
    QCheckBox check(QStringLiteral("Aspect Ratio"));
    Dress(check);
    check.resize(check.sizeHint());
    const QImage image = Render(check);
    const QRgb ground = check.palette().color(QPalette::Window).rgb();
    bool drawnAtEdge = false;
    for (int y = 0; y < image.height(); ++y) {
        drawnAtEdge = drawnAtEdge || image.pixel(0, y) != ground;
    }
    EXPECT_TRUE(drawnAtEdge) << "the mark's frame starts in the first column";
}

// Every key name fits the Keyboard page's lists in the editor's font, and a
// list drops down below its box no taller than its template allows.
TEST_F(ClassicStyleTest, KeyNamesFitTheListsAndTheyDropDownWithinTheirTemplate) {
    std::vector<std::string> log;
    testing::RecordingPage page(log, "page");
    QWidget sheet;
    Dress(sheet);
    const DialogUnits units = UnitsForFont(DialogFont());
    const DialogTemplate& keyboard = *FindDialogTemplate(kKeyboardTemplateId);
    PageWidget widget(keyboard, page, units, &sheet, false, &sheet);
    for (QWidget* child : widget.findChildren<QWidget*>()) {
        child->setStyle(&style_);
    }
    auto* list = qobject_cast<QComboBox*>(widget.Control(kFirstAssignList));
    ASSERT_NE(list, nullptr);
    for (const KeyName& key : KeyNameTable) {
        widget.ListAppend(kFirstAssignList, key.name);
    }
    sheet.show();

    QStyleOptionComboBox option;
    option.initFrom(list);
    option.editable = false;
    const QRect text =
        style_.subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list);
    for (int i = 0; i < list->count(); ++i) {
        EXPECT_LE(list->fontMetrics().horizontalAdvance(list->itemText(i)), text.width() - 2)
            << list->itemText(i).toStdString();
    }

    list->showPopup();
    QWidget* popup = list->view()->window();
    ASSERT_TRUE(popup->isVisible());
    const int top = list->mapToGlobal(QPoint(0, 0)).y();
    EXPECT_GE(popup->geometry().top(), top + list->height() - 1) << "below the box";
    EXPECT_LE(popup->geometry().bottom() - top, units.Y(150)) << "the template's height";
    list->hidePopup();
}

}  // namespace
}  // namespace ravel
