// The yardstick for the editor's start-up: the least a Qt Widgets program
// does to put a dialog on the screen.
#include <QApplication>
#include <QDialog>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Minimal Qt dialog"));
    QLabel label(QStringLiteral("A minimal dialog"), &dialog);
    dialog.resize(523, 517);
    return dialog.exec();
}
