// ravelstone-config: the settings editor for players who run the game under
// Wine or Proton. One sheet, three pages; the pages do all the work.
#include <QApplication>
#include <QIcon>

#include "app/Editor.h"
#include "app/qt/DialogUnits.h"
#include "app/qt/KeyRecorder.h"
#include "app/qt/SheetDialog.h"
#include "app/qt/SingleInstance.h"
#include "input/keystate/KeyStateDevice.h"
#include "input/sdl/SdlInput.h"
#include "pages/GraphicAudioPage.h"
#include "pages/JoystickPage.h"
#include "pages/KeyboardPage.h"
#include "probes/linux/AlsaSoundProbe.h"
#include "probes/linux/GlGraphicsProbe.h"

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

    QApplication application(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/ravelstone-config.png")));

    KeyRecorder recorder(keyState);
    application.installEventFilter(&recorder);
    KeyStateDevice keyboard(keyState);
    SdlInputBackend input(&keyboard);
    GlGraphicsProbe graphics;
    AlsaSoundProbe sound;
    char settingsFile[kPathCapacity];
    ResolveSettingsFile(settingsFile);
    Platform platform{&input, &graphics, &sound, settingsFile, nullptr};

    GraphicAudioPage graphicAudio(editor, platform);
    KeyboardPage keyboardPage(editor, platform);
    JoystickPage joystickPage(editor, platform);
    const SheetPage pages[kSheetPageCount] = {
        {&DialogTemplates[0], &graphicAudio, false},
        {&DialogTemplates[1], &keyboardPage, true},
        {&DialogTemplates[2], &joystickPage, false},
    };

    int result = 0;
    {
        SheetDialog sheet(pages, DialogFont());
        result = sheet.exec();
    }
    ReleaseInputDevices(editor.input);
    return result;
}
