#include "settings/prefix/HeroicConfig.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdint>

#include "platform/posix/TextFile.h"

namespace ravel::prefix {
namespace {

bool ReadHex4(std::string_view text, size_t at, uint32_t& unit) {
    if (at + 4 > text.size()) {
        return false;
    }
    const char* end = text.data() + at + 4;
    const auto [stop, error] = std::from_chars(text.data() + at, end, unit, 16);
    return error == std::errc() && stop == end;
}

// JSON's one-letter escapes, each with its character at the same place.
constexpr std::string_view kNamedEscapes = "\"\\/bfnrt";
constexpr char kEscapedChars[] = "\"\\/\b\f\n\r\t";

// Reads the JSON string whose opening quote is at `at`; leaves `at` past its
// closing quote. False for an unterminated string or a bad escape.
bool ReadString(std::string_view text, size_t& at, std::string& out) {
    out.clear();
    for (++at; at < text.size(); ++at) {
        const char c = text[at];
        if (c == '"') {
            ++at;
            return true;
        }
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++at >= text.size()) {
            return false;
        }
        if (const size_t named = kNamedEscapes.find(text[at]); named != std::string_view::npos) {
            out += kEscapedChars[named];
            continue;
        }
        if (text[at] != 'u') {
            return false;
        }
        uint32_t code = 0;
        if (!ReadHex4(text, at + 1, code)) {
            return false;
        }
        at += 4;
        uint32_t low = 0;
        // A surrogate pair is one character; a lone half becomes U+FFFD.
        if (code >= 0xD800 && code < 0xDC00 && text.substr(at + 1, 2) == "\\u" &&
            ReadHex4(text, at + 3, low) && low >= 0xDC00 && low < 0xE000) {
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
            at += 6;
        } else if (code >= 0xD800 && code < 0xE000) {
            code = 0xFFFD;
        }
        AppendUtf8(code, out);
    }
    return false;
}

size_t SkipBlanks(std::string_view text, size_t at) {
    return std::min(text.find_first_not_of(" \t\n\r", at), text.size());
}

}  // namespace

std::string HeroicDefaultPrefix(std::string_view json) {
    // Every string is read whole, so a key-like text inside a value never
    // counts; a string followed by ':' is a key.
    std::string token;
    std::string value;
    size_t at = 0;
    while (at < json.size()) {
        if (json[at] != '"') {
            ++at;
            continue;
        }
        if (!ReadString(json, at, token)) {
            return {};
        }
        at = SkipBlanks(json, at);
        if (at >= json.size() || json[at] != ':' || token != "defaultWinePrefix") {
            continue;
        }
        at = SkipBlanks(json, at + 1);
        if (at >= json.size() || json[at] != '"' || !ReadString(json, at, value)) {
            return {};
        }
        return value;
    }
    return {};
}

}  // namespace ravel::prefix
