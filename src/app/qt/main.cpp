// ravelstone-config: the settings editor for players who run the game under
// Wine or Proton. One sheet over the editor's pages (app/EditorPages.h); the
// first page's initialisation runs the start-up (RunStartUp), and the devices
// are released by RunShutDown once the sheet has closed.
#include <QApplication>
#include <QIcon>

#include <cstdlib>

#include "app/EditorPages.h"
#include "app/qt/DialogUnits.h"
#include "app/qt/KeyRecorder.h"
#include "app/qt/SheetDialog.h"
#include "app/posix/SingleInstance.h"
#include "input/keystate/KeyStateDevice.h"
#include "input/linux/NativeScanCodes.h"
#include "input/sdl/SdlInput.h"
#include "probes/linux/AlsaSoundProbe.h"
#include "probes/linux/GlGraphicsProbe.h"
#include "probes/linux/ProbeChild.h"

namespace {

// The run's state: exactly one, zero-initialised.
ravel::Editor editor;
ravel::KeyStateTable keyState;

}  // namespace

int main(int argc, char** argv) {
    using namespace ravel;

    // Before any window exists: a second copy ends at once and shows nothing.
    SingleInstance instance;
    if (instance.AnotherRuns()) {
        return 0;
    }

    // Before Qt or SDL start any thread: the GL question goes to a child of
    // its own while the window is being built (see ProbeChild).
    ProbeChild graphicsChild;
    graphicsChild.Start(AskGlGraphics, argc, argv);
    EarlyProbes graphics(graphicsChild);

    QApplication application(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/ravelstone-config.png")));

    // Keys are stored as the game will read them through Wine's DirectInput,
    // which follows the locale the game is started in: this one.
    const KeyCodeSet keyCodes = WineKeyCodeSet(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"),
                                               std::getenv("LC_CTYPE"), std::getenv("LANG"));
    KeyRecorder recorder(
        keyState, [keyCodes](uint32_t native) { return DikFromNativeScanCode(native, keyCodes); });
    application.installEventFilter(&recorder);
    KeyStateDevice keyboard(keyState);
    SdlInputBackend input(&keyboard);
    AlsaSoundProbe sound;
    char settingsFile[kPathCapacity];
    ResolveSettingsFile(settingsFile);
    Platform platform{&input, &graphics, &sound, settingsFile, nullptr};

    EditorPages pages(editor, platform);

    int result = 0;
    {
        SheetDialog sheet(pages.pages(), DialogFont());
        result = sheet.exec();
    }
    RunShutDown(editor);
    return result;
}
