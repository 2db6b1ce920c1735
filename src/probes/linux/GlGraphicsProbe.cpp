#include "probes/linux/LinuxProbes.h"

#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>

#include <unistd.h>

namespace ravel {
namespace {

constexpr uint32_t kPixelShader14 = 0xFFFF0104u;
constexpr uint32_t kNoPixelShader = 0xFFFF0000u;

// Fragment programs came with OpenGL 2.0 (GLSL) and OpenGL ES 2.0; older
// desktop contexts may still offer them as an extension.
bool HasFragmentShading(QOpenGLContext& context) {
    const QSurfaceFormat format = context.format();
    if (format.majorVersion() >= 2) {
        return true;
    }
    return context.hasExtension("GL_ARB_fragment_shader") ||
           context.hasExtension("GL_ARB_fragment_program");
}

// The child speaks through its answer alone: what Qt would say of a display
// it cannot open is the editor's to say, once, and a platform that fails to
// start means "no", not an abort with a core dump.
void Quiet(QtMsgType type, const QMessageLogContext&, const QString&) {
    if (type == QtFatalMsg) {
        ::_exit(1);
    }
}

}  // namespace

bool GlGraphicsProbe::ReadPixelShaderVersion(uint32_t& version) {
    QOpenGLContext context;
    if (!context.create()) {
        return false;
    }
    QOffscreenSurface surface;
    surface.setFormat(context.format());
    surface.create();
    if (!surface.isValid() || !context.makeCurrent(&surface)) {
        return false;
    }
    version = HasFragmentShading(context) ? kPixelShader14 : kNoPixelShader;
    context.doneCurrent();
    return true;
}

ProbeAnswers AskGlGraphics(int argc, char** argv) {
    qInstallMessageHandler(Quiet);
    // Static, so never taken down: the probe child ends with _exit as soon
    // as it has answered, and destroying Qt first would only hold it back.
    static QGuiApplication application(argc, argv);
    GlGraphicsProbe graphics;
    return AskProbes(&graphics, nullptr);
}

}  // namespace ravel
