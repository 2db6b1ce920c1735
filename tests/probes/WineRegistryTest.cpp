// A prefix's user.reg as Wine writes it, as a damaged disk or a hand edit
// leaves it, and what it takes away from the machine's probes.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "fakes/TempFolder.h"
#include "pages/PageHarness.h"
#include "probes/linux/WineRegistry.h"

namespace ravel {
namespace {

constexpr RegistrySays N = RegistrySays::Nothing;
constexpr RegistrySays No = RegistrySays::No;

TEST(WineRegistryFile, AnswersOnlyWhatTheRightKeySays) {
    // clang-format off
    const struct {
        const char* name;
        const char* text;
        RegistrySays shaders, d3d8, sound;
    } cases[] = {
        {"all three",
         "WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n\n#arch=win64\n\n"
         "[Software\\\\Wine\\\\Direct3D] 1700000000\n#time=1da0000000000\n\"MaxShaderModelPS\"=dword:00000000\n\n"
         "[Software\\\\Wine\\\\DllOverrides] 1700000000\n\"d3d8\"=\"\"\n\n[Software\\\\Wine\\\\Drivers] 1700000000\n\"Audio\"=\"\"\n",
         No, No, No},
        {"non-zero and enabled values",
         "[Software\\\\Wine\\\\Direct3D]\n\"MaxShaderModelPS\"=dword:00000001\n[Software\\\\Wine\\\\DllOverrides]\n"
         "\"d3d8\"=\"native,builtin\"\n[Software\\\\Wine\\\\Drivers]\n\"Audio\"=\"pulse\"\n", N, N, N},
        {"string zero, *d3d8, an expandable string, case of names",
         "[software\\\\wine\\\\direct3d]\r\n\"maxshadermodelps\"=\"0\"\r\n[Software\\\\Wine\\\\DllOverrides]\r\n\"*d3d8\"=\"\"\r\n"
         "[Software\\\\Wine\\\\Drivers]\r\n\"Audio\"=str(2):\"\"\r\n", No, No, No},
        {"d3d8 before *d3d8, as Wine looks them up; a shader model of \"1\"",
         "[Software\\\\Wine\\\\DllOverrides]\n\"*d3d8\"=\"\"\n\"d3d8\"=\"b\"\n[Software\\\\Wine\\\\Direct3D]\n"
         "\"MaxShaderModelPS\"=\"1\"\n", N, N, N},
        {"load order naming no known kind disables", "[Software\\\\Wine\\\\DllOverrides]\n\"d3d8\"=\" , s\"\n", N, No, N},
        {"same value names in other sections",
         "[Software\\\\Wine\\\\Direct3D\\\\Other]\n\"MaxShaderModelPS\"=dword:0\n[Software\\\\Wine\\\\AppDefaults\\\\game.exe\\\\"
         "DllOverrides]\n\"d3d8\"=\"\"\n[Software\\\\Wine\\\\Drivers2]\n\"Audio\"=\"\"\n\"MaxShaderModelPS\"=dword:0\n"
         "[Software\\\\Wine\\\\Direct3D]\n\"Audio\"=\"\"\n[Software\\\\Wine\\\\Drivers]\n\"Graphics\"=\"\"\n", N, N, N},
        {"commented out", "[Software\\\\Wine\\\\Direct3D]\n#\"MaxShaderModelPS\"=dword:0\n;\"x\"=\"\"\n", N, N, N},
        {"other value types",
         "[Software\\\\Wine\\\\Direct3D]\n\"MaxShaderModelPS\"=hex:00,00,00,00\n[Software\\\\Wine\\\\Drivers]\n"
         "\"Audio\"=dword:00000000\n[Software\\\\Wine\\\\DllOverrides]\n\"d3d8\"=dword:0\n", N, N, N},
        {"continued lines and escaped names",
         "[Software\\\\Wine\\\\Dire\\\n  ct3D]\n\"Max\\\n   ShaderModelPS\"=dword:\\\n 00000000\n"
         "[Software\\\\Wine\\\\Drivers]\n\"\\x41udio\"=\"\"\n", No, N, No},
        {"damaged lines are skipped, later good ones still count",
         "[Software\\\\Wine\\\\Direct3D\n\"MaxShaderModelPS\"=dword:0\n[Software\\\\Wine\\\\Direct3D]\n"
         "\"MaxShaderModelPS\"=dword:zz\n\"MaxShaderModelPS\n\"MaxShaderModelPS\"dword:0\n\"MaxShaderModelPS\"=dword:123456789\n"
         "[Software\\\\Wine\\\\Drivers]\n\"Audio\"=\"\n\"Audio\"=\"\"\n\"Audio\"\"pulse\"\n", N, N, No},
        {"the last value written counts",
         "[Software\\\\Wine\\\\Direct3D]\n\"MaxShaderModelPS\"=dword:0\n\"MaxShaderModelPS\"=dword:2\n", N, N, N},
        {"empty", "", N, N, N},
    };
    // clang-format on
    for (const auto& c : cases) {
        const RegistryAnswers answers = ReadRegistryAnswers(c.text);
        EXPECT_EQ(answers.pixelShaders, c.shaders) << c.name;
        EXPECT_EQ(answers.direct3D8, c.d3d8) << c.name;
        EXPECT_EQ(answers.sound, c.sound) << c.name;
        EXPECT_EQ(answers.TakesPixelShaders(),
                  c.shaders == RegistrySays::No || c.d3d8 == RegistrySays::No)
            << c.name;
        EXPECT_EQ(answers.TakesSound(), c.sound == RegistrySays::No) << c.name;
    }
}

// Counts what the machine is asked.
struct CountedProbes final : GraphicsProbe, SoundProbe {
    bool ReadPixelShaderVersion(uint32_t& version) override {
        ++asked;
        return probes.ReadPixelShaderVersion(version);
    }
    bool OpenDefaultDevice() override {
        ++asked;
        return probes.OpenDefaultDevice();
    }
    testing::FakeProbes probes;
    int asked = 0;
};

// The prefix's user.reg beside drive_c; a prefix without one takes nothing.
TEST(PrefixProbes, AnswerNoForWhatThePrefixTakesWithoutAskingTheMachine) {
    testing::TempFolder folder;
    const std::string own = folder.path() + "/own";
    std::filesystem::create_directories(own);
    std::ofstream(own + "/user.reg")
        << "[Software\\\\Wine\\\\Drivers] 1\n\"Audio\"=\"\"\n"
           "[Software\\\\Wine\\\\Direct3D] 1\n\"MaxShaderModelPS\"=dword:0\n";
    for (const bool takes : {true, false}) {
        CountedProbes machine;
        PrefixProbes probes(takes ? own : folder.path() + "/bare", machine, machine);
        EXPECT_EQ(ProbeDirectSound(probes), takes ? 0 : 1) << takes;
        EXPECT_EQ(ProbePixelShader(probes), takes ? 0 : 1) << takes;
        EXPECT_EQ(machine.asked, takes ? 0 : 2) << takes;
    }
}

}  // namespace
}  // namespace ravel
