// What the probes answered in the worker reaches the start-up unchanged, and
// a worker that gives up counts as two failed probes.
#include <gtest/gtest.h>

#include "pages/PageHarness.h"
#include "probes/EarlyProbes.h"

namespace ravel {
namespace {

// Asks the probes as the platform's worker does; one that gives up may have
// found something all the same.
struct ScriptedWorker final : ProbeWorker {
    bool Wait(ProbeAnswers& answers) override {
        ++waits;
        answers = AskProbes(&probes, &probes);
        return finishes;
    }
    testing::FakeProbes probes;
    bool finishes = true;
    int waits = 0;
};

TEST(EarlyProbes, TheProbesAnswersBecomeTheSameFlags) {
    const struct {
        bool finishes, graphics, sound;
        uint32_t version;
        const char* flags;  // sound, pixel shader, waits for the worker
    } cases[] = {
        {true, true, true, 0xFFFF0104u, "1 1 1"},
        {true, true, false, 0xFFFF0100u, "0 1 1"},  // shader 1.0 exactly
        {true, true, true, 0xFFFF0000u, "1 0 1"},   // no shader
        {true, false, true, 0xFFFF0104u, "1 0 1"},  // a version, but the read failed
        {false, true, true, 0xFFFF0104u, "0 0 1"},  // the worker gave up
    };
    for (const auto& c : cases) {
        ScriptedWorker worker;
        worker.finishes = c.finishes;
        worker.probes.graphics = c.graphics;
        worker.probes.sound = c.sound;
        worker.probes.version = c.version;
        EarlyProbes probes(worker);
        // The start-up's own order: sound first, then the shader.
        const std::string sound = std::to_string(ProbeDirectSound(probes));
        const std::string shader = std::to_string(ProbePixelShader(probes));
        EXPECT_EQ(sound + " " + shader + " " + std::to_string(worker.waits), c.flags) << c.version;
    }
    const ProbeAnswers none = AskProbes(nullptr, nullptr);
    EXPECT_EQ(none.graphicsRead + none.soundOpened, 0);
}

}  // namespace
}  // namespace ravel
