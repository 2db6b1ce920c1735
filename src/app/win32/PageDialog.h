// The page-window operations over one property-sheet page (a Unicode
// dialog), with the tooltip controls the page's options carry.
#pragma once

#include "pages/Dialog.h"

#include <windows.h>

namespace ravel {

class PageDialog final : public Dialog {
  public:
    void Attach(HWND page, HINSTANCE instance) {
        page_ = page;
        instance_ = instance;
    }

    void CheckButton(int id, unsigned state) override;
    unsigned IsButtonChecked(int id) override;
    void EnableControl(int id, bool enabled) override;

    int ListAppend(int id, const char* text) override;
    void ListSetValue(int id, int index, uint32_t value) override;
    uint32_t ListValue(int id, int index) override;
    int ListSelection(int id) override;
    void ListSelect(int id, int index) override;
    int ListSelectText(int id, const char* text) override;
    void ListCloseDropDown(int id) override;

    int FocusedControl() override;
    void NotifyChanged() override;
    void StartCaptureTimer() override;
    void StopCaptureTimer() override;
    void LoadTableString(int id, char* text, int capacity) override;
    void AddControlTooltip(int id, const char* text) override;
    NativeWindow SheetWindow() override;

  private:
    // Messages to a control the page lacks do nothing and answer 0.
    LRESULT SendToControl(int id, UINT message, WPARAM wParam, LPARAM lParam);

    HWND page_ = nullptr;
    HINSTANCE instance_ = nullptr;
};

}  // namespace ravel
