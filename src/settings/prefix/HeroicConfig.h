// Heroic's config.json: the folder it makes new Wine prefixes in.
#pragma once

#include <string>
#include <string_view>

namespace ravel::prefix {

// The string value of the first "defaultWinePrefix" key, wherever it sits in
// the JSON text, with JSON escapes decoded. Answers "" when there is none, when
// its value is not a string, or when the text up to it is not JSON (an
// unterminated string, a bad escape, half of a surrogate pair).
std::string HeroicDefaultPrefix(std::string_view json);

}  // namespace ravel::prefix
