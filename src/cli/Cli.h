// ravelstone-cfg: show, check, export, import and default setting.cfg, and
// (on Linux) tell where it lies.
#pragma once

namespace ravel::cli {

// Exit codes, as the README lists them.
enum ExitCode {
    kExitOk = 0,
    kExitFound = 1,       // check: the file holds something the editor shows differently
    kExitUnreadable = 2,  // a settings or JSON file cannot be read
    kExitRefused = 3,     // the JSON is not a complete, valid export
    kExitUnwritable = 4,  // the settings file cannot be written
    kExitChoose = 5,      // several Wine prefixes hold the game's settings, none chosen
    kExitUsage = 64,      // unknown command or option, wrong arguments
};

int RunCli(int argc, char** argv);

}  // namespace ravel::cli
