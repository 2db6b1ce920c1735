// Reading the small text files of launchers and Wine prefixes, and the
// pieces their readers share. The prefix finder (settings/prefix) and the
// registry probe (probes/linux) both use them, so they belong to neither.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace ravel {

// Reads a regular file of at most `limit` bytes whole. False for anything
// else (missing, a folder, unreadable, larger), leaving `text` empty.
bool ReadTextFile(const std::string& path, size_t limit, std::string& text);

// True when `path` names a folder (or a link to one).
bool IsFolder(const std::string& path);

// Names that differ only in ASCII case are the same (VDF keys, registry names).
bool SameName(std::string_view a, std::string_view b);

// `text` without its trailing blanks, tabs and carriage returns.
std::string_view TrimRight(std::string_view text);

}  // namespace ravel
