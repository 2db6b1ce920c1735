// X11 / Wayland native scan codes (evdev key code + 8) to the DirectInput
// DIK_* code that Wine's DirectInput reads for the same physical key, so that
// a key captured here is the key the game reads under Wine.
#pragma once

#include <cstdint>

namespace ravel {

// Wine 8 gives DirectInput its Japanese 106 key codes (DIK_AT, DIK_COLON,
// DIK_KANJI, ...) only when its keyboard layout is Japanese, and it takes
// that layout from the user's locale, not from the X keymap. Elsewhere a key
// reads as the PC code of its position, whatever it types.
enum class KeyCodeSet { Pc, Japanese106 };

// The set Wine picks for a locale environment: the messages locale (LC_ALL,
// else LC_MESSAGES, else LANG), or when that says nothing the character
// locale (LC_ALL, else LC_CTYPE, else LANG); Japanese when it is ja*. Null
// or empty values are unset.
KeyCodeSet WineKeyCodeSet(const char* lcAll, const char* lcMessages, const char* lcCtype,
                          const char* lang);

// `nativeScanCode`: QKeyEvent::nativeScanCode(). Answers 0 for a key with no
// code.
uint8_t DikFromNativeScanCode(uint32_t nativeScanCode, KeyCodeSet set);

}  // namespace ravel
