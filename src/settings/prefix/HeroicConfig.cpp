#include "settings/prefix/HeroicConfig.h"

#include <cstddef>
#include <cstdint>

#include "settings/prefix/TextFile.h"

namespace ravel::prefix {
namespace {

bool ReadHex4(std::string_view text, size_t at, uint32_t& unit) {
    if (at + 4 > text.size()) {
        return false;
    }
    unit = 0;
    for (size_t i = at; i < at + 4; ++i) {
        const int digit = DigitValue(text[i], 16);
        if (digit < 0) {
            return false;
        }
        unit = unit << 4 | static_cast<uint32_t>(digit);
    }
    return true;
}

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
        switch (text[at]) {
            case '"':
                out += '"';
                break;
            case '\\':
                out += '\\';
                break;
            case '/':
                out += '/';
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'u': {
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
                break;
            }
            default:
                return false;
        }
    }
    return false;
}

size_t SkipBlanks(std::string_view text, size_t at) {
    while (at < text.size() &&
           (text[at] == ' ' || text[at] == '\t' || text[at] == '\n' || text[at] == '\r')) {
        ++at;
    }
    return at;
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
