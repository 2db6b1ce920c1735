// The paths that run on every capture tick or when a page fills its lists.
#include <benchmark/benchmark.h>

#include <cstring>

#include "input/CaptureScan.h"
#include "input/InputCode.h"
#include "pages/PageHarness.h"

namespace ravel {
namespace {

using testing::AxisObject;
using testing::Harness;
using testing::Joystick;
using testing::PovObject;

void KeyboardScanNoKey(benchmark::State& state) {
    uint8_t keys[kKeyboardStateSize] = {};
    for (auto _ : state) {
        benchmark::DoNotOptimize(keys);
        benchmark::DoNotOptimize(ScanKeyboardState(keys));
    }
}
BENCHMARK(KeyboardScanNoKey);

void KeyboardScanHighestKey(benchmark::State& state) {
    uint8_t keys[kKeyboardStateSize] = {};
    keys[255] = 0x80;
    for (auto _ : state) {
        benchmark::DoNotOptimize(keys);
        benchmark::DoNotOptimize(ScanKeyboardState(keys));
    }
}
BENCHMARK(KeyboardScanHighestKey);

JoystickState Idle() {
    JoystickState s{};
    for (uint32_t& pov : s.rgdwPOV) {
        pov = 0xFFFFFFFF;
    }
    return s;
}

constexpr JoystickCaps kMaximal{32, 1, 1, 1, 1, 2, 4};
constexpr uint32_t kAllOptions = 0xE;

void JoystickScanFourIdle(benchmark::State& state) {
    const JoystickState idle = Idle();
    for (auto _ : state) {
        for (uint32_t slot = 0; slot < 4; ++slot) {
            benchmark::DoNotOptimize(ScanJoystickState(idle, kMaximal, slot, kAllOptions));
        }
    }
}
BENCHMARK(JoystickScanFourIdle);

void JoystickScanLastHatOfLastJoystick(benchmark::State& state) {
    const JoystickState idle = Idle();
    JoystickState last = Idle();
    last.rgdwPOV[3] = 9000;
    for (auto _ : state) {
        for (uint32_t slot = 0; slot < 3; ++slot) {
            benchmark::DoNotOptimize(ScanJoystickState(idle, kMaximal, slot, kAllOptions));
        }
        benchmark::DoNotOptimize(ScanJoystickState(last, kMaximal, 3, kAllOptions));
    }
}
BENCHMARK(JoystickScanLastHatOfLastJoystick);

void FormatLongestName(benchmark::State& state) {
    char text[kInputNameCapacity];
    for (auto _ : state) {
        benchmark::DoNotOptimize(FormatInputCode(text, sizeof text, 0x34000303));
    }
}
BENCHMARK(FormatLongestName);

std::vector<ObjectInstance> MaximalObjects() {
    std::vector<ObjectInstance> objects = {AxisObject(GUID_ZAxis, 2), AxisObject(GUID_RxAxis, 3),
                                           AxisObject(GUID_RyAxis, 4), AxisObject(GUID_RzAxis, 5),
                                           AxisObject(GUID_Slider, 6), AxisObject(GUID_Slider, 7)};
    for (uint32_t p = 0; p < 4; ++p) {
        objects.push_back(PovObject(p));
    }
    return objects;
}

// Start-up with four maximal joysticks, ready for the joystick page.
struct FourJoysticks {
    FourJoysticks() {
        h.input.controllers.assign(4, {kDiOk, Joystick(32, MaximalObjects())});
        h.Start();
    }
    Harness h;
};

void FillJoystickListsFourMaximal(benchmark::State& state) {
    FourJoysticks run;
    for (auto _ : state) {
        testing::FakeDialog dialog(kJoystickTemplateId);
        JoystickPage page(run.h.editor, run.h.platform);
        dialog.Attach(page);
        page.OnInitDialog(dialog);  // tooltips, lists, player 1 shown
        benchmark::DoNotOptimize(dialog.Entries(1041).size());
    }
}
BENCHMARK(FillJoystickListsFourMaximal)->Unit(benchmark::kMicrosecond);

void KeyboardTickNothingPressed(benchmark::State& state) {
    Harness h;
    h.Start();
    h.OpenKeyboard();
    h.keyboard.Focus(1046);
    for (auto _ : state) {
        h.keyboard.Tick();
    }
}
BENCHMARK(KeyboardTickNothingPressed);

void JoystickTickNothingPressed(benchmark::State& state) {
    FourJoysticks run;
    run.h.OpenJoystick();
    run.h.joystick.Focus(1046);
    for (auto _ : state) {
        run.h.joystick.Tick();
    }
}
BENCHMARK(JoystickTickNothingPressed);

void JoystickShowAndStorePlayer(benchmark::State& state) {
    FourJoysticks run;
    run.h.OpenJoystick();
    int player = 0;
    for (auto _ : state) {
        player = (player + 1) % 4;
        run.h.joystick.Click(1002 + player);  // stores one player, shows another
    }
}
BENCHMARK(JoystickShowAndStorePlayer)->Unit(benchmark::kMicrosecond);

void KeyboardShowAndStorePlayer(benchmark::State& state) {
    Harness h;
    h.Start();
    h.OpenKeyboard();
    int player = 0;
    for (auto _ : state) {
        player = (player + 1) % 2;
        h.keyboard.Click(1002 + player);
    }
}
BENCHMARK(KeyboardShowAndStorePlayer)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace ravel

BENCHMARK_MAIN();
