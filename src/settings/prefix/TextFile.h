// Reading the small text files of launchers and Wine prefixes.
#pragma once

#include <cstddef>
#include <string>

namespace ravel::prefix {

// Reads a regular file of at most `limit` bytes whole. False for anything
// else (missing, a folder, unreadable, larger), leaving `text` empty.
bool ReadTextFile(const std::string& path, size_t limit, std::string& text);

}  // namespace ravel::prefix
