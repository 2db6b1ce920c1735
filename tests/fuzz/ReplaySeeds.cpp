// Runs a fuzz target's invariants over its committed seeds in an ordinary
// build (the default one and the sanitizer one), one input after another:
// every seed is a test case of its own that any build can replay.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
    int seeds = 0;
    for (int i = 1; i < argc; ++i) {
        for (const auto& entry : std::filesystem::directory_iterator(argv[i])) {
            std::ifstream in(entry.path(), std::ios::binary);
            const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                             std::istreambuf_iterator<char>()};
            // A target aborts on a broken invariant; reaching the end is the pass.
            LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
            ++seeds;
        }
    }
    std::printf("%d seeds replayed\n", seeds);
    return seeds > 0 ? 0 : 1;
}
