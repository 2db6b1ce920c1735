// ravelstone-config: the settings editor for players who run the game under
// Wine or Proton. It finds the game's Wine prefix (see settings/prefix), then
// shows one sheet over the editor's pages (app/EditorPages.h); the first
// page's initialisation runs the start-up (RunStartUp), and the devices are
// released by RunShutDown once the sheet has closed.
#include <QApplication>
#include <QIcon>
#include <QImageReader>
#include <QMessageBox>
#include <QPixmap>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/EditorPages.h"
#include "app/posix/SingleInstance.h"
#include "app/qt/ClassicStyle.h"
#include "app/qt/DialogUnits.h"
#include "app/qt/KeyRecorder.h"
#include "app/qt/PrefixChooser.h"
#include "app/qt/SheetDialog.h"
#include "input/linux/LinuxInput.h"
#include "input/linux/NativeScanCodes.h"
#include "probes/linux/LinuxProbes.h"
#include "probes/linux/ProbeChild.h"
#include "probes/linux/WineRegistry.h"
#include "settings/prefix/SettingsLocation.h"

namespace {

// The run's state: exactly one, zero-initialised.
ravel::Editor editor;

// Exit codes: a run whose last save failed, no display to show the window
// on, and a command line we cannot read.
constexpr int kSaveFailed = 1;
constexpr int kNoDisplay = 1;
constexpr int kUsage = 64;

constexpr const char* kUsageText =
    "Usage: ravelstone-config [--prefix PATH] [--choose-prefix]\n"
    "   or: ravelstone-config --help | --version\n"
    "\n"
    "Edits the game's setting.cfg in the Wine prefix the game runs in. Without\n"
    "--prefix it uses the one prefix of Wine, Steam (Proton), Lutris, Bottles\n"
    "or Heroic that holds the game's settings ($WINEPREFIX first when it holds\n"
    "them); when several do, it asks which one and remembers the answer\n"
    "(--choose-prefix asks again). When none does: $WINEPREFIX if set (Wine\n"
    "makes it on first run), else ~/.wine if it exists, else the XDG config\n"
    "folder, where the game will not find them. 'ravelstone-cfg where' tells.\n"
    "\n"
    "Options:\n"
    "  --prefix PATH     edit the settings of the Wine prefix at PATH\n"
    "  --choose-prefix   ask again which prefix to edit\n"
    "  --help            show this text\n"
    "  --version         show the version\n";

struct Options {
    std::string prefix;
    bool choose = false;
};

int Usage(const std::string& problem) {
    std::fprintf(stderr, "ravelstone-config: %s\nTry 'ravelstone-config --help'.\n",
                 problem.c_str());
    return kUsage;
}

// Our own options; anything else that starts with "--" is refused, and the
// rest is left to Qt (-platform, -display, ...). Answers -1 to go on, else
// the exit code.
int ReadOptions(int argc, char** argv, Options& options) {
    std::string problem;
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        if (std::strcmp(argument, "--help") == 0) {
            std::fputs(kUsageText, stdout);
            return 0;
        }
        if (std::strcmp(argument, "--version") == 0) {
            std::fputs("ravelstone-config " RAVEL_VERSION "\n", stdout);
            return 0;
        }
        if (std::strcmp(argument, "--choose-prefix") == 0) {
            options.choose = true;
        } else if (ravel::prefix::ReadPrefixOption(argc, argv, i, options.prefix, problem)) {
            if (!problem.empty()) {
                return Usage(problem);
            }
        } else if (std::strncmp(argument, "--", 2) == 0) {
            return Usage(std::string("unknown option ") + argument);
        }
    }
    problem = ravel::prefix::PrefixFolderProblem(options.prefix);
    return problem.empty() ? -1 : Usage(problem);
}

// Qt tells of a display it cannot open in several messages and then aborts
// with a core dump; until the application stands, the player gets one line
// and exit code 1 instead.
QtMessageHandler qtHandler = nullptr;

void StartingHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg) {
        const char* display = std::getenv("DISPLAY");
        const char* wayland = std::getenv("WAYLAND_DISPLAY");
        std::fprintf(stderr,
                     "ravelstone-config: needs a display to show its window, and none could be "
                     "opened (DISPLAY=%s, WAYLAND_DISPLAY=%s); start it from a desktop session\n",
                     display != nullptr ? display : "", wayland != nullptr ? wayland : "");
        std::_Exit(kNoDisplay);
    }
    // The platform plugin's own account of the failure, said once above.
    if (std::strncmp(context.category != nullptr ? context.category : "", "qt.qpa.", 7) != 0) {
        qtHandler(type, context, message);
    }
}

