// Steam's libraryfolders.vdf: which folders hold a Steam library.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ravel::prefix {

// The library folders a libraryfolders.vdf names: the "path" of each numbered
// entry, or the value of a numbered key in the older flat form, in file order.
// Answers false, with `paths` empty, when the text is not Valve's KeyValues
// text (unbalanced braces, an unterminated string, a key without a value), so
// that a damaged file contributes nothing.
bool ReadLibraryFolders(std::string_view text, std::vector<std::string>& paths);

}  // namespace ravel::prefix
