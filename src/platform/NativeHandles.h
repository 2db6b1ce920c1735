// The platform's own handles as the portable code passes them along without
// looking inside: HINSTANCE and HWND on Windows, unused elsewhere.
#pragma once

namespace ravel {

using NativeInstance = void*;
using NativeWindow = void*;

}  // namespace ravel
