#include "settings/prefix/PrefixChoice.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "platform/posix/TextFile.h"
#include "settings/SettingsFile.h"

namespace ravel::prefix {
namespace {

// The file holds one path; anything far larger is not ours.
constexpr size_t kMaxRememberedBytes = size_t{64} << 10;

// "/a//b/" and "/a/b" name the same prefix.
std::string Normal(const std::string& path) {
    std::string normal = std::filesystem::path(path).lexically_normal().string();
    while (normal.size() > 1 && normal.back() == '/') {
        normal.pop_back();
    }
    return normal;
}

}  // namespace

PrefixChoice ChoosePrefix(const std::string& explicitPrefix, const std::string& winePrefix,
                          const std::vector<FoundPrefix>& found, const std::string& remembered) {
    PrefixChoice choice;
    const FoundPrefix* fromVariable = nullptr;
    const FoundPrefix* plainWine = nullptr;
    for (const FoundPrefix& prefix : found) {
        if (prefix.holdsGameFolder) {
            choice.candidates.push_back(prefix);
        }
        if (prefix.source == PrefixSource::WinePrefix && fromVariable == nullptr) {
            fromVariable = &prefix;
        } else if (prefix.source == PrefixSource::WineDefault && plainWine == nullptr) {
            plainWine = &prefix;
        }
    }
    // $WINEPREFIX names where Wine runs the game (making the prefix on its
    // first run), but one set for other programs must not hide the game's
    // settings that a launcher's prefix holds.
    const bool variableHolds = fromVariable != nullptr && fromVariable->holdsGameFolder;
    if (!explicitPrefix.empty()) {
        choice.rule = PrefixRule::Explicit;
        choice.path = explicitPrefix;
    } else if (!winePrefix.empty() && (variableHolds || choice.candidates.empty())) {
        choice.rule = PrefixRule::WinePrefix;
        choice.path = fromVariable != nullptr ? fromVariable->path : winePrefix;
    } else if (choice.candidates.size() == 1) {
        choice.rule = PrefixRule::OnlyHolder;
        choice.path = choice.candidates.front().path;
    } else if (choice.candidates.size() > 1) {
        choice.rule = PrefixRule::AskPlayer;
        if (!remembered.empty()) {
            const std::string wanted = Normal(remembered);
            for (const FoundPrefix& candidate : choice.candidates) {
                if (Normal(candidate.path) == wanted) {
                    choice.path = candidate.path;
                    break;
                }
            }
        }
    } else if (plainWine != nullptr) {
        choice.rule = PrefixRule::WineDefault;
        choice.path = plainWine->path;
    }
    return choice;
}

std::string RememberedPrefixFile(const PrefixEnvironment& environment) {
    const std::string config = ConfigHome(environment);
    return config.empty() ? config : config + "/ravelstone-config/prefix";
}

std::string LoadRememberedPrefix(const std::string& file) {
    std::string text;
    if (file.empty() || !ReadTextFile(file, kMaxRememberedBytes, text)) {
        return {};
    }
    const size_t end = text.find('\n');
    // Only a file we wrote counts: one absolute path ending its line.
    if (end == std::string::npos || text.size() != end + 1 || text.empty() || text[0] != '/' ||
        text.find('\0') != std::string::npos) {
        return {};
    }
    text.resize(end);
    return text;
}

bool SaveRememberedPrefix(const std::string& file, const std::string& prefix) {
    if (file.empty() || prefix.empty() || prefix[0] != '/' ||
        prefix.find_first_of(std::string("\n\r\0", 3)) != std::string::npos) {
        return false;
    }
    // Made for us alone, as the XDG folders should be.
    std::string folders = file;
    MakeParentFolders(folders.data(), 0700, nullptr);
    std::string temporary = file + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        return false;
    }
    const std::string line = prefix + "\n";
    const bool written = WriteAll(fd, line.data(), line.size()) == 0 && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(temporary.c_str(), file.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace ravel::prefix
