#include "settings/prefix/Vdf.h"

#include <cctype>
#include <cstddef>

#include "platform/posix/TextFile.h"

namespace ravel::prefix {
namespace {

// Valve's KeyValues text: quoted or bare tokens, { } blocks, // comments.
// Conditions such as [$WIN32] after a value are read and ignored.
class Tokens {
  public:
    enum Kind { kEnd, kString, kOpen, kClose, kBad };

    explicit Tokens(std::string_view text) : text_(text) {}

    Kind Next(std::string& value) {
        SkipBlanks();
        if (at_ >= text_.size()) {
            return kEnd;
        }
        const char c = text_[at_];
        if (c == '{' || c == '}') {
            ++at_;
            return c == '{' ? kOpen : kClose;
        }
        value.clear();
        if (c == '"') {
            return Quoted(value);
        }
        while (at_ < text_.size() && !IsBlank(text_[at_]) && text_[at_] != '{' &&
               text_[at_] != '}' && text_[at_] != '"') {
            value += text_[at_++];
        }
        return kString;
    }

  private:
    static bool IsBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

    void SkipBlanks() {
        while (at_ < text_.size()) {
            if (IsBlank(text_[at_])) {
                ++at_;
            } else if (text_.substr(at_, 2) == "//") {
                const size_t end = text_.find('\n', at_);
                at_ = end == std::string_view::npos ? text_.size() : end + 1;
            } else if (text_[at_] == '[') {
                // A platform condition belongs to the token before it.
                const size_t end = text_.find(']', at_);
                at_ = end == std::string_view::npos ? text_.size() : end + 1;
            } else {
                return;
            }
        }
    }

    Kind Quoted(std::string& value) {
        for (++at_; at_ < text_.size(); ++at_) {
            char c = text_[at_];
            if (c == '"') {
                ++at_;
                return kString;
            }
            if (c == '\\' && at_ + 1 < text_.size()) {
                const char escaped = text_[++at_];
                c = escaped == 'n' ? '\n' : escaped == 't' ? '\t' : escaped;
                if (escaped != '\\' && escaped != '"' && escaped != 'n' && escaped != 't') {
                    value += '\\';  // Steam keeps other backslashes as they stand
                }
            }
            value += c;
        }
        return kBad;
    }

    std::string_view text_;
    size_t at_ = 0;
};

bool IsNumber(const std::string& key) {
    return !key.empty() && key.find_first_not_of("0123456789") == std::string::npos;
}

// A damaged file names no library.
bool Damaged(std::vector<std::string>& paths) {
    paths.clear();
    return false;
}

}  // namespace

bool ReadLibraryFolders(std::string_view text, std::vector<std::string>& paths) {
    paths.clear();
    Tokens tokens(text);
    // The keys of the blocks we are inside: root ("libraryfolders"), entry, ...
    std::vector<std::string> open;
    std::string key;
    std::string value;
    for (;;) {
        Tokens::Kind kind = tokens.Next(key);
        if (kind == Tokens::kEnd) {
            break;
        }
        if (kind == Tokens::kClose) {
            if (open.empty()) {
                return Damaged(paths);
            }
            open.pop_back();
            continue;
        }
        if (kind != Tokens::kString) {
            return Damaged(paths);
        }
        kind = tokens.Next(value);
        if (kind == Tokens::kOpen) {
            open.push_back(key);
            continue;
        }
        if (kind != Tokens::kString) {
            return Damaged(paths);
        }
        const bool inEntry = open.size() == 2 && IsNumber(open[1]) && SameName(key, "path");
        const bool flatEntry = open.size() == 1 && IsNumber(key);
        if (SameName(open.empty() ? std::string() : open[0], "libraryfolders") &&
            (inEntry || flatEntry) && !value.empty()) {
            paths.push_back(value);
        }
    }
    return open.empty() || Damaged(paths);
}

}  // namespace ravel::prefix
