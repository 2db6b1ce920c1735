// The fuzz targets' bodies: libFuzzer drives them in the fuzz build, and the
// ordinary tests replay them over the committed seeds in every build. A broken
// promise ends the process.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace ravel {

int FuzzSettings(const uint8_t* data, size_t size);
int FuzzInputCodes(const uint8_t* data, size_t size);
int FuzzPrefixParsers(const uint8_t* data, size_t size);
int FuzzCfg(const uint8_t* data, size_t size);

// Runs `target` over every file in `folder`; answers how many there were.
inline int ReplaySeeds(const std::filesystem::path& folder,
                       int (*target)(const uint8_t*, size_t)) {
    int seeds = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                         std::istreambuf_iterator<char>()};
        target(bytes.data(), bytes.size());
        ++seeds;
    }
    return seeds;
}

}  // namespace ravel
