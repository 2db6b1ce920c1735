#include "probes/linux/WineRegistry.h"

#include <cctype>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "platform/posix/TextFile.h"

namespace ravel {
namespace {

// A user.reg of a busy prefix runs to a few megabytes.
constexpr size_t kMaxRegistryBytes = 64u << 20;

// The value of a digit in `base` (up to 16), or -1.
int DigitValue(char c, int base) {
    int value = -1;
    if (c >= '0' && c <= '9') {
        value = c - '0';
    } else if (c >= 'a' && c <= 'f') {
        value = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
        value = c - 'A' + 10;
    }
    return value < base ? value : -1;
}

// Appends a code point as UTF-8 (the escapes wineserver writes).
void AppendUtf8(uint32_t code, std::string& out) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | code >> 6);
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | code >> 12);
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | code >> 18);
        out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// \a \b \t \n \v \f \r \e, each with its character at the same place.
constexpr std::string_view kNamedEscapes = "abtnvfre";
constexpr char kEscapedChars[] = "\a\b\t\n\v\f\r\x1b";

// Reads text escaped the way wineserver writes names and strings, up to the
// first unescaped `end`; `at` is left past it. False when `end` never comes.
bool Unescape(std::string_view line, size_t& at, char end, std::string& out) {
    out.clear();
    while (at < line.size()) {
        const char c = line[at++];
        if (c == end) {
            return true;
        }
        if (c != '\\' || at >= line.size()) {
            out += c;
            continue;
        }
        const char e = line[at++];
        if (const size_t named = kNamedEscapes.find(e); named != std::string_view::npos) {
            out += kEscapedChars[named];
        } else if (e == 'x') {
            uint32_t code = 0;
            int digits = 0;
            for (; digits < 4 && at < line.size() && DigitValue(line[at], 16) >= 0; ++digits) {
                code = code << 4 | static_cast<uint32_t>(DigitValue(line[at++], 16));
            }
            if (digits == 0) {
                out += 'x';
            } else {
                AppendUtf8(code, out);
            }
        } else if (DigitValue(e, 8) >= 0) {
            uint32_t code = static_cast<uint32_t>(DigitValue(e, 8));
            for (int digits = 1; digits < 3 && at < line.size() && DigitValue(line[at], 8) >= 0;
                 ++digits) {
                code = code << 3 | static_cast<uint32_t>(DigitValue(line[at++], 8));
            }
            AppendUtf8(code, out);
        } else {
            out += e;  // \\, \", \[, \] and the like stand for themselves
        }
    }
    return false;
}

struct Value {
    enum Kind { kString, kDword, kOther } kind = kOther;
    std::string text;
    uint32_t number = 0;
};

// The data after `=`: a string, str(2):"..", dword:hhhhhhhh, or anything else.
bool ReadData(std::string_view line, size_t at, Value& value) {
    const std::string_view data = line.substr(at);
    if (data.substr(0, 1) == "\"" || data.substr(0, 7) == "str(2):") {
        at += data[0] == '"' ? 1 : 8;
        value.kind = Value::kString;
        return (data[0] == '"' || data.substr(7, 1) == "\"") && Unescape(line, at, '"', value.text);
    }
    if (data.substr(0, 6) == "dword:") {
        const std::string_view digits = data.substr(6);
        if (digits.empty() || digits.size() > 8) {
            return false;
        }
        value.kind = Value::kDword;
        const char* end = digits.data() + digits.size();
        const auto [stop, error] = std::from_chars(digits.data(), end, value.number, 16);
        return error == std::errc() && stop == end;
    }
    value.kind = Value::kOther;
    return true;
}

// Wine's load-order string: disabled when it names neither native nor
// builtin (ntdll's loadorder.c reads only each word's first letter).
bool DisablesDll(const Value& value) {
    if (value.kind != Value::kString) {
        return false;
    }
    bool wordStart = true;
    for (const char c : value.text) {
        const bool separator = c == ',' || std::isspace(static_cast<unsigned char>(c)) != 0;
        const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (wordStart && !separator && (lower == 'n' || lower == 'b')) {
            return false;
        }
        wordStart = separator;
    }
    return true;
}

