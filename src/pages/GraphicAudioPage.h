// "Graphic / Audio Settings": the first page, whose initialisation runs the
// editor's start-up (RunStartUp).
#pragma once

#include "pages/Editor.h"
#include "pages/Page.h"

namespace ravel {

class GraphicAudioPage final : public Page {
  public:
    GraphicAudioPage(Editor& editor, Platform& platform) : editor_(editor), platform_(platform) {}

    int OnInitDialog(Dialog& dialog) override;
    void OnCommand(int id, int code) override;
    int OnNotify(int code) override;
    void OnTimer() override {}

    // Rewrites every check and enable state from the record.
    void Refresh();

  private:
    Editor& editor_;
    Platform& platform_;
    Dialog* dialog_ = nullptr;
};

}  // namespace ravel
