#include "probes/EarlyProbes.h"

namespace ravel {

ProbeAnswers AskProbes(GraphicsProbe* graphics, SoundProbe* sound) {
    ProbeAnswers answers{};
    if (graphics != nullptr) {
        answers.graphicsRead = graphics->ReadPixelShaderVersion(answers.shaderVersion) ? 1 : 0;
    }
    if (sound != nullptr) {
        answers.soundOpened = sound->OpenDefaultDevice() ? 1 : 0;
    }
    return answers;
}

const ProbeAnswers& EarlyProbes::Answers() {
    if (!waited_) {
        waited_ = true;
        ProbeAnswers answers{};
        // A worker that gives up leaves both answers at "no".
        if (worker_.Wait(answers)) {
            answers_ = answers;
        }
    }
    return answers_;
}

bool EarlyProbes::ReadPixelShaderVersion(uint32_t& version) {
    const ProbeAnswers& answers = Answers();
    if (answers.graphicsRead == 0) {
        return false;
    }
    version = answers.shaderVersion;
    return true;
}

bool EarlyProbes::OpenDefaultDevice() {
    return Answers().soundOpened != 0;
}

}  // namespace ravel
