#include "app/win32/PageDialog.h"

#include <commctrl.h>

#include <cstddef>


namespace ravel {
namespace {

constexpr UINT_PTR kCaptureTimerId = 0;

// List entries are key and input names: short.
constexpr int kListTextCapacity = 260;
// Tooltip texts are loaded into 1024 bytes.
constexpr int kTooltipTextCapacity = 1024;

// The tool record up to its lParam: 44 bytes on the 32-bit build.
constexpr UINT kToolRecordSize = offsetof(TTTOOLINFOW, lParam) + sizeof(LPARAM);
static_assert(sizeof(void*) != 4 || kToolRecordSize == 44);

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

LRESULT PageDialog::SendToControl(int id, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND control = GetDlgItem(page_, id);
    if (control == nullptr) {
        return 0;
    }
    return SendMessageW(control, message, wParam, lParam);
}

void PageDialog::CheckButton(int id, unsigned state) {
    CheckDlgButton(page_, id, state);
}

unsigned PageDialog::IsButtonChecked(int id) {
    return IsDlgButtonChecked(page_, id);
}

void PageDialog::EnableControl(int id, bool enabled) {
    HWND control = GetDlgItem(page_, id);
    if (control == nullptr) {
        return;
    }
    EnableWindow(control, enabled ? TRUE : FALSE);
}

int PageDialog::ListAppend(int id, const char* text) {
    wchar_t wide[kListTextCapacity];
    ToWide(text, wide);
    return static_cast<int>(SendToControl(id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide)));
}

void PageDialog::ListSetValue(int id, int index, uint32_t value) {
    SendToControl(id, CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(value));
}

uint32_t PageDialog::ListValue(int id, int index) {
    return static_cast<uint32_t>(SendToControl(id, CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

int PageDialog::ListSelection(int id) {
    return static_cast<int>(SendToControl(id, CB_GETCURSEL, 0, 0));
}

void PageDialog::ListSelect(int id, int index) {
    SendToControl(id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int PageDialog::ListSelectText(int id, const char* text) {
    wchar_t wide[kListTextCapacity];
    ToWide(text, wide);
    // Start index 0: the search begins at entry 1 and ends with entry 0.
    return static_cast<int>(SendToControl(id, CB_SELECTSTRING, 0, reinterpret_cast<LPARAM>(wide)));
}

void PageDialog::ListCloseDropDown(int id) {
    SendToControl(id, CB_SHOWDROPDOWN, FALSE, 0);
}

int PageDialog::FocusedControl() {
    HWND focus = GetFocus();
    if (focus == nullptr || GetParent(focus) != page_) {
        return 0;
    }
    return GetDlgCtrlID(focus);
}

void PageDialog::NotifyChanged() {
    SendMessageW(GetParent(page_), PSM_CHANGED, reinterpret_cast<WPARAM>(page_), 0);
}

void PageDialog::StartCaptureTimer() {
    SetTimer(page_, kCaptureTimerId, kCapturePeriodMs, nullptr);
}

void PageDialog::StopCaptureTimer() {
    KillTimer(page_, kCaptureTimerId);
}

void PageDialog::LoadTableString(int id, char* text, int capacity) {
    // From the program's own resources, so an edited string table shows.
    if (LoadStringA(instance_, static_cast<UINT>(id), text, capacity) == 0) {
        text[0] = '\0';
    }
}

void PageDialog::AddControlTooltip(int id, const char* text) {
    HWND control = GetDlgItem(page_, id);
    if (control == nullptr) {
        return;
    }
    // One tooltip control per control, owned by it, so it lives exactly as
    // long as the control.
    HWND tooltip = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                   control, nullptr, instance_, nullptr);
    if (tooltip == nullptr) {
        return;
    }
    // As wide as the screen: the tip breaks only at its own line feeds.
    SendMessageW(tooltip, TTM_SETMAXTIPWIDTH, 0, GetSystemMetrics(SM_CXSCREEN));

    wchar_t wide[kTooltipTextCapacity];
    ToWide(text, wide);
    TTTOOLINFOW tool{};
    tool.cbSize = kToolRecordSize;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = control;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = wide;  // the tooltip keeps its own copy
    SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

NativeWindow PageDialog::SheetWindow() {
    return GetParent(page_);
}

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
