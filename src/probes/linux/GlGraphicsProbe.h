// The pixel-shader question asked of OpenGL through Qt: a context that offers
// programmable fragment shading counts as pixel shader 1.4, the version
// Direct3D 8 reports for such hardware.
#pragma once

#include "probes/EarlyProbes.h"
#include "probes/Probes.h"

namespace ravel {

class GlGraphicsProbe final : public GraphicsProbe {
  public:
    // Needs a QGuiApplication. Creates an offscreen surface and a context,
    // asks, and destroys both before answering.
    bool ReadPixelShaderVersion(uint32_t& version) override;
};

// The GL question as a probe child asks it: with a Qt application of its own,
// since the child starts before the editor's.
ProbeAnswers AskGlGraphics(int argc, char** argv);

}  // namespace ravel
