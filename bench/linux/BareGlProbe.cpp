// The floor of the Linux editor's graphics question: the GL question asked
// the way the editor's probe child asks it, and then at once a plain window,
// so the start-up benchmark can time it like the others.
#include <QApplication>
#include <QWidget>

#include "probes/linux/LinuxProbes.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    ravel::GlGraphicsProbe graphics;
    uint32_t version = 0;
    const bool read = graphics.ReadPixelShaderVersion(version);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare GL probe"));
    window.resize(320, 200);
    window.show();
    const int result = application.exec();
    return read ? result : 1;
}
