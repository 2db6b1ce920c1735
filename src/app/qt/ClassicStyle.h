// The editor's look: Fusion, with the flat group boxes, close-set check
// marks and drop-down lists of the classic Windows dialog the pages are laid
// out for. A style,
// not a style sheet: with a sheet Qt builds and keeps style rules for every
// widget of the window (three quarters of a megabyte for these pages), and
// the pages' controls stop inheriting the sheet's font.
#pragma once

#include <QProxyStyle>

namespace ravel {

class ClassicStyle final : public QProxyStyle {
  public:
    ClassicStyle();

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& contents,
                           const QWidget* widget) const override;
    QRect subElementRect(SubElement element, const QStyleOption* option,
                         const QWidget* widget) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                         const QWidget* widget) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override;

  private:
    // The check or radio mark's size.
    QSize MarkSize(bool radio, const QStyleOption* option, const QWidget* widget) const;
};

}  // namespace ravel
