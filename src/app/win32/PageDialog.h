// The page-window operations over one property-sheet page (a Unicode
// dialog), with the tooltip controls the page's options carry, and the dialog
// procedure that turns the page's messages into its page model's calls. The
// portable code speaks UTF-8; the controls take UTF-16, converted into fixed
// buffers, never allocated.
#pragma once

#include "pages/Dialog.h"
#include "pages/Page.h"

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

// A UTF-8 text never needs more UTF-16 units than it has bytes, so a buffer
// as long as the caller's byte limit always fits. A text that still does not
// fit (or is not UTF-8) comes out empty rather than cut.
template <int N>
void ToWide(const char* text, wchar_t (&out)[N]) {
    if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, -1, out, N) <= 0) {
        out[0] = L'\0';
    }
}

// What a page window carries in its user data from WM_INITDIALOG on.
struct PageBinding {
    Page* page;
    PageDialog dialog;
};

// The dialog procedure of the page whose binding is `binding`.
INT_PTR RunPageProcedure(PageBinding& binding, HWND window, UINT message, WPARAM wParam,
                         LPARAM lParam);

}  // namespace ravel
