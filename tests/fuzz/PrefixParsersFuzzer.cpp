// Any bytes as libraryfolders.vdf, a Lutris game file, Heroic's config.json
// and a prefix's user.reg: each reader answers, and keeps its promises.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/FuzzTargets.h"

#include "probes/linux/WineRegistry.h"
#include "settings/prefix/HeroicConfig.h"
#include "settings/prefix/LutrisYaml.h"
#include "settings/prefix/Vdf.h"

namespace ravel {
namespace {

bool Valid(RegistrySays says) {
    return says == RegistrySays::Nothing || says == RegistrySays::No;
}

}  // namespace

int FuzzPrefixParsers(const uint8_t* data, size_t size) {
    using namespace prefix;
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    std::vector<std::string> paths = {"left over"};
    const bool readable = ReadLibraryFolders(text, paths);
    // A damaged file names nothing; a readable one never names "" and never
    // more paths than the text has quotes or words for.
    if ((!readable && !paths.empty()) || paths.size() > size / 2 + 1) {
        __builtin_trap();
    }
    for (const std::string& path : paths) {
        if (path.empty()) {
            __builtin_trap();
        }
    }

    // A value read from a line is never longer than the text it came from.
    if (LutrisGamePrefix(text).size() > size || HeroicDefaultPrefix(text).size() > size * 2) {
        __builtin_trap();
    }

    const RegistryAnswers answers = ReadRegistryAnswers(text);
    if (!Valid(answers.pixelShaders) || !Valid(answers.direct3D8) || !Valid(answers.sound)) {
        __builtin_trap();
    }
    return 0;
}

}  // namespace ravel

RAVEL_FUZZ_TARGET(PrefixParsers, ravel::FuzzPrefixParsers, RAVEL_FUZZ_CORPUS "/prefix", 6)
