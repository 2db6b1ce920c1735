// "Keyboard Settings": one (layout, player) at a time in fourteen key lists.
#pragma once

#include "app/Editor.h"
#include "pages/Page.h"

namespace ravel {

// Game slot of each of the page's 24 positions (position i is list 1041 + i).
extern const uint8_t KeyboardSlotMap[24];

class KeyboardPage final : public Page {
public:
    KeyboardPage(Editor& editor, Platform& platform) : editor_(editor), platform_(platform) {}

    int OnInitDialog(Dialog& dialog) override;
    void OnCommand(int id, int code) override;
    int OnNotify(int code) override;
    void OnTimer() override;

    int selectedPlayer() const { return selectedPlayer_; }

private:
    int Layout() const;
    void FillKeyLists();
    void ShowKeyboardPlayer(int layout, int player);
    void StoreKeyboardPlayer(int layout, int player);

    Editor& editor_;
    Platform& platform_;
    Dialog* dialog_ = nullptr;
    int selectedPlayer_ = 0;
};

}  // namespace ravel
