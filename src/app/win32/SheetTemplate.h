// The sheet lays its pages out in its own dialog font; our pages use a
// 9-point font, so the sheet must measure in the same size or the lower
// edge of the tallest page (the Keyboard page's "Default Settings") is cut.
#pragma once

#include <windows.h>

namespace ravel {

// Sets the point size of an in-memory dialog template (DLGTEMPLATE or
// DLGTEMPLATEEX) that carries a font. A template without one is left alone.
void SetTemplateFontSize(void* dialogTemplate, WORD points);

}  // namespace ravel