enum class Section { kOther, kDirect3D, kDllOverrides, kDrivers };

Section SectionNamed(std::string_view name) {
    if (SameName(name, "Software\\Wine\\Direct3D")) {
        return Section::kDirect3D;
    }
    if (SameName(name, "Software\\Wine\\DllOverrides")) {
        return Section::kDllOverrides;
    }
    if (SameName(name, "Software\\Wine\\Drivers")) {
        return Section::kDrivers;
    }
    return Section::kOther;
}

}  // namespace

RegistryAnswers ReadRegistryAnswers(std::string_view userReg) {
    std::optional<Value> shaderModel;
    std::optional<Value> d3d8;
    std::optional<Value> anyD3d8;
    std::optional<Value> audio;

    Section section = Section::kOther;
    std::string line;
    std::string name;
    while (!userReg.empty()) {
        // One logical line: a trailing backslash joins the next line, whose
        // leading blanks are indentation.
        line.clear();
        bool more = true;
        while (more && !userReg.empty()) {
            const size_t end = userReg.find('\n');
            std::string_view part = TrimRight(userReg.substr(0, end));
            userReg = end == std::string_view::npos ? std::string_view() : userReg.substr(end + 1);
            if (!line.empty()) {
                const size_t first = part.find_first_not_of(" \t");
                part = first == std::string_view::npos ? std::string_view() : part.substr(first);
            }
            more = !part.empty() && part.back() == '\\';
            line.append(part.substr(0, part.size() - (more ? 1 : 0)));
        }
        if (line.empty() || line[0] == '#' || line[0] == ';') {
            continue;
        }
        size_t at = 1;
        if (line[0] == '[') {
            // A header that does not close leaves no section to read from.
            section = Unescape(line, at, ']', name) ? SectionNamed(name) : Section::kOther;
            continue;
        }
        if (section == Section::kOther || line[0] != '"' || !Unescape(line, at, '"', name) ||
            at >= line.size() || line[at] != '=') {
            continue;
        }
        Value value;
        if (!ReadData(line, at + 1, value)) {
            continue;
        }
        if (section == Section::kDirect3D && SameName(name, "MaxShaderModelPS")) {
            shaderModel = value;
        } else if (section == Section::kDllOverrides && SameName(name, "d3d8")) {
            d3d8 = value;
        } else if (section == Section::kDllOverrides && SameName(name, "*d3d8")) {
            anyD3d8 = value;
        } else if (section == Section::kDrivers && SameName(name, "Audio")) {
            audio = value;
        }
    }

    RegistryAnswers answers;
    if (shaderModel && ((shaderModel->kind == Value::kDword && shaderModel->number == 0) ||
                        (shaderModel->kind == Value::kString && shaderModel->text == "0"))) {
        answers.pixelShaders = RegistrySays::No;
    }
    // As Wine looks it up: the module's own name before the "*" form.
    const std::optional<Value>& override = d3d8 ? d3d8 : anyD3d8;
    if (override && DisablesDll(*override)) {
        answers.direct3D8 = RegistrySays::No;
    }
    if (audio && audio->kind == Value::kString && audio->text.empty()) {
        answers.sound = RegistrySays::No;
    }
    return answers;
}

PrefixProbes::PrefixProbes(const std::string& prefix, GraphicsProbe& graphics, SoundProbe& sound)
    : graphics_(graphics), sound_(sound) {
    std::string text;
    if (ReadTextFile(prefix + "/user.reg", kMaxRegistryBytes, text)) {
        answers_ = ReadRegistryAnswers(text);
    }
}

bool PrefixProbes::ReadPixelShaderVersion(uint32_t& version) {
    return !answers_.TakesPixelShaders() && graphics_.ReadPixelShaderVersion(version);
}

bool PrefixProbes::OpenDefaultDevice() {
    return !answers_.TakesSound() && sound_.OpenDefaultDevice();
}

}  // namespace ravel
