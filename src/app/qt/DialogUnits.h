// Dialog units to pixels, computed from the dialog font the way Windows does:
// horizontal base = average width of the 52 Latin letters, vertical base =
// the font's height; x pixels = x * base / 4, y pixels = y * base / 8.
#pragma once

#include <QFont>
#include <QRect>

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

DialogUnits UnitsForFont(const QFont& font);

// The font the pages are drawn in: the nearest Debian has to the templates'
// "MS Sans Serif" at 9 pt.
QFont DialogFont();

}  // namespace ravel
