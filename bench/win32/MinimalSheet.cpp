// The smallest program that shows what config.exe shows: a modal property
// sheet of three pages from dialog templates, here empty. The start-up
// benchmark compares the editor with it.
#include <windows.h>

#include <commctrl.h>

namespace {

INT_PTR CALLBACK EmptyPage(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

int CALLBACK SheetCallback(HWND sheet, UINT message, LPARAM) {
    if (message == PSCB_INITIALIZED) {
        SetWindowLongW(sheet, GWL_EXSTYLE, GetWindowLongW(sheet, GWL_EXSTYLE) & ~WS_EX_CONTEXTHELP);
    }
    return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    InitCommonControls();
    PROPSHEETPAGEW pages[3] = {};
    for (int i = 0; i < 3; ++i) {
        pages[i].dwSize = sizeof pages[i];
        pages[i].hInstance = instance;
        pages[i].pszTemplate = MAKEINTRESOURCEW(101 + i);
        pages[i].pfnDlgProc = EmptyPage;
    }
    PROPSHEETHEADERW header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_USECALLBACK;
    header.hInstance = instance;
    header.pszCaption = L"Minimal property sheet";
    header.nPages = 3;
    header.ppsp = pages;
    header.pfnCallback = SheetCallback;
    return static_cast<int>(PropertySheetW(&header));
}
