#include "cli/Cli.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/Findings.h"
#include "cli/JsonMapping.h"
#include "settings/Defaults.h"
#include "settings/SettingsFile.h"
#include "settings/prefix/SettingsLocation.h"

#ifdef _WIN32
#include "settings/win32/SettingsBase.h"
#endif

namespace ravel::cli {
namespace {

namespace place = ravel::prefix;

constexpr const char* kProgram = "ravelstone-cfg";
// An export is about 15 KB; anything far larger is not one.
constexpr size_t kMaxJsonBytes = 1 << 20;

constexpr const char* kUsage =
    "Usage: ravelstone-cfg [--prefix PATH] COMMAND [ARGUMENTS]\n"
    "\n"
    "Shows, checks, exports, imports and resets setting.cfg, the settings file of\n"
    "Ravelstone. Without FILE each command uses the file the editor reads.\n"
    "\n"
    "Commands:\n"
    "  show [FILE]             every setting by its meaning\n"
    "  check [FILE]            what the editor would show differently from what the\n"
    "                          file holds; exit 0 clean, 1 found something\n"
    "  export [FILE]           the settings as JSON on standard output\n"
    "  import JSON [FILE]      writes the settings of an export (JSON is a file, or -\n"
    "                          for standard input); refuses anything incomplete\n"
    "  defaults [FILE] [--no-pixel-shader] [--no-sound]\n"
    "                          writes the defaults for a machine without joysticks\n"
    "  where                   (Linux) the Wine prefixes found and the file the\n"
    "                          commands use without FILE, with the rule that chose it\n"
    "\n"
    "Options:\n"
    "  --prefix PATH           (Linux) without FILE, use the settings file of the\n"
    "                          Wine prefix at PATH (an existing folder)\n"
    "  --help                  this text\n"
    "  --version               the program's version\n"
    "\n"
    "On Linux the editor's file lies in a Wine prefix: the --prefix one, else the\n"
    "one prefix of Wine, Steam (Proton), Lutris, Bottles or Heroic that holds the\n"
    "game's settings ($WINEPREFIX first when it holds them; when several do, the\n"
    "one picked in the editor); when none does, $WINEPREFIX if set, else ~/.wine\n"
    "if it exists, else the XDG config folder. 'where' tells which and why.\n"
    "\n"
    "Exit codes: 0 success, 1 check found something, 2 a file cannot be read,\n"
    "3 the JSON is refused, 4 the settings file cannot be written, 5 several Wine\n"
    "prefixes hold the game's settings and none is chosen, 64 wrong usage.\n"
    "Writing keeps whatever a file holds past its first 596 bytes and creates the\n"
    "folder that holds it.\n";

void Message(const std::string& text) {
    std::fprintf(stderr, "%s: %s\n", kProgram, text.c_str());
}

int Usage(const std::string& problem) {
    Message(problem);
    std::fprintf(stderr, "Try '%s --help'.\n", kProgram);
    return kExitUsage;
}

void Print(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
}

// FILE as given, or the file the editor would read (on Linux: in the prefix
// it would pick, or the one --prefix names). kExitOk, else the exit code.
int SettingsPath(const std::vector<std::string>& given, size_t index,
                 [[maybe_unused]] const std::string& prefix, int failure, std::string& path) {
    if (index < given.size()) {
        path = given[index];
        return kExitOk;
    }
#ifdef _WIN32
    char resolved[kPathCapacity] = "";
    if (ResolveSettingsFile(resolved) != 0) {
        // Only the folder it would lie in can be named.
        char base[kPathCapacity] = "";
        ResolveSettingsBase(base);
        Message("cannot name the editor's settings file: the folder " + std::string(base) +
                " is too long");
        return failure;
    }
    const std::string file = resolved;
#else
    const place::SettingsLocation location =
        place::LocateSettings(prefix, place::ProcessEnvironment());
    if (place::MustChoose(location)) {
        // The editor would ask; a script cannot be asked.
        std::string text = "several Wine prefixes hold the game's settings:\n";
        for (const place::FoundPrefix& candidate : location.choice.candidates) {
            text += "  " + place::LauncherName(candidate) + ": " + candidate.path + "\n";
        }
        Message(text +
                "choose one with --prefix PATH (a pick made in ravelstone-config counts here too)");
        return kExitChoose;
    }
    if (location.settingsFile.empty()) {
        Message("cannot name the editor's settings file: no home folder, or a name longer than " +
                std::to_string(kPathCapacity - 1) + " characters (see '" + kProgram + " where')");
        return failure;
    }
    const std::string file = location.settingsFile;
#endif
    path = file;
    return kExitOk;
}

#ifndef _WIN32
// `where`: every prefix found, then the file the commands use and which rule
// chose it.
std::string WhereReport(const std::string& explicitPrefix) {
    const place::SettingsLocation location =
        place::LocateSettings(explicitPrefix, place::ProcessEnvironment());
    std::string text;
    if (location.found.empty()) {
        text += "No Wine prefix found.\n";
    }
    for (const place::FoundPrefix& found : location.found) {
        text += place::LauncherName(found) + ": " + found.path + "\n";
        text += std::string("  holds the game's settings: ") +
                (found.holdsGameFolder ? "yes" : "no") + "\n";
        text += "  settings file: " + found.settingsFile + "\n";
        text += "  last modified: " + place::LastChangeText(found.settingsModified) + "\n";
    }
    text += "\n";
    if (place::MustChoose(location)) {
        text +=
            "Used: none until chosen: choose one of the prefixes that hold the game's "
            "settings with --prefix PATH\n";
    } else if (location.settingsFile.empty()) {
        text += "Used: none: no home folder, or a name longer than " +
                std::to_string(kPathCapacity - 1) + " characters\n";
    } else {
        text += "Used: " + location.settingsFile + " (" + location.place + ")\n";
    }
    text += "Rule: " + location.reason + "\n";
    return text;
}
#endif

// Reads the record as the editor does (a short file over zeros) and tells
// the file's size.
int ReadRecord(const std::string& path, SettingsRecord& record, uint64_t& size) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        Message("cannot read " + path + ": " + std::strerror(errno));
        return kExitUnreadable;
    }
    if ((info.st_mode & S_IFMT) == S_IFDIR) {
        Message("cannot read " + path + ": it is a folder");
        return kExitUnreadable;
    }
    record = SettingsRecord{};
    if (const int error = LoadSettings(record, path.c_str()); error != 0) {
        Message("cannot read " + path + ": " + SettingsErrorText(error));
        return kExitUnreadable;
    }
    size = static_cast<uint64_t>(info.st_size);
    return kExitOk;
}

