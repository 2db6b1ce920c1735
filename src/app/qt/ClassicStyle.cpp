#include "app/qt/ClassicStyle.h"

#include <QPainter>
#include <QStyleOption>

namespace ravel {

namespace {

constexpr int kLabelSpacing = 3;  // between a check mark and its caption
constexpr int kTitleLeft = 6;     // from the box's left edge to the title's clear space
constexpr int kTitlePadding = 2;  // clear space either side of the title
constexpr int kCornerRadius = 2;
// The frame's top runs through the middle of the title: this many text
// heights below the box's top.
constexpr double kFrameDrop = 0.55;
// A drop-down list as Windows draws it: a two-pixel frame, the text one pixel
// further in, and a drop button a little narrower than it is tall inside the
// frame. The key names must fit the lists' 56 dialog units in the editor's
// font ("SHIFT(RIGHT)" is the widest).
constexpr int kComboFrame = 2;
constexpr int kComboTextMargin = 1;

QRect ComboArrowRect(const QRect& rect) {
    const int height = rect.height() - 2 * kComboFrame;
    const int width = height - 2;
    return {rect.right() + 1 - kComboFrame - width, rect.y() + kComboFrame, width, height};
}

int FrameTop(const QStyleOptionGroupBox& box) {
    return qRound(box.fontMetrics.height() * kFrameDrop);
}

// Where the title's text is centred: past the clear space, and as wide as the
// text with a space after it.
QRect TitleRect(const QStyleOptionGroupBox& box) {
    const QFontMetrics& metrics = box.fontMetrics;
    const int width = qMax(metrics.horizontalAdvance(box.text),
                           metrics.size(Qt::TextShowMnemonic, box.text + QLatin1Char(' ')).width());
    return {box.rect.x() + kTitleLeft + kTitlePadding, box.rect.y(), width, metrics.height()};
}

// A one-pixel frame with rounded, antialiased corners.
void DrawRoundedFrame(QPainter* painter, const QRect& rect, const QColor& color) {
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(color, 1));
    painter->setBrush(Qt::NoBrush);
    painter->drawRoundedRect(QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5), kCornerRadius,
                             kCornerRadius);
    painter->restore();
}

}  // namespace

ClassicStyle::ClassicStyle() : QProxyStyle(QStringLiteral("Fusion")) {}

int ClassicStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                            QStyleHintReturn* returnData) const {
    // The list drops down below its box, as high as the template allows
    // (maxVisibleItems), not as a menu as tall as the screen.
    if (hint == SH_ComboBox_Popup) {
        return 0;
    }
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

int ClassicStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                              const QWidget* widget) const {
    if (metric == PM_CheckBoxLabelSpacing || metric == PM_RadioButtonLabelSpacing) {
        return kLabelSpacing;
    }
    return QProxyStyle::pixelMetric(metric, option, widget);
}

QSize ClassicStyle::MarkSize(bool radio, const QStyleOption* option, const QWidget* widget) const {
    return {pixelMetric(radio ? PM_ExclusiveIndicatorWidth : PM_IndicatorWidth, option, widget),
            pixelMetric(radio ? PM_ExclusiveIndicatorHeight : PM_IndicatorHeight, option, widget)};
}

QSize ClassicStyle::sizeFromContents(ContentsType type, const QStyleOption* option,
                                     const QSize& contents, const QWidget* widget) const {
    if (type == CT_CheckBox || type == CT_RadioButton) {
        const QSize mark = MarkSize(type == CT_RadioButton, option, widget);
        return {contents.width() + mark.width() + kLabelSpacing,
                qMax(contents.height(), mark.height())};
    }
    return QProxyStyle::sizeFromContents(type, option, contents, widget);
}

QRect ClassicStyle::subElementRect(SubElement element, const QStyleOption* option,
                                   const QWidget* widget) const {
    switch (element) {
        case SE_CheckBoxIndicator:
        case SE_RadioButtonIndicator: {
            // At the left edge, centred from top to bottom.
            return alignedRect(option->direction, Qt::AlignLeft | Qt::AlignVCenter,
                               MarkSize(element == SE_RadioButtonIndicator, option, widget),
                               option->rect);
        }
        case SE_CheckBoxContents:
        case SE_RadioButtonContents: {
            const QRect mark =
                visualRect(option->direction, option->rect,
                           subElementRect(element == SE_CheckBoxContents ? SE_CheckBoxIndicator
                                                                         : SE_RadioButtonIndicator,
                                          option, widget));
            const int start = mark.right() + 1 + kLabelSpacing;
            return visualRect(option->direction, option->rect,
                              QRect(start, option->rect.y(), option->rect.right() + 1 - start,
                                    option->rect.height()));
        }
        case SE_RadioButtonFocusRect:
            return option->rect;
        case SE_CheckBoxFocusRect:
            if (const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option)) {
                if (button->text.isEmpty()) {
                    return subElementRect(SE_CheckBoxIndicator, option, widget)
                        .adjusted(1, 1, -1, -1);
                }
                const QRect contents =
                    visualRect(button->direction, button->rect,
                               subElementRect(SE_CheckBoxContents, option, widget));
                const QRect text = itemTextRect(
                    button->fontMetrics, contents,
                    Qt::AlignAbsolute | Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic,
                    (button->state & State_Enabled) != 0, button->text);
                return visualRect(button->direction, button->rect,
                                  text.adjusted(-3, -2, 3, 2).intersected(button->rect));
            }
            break;
        default:
            break;
    }
    return QProxyStyle::subElementRect(element, option, widget);
}

