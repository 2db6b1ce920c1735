// inspect.exe CAPTION [LIST_ID], run under the same Wine as config.exe: what a
// person sees of the live sheet, a line each (exit 3 when none is shown):
//   sheet EXSTYLE CURRENT_PAGE RECT | page INDEX RECT CAPTION (each one created)
//   button ID ENABLED RECT (OK, Cancel, Apply) | tip RECT TEXT (the one shown)
//   control ID ENABLED CHECKED DROPPED COUNT RECT SELECTED_TEXT (current page)
//   entry TEXT (each entry of the list LIST_ID)
// Texts come through the messages the system carries between processes
// (WM_GETTEXT, CB_GETLBTEXT); a line feed prints as \n.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <initializer_list>

namespace {

void PrintRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    std::printf(" %ld %ld %ld %ld ", r.left, r.top, r.right, r.bottom);
}

// The text WM_GETTEXT or CB_GETLBTEXT (of entry `index`) copies out.
void PrintText(HWND window, UINT message, LRESULT index = 0) {
    wchar_t text[1024] = L"";
    if (message == WM_GETTEXT) {
        SendMessageW(window, message, 1024, LPARAM(text));
    } else if (index >= 0 && SendMessageW(window, CB_GETLBTEXTLEN, index, 0) < 1024) {
        SendMessageW(window, message, index, LPARAM(text));
    }
    char utf8[4096] = "";
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
    for (const char* p = utf8; *p != '\0'; ++p) {
        *p == '\n' ? std::fputs("\\n", stdout) : std::fputc(*p, stdout);
    }
    std::fputc('\n', stdout);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    // Found without a message: other programs' windows may never answer one.
    HWND sheet = FindWindowW(nullptr, argc > 1 ? argv[1] : L"");
    if (sheet == nullptr) {
        return 3;
    }
    std::printf("sheet %ld %d", GetWindowLongW(sheet, GWL_EXSTYLE),
                int(SendMessageW(PropSheet_GetTabControl(sheet), TCM_GETCURSEL, 0, 0)));
    PrintRect(sheet);
    std::fputc('\n', stdout);
    for (int i = 0; i < 3; ++i) {
        if (HWND page = PropSheet_IndexToHwnd(sheet, i)) {
            std::printf("page %d", i);
            PrintRect(page);
            PrintText(page, WM_GETTEXT);  // the caption of its template
        }
    }
    for (int id : {IDOK, IDCANCEL, 0x3021 /* Apply */}) {
        std::printf("button %d %d", id, IsWindowEnabled(GetDlgItem(sheet, id)));
        PrintRect(GetDlgItem(sheet, id));
        std::fputc('\n', stdout);
    }
    // Every kind of control answers 0 to another kind's messages.
    HWND page = PropSheet_GetCurrentPageHwnd(sheet);
    for (HWND c = nullptr; (c = FindWindowExW(page, c, nullptr, nullptr)) != nullptr;) {
        const int count = int(SendMessageW(c, CB_GETCOUNT, 0, 0));
        std::printf("control %d %d %d %d %d", GetDlgCtrlID(c), IsWindowEnabled(c),
                    int(SendMessageW(c, BM_GETCHECK, 0, 0)),
                    int(SendMessageW(c, CB_GETDROPPEDSTATE, 0, 0)), count);
        PrintRect(c);
        PrintText(c, CB_GETLBTEXT, SendMessageW(c, CB_GETCURSEL, 0, 0));
        for (int i = 0; argc > 2 && GetDlgCtrlID(c) == _wtoi(argv[2]) && i < count; ++i) {
            std::fputs("entry ", stdout);
            PrintText(c, CB_GETLBTEXT, i);
        }
    }
    DWORD sheetProcess = 0, process = 0;
    GetWindowThreadProcessId(sheet, &sheetProcess);
    for (HWND tip = nullptr; (tip = FindWindowExW(nullptr, tip, TOOLTIPS_CLASSW, nullptr));) {
        if (IsWindowVisible(tip) && GetWindowThreadProcessId(tip, &process) &&
            process == sheetProcess) {
            std::fputs("tip", stdout);
            PrintRect(tip);
            PrintText(tip, WM_GETTEXT);  // the tooltip answers with the shown tip's text
        }
    }
    return 0;
}