void WarnAboutSize(const std::string& path, uint64_t size) {
    if (size != kSettingsSize) {
        Message("warning: " + path + " is " + std::to_string(size) + " bytes, not 596; " +
                (size < kSettingsSize ? "the missing bytes read as 0"
                                      : "the bytes past 596 are not part of the settings"));
    }
}

int WriteRecord(const std::string& path, const SettingsRecord& record) {
    if (path.size() >= kPathCapacity) {
        Message("cannot write " + path + ": the path is longer than " +
                std::to_string(kPathCapacity - 1) + " characters");
        return kExitUnwritable;
    }
    if (const int error = SaveSettings(record, path.c_str()); error != 0) {
        Message("cannot write " + path + ": " + SettingsErrorText(error));
        return kExitUnwritable;
    }
    Message("wrote " + path);
    return kExitOk;
}

// The JSON text of a file or of standard input, refused when far too large.
int ReadJsonText(const std::string& source, std::string& text) {
    const bool standardInput = source == "-";
    std::FILE* in = standardInput ? stdin : std::fopen(source.c_str(), "rb");
    if (in == nullptr) {
        Message("cannot read " + source + ": " + std::strerror(errno));
        return kExitUnreadable;
    }
    const std::string name = standardInput ? "standard input" : source;
    char buffer[65536];
    bool failed = false;
    while (text.size() <= kMaxJsonBytes) {
        const size_t got = std::fread(buffer, 1, sizeof buffer, in);
        text.append(buffer, got);
        if (got < sizeof buffer) {
            failed = std::ferror(in) != 0;
            break;
        }
    }
    if (!standardInput) {
        std::fclose(in);
    }
    if (failed) {
        Message("cannot read " + name);
        return kExitUnreadable;
    }
    if (text.size() > kMaxJsonBytes) {
        Message("refused " + name +
                ": more than 1 MiB, far larger than any export; nothing written");
        return kExitRefused;
    }
    return kExitOk;
}

