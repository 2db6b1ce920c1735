// A page of the sheet as the platform sees it: one entry per message.
#pragma once

#include "pages/Dialog.h"

namespace ravel {

class Page {
  public:
    // WM_INITDIALOG. The page keeps `dialog` for the rest of the run.
    // Answers 1 (let the platform set the focus).
    virtual int OnInitDialog(Dialog& dialog) = 0;
    // WM_COMMAND: control identifier and notification code.
    virtual void OnCommand(int id, int code) = 0;
    // WM_NOTIFY from the sheet (PSN_SETACTIVE, PSN_KILLACTIVE, PSN_APPLY).
    // Answers 0: accept the activation, allow leaving, apply succeeded.
    virtual int OnNotify(int code) = 0;
    // WM_TIMER: a tick of the capture timer.
    virtual void OnTimer() = 0;
    // Whether the page captures keys, which the window must then feed to
    // the key-state table.
    virtual bool CapturesKeys() const { return false; }

  protected:
    ~Page() = default;
};

}  // namespace ravel
