// The portable code speaks UTF-8; the Unicode controls take UTF-16. Texts
// are converted into fixed buffers, never allocated.
#pragma once

#include <windows.h>

namespace ravel {

// A UTF-8 text never needs more UTF-16 units than it has bytes, so a buffer
// as long as the caller's byte limit always fits. A text that still does not
// fit (or is not UTF-8) comes out empty rather than cut.
template <int N>
void ToWide(const char* text, wchar_t (&out)[N]) {
    if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, -1, out, N) <= 0) {
        out[0] = L'\0';
    }
}

}  // namespace ravel
