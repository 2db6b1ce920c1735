#include "settings/prefix/LutrisYaml.h"

#include <cstddef>

#include "platform/posix/TextFile.h"

namespace ravel::prefix {
namespace {

size_t Indent(std::string_view line) {
    size_t count = 0;
    while (count < line.size() && line[count] == ' ') {
        ++count;
    }
    return count;
}

bool IsBlankOrComment(std::string_view line) {
    const size_t first = line.find_first_not_of(" \t\r");
    return first == std::string_view::npos || line[first] == '#';
}

// One scalar as YAML writes it on a single line; "" when it is not one.
std::string Scalar(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    text = text.substr(first);
    std::string value;
    if (text[0] == '\'') {
        for (size_t i = 1; i < text.size(); ++i) {
            if (text[i] == '\'') {
                if (i + 1 < text.size() && text[i + 1] == '\'') {
                    value += '\'';
                    ++i;
                    continue;
                }
                return value;
            }
            value += text[i];
        }
        return {};
    }
    if (text[0] == '"') {
        for (size_t i = 1; i < text.size(); ++i) {
            char c = text[i];
            if (c == '"') {
                return value;
            }
            if (c == '\\' && i + 1 < text.size()) {
                c = text[++i];
                c = c == 't' ? '\t' : c == 'n' ? '\n' : c;
            }
            value += c;
        }
        return {};
    }
    // Flow collections, block scalars, anchors and aliases are no path.
    if (text[0] == '[' || text[0] == '{' || text[0] == '|' || text[0] == '>' || text[0] == '&' ||
        text[0] == '*' || text[0] == '!') {
        return {};
    }
    const size_t comment = text.find(" #");
    return std::string(TrimRight(text.substr(0, comment)));
}

}  // namespace

std::string LutrisGamePrefix(std::string_view text) {
    bool inGame = false;
    size_t childIndent = 0;  // the indentation of game:'s own keys, once seen
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (IsBlankOrComment(line)) {
            continue;
        }
        const size_t indent = Indent(line);
        if (indent == 0) {
            inGame = TrimRight(line) == "game:";
            childIndent = 0;
            continue;
        }
        if (!inGame) {
            continue;
        }
        if (childIndent == 0) {
            childIndent = indent;
        }
        if (indent != childIndent) {
            continue;  // deeper: the value of another key of game:
        }
        const std::string_view entry = line.substr(indent);
        if (entry.substr(0, 7) == "prefix:" &&
            (entry.size() == 7 || entry[7] == ' ' || entry[7] == '\t')) {
            return Scalar(entry.substr(7));
        }
    }
    return {};
}

}  // namespace ravel::prefix
