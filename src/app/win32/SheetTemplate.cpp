#include "app/win32/SheetTemplate.h"

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

}  // namespace

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

}  // namespace ravel
