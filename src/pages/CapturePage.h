// What the Keyboard and Joystick pages share: one player's lists at a time,
// the player switch, "Default Settings", Apply, and a capture timer that runs
// only while the page is the active one.
#pragma once

#include "pages/Editor.h"
#include "pages/Page.h"
#include "resources/ControlIds.h"

namespace ravel {

class CapturePage : public Page {
  public:
    void OnCommand(int id, int code) final;
    int OnNotify(int code) final;

  protected:
    CapturePage(Editor& editor, Platform& platform) : editor_(editor), platform_(platform) {}
    ~CapturePage() = default;

    // The selected player's entries to the lists, and back.
    virtual void ShowPlayer() = 0;
    virtual void StorePlayer() = 0;
    // The selected player's defaults into the record.
    virtual void ResetPlayer() = 0;
    // A command of the page's own controls; answers whether it was one.
    virtual bool OnPageCommand(int id) = 0;

    // Selects the player's radio button alone.
    void CheckPlayer(int player);
    // The assignment list that has the focus, or -1 when the focus is
    // elsewhere: where a captured input goes.
    int FocusedList();

    Editor& editor_;
    Platform& platform_;
    Dialog* dialog_ = nullptr;
    int selectedPlayer_ = 0;
};

}  // namespace ravel
