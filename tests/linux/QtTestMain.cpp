// The Qt tests run in one QApplication on Qt's offscreen platform, in the
// editor's own style, on a desktop whose font is far from the pages' own.
#include <gtest/gtest.h>

#include <QApplication>

#include "app/qt/ClassicStyle.h"
#include "app/qt/DialogUnits.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setStyle(new ravel::ClassicStyle);
    QFont desktop(QStringLiteral("DejaVu Serif"));
    desktop.setPixelSize(ravel::DialogFont().pixelSize() + 5);
    QApplication::setFont(desktop);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
