// The sheet's pages in the templates' order: the one list both shells build
// their sheet from. The first page's initialisation runs the editor's
// start-up (RunStartUp); the shell runs the shut-down (RunShutDown) when the
// sheet has closed.
#pragma once

#include "pages/Editor.h"
#include "pages/GraphicAudioPage.h"
#include "pages/JoystickPage.h"
#include "pages/KeyboardPage.h"
#include "pages/StartUp.h"
#include "resources/Templates.h"

namespace ravel {

struct SheetPage {
    const DialogTemplate* dialog;
    Page* page;
};

class EditorPages {
  public:
    EditorPages(Editor& editor, Platform& platform)
        : graphicAudio_(editor, platform),
          keyboard_(editor, platform),
          joystick_(editor, platform),
          pages_{{&DialogTemplates[0], &graphicAudio_},
                 {&DialogTemplates[1], &keyboard_},
                 {&DialogTemplates[2], &joystick_}} {}

    EditorPages(const EditorPages&) = delete;
    EditorPages& operator=(const EditorPages&) = delete;

    const SheetPage (&pages() const)[kPageCount] { return pages_; }
    const SheetPage& operator[](int index) const { return pages_[index]; }

  private:
    GraphicAudioPage graphicAudio_;
    KeyboardPage keyboard_;
    JoystickPage joystick_;
    SheetPage pages_[kPageCount];
};

}  // namespace ravel
