// Test tool, run under the same Wine as config.exe: prints what a person sees
// of the live sheet as one JSON object (pages, controls, check and enable
// states, list entries, tooltips, screen positions), so that the end-to-end
// scenarios can assert on it and click where the controls really are.
//
// Usage: inspect.exe <sheet caption> [entries=<list id>] [tooltips]
//   entries= adds every entry's text and value of the lists with that id,
//   tooltips adds the tooltip controls and their tools (both cost a message
//   to the other process per item, so they are read only when asked);
//   exit code 0 with the JSON on stdout, 3 when no such sheet exists.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cwchar>

namespace {

// JSON output -----------------------------------------------------------------

bool firstItem = true;

void Separator() {
    if (!firstItem) {
        std::fputc(',', stdout);
    }
    firstItem = false;
}

void Key(const char* key) {
    Separator();
    std::printf("\"%s\":", key);
}

void Open(char bracket) {
    std::fputc(bracket, stdout);
    firstItem = true;
}

void Close(char bracket) {
    std::fputc(bracket, stdout);
    firstItem = false;
}

void WideString(const wchar_t* text) {
    char utf8[4096];
    if (WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr) <= 0) {
        utf8[0] = '\0';
    }
    std::fputc('"', stdout);
    for (const char* p = utf8; *p != '\0'; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        if (c == '"' || c == '\\') {
            std::printf("\\%c", c);
        } else if (c < 0x20) {
            std::printf("\\u%04x", c);
        } else {
            std::fputc(c, stdout);
        }
    }
    std::fputc('"', stdout);
}

void Number(const char* key, long long value) {
    Key(key);
    std::printf("%lld", value);
}

void Bool(const char* key, bool value) {
    Key(key);
    std::fputs(value ? "true" : "false", stdout);
}

void Text(const char* key, const wchar_t* text) {
    Key(key);
    WideString(text);
}

void Rect(const char* key, const RECT& rect) {
    Key(key);
    std::printf("[%ld,%ld,%ld,%ld]", rect.left, rect.top, rect.right, rect.bottom);
}

void WindowRect(const char* key, HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    Rect(key, rect);
}

// Memory inside config.exe for the messages whose data the system does not
// carry between processes (tooltip and tab-control messages).
class RemoteBuffer {
  public:
    RemoteBuffer(HWND window, SIZE_T size) : size_(size) {
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                               processId);
        if (process_ != nullptr) {
            address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
        }
    }
    ~RemoteBuffer() {
        if (address_ != nullptr) {
            VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        }
        if (process_ != nullptr) {
            CloseHandle(process_);
        }
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    bool Valid() const { return address_ != nullptr; }
    BYTE* At(SIZE_T offset) const { return static_cast<BYTE*>(address_) + offset; }
    bool Write(SIZE_T offset, const void* data, SIZE_T size) {
        return offset + size <= size_ &&
               WriteProcessMemory(process_, At(offset), data, size, nullptr) != FALSE;
    }
    bool Read(SIZE_T offset, void* data, SIZE_T size) {
        return offset + size <= size_ &&
               ReadProcessMemory(process_, At(offset), data, size, nullptr) != FALSE;
    }

  private:
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
    SIZE_T size_;
};

// Controls ------------------------------------------------------------------

// Every entry's text and value only for the list asked for: each is a
// message to the other process, and the keyboard page holds 14 lists of 88.
int entriesOf = 0;

void EntryText(HWND combo, LRESULT index) {
    wchar_t text[512] = L"";
    if (index >= 0 && SendMessageW(combo, CB_GETLBTEXTLEN, index, 0) < 511) {
        SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
    }
    WideString(text);
}

void ComboEntries(HWND combo) {
    const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    const LRESULT selection = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    Number("count", count);
    Number("selection", selection);
    Key("selectedText");
    EntryText(combo, selection);
    Number("selectedValue", selection >= 0 ? static_cast<unsigned long>(
                                                 SendMessageW(combo, CB_GETITEMDATA, selection, 0))
                                           : 0);
    Bool("dropped", SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) != 0);
    if (GetDlgCtrlID(combo) != entriesOf) {
        return;
    }
    Key("entries");
    Open('[');
    for (LRESULT i = 0; i < count; ++i) {
        Separator();
        EntryText(combo, i);
    }
    Close(']');
    Key("values");
    Open('[');
    for (LRESULT i = 0; i < count; ++i) {
        Separator();
        std::printf("%lu", static_cast<unsigned long>(SendMessageW(combo, CB_GETITEMDATA, i, 0)));
    }
    Close(']');
}

