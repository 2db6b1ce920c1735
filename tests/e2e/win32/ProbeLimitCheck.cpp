// config.exe's probe threads under Wine: a probe stuck in its driver counts as
// "no" once the limit has passed, while the other probe's answer stands, so a
// hung driver never hangs the start-up. Ends with 0 when that holds.
#include <windows.h>

#include <cstdio>

#include "probes/win32/ProbeThread.h"

int main() {
    struct StuckGraphics final : ravel::GraphicsProbe {
        bool ReadPixelShaderVersion(uint32_t& version) override {
            Sleep(INFINITE);
            version = 0xFFFF0104u;
            return true;
        }
    };
    struct QuickSound final : ravel::SoundProbe {
        bool OpenDefaultDevice() override { return true; }
    };
    constexpr DWORD kLimit = 500;
    StuckGraphics graphics;
    QuickSound sound;
    ravel::ProbeThread probes(graphics, sound, kLimit);
    probes.Start();
    const DWORD started = GetTickCount();
    ravel::ProbeAnswers answers{};
    const bool waited = probes.Wait(answers);
    const DWORD took = GetTickCount() - started;
    std::printf("waited %d, graphics %d, sound %d, after %lu ms\n", waited, answers.graphicsRead,
                answers.soundOpened, static_cast<unsigned long>(took));
    const bool ok = waited && answers.graphicsRead == 0 && answers.soundOpened == 1 &&
                    took + 50 >= kLimit && took < 10 * kLimit;
    // The stuck thread would keep the process: it ends here, as with config.exe.
    std::fflush(stdout);
    ExitProcess(ok ? 0 : 1);
}