// show, check and export: the record as the editor reads it.
int Report(const std::string& command, const std::string& path) {
    SettingsRecord record;
    uint64_t size = 0;
    if (const int result = ReadRecord(path, record, size); result != kExitOk) {
        return result;
    }
    if (command == "check") {
        const std::vector<Finding> findings = FindProblems(record, size);
        for (const Finding& finding : findings) {
            Print(finding.where + ": " + finding.what + "\n");
        }
        if (findings.empty()) {
            return kExitOk;
        }
        Message(path + ": " + std::to_string(findings.size()) +
                (findings.size() == 1 ? " finding" : " findings"));
        return kExitFound;
    }
    WarnAboutSize(path, size);
    Print(command == "show" ? "File: " + path + "\n" + RenderRecord(record)
                            : RecordToJson(record).dump(2) + "\n");
    return kExitOk;
}

int Import(const std::string& source, const std::string& path) {
    std::string text;
    if (const int result = ReadJsonText(source, text); result != kExitOk) {
        return result;
    }
    const std::string name = source == "-" ? "standard input" : source;
    Json document;
    std::string error;
    if (ParseJsonText(text, document, error) != 0) {
        Message("refused " + name + ": " + error + "; nothing written");
        return kExitRefused;
    }
    SettingsRecord record{};
    if (JsonToRecord(document, record, error) != 0) {
        Message("refused " + name + ": " + error + "; nothing written");
        return kExitRefused;
    }
    return WriteRecord(path, record);
}

int Defaults(const std::string& path, bool pixelShader, bool sound) {
    const CapabilityFlags flags{pixelShader ? 1u : 0u, sound ? 1u : 0u};
    const JoystickCapsTable noJoysticks{};
    SettingsRecord record{};
    ResetAllSettings(record, flags, noJoysticks);
    return WriteRecord(path, record);
}

int Run(int argc, char** argv) {
    std::vector<std::string> positional;
    bool noPixelShader = false;
    bool noSound = false;
    bool optionsEnd = false;
    std::string prefix;
    std::string problem;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (optionsEnd || arg == "-" || arg.empty() || arg[0] != '-') {
            positional.push_back(arg);
        } else if (arg == "--") {
            optionsEnd = true;
        } else if (arg == "--help" || arg == "-h") {
            Print(kUsage);
            return kExitOk;
        } else if (arg == "--version") {
            Print(std::string(kProgram) + " " + RAVEL_VERSION + "\n");
            return kExitOk;
        } else if (arg == "--no-pixel-shader") {
            noPixelShader = true;
        } else if (arg == "--no-sound") {
            noSound = true;
        } else if (ravel::prefix::ReadPrefixOption(argc, argv, i, prefix, problem)) {
            if (!problem.empty()) {
                return Usage(problem);
            }
        } else {
            return Usage("unknown option " + arg);
        }
    }
    if (positional.empty()) {
        return Usage("no command given");
    }
    const std::string command = positional[0];
    if ((noPixelShader || noSound) && command != "defaults") {
        return Usage("--no-pixel-shader and --no-sound belong to the defaults command");
    }
#ifdef _WIN32
    if (!prefix.empty() || command == "where") {
        return Usage(
            "--prefix and where are for Linux, where the game runs in a Wine prefix; "
            "Windows has none");
    }
#else
    problem = ravel::prefix::PrefixFolderProblem(prefix);
    if (!problem.empty()) {
        return Usage(problem);
    }
#endif
    const size_t arguments = positional.size() - 1;
#ifndef _WIN32
    if (command == "where") {
        if (arguments > 0) {
            return Usage("where takes no FILE");
        }
        Print(WhereReport(prefix));
        return kExitOk;
    }
#endif
    const bool reads = command == "show" || command == "check" || command == "export";
    const bool imports = command == "import";
    if (!reads && !imports && command != "defaults") {
        return Usage("unknown command " + command);
    }
    if (imports && (arguments < 1 || arguments > 2)) {
        return Usage("import takes a JSON file (or -) and at most one FILE");
    }
    if (!imports && arguments > 1) {
        return Usage(command + " takes at most one FILE");
    }
    // FILE follows the command's own arguments.
    std::string path;
    if (const int result = SettingsPath(positional, imports ? 2 : 1, prefix,
                                        reads ? kExitUnreadable : kExitUnwritable, path);
        result != kExitOk) {
        return result;
    }
    if (reads) {
        return Report(command, path);
    }
    return imports ? Import(positional[1], path) : Defaults(path, !noPixelShader, !noSound);
}

}  // namespace

int RunCli(int argc, char** argv) {
    const int result = Run(argc, argv);
    // A script reading our output must not take a cut-off text for a whole one.
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        Message("cannot write standard output");
        return result == kExitOk || result == kExitFound ? kExitUnwritable : result;
    }
    return result;
}

}  // namespace ravel::cli
