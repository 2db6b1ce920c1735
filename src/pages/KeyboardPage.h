// "Keyboard Settings": one (layout, player) at a time in fourteen key lists.
#pragma once

#include "pages/CapturePage.h"

namespace ravel {

class KeyboardPage final : public CapturePage {
  public:
    KeyboardPage(Editor& editor, Platform& platform) : CapturePage(editor, platform) {}

    int OnInitDialog(Dialog& dialog) override;
    void OnTimer() override;
    // The page keys are captured for: the window feeds them to the key table.
    bool CapturesKeys() const override { return true; }

  private:
    void ShowPlayer() override;
    void StorePlayer() override;
    void ResetPlayer() override;
    bool OnPageCommand(int id) override;

    int Layout() const;
    void FillKeyLists();
};

}  // namespace ravel
