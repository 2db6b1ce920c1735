#include "app/qt/DialogUnits.h"

#include <QFontMetrics>

#include "resources/Templates.h"

namespace ravel {

DialogUnits UnitsForFont(const QFont& font) {
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return DialogUnits{(letters / 26 + 1) / 2, metrics.height()};
}

QFont DialogFont() {
    // DejaVu Sans runs wider than MS Sans Serif; since the unit conversion
    // follows the font's own average width, the layout keeps its proportions.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(kDialogFontPoints + 2);  // 9 pt at 96 dpi is 12 px; DejaVu's em is larger
    return font;
}

}  // namespace ravel
