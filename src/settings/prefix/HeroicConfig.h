// Heroic's config.json: the folder it makes new Wine prefixes in.
#pragma once

#include <string>
#include <string_view>

namespace ravel::prefix {

// The string value of the first "defaultWinePrefix" key, wherever it sits in
// the JSON text, with JSON escapes decoded. Answers "" when there is none or
// the text around it is not JSON (an unterminated string, a bad escape, a key
// without a string value).
std::string HeroicDefaultPrefix(std::string_view json);

}  // namespace ravel::prefix
