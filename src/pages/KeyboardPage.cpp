#include "pages/KeyboardPage.h"

#include "pages/Tooltips.h"
#include "input/KeyNameTable.h"
#include "settings/Defaults.h"

namespace ravel {

// A damaged file may hold any byte here; the page shows and edits such a
// record as "2 Players" and never indexes the table with it.
int KeyboardPage::Layout() const {
    return editor_.settings.PlayerLayout == 1 ? 1 : 0;
}

int KeyboardPage::OnInitDialog(Dialog& dialog) {
    dialog_ = &dialog;
    AttachTooltips(dialog, AssignTooltipTable, kAssignTooltipCount);
    FillKeyLists();
    const int layout = Layout();
    dialog.CheckButton(LayoutButton(0), layout == 0 ? kChecked : kUnchecked);
    dialog.CheckButton(LayoutButton(1), layout == 1 ? kChecked : kUnchecked);
    CheckPlayer(selectedPlayer_);
    dialog.EnableControl(kPlayer3, layout == 1);
    dialog.EnableControl(kPlayer4, layout == 1);
    ShowPlayer();
    return 1;
}

void KeyboardPage::FillKeyLists() {
    for (int position = 0; position < kAssignPositionCount; ++position) {
        const int id = AssignList(position);
        for (int k = 0; k < kKeyNameCount; ++k) {
            dialog_->ListAppend(id, KeyNameTable[k].name);
            dialog_->ListSetValue(id, k, KeyNameTable[k].scanCode);
        }
    }
}

void KeyboardPage::ShowPlayer() {
    const uint8_t* keys = editor_.settings.KeyboardTable[Layout()][selectedPlayer_];
    for (int position = 0; position < kAssignPositionCount; ++position) {
        dialog_->ListSelect(AssignList(position), FindKeyPosition(keys[KeyboardSlotMap[position]]));
    }
}

void KeyboardPage::StorePlayer() {
    uint8_t* keys = editor_.settings.KeyboardTable[Layout()][selectedPlayer_];
    for (int position = 0; position < kAssignPositionCount; ++position) {
        const int id = AssignList(position);
        const int selected = dialog_->ListSelection(id);
        // Positions without a list answer 0 and so clear their slot.
        const uint32_t value = selected >= 0 ? dialog_->ListValue(id, selected) : 0;
        keys[KeyboardSlotMap[position]] = static_cast<uint8_t>(value & 0xFF);
    }
}

void KeyboardPage::ResetPlayer() {
    ResetKeyboardPlayer(editor_.settings, Layout(), selectedPlayer_);
}

bool KeyboardPage::OnPageCommand(int id) {
    if (id != kTwoPlayers && id != kFourPlayers) {
        return false;
    }
    const int layout = id == kFourPlayers ? 1 : 0;
    if (layout == Layout()) {
        return true;
    }
    StorePlayer();
    editor_.settings.PlayerLayout = static_cast<uint8_t>(layout);
    Dialog& d = *dialog_;
    d.EnableControl(kPlayer3, layout == 1);
    d.EnableControl(kPlayer4, layout == 1);
    // Players 3 and 4 do not exist with two players.
    if (layout == 0 && selectedPlayer_ >= 2) {
        selectedPlayer_ = 0;
        CheckPlayer(selectedPlayer_);
    }
    ShowPlayer();
    d.NotifyChanged();
    return true;
}

void KeyboardPage::OnTimer() {
    if (dialog_ == nullptr) {
        return;
    }
    const int scanCode = PollKeyboardCapture(editor_.input);
    if (scanCode < 0) {
        return;
    }
    const int id = FocusedList();
    if (id < 0) {
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
