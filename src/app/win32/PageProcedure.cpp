#include "app/win32/PageProcedure.h"

#include <commctrl.h>

namespace ravel {
namespace {

PageBinding* BindingOf(HWND window) {
    return reinterpret_cast<PageBinding*>(GetWindowLongPtrW(window, DWLP_USER));
}

INT_PTR OnInitDialog(PageBinding& binding, HWND window) {
    SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(&binding));
    binding.dialog.Attach(window,
                          reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE)));
    return binding.page->OnInitDialog(binding.dialog);
}

INT_PTR OnCommand(HWND window, WPARAM wParam) {
    PageBinding* binding = BindingOf(window);
    if (binding == nullptr) {
        return FALSE;
    }
    binding->page->OnCommand(LOWORD(wParam), HIWORD(wParam));
    return FALSE;
}

// Only the sheet's activation and apply notifications reach the page; the
// page's answer goes back to the sheet as the message result.
INT_PTR OnNotify(HWND window, LPARAM lParam) {
    PageBinding* binding = BindingOf(window);
    if (binding == nullptr) {
        return FALSE;
    }
    const UINT code = reinterpret_cast<const NMHDR*>(lParam)->code;
    if (code != PSN_SETACTIVE && code != PSN_KILLACTIVE && code != PSN_APPLY) {
        return FALSE;
    }
    SetWindowLongPtrW(window, DWLP_MSGRESULT, binding->page->OnNotify(static_cast<int>(code)));
    return TRUE;
}

INT_PTR OnTimer(HWND window) {
    PageBinding* binding = BindingOf(window);
    if (binding == nullptr) {
        return FALSE;
    }
    binding->page->OnTimer();
    return FALSE;
}

}  // namespace

INT_PTR RunPageProcedure(PageBinding& binding, HWND window, UINT message, WPARAM wParam,
                         LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            return OnInitDialog(binding, window);
        case WM_COMMAND:
            return OnCommand(window, wParam);
        case WM_NOTIFY:
            return OnNotify(window, lParam);
        case WM_TIMER:
            return OnTimer(window);
        default:
            return FALSE;
    }
}

}  // namespace ravel
