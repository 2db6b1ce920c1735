// What a Wine prefix's user.reg says about the two start-up questions, and
// the probes the game in that prefix would see: the machine's, less what
// the prefix takes away.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "probes/Probes.h"

namespace ravel {

// A prefix's settings can only take a feature away: when they say nothing,
// the machine's own answer stands.
enum class RegistrySays { Nothing, No };

struct RegistryAnswers {
    // Software\Wine\Direct3D "MaxShaderModelPS" is 0.
    RegistrySays pixelShaders = RegistrySays::Nothing;
    // Software\Wine\DllOverrides disables d3d8 ("d3d8", else "*d3d8").
    RegistrySays direct3D8 = RegistrySays::Nothing;
    // Software\Wine\Drivers "Audio" is "" (no audio driver).
    RegistrySays sound = RegistrySays::Nothing;

    // What the game started in the prefix would lose whatever the machine
    // offers: shaders without Direct3D 8 or past a cap of 0, sound without a
    // driver.
    bool TakesPixelShaders() const {
        return pixelShaders == RegistrySays::No || direct3D8 == RegistrySays::No;
    }
    bool TakesSound() const { return sound == RegistrySays::No; }
};

// Reads the text of a user.reg (Wine's registry file format). Lines that are
// not a section header, a value or a comment are skipped.
RegistryAnswers ReadRegistryAnswers(std::string_view userReg);

// The machine's probes as the game in a prefix meets them: a question the
// prefix's registry takes away answers "no" without the machine being asked.
class PrefixProbes final : public GraphicsProbe, public SoundProbe {
  public:
    // Reads <prefix>/user.reg now; a missing or unreadable one takes nothing.
    PrefixProbes(const std::string& prefix, GraphicsProbe& graphics, SoundProbe& sound);

    bool ReadPixelShaderVersion(uint32_t& version) override;
    bool OpenDefaultDevice() override;

  private:
    RegistryAnswers answers_;
    GraphicsProbe& graphics_;
    SoundProbe& sound_;
};

}  // namespace ravel
