#include "pages/KeyboardPage.h"

#include "app/Tooltips.h"
#include "pages/CapturePage.h"
#include "input/KeyNameTable.h"
#include "settings/Defaults.h"

namespace ravel {

// Up Down Left Right H.Slash Kick Slash Punch L1 L2 R1 R2 Select Start, then
// the slots no control shows.
const uint8_t KeyboardSlotMap[24] = {12, 14, 15, 13, 5,  6,  4,  7,  2,  0,  3,  1,
                                     8,  11, 9,  10, 16, 17, 18, 19, 20, 21, 22, 23};

namespace {

enum : int {
    kTwoPlayers = 1000,
    kFourPlayers = 1001,
    kPlayer1 = 1002,
    kPlayer3 = 1004,
    kPlayer4 = 1005,
    kDefaults = 1020,
};

}  // namespace

// A damaged file may hold any byte here; the page shows and edits such a
// record as "2 Players" and never indexes the table with it.
int KeyboardPage::Layout() const { return editor_.settings.PlayerLayout == 1 ? 1 : 0; }

int KeyboardPage::OnInitDialog(Dialog& dialog) {
    dialog_ = &dialog;
    AttachTooltips(dialog, AssignTooltipTable, kAssignTooltipCount);
    FillKeyLists();
    for (int id = kTwoPlayers; id <= kPlayer4; ++id) {
        dialog.CheckButton(id, kUnchecked);
    }
    const int layout = Layout();
    dialog.CheckButton(kTwoPlayers + layout, kChecked);
    dialog.CheckButton(kPlayer1, kChecked);
    dialog.EnableControl(kPlayer3, layout == 1);
    dialog.EnableControl(kPlayer4, layout == 1);
    ShowKeyboardPlayer(layout, selectedPlayer_);
    return 1;
}

void KeyboardPage::FillKeyLists() {
    for (int position = 0; position < kAssignPositionCount; ++position) {
        const int id = kFirstAssignList + position;
        for (int k = 0; k < kKeyNameCount; ++k) {
            dialog_->ListAppend(id, KeyNameTable[k].name);
            dialog_->ListSetValue(id, k, KeyNameTable[k].scanCode);
        }
    }
}

void KeyboardPage::ShowKeyboardPlayer(int layout, int player) {
    const uint8_t* keys = editor_.settings.KeyboardTable[layout][player];
    for (int position = 0; position < kAssignPositionCount; ++position) {
        dialog_->ListSelect(kFirstAssignList + position, FindKeyPosition(keys[KeyboardSlotMap[position]]));
    }
}

void KeyboardPage::StoreKeyboardPlayer(int layout, int player) {
    uint8_t* keys = editor_.settings.KeyboardTable[layout][player];
    for (int position = 0; position < kAssignPositionCount; ++position) {
        const int id = kFirstAssignList + position;
        const int selected = dialog_->ListSelection(id);
        // Positions without a list answer 0 and so clear their slot.
        const uint32_t value = selected >= 0 ? dialog_->ListValue(id, selected) : 0;
        keys[KeyboardSlotMap[position]] = static_cast<uint8_t>(value & 0xFF);
    }
}

void KeyboardPage::OnCommand(int id, int code) {
    if (dialog_ == nullptr) {
        return;
    }
    Dialog& d = *dialog_;
    if (id == kTwoPlayers || id == kFourPlayers) {
        const int layout = id - kTwoPlayers;
        if (layout == Layout()) {
            return;
        }
        StoreKeyboardPlayer(Layout(), selectedPlayer_);
        editor_.settings.PlayerLayout = static_cast<uint8_t>(layout);
        d.EnableControl(kPlayer3, layout == 1);
        d.EnableControl(kPlayer4, layout == 1);
        // Players 3 and 4 do not exist with two players.
        if (layout == 0 && selectedPlayer_ >= 2) {
            d.CheckButton(kPlayer1 + selectedPlayer_, kUnchecked);
            selectedPlayer_ = 0;
            d.CheckButton(kPlayer1, kChecked);
        }
        ShowKeyboardPlayer(layout, selectedPlayer_);
        d.NotifyChanged();
        return;
    }
    if (id >= kPlayer1 && id <= kPlayer4) {
        const int player = id - kPlayer1;
        if (player == selectedPlayer_) {
            return;
        }
        StoreKeyboardPlayer(Layout(), selectedPlayer_);
        selectedPlayer_ = player;
        ShowKeyboardPlayer(Layout(), selectedPlayer_);
        return;
    }
    if (id == kDefaults) {
        ResetKeyboardPlayer(editor_.settings, Layout(), selectedPlayer_);
        ShowKeyboardPlayer(Layout(), selectedPlayer_);
        d.NotifyChanged();
        return;
    }
    if (ListPosition(id) >= 0 && code == kCbnSelChange) {
        // The record takes the choice when the player is next stored.
        d.NotifyChanged();
    }
}

int KeyboardPage::OnNotify(int code) {
    if (dialog_ != nullptr && FollowActivation(*dialog_, code)) {
        StoreKeyboardPlayer(Layout(), selectedPlayer_);
        SaveSettings(editor_.settings, platform_.settingsFile);
    }
    return 0;
}

void KeyboardPage::OnTimer() {
    if (dialog_ == nullptr) {
        return;
    }
    const int scanCode = PollKeyboardCapture(editor_.input);
    if (scanCode < 0) {
        return;
    }
    const int id = dialog_->FocusedControl();
    if (ListPosition(id) < 0) {
        return;
    }
    // Keys the table lacks (Escape, Enter, Caps Lock, ...) are not captured.
    const int position = FindKeyPosition(static_cast<uint8_t>(scanCode));
    if (position == 0) {
        return;
    }
    dialog_->ListCloseDropDown(id);
    dialog_->ListSelect(id, position);
    dialog_->NotifyChanged();
}

}  // namespace ravel