// The last save's result decides the exit code.
int lastSaveError = 0;

bool ReportSave(const char* file, int error) {
    lastSaveError = error;
    if (error != 0) {
        QMessageBox::critical(QApplication::activeWindow(),
                              QString::fromUtf8(ravel::kApplicationTitle),
                              QStringLiteral("The settings could not be saved to\n%1\n\n%2.\n\n"
                                             "Nothing is lost: the window stays open so that you "
                                             "can try again or cancel.")
                                  .arg(QString::fromUtf8(file),
                                       QString::fromLocal8Bit(ravel::SettingsErrorText(error))));
    }
    return true;
}

// The classic look and the program's icon.
void Dress(QApplication& application) {
    auto* style = new ravel::ClassicStyle;
    style->setParent(&application);  // setStyle does so too; said here for the static checks
    QApplication::setStyle(style);
    // Read as the PNG it is: left to guess, Qt loads every image-format
    // plugin (and libjpeg) into the editor to ask them.
    QImageReader icon(QStringLiteral(":/ravelstone-config.png"), "png");
    icon.setAutoDetectImageFormat(false);
    QApplication::setWindowIcon(QIcon(QPixmap::fromImage(icon.read())));
}

// Asks which prefix to edit when the player has to pick one (or asked to
// pick again). False when the player closed the question without a pick.
bool PickPrefix(ravel::prefix::SettingsLocation& location, bool again,
                const ravel::prefix::PrefixEnvironment& environment) {
    using namespace ravel;
    if (!prefix::MustChoose(location, again)) {
        return true;
    }
    const int picked = ChoosePrefixCandidate(location.choice.candidates, location.choice.path);
    if (picked < 0) {
        return false;
    }
    prefix::PickCandidate(location, static_cast<size_t>(picked), environment);
    return true;
}

// The editor over the window-fed keyboard, SDL's joysticks and `probes`:
// shows the sheet until it closes and answers the run's exit code.
int RunEditor(QApplication& application, ravel::PrefixProbes& probes,
              const ravel::prefix::SettingsLocation& location) {
    using namespace ravel;

    // Keys are stored as the game will read them through Wine's DirectInput,
    // which follows the locale the game is started in (this one) and the X
    // keymap; the keymap only matters under a Japanese locale.
    const char* locale = WineMessagesLocale();
    const KeyCodeSet keyCodes =
        WineKeyCodeSet(locale, IsJapaneseLocale(locale) && XKeymapIsWineJapanese106());
    LinuxInput input;
    KeyRecorder recorder(input.keys(), [keyCodes](uint32_t native) {
        return DikFromNativeScanCode(native, keyCodes);
    });
    application.installEventFilter(&recorder);
    Platform platform{&input, &probes, &probes, location.settingsFile.c_str(), nullptr, ReportSave};

    EditorPages pages(editor, platform);
    {
        SheetDialog sheet(pages.pages(), DialogFont());
        sheet.ShowFileLine(QString::fromStdString(location.place),
                           QString::fromStdString(location.settingsFile + "\n" + location.reason));
        sheet.exec();
    }
    RunShutDown(editor);
    // OK and Cancel both end a run well; a save that failed last does not.
    return lastSaveError == 0 ? 0 : kSaveFailed;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace ravel;

    Options options;
    if (const int exitCode = ReadOptions(argc, argv, options); exitCode >= 0) {
        return exitCode;
    }

    // Before any window exists: a second copy ends at once and shows nothing.
    SingleInstance instance;
    if (instance.AnotherRuns()) {
        return 0;
    }

    // Before Qt or SDL start any thread: the GL and the sound question go to
    // a child each while the window is being built (see ProbeChild); a GL
    // driver that crashes cannot take the sound answer with it.
    ProbeChild graphicsChild;
    graphicsChild.Start(AskGlGraphics, argc, argv);
    EarlyProbes graphics(graphicsChild);
    ProbeChild soundChild;
    soundChild.Start(AskAlsaSound, argc, argv);
    EarlyProbes sound(soundChild);

    const prefix::PrefixEnvironment environment = prefix::ProcessEnvironment();
    prefix::SettingsLocation location = prefix::LocateSettings(options.prefix, environment);

    qtHandler = qInstallMessageHandler(StartingHandler);
    QApplication application(argc, argv);
    qInstallMessageHandler(qtHandler);
    Dress(application);
    if (!PickPrefix(location, options.choose, environment)) {
        return 0;
    }
    // What the game would find in that prefix: its registry may take pixel
    // shaders or sound away whatever the machine offers.
    PrefixProbes probes(location.prefix, graphics, sound);
    return RunEditor(application, probes, location);
}
