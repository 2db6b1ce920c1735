// The start-up questions asked of OpenGL (through Qt) and ALSA, each also as
// a probe child asks it, so that Mesa's driver and ALSA's configuration never
// load into the editor itself.
#pragma once

#include "probes/EarlyProbes.h"
#include "probes/Probes.h"

namespace ravel {

// A context that offers programmable fragment shading counts as pixel shader
// 1.4, the version Direct3D 8 reports for such hardware.
class GlGraphicsProbe final : public GraphicsProbe {
  public:
    // Needs a QGuiApplication. Creates an offscreen surface and a context,
    // asks, and destroys both before answering.
    bool ReadPixelShaderVersion(uint32_t& version) override;
};

// The GL question as a probe child asks it: with a Qt application of its own,
// since the child starts before the editor's.
ProbeAnswers AskGlGraphics(int argc, char** argv);

// Can the default playback device be opened.
class AlsaSoundProbe final : public SoundProbe {
  public:
    bool OpenDefaultDevice() override;
};

// The sound question as a probe child of its own asks it.
ProbeAnswers AskAlsaSound(int argc, char** argv);

}  // namespace ravel
