// "Joystick Settings": one player's fourteen input lists and the Advanced
// axis options.
#pragma once

#include "app/Editor.h"
#include "pages/Page.h"

namespace ravel {

class JoystickPage final : public Page {
public:
    JoystickPage(Editor& editor, Platform& platform) : editor_(editor), platform_(platform) {}

    int OnInitDialog(Dialog& dialog) override;
    void OnCommand(int id, int code) override;
    int OnNotify(int code) override;
    void OnTimer() override;

    int selectedPlayer() const { return selectedPlayer_; }

private:
    void FillJoystickLists();
    void ShowJoystickPlayer(int player);
    void StoreJoystickPlayer(int player);
    void SelectCode(int id, InputCode code);

    Editor& editor_;
    Platform& platform_;
    Dialog* dialog_ = nullptr;
    int selectedPlayer_ = 0;
};

}  // namespace ravel
