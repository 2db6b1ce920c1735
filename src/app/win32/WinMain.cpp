// config.exe: one copy at a time shows the sheet over the editor's pages
// (app/EditorPages.h), which do all the work inside its modal loop. The first
// page's initialisation runs the start-up (RunStartUp); RunShutDown releases
// the devices once the sheet has closed.
#include "app/EditorPages.h"

#include "app/win32/PageDialog.h"
#include "input/win32/DirectInputBackend.h"
#include "probes/win32/ProbeThread.h"
#include "settings/win32/SettingsBase.h"

#include <windows.h>

#include <commctrl.h>

#include <array>
#include <cstddef>
#include <cstring>
#include <utility>

namespace ravel {
namespace {

const WORD* SkipText(const WORD* p) {
    while (*p != 0) {
        ++p;
    }
    return p + 1;
}

// A menu or class field: 0, or 0xFFFF and an ordinal, or a zero-ended name.
const WORD* SkipNameOrOrdinal(const WORD* p) {
    return *p == 0xFFFF ? p + 2 : SkipText(p);
}

// Sets the point size of an in-memory dialog template (DLGTEMPLATE or
// DLGTEMPLATEEX) that carries a font; a template without one is left alone.
// The sheet lays its pages out in its own dialog font; our pages use a
// 9-point font, so the sheet must measure in the same size or the lower
// edge of the tallest page (the Keyboard page's "Default Settings") is cut.
void SetTemplateFontSize(void* dialogTemplate, WORD points) {
    if (dialogTemplate == nullptr) {
        return;
    }
    auto* words = static_cast<WORD*>(dialogTemplate);
    const bool extended = words[0] == 1 && words[1] == 0xFFFF;
    DWORD style = 0;
    const WORD* p = nullptr;
    if (extended) {
        // dlgVer, signature, helpID, exStyle, style, cDlgItems, x, y, cx, cy
        const BYTE* bytes = static_cast<const BYTE*>(dialogTemplate);
        style = *reinterpret_cast<const DWORD*>(bytes + 12);
        p = reinterpret_cast<const WORD*>(bytes + 26);
    } else {
        const auto* header = static_cast<const DLGTEMPLATE*>(dialogTemplate);
        style = header->style;
        p = reinterpret_cast<const WORD*>(header + 1);
    }
    if ((style & DS_SETFONT) == 0) {
        return;
    }
    p = SkipNameOrOrdinal(p);  // menu
    p = SkipNameOrOrdinal(p);  // window class
    p = SkipText(p);           // caption
    *const_cast<WORD*>(p) = points;
}

// The run's one record, probe answers and devices.
Editor theEditor;

DirectInputBackend theInputBackend;
Direct3DProbe theGraphicsProbe;
DirectSoundProbe theSoundProbe;
char theSettingsFile[kPathCapacity];
ProbeThread theProbeThread(theGraphicsProbe, theSoundProbe, kProbeLimitMilliseconds);
EarlyProbes theProbes(theProbeThread);
Platform thePlatform{&theInputBackend, &theProbes, &theProbes, theSettingsFile, nullptr};

EditorPages thePages(theEditor, thePlatform);

// Filled from the page list before the sheet opens.
PageBinding theBindings[kPageCount] = {};

template <int Index>
INT_PTR CALLBACK PageProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return RunPageProcedure(theBindings[Index], window, message, wParam, lParam);
}

// One procedure per page: the page records carry a parameter of 0, so
// WM_INITDIALOG cannot say which binding is the page's, but the procedure
// knows. It then keeps the binding in the page's window data.
template <size_t... Index>
constexpr auto MakePageProcedures(std::index_sequence<Index...>) {
    return std::array<DLGPROC, sizeof...(Index)>{PageProcedure<static_cast<int>(Index)>...};
}
constexpr auto kPageProcedures = MakePageProcedures(std::make_index_sequence<kPageCount>());

// The caption keeps no context-help button: the pages explain themselves
// with tooltips.
void OnSheetInitialized(HWND sheet) {
    const LONG style = GetWindowLongA(sheet, GWL_EXSTYLE);
    SetWindowLongA(sheet, GWL_EXSTYLE, style & ~WS_EX_CONTEXTHELP);
}

int CALLBACK SheetCallback(HWND sheet, UINT message, LPARAM lParam) {
    switch (message) {
        case PSCB_PRECREATE:
            // Measure the pages in their own font size so none is cut.
            SetTemplateFontSize(reinterpret_cast<void*>(lParam), kDialogFontPoints);
            break;
        case PSCB_INITIALIZED:
            OnSheetInitialized(sheet);
            break;
    }
    return 0;
}

// The records up to their header fields: 48 and 52 bytes on this 32-bit build.
constexpr UINT kPageRecordSize = offsetof(PROPSHEETPAGEW, pszHeaderSubTitle) + sizeof(LPCWSTR);
constexpr UINT kSheetHeaderSize = offsetof(PROPSHEETHEADERW, hbmHeader) + sizeof(HBITMAP);
static_assert(sizeof(void*) != 4 || (kPageRecordSize == 48 && kSheetHeaderSize == 52));

// The pages are Unicode dialogs so that the key names drawn outside the
// system code page (the fullwidth solidus and reverse solidus) show as such.
INT_PTR ShowSheet(HINSTANCE instance) {
    // The sheet steps through the page records by their stated size, so
    // they lie packed at exactly that size.
    alignas(PROPSHEETPAGEW) BYTE records[kPageCount][kPageRecordSize] = {};
    for (int i = 0; i < kPageCount; ++i) {
        theBindings[i].page = thePages[i].page;
        PROPSHEETPAGEW page{};
        page.dwSize = kPageRecordSize;
        page.dwFlags = PSP_DEFAULT;
        page.hInstance = instance;
        page.pszTemplate = MAKEINTRESOURCEW(thePages[i].dialog->id);
        page.pfnDlgProc = kPageProcedures[i];
        page.lParam = 0;
        std::memcpy(records[i], &page, kPageRecordSize);
    }
    wchar_t caption[64];
    ToWide(kApplicationTitle, caption);

    PROPSHEETHEADERW header{};
    header.dwSize = kSheetHeaderSize;
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_USECALLBACK;
    header.hwndParent = nullptr;
    header.hInstance = instance;
    header.pszCaption = caption;
    header.nPages = kPageCount;
    header.nStartPage = 0;
    header.ppsp = reinterpret_cast<LPCPROPSHEETPAGEW>(records);
    header.pfnCallback = SheetCallback;
    return PropertySheetW(&header);
}

int Run(HINSTANCE instance) {
    thePlatform.instance = instance;

    // A second copy leaves at once, without a window. Creating the mutex is
    // the test itself, so two copies started together cannot both go on.
    HANDLE instanceMutex = CreateMutexA(nullptr, FALSE, kApplicationTitle);
    if (instanceMutex != nullptr && GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(instanceMutex);
        return 0;
    }
    // The probes run while the sheet is built; the first page waits for
    // their answers where it reads them.
    theProbeThread.Start();
    ResolveSettingsFile(theSettingsFile);

    InitCommonControls();
    const INT_PTR result = ShowSheet(instance);

    RunShutDown(theEditor);
    // Released but deliberately not closed, nor held by a scoped handle: the
    // process's exit closes it, after everything else has gone.
    if (instanceMutex != nullptr) {
        ReleaseMutex(instanceMutex);
    }
    return static_cast<int>(result);
}

}  // namespace
}  // namespace ravel

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return ravel::Run(instance);
}
