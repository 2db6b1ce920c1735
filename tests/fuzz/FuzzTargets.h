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
inline int ReplaySeeds(const std::filesystem::path& folder, int (*target)(const uint8_t*, size_t)) {
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

// A target's entry point: libFuzzer's in the fuzz build; elsewhere a test that
// replays at least `minimum` committed seeds of `corpus` through it.
#ifdef RAVEL_LIBFUZZER
#define RAVEL_FUZZ_TARGET(name, target, corpus, minimum)                      \
    extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) { \
        return target(data, size);                                            \
    }
#else
#include <gtest/gtest.h>
#define RAVEL_FUZZ_TARGET(name, target, corpus, minimum)        \
    TEST(FuzzSeeds, name) {                                     \
        EXPECT_GE(ravel::ReplaySeeds(corpus, target), minimum); \
    }
#endif
