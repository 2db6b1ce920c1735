#include "pages/CapturePage.h"

#include "pages/StartUp.h"

namespace ravel {

void CapturePage::OnCommand(int id, int code) {
    if (dialog_ == nullptr || OnPageCommand(id)) {
        return;
    }
    const int player = ButtonPlayer(id);
    if (player >= 0) {
        if (player == selectedPlayer_) {
            return;
        }
        StorePlayer();
        selectedPlayer_ = player;
        ShowPlayer();
        return;
    }
    if (id == kDefaultSettings) {
        ResetPlayer();
        ShowPlayer();
        dialog_->NotifyChanged();
        return;
    }
    if (ListPosition(id) >= 0 && code == kCbnSelChange) {
        // The record takes the choice when the player is next stored.
        dialog_->NotifyChanged();
    }
}

int CapturePage::OnNotify(int code) {
    if (dialog_ == nullptr) {
        return 0;
    }
    // The capture runs only while the page is shown.
    if (code == kPsnSetActive) {
        dialog_->StartCaptureTimer();
    } else if (code == kPsnKillActive) {
        dialog_->StopCaptureTimer();
    } else if (code == kPsnApply) {
        StorePlayer();
        return SaveForApply(editor_, platform_);
    }
    return 0;
}

void CapturePage::CheckPlayer(int player) {
    for (int p = 0; p < kPlayerCount; ++p) {
        dialog_->CheckButton(PlayerButton(p), p == player ? kChecked : kUnchecked);
    }
}

int CapturePage::FocusedList() {
    const int id = dialog_->FocusedControl();
    return ListPosition(id) >= 0 ? id : -1;
}

}  // namespace ravel
