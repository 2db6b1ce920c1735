// The keymap of the X server the game's Wine reads, as Wine reads it.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>

#include <memory>
#include <vector>

#include "input/linux/NativeScanCodes.h"

namespace ravel {

bool XKeymapIsWineJapanese106() {
    // A connection of our own to $DISPLAY: Wine opens the same one, whatever
    // platform Qt draws the editor on.
    const std::unique_ptr<Display, int (*)(Display*)> display(XOpenDisplay(nullptr), XCloseDisplay);
    if (display == nullptr) {
        return false;
    }
    int first = 0;
    int last = 0;
    XDisplayKeycodes(display.get(), &first, &last);
    int levels = 0;
    XFree(
        XGetKeyboardMapping(display.get(), static_cast<KeyCode>(first), last + 1 - first, &levels));
    std::vector<KeymapKey> keys(static_cast<size_t>(last + 1 - first));
    for (int code = first; code <= last; ++code) {
        for (int level = 0; level < 4 && level < levels; ++level) {
            keys[static_cast<size_t>(code - first)].keysyms[level] = static_cast<uint32_t>(
                XkbKeycodeToKeysym(display.get(), static_cast<KeyCode>(code), 0, level));
        }
    }
    return IsWineJapanese106Keymap(keys.data(), static_cast<int>(keys.size()), levels);
}

}  // namespace ravel