BOOL CALLBACK PrintControl(HWND control, LPARAM page) {
    if (GetParent(control) != reinterpret_cast<HWND>(page)) {
        return TRUE;  // only the page's own controls
    }
    wchar_t className[64] = L"";
    GetClassNameW(control, className, 64);
    wchar_t text[512] = L"";
    GetWindowTextW(control, text, 512);
    const LONG style = GetWindowLongW(control, GWL_STYLE);

    Separator();
    Open('{');
    Number("id", GetDlgCtrlID(control));
    Text("class", className);
    Text("text", text);
    Number("style", static_cast<unsigned long>(style));
    Bool("enabled", IsWindowEnabled(control) != FALSE);
    Bool("visible", IsWindowVisible(control) != FALSE);
    WindowRect("rect", control);
    if (_wcsicmp(className, L"Button") == 0) {
        Number("checked", SendMessageW(control, BM_GETCHECK, 0, 0));
    }
    if (_wcsicmp(className, L"ComboBox") == 0) {
        ComboEntries(control);
    }
    Close('}');
    return TRUE;
}

void Page(HWND page) {
    Open('{');
    Bool("created", page != nullptr);
    if (page != nullptr) {
        Bool("visible", IsWindowVisible(page) != FALSE);
        WindowRect("rect", page);
        Key("controls");
        Open('[');
        EnumChildWindows(page, PrintControl, reinterpret_cast<LPARAM>(page));
        Close(']');
    }
    Close('}');
}

// Sheet ---------------------------------------------------------------------

void Tabs(HWND sheet) {
    HWND tabs = PropSheet_GetTabControl(sheet);
    Key("tabs");
    Open('[');
    const LRESULT count = tabs != nullptr ? SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0) : 0;
    RemoteBuffer remote(sheet, sizeof(TCITEMW) + sizeof(RECT) + 128 * sizeof(wchar_t));
    for (LRESULT i = 0; i < count && remote.Valid(); ++i) {
        RECT rect{};
        SendMessageW(tabs, TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(remote.At(0)));
        remote.Read(0, &rect, sizeof rect);
        MapWindowPoints(tabs, nullptr, reinterpret_cast<POINT*>(&rect), 2);

        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = reinterpret_cast<LPWSTR>(remote.At(sizeof(TCITEMW) + sizeof(RECT)));
        item.cchTextMax = 128;
        remote.Write(sizeof(RECT), &item, sizeof item);
        SendMessageW(tabs, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(remote.At(sizeof(RECT))));
        wchar_t text[128] = L"";
        remote.Read(sizeof(TCITEMW) + sizeof(RECT), text, sizeof text);
        text[127] = L'\0';

        Separator();
        Open('{');
        Text("text", text);
        Rect("rect", rect);
        Close('}');
    }
    Close(']');
    Number("current", tabs != nullptr ? SendMessageW(tabs, TCM_GETCURSEL, 0, 0) : -1);
}

void Button(const char* key, HWND sheet, int id) {
    HWND button = GetDlgItem(sheet, id);
    Key(key);
    Open('{');
    Bool("exists", button != nullptr);
    if (button != nullptr) {
        Bool("enabled", IsWindowEnabled(button) != FALSE);
        Bool("visible", IsWindowVisible(button) != FALSE);
        WindowRect("rect", button);
    }
    Close('}');
}

void Focus(HWND sheet) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    const DWORD thread = GetWindowThreadProcessId(sheet, nullptr);
    HWND focus = GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
    Key("focus");
    Open('{');
    Number("id", focus != nullptr ? GetDlgCtrlID(focus) : 0);
    Number("page", -1);
    for (int i = 0; i < 3 && focus != nullptr; ++i) {
        HWND page = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_INDEXTOHWND, i, 0));
        if (page != nullptr && GetParent(focus) == page) {
            Number("page", i);
        }
    }
    Close('}');
}

// Tooltips ------------------------------------------------------------------

struct TooltipScan {
    DWORD processId;
    HWND sheet;
};

int PageIndexOf(HWND sheet, HWND page) {
    for (int i = 0; i < 3; ++i) {
        if (reinterpret_cast<HWND>(SendMessageW(sheet, PSM_INDEXTOHWND, i, 0)) == page) {
            return i;
        }
    }
    return -1;
}

