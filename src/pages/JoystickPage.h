// "Joystick Settings": one player's fourteen input lists and the Advanced
// axis options.
#pragma once

#include "input/InputCode.h"
#include "pages/CapturePage.h"

namespace ravel {

class JoystickPage final : public CapturePage {
  public:
    JoystickPage(Editor& editor, Platform& platform) : CapturePage(editor, platform) {}

    int OnInitDialog(Dialog& dialog) override;
    void OnTimer() override;

  private:
    void ShowPlayer() override;
    void StorePlayer() override;
    void ResetPlayer() override;
    bool OnPageCommand(int id) override;

    void FillJoystickLists();
    void SelectCode(int id, InputCode code);
};

}  // namespace ravel
