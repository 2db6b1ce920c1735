#include "app/win32/PageProcedure.h"

#include <commctrl.h>

namespace ravel {
namespace {

INT_PTR OnInitDialog(PageBinding& binding, HWND window) {
    SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(&binding));
    binding.dialog.Attach(window,
                          reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE)));
    return binding.page->OnInitDialog(binding.dialog);
}

INT_PTR OnCommand(Page& page, WPARAM wParam) {
    page.OnCommand(LOWORD(wParam), HIWORD(wParam));
    return FALSE;
}

// Only the sheet's activation and apply notifications reach the page; the
// page's answer goes back to the sheet as the message result.
INT_PTR OnNotify(Page& page, HWND window, LPARAM lParam) {
    const UINT code = reinterpret_cast<const NMHDR*>(lParam)->code;
    if (code != PSN_SETACTIVE && code != PSN_KILLACTIVE && code != PSN_APPLY) {
        return FALSE;
    }
    SetWindowLongPtrW(window, DWLP_MSGRESULT, page.OnNotify(static_cast<int>(code)));
    return TRUE;
}

INT_PTR OnTimer(Page& page) {
    page.OnTimer();
    return FALSE;
}

}  // namespace

INT_PTR RunPageProcedure(PageBinding& binding, HWND window, UINT message, WPARAM wParam,
                         LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        return OnInitDialog(binding, window);
    }
    // Messages that come before WM_INITDIALOG find no page to hear them.
    const auto* bound = reinterpret_cast<const PageBinding*>(GetWindowLongPtrW(window, DWLP_USER));
    if (bound == nullptr) {
        return FALSE;
    }
    switch (message) {
        case WM_COMMAND:
            return OnCommand(*bound->page, wParam);
        case WM_NOTIFY:
            return OnNotify(*bound->page, window, lParam);
        case WM_TIMER:
            return OnTimer(*bound->page);
        default:
            return FALSE;
    }
}

}  // namespace ravel