QRect ClassicStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                   SubControl sub, const QWidget* widget) const {
    const auto* combo = qstyleoption_cast<const QStyleOptionComboBox*>(option);
    if (control == CC_ComboBox && combo != nullptr && !combo->editable) {
        const QRect arrow = ComboArrowRect(option->rect);
        switch (sub) {
            case SC_ComboBoxArrow:
                return visualRect(option->direction, option->rect, arrow);
            case SC_ComboBoxEditField: {
                const int inset = kComboFrame + kComboTextMargin;
                return visualRect(option->direction, option->rect,
                                  QRect(option->rect.x() + inset, option->rect.y() + kComboFrame,
                                        arrow.x() - inset - option->rect.x(),
                                        option->rect.height() - 2 * kComboFrame));
            }
            default:
                break;
        }
    }
    const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
    if (control == CC_GroupBox && box != nullptr && (box->subControls & SC_GroupBoxCheckBox) == 0) {
        switch (sub) {
            case SC_GroupBoxFrame:
                return option->rect.adjusted(0, FrameTop(*box), 0, 0);
            case SC_GroupBoxContents:
                return option->rect.adjusted(1, FrameTop(*box) + 1, -1, -1);
            case SC_GroupBoxLabel:
                return TitleRect(*box);
            default:
                break;
        }
    }
    return QProxyStyle::subControlRect(control, option, sub, widget);
}

void ClassicStyle::drawControl(ControlElement element, const QStyleOption* option,
                               QPainter* painter, const QWidget* widget) const {
    const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
    if ((element == CE_CheckBox || element == CE_RadioButton) && button != nullptr) {
        // Fusion sets the mark in from the left edge; the templates place
        // it at the very left.
        const bool radio = element == CE_RadioButton;
        QStyleOptionButton part = *button;
        part.rect =
            subElementRect(radio ? SE_RadioButtonIndicator : SE_CheckBoxIndicator, button, widget);
        drawPrimitive(radio ? PE_IndicatorRadioButton : PE_IndicatorCheckBox, &part, painter,
                      widget);
        part.rect =
            subElementRect(radio ? SE_RadioButtonContents : SE_CheckBoxContents, button, widget);
        drawControl(radio ? CE_RadioButtonLabel : CE_CheckBoxLabel, &part, painter, widget);
        if ((button->state & State_HasFocus) != 0) {
            QStyleOptionFocusRect focus;
            focus.QStyleOption::operator=(*button);
            focus.rect = subElementRect(radio ? SE_RadioButtonFocusRect : SE_CheckBoxFocusRect,
                                        button, widget);
            drawPrimitive(PE_FrameFocusRect, &focus, painter, widget);
        }
        return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

void ClassicStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                      QPainter* painter, const QWidget* widget) const {
    const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
    if (control != CC_GroupBox || box == nullptr || (box->subControls & SC_GroupBoxCheckBox) != 0) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    const QRect title = TitleRect(*box);
    const bool hasTitle = !box->text.isEmpty();
    painter->save();
    if (hasTitle) {
        // The frame's top line stops short of the title.
        painter->setClipRegion(QRegion(box->rect) -
                               title.adjusted(-kTitlePadding, 0, kTitlePadding, 0));
    }
    DrawRoundedFrame(painter, subControlRect(CC_GroupBox, box, SC_GroupBoxFrame, widget),
                     box->palette.color(QPalette::Active, QPalette::Mid));
    painter->restore();
    if (hasTitle) {
        int alignment = Qt::AlignCenter | Qt::TextShowMnemonic;
        if (styleHint(SH_UnderlineShortcut, box, widget) == 0) {
            alignment |= Qt::TextHideMnemonic;
        }
        QPalette palette = box->palette;
        if (box->textColor.isValid()) {
            palette.setColor(QPalette::WindowText, box->textColor);
        }
        drawItemText(painter, title, alignment, palette, (box->state & State_Enabled) != 0,
                     box->text, QPalette::WindowText);
        if ((box->state & State_HasFocus) != 0) {
            QStyleOptionFocusRect focus;
            focus.QStyleOption::operator=(*box);
            focus.rect = title;
            drawPrimitive(PE_FrameFocusRect, &focus, painter, widget);
        }
    }
}

}  // namespace ravel
