// The Linux side of the tool: the game runs in a Wine prefix there, and the
// commands use the settings file of the prefix the editor would pick. The
// Windows build has no prefixes and leaves this out.
#pragma once

#include <string>

namespace ravel::cli {

struct PrefixFile {
    // The editor's file; "" when its folder's name is too long to use.
    std::string path;
    // Set instead when the editor would ask which of several prefixes to use:
    // the candidates and how to choose, for the player to read.
    std::string choose;
};

// The file the editor would use with --prefix `explicitPrefix` ("" for none).
PrefixFile PrefixSettingsFile(const std::string& explicitPrefix);

// The `where` command's text: every prefix found, then the file the commands
// use and which rule chose it.
std::string WhereReport(const std::string& explicitPrefix);

}  // namespace ravel::cli
