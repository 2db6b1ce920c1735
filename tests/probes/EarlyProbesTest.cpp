// The answers a worker found reach the start-up unchanged, and a worker that
// gives up counts as two failed probes.
#include <gtest/gtest.h>

#include "probes/EarlyProbes.h"

namespace ravel {
namespace {

class ScriptedWorker final : public ProbeWorker {
  public:
    ScriptedWorker(bool finishes, ProbeAnswers answers) : finishes_(finishes), answers_(answers) {}
    bool Wait(ProbeAnswers& answers) override {
        ++waits;
        if (finishes_) {
            answers = answers_;
        }
        return finishes_;
    }
    int waits = 0;

  private:
    bool finishes_;
    ProbeAnswers answers_;
};

class FixedGraphics final : public GraphicsProbe {
  public:
    FixedGraphics(bool read, uint32_t version) : read_(read), version_(version) {}
    bool ReadPixelShaderVersion(uint32_t& version) override {
        version = version_;
        return read_;
    }

  private:
    bool read_;
    uint32_t version_;
};

class FixedSound final : public SoundProbe {
  public:
    explicit FixedSound(bool opens) : opens_(opens) {}
    bool OpenDefaultDevice() override { return opens_; }

  private:
    bool opens_;
};

TEST(EarlyProbes, TheWorkersAnswersBecomeTheSameFlags) {
    struct Case {
        const char* what;
        bool finishes;
        ProbeAnswers answers;
        int pixelShader;
        int sound;
    };
    const Case cases[] = {
        {"shader 1.4 and sound", true, {0xFFFF0104u, 1, 1, {}}, 1, 1},
        {"shader 1.0 exactly", true, {0xFFFF0100u, 1, 0, {}}, 1, 0},
        {"no shader", true, {0xFFFF0000u, 1, 1, {}}, 0, 1},
        {"a version but the read failed", true, {0xFFFF0104u, 0, 1, {}}, 0, 1},
        {"the worker gave up", false, {0xFFFF0104u, 1, 1, {}}, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedWorker worker(c.finishes, c.answers);
        EarlyProbes probes(worker);
        // The start-up's own order: sound first, then the shader.
        EXPECT_EQ(ProbeDirectSound(probes), c.sound);
        EXPECT_EQ(ProbePixelShader(probes), c.pixelShader);
        EXPECT_EQ(worker.waits, 1);
    }
}

TEST(EarlyProbes, AskProbesRecordsWhatEachProbeSaid) {
    FixedGraphics graphics(true, 0xFFFF0101u);
    FixedSound sound(true);
    ProbeAnswers answers = AskProbes(&graphics, &sound);
    EXPECT_EQ(answers.shaderVersion, 0xFFFF0101u);
    EXPECT_EQ(answers.graphicsRead, 1);
    EXPECT_EQ(answers.soundOpened, 1);

    FixedGraphics failing(false, 0xFFFF0104u);
    FixedSound silent(false);
    answers = AskProbes(&failing, &silent);
    EXPECT_EQ(answers.graphicsRead, 0);
    EXPECT_EQ(answers.soundOpened, 0);

    answers = AskProbes(nullptr, nullptr);
    EXPECT_EQ(answers.graphicsRead, 0);
    EXPECT_EQ(answers.soundOpened, 0);
}

}  // namespace
}  // namespace ravel
