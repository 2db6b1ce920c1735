// Lutris game files (~/.config/lutris/games/*.yml): the Wine prefix a game
// runs in.
#pragma once

#include <string>
#include <string_view>

namespace ravel::prefix {

// The value of `prefix:` directly under the top-level `game:` mapping, plain,
// 'single' or "double" quoted, as written (a leading ~ is left for the caller
// to expand). Answers "" when there is none or the line cannot be read (an
// unterminated quote, a flow or block value).
std::string LutrisGamePrefix(std::string_view text);

}  // namespace ravel::prefix
