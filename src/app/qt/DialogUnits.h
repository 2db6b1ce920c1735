// Dialog units to pixels, computed from the dialog font the way Windows does:
// horizontal base = average width of the 52 Latin letters, vertical base =
// the font's height; x pixels = x * base / 4, y pixels = y * base / 8.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QRect>

#include "resources/Templates.h"

namespace ravel {

struct DialogUnits {
    int baseX;
    int baseY;

    int X(int units) const { return (units * baseX + 2) / 4; }
    int Y(int units) const { return (units * baseY + 4) / 8; }
    QRect Rect(int x, int y, int width, int height) const {
        return QRect(X(x), Y(y), X(width), Y(height));
    }
};

inline DialogUnits UnitsForFont(const QFont& font) {
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return DialogUnits{(letters / 26 + 1) / 2, metrics.height()};
}

// The font the pages are drawn in: the nearest Debian has to the templates'
// "MS Sans Serif" at 9 pt.
inline QFont DialogFont() {
    // DejaVu Sans runs wider than MS Sans Serif; since the unit conversion
    // follows the font's own average width, the layout keeps its proportions.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(kDialogFontPoints + 2);  // 9 pt at 96 dpi is 12 px; DejaVu's em is larger
    return font;
}

}  // namespace ravel