void Tools(HWND tooltip, HWND sheet) {
    const LRESULT count = SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0);
    Number("toolCount", count);
    Key("tools");
    Open('[');
    constexpr SIZE_T kTextChars = 1024;
    RemoteBuffer remote(tooltip, sizeof(TTTOOLINFOW) + kTextChars * sizeof(wchar_t));
    for (LRESULT i = 0; i < count && remote.Valid(); ++i) {
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.lpszText = reinterpret_cast<LPWSTR>(remote.At(sizeof tool));
        remote.Write(0, &tool, sizeof tool);
        SendMessageW(tooltip, TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(remote.At(0)));
        remote.Read(0, &tool, sizeof tool);
        // TTM_GETTEXT with the tool's own identity.
        tool.lpszText = reinterpret_cast<LPWSTR>(remote.At(sizeof tool));
        remote.Write(0, &tool, sizeof tool);
        SendMessageW(tooltip, TTM_GETTEXTW, kTextChars, reinterpret_cast<LPARAM>(remote.At(0)));
        wchar_t text[kTextChars] = L"";
        remote.Read(sizeof tool, text, sizeof text);
        text[kTextChars - 1] = L'\0';

        HWND control = reinterpret_cast<HWND>(tool.uId);
        Separator();
        Open('{');
        Number("flags", tool.uFlags);
        Bool("idIsWindow", tool.hwnd == control);
        Number("control", IsWindow(control) ? GetDlgCtrlID(control) : 0);
        Number("page", IsWindow(control) ? PageIndexOf(sheet, GetParent(control)) : -1);
        Text("text", text);
        Close('}');
    }
    Close(']');
}

BOOL CALLBACK PrintTooltip(HWND window, LPARAM context) {
    const auto& scan = *reinterpret_cast<const TooltipScan*>(context);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    wchar_t className[64] = L"";
    GetClassNameW(window, className, 64);
    if (processId != scan.processId || _wcsicmp(className, TOOLTIPS_CLASSW) != 0) {
        return TRUE;
    }
    Separator();
    Open('{');
    Number("style", static_cast<unsigned long>(GetWindowLongW(window, GWL_STYLE)));
    Number("exStyle", static_cast<unsigned long>(GetWindowLongW(window, GWL_EXSTYLE)));
    Number("maxWidth", SendMessageW(window, TTM_GETMAXTIPWIDTH, 0, 0));
    Bool("visible", IsWindowVisible(window) != FALSE);
    WindowRect("rect", window);
    Tools(window, scan.sheet);
    Close('}');
    return TRUE;
}

// Top-level windows of the sheet's caption, however many there are.
struct SheetScan {
    const wchar_t* caption;
    HWND first;
    int count;
};

BOOL CALLBACK FindSheet(HWND window, LPARAM context) {
    auto& scan = *reinterpret_cast<SheetScan*>(context);
    // Read without a message: windows of other programs may belong to
    // threads that never answer one.
    wchar_t text[256] = L"";
    InternalGetWindowText(window, text, 256);
    if (wcscmp(text, scan.caption) == 0 && IsWindowVisible(window)) {
        if (scan.first == nullptr) {
            scan.first = window;
        }
        ++scan.count;
    }
    return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fputs("usage: inspect.exe <sheet caption> [entries=<list id>] [tooltips]\n", stderr);
        return 2;
    }
    bool withTooltips = false;
    for (int i = 2; i < argc; ++i) {
        if (wcsncmp(argv[i], L"entries=", 8) == 0) {
            entriesOf = _wtoi(argv[i] + 8);
        } else if (wcscmp(argv[i], L"tooltips") == 0) {
            withTooltips = true;
        } else {
            std::fputs("unknown option\n", stderr);
            return 2;
        }
    }
    SheetScan sheets{argv[1], nullptr, 0};
    EnumWindows(FindSheet, reinterpret_cast<LPARAM>(&sheets));
    if (sheets.first == nullptr) {
        std::puts("{\"sheets\":0}");
        return 3;
    }
    HWND sheet = sheets.first;
    Open('{');
    Number("sheets", sheets.count);
    Number("exStyle", static_cast<unsigned long>(GetWindowLongW(sheet, GWL_EXSTYLE)));
    Number("style", static_cast<unsigned long>(GetWindowLongW(sheet, GWL_STYLE)));
    WindowRect("rect", sheet);
    Number("screenWidth", GetSystemMetrics(SM_CXSCREEN));
    Tabs(sheet);
    Button("ok", sheet, IDOK);
    Button("cancel", sheet, IDCANCEL);
    Button("apply", sheet, 0x3021);
    Focus(sheet);
    Key("pages");
    Open('[');
    for (int i = 0; i < 3; ++i) {
        Separator();
        Page(reinterpret_cast<HWND>(SendMessageW(sheet, PSM_INDEXTOHWND, i, 0)));
    }
    Close(']');
    if (withTooltips) {
        Key("tooltips");
        Open('[');
        TooltipScan scan{0, sheet};
        GetWindowThreadProcessId(sheet, &scan.processId);
        EnumWindows(PrintTooltip, reinterpret_cast<LPARAM>(&scan));
        Close(']');
    }
    Close('}');
    std::fputc('\n', stdout);
    return 0;
}
