// X11 / Wayland native scan codes (evdev key code + 8) to the DirectInput
// DIK_* code that Wine's DirectInput reads for the same physical key, so that
// a key captured here is the key the game reads under Wine.
#pragma once

#include <cstdint>

namespace ravel {

// Wine 8 gives DirectInput its Japanese 106 key codes (DIK_AT, DIK_COLON,
// DIK_KANJI, ...) only when two things say Japanese: its keyboard layout,
// which it takes from the user's locale, and the X keymap, which must be the
// one it matches to its Japanese 106 table. Elsewhere a key reads as the PC
// code of its position, whatever it types.
enum class KeyCodeSet { Pc, Japanese106 };

KeyCodeSet WineKeyCodeSet(const char* messagesLocale, bool japaneseKeymap);

// The user's locale as Wine takes it: the C library's messages locale once
// the environment is applied (LC_ALL, else LC_MESSAGES, else LANG; "C" when
// any locale the environment names is not installed). LC_CTYPE names no
// layout.
const char* WineMessagesLocale();

// Whether a messages locale is Japanese (ja_JP.UTF-8, ja_JP.eucJP, ...).
bool IsJapaneseLocale(const char* locale);

// What Wine reads of one X key code to match its layout tables: the keysyms
// of group 1, levels 1-4 (0 where there is none).
struct KeymapKey {
    uint32_t keysyms[4];
};

// Whether Wine would match `keys` (`levels` levels each, 4 at most) to its
// Japanese 106 layout.
bool IsWineJapanese106Keymap(const KeymapKey* keys, int count, int levels);

// The same for the keymap of the X server at $DISPLAY, the one the game's
// Wine reads; false when there is none.
bool XKeymapIsWineJapanese106();

// `nativeScanCode`: QKeyEvent::nativeScanCode(). Answers 0 for a key with no
// code.
uint8_t DikFromNativeScanCode(uint32_t nativeScanCode, KeyCodeSet set);

}  // namespace ravel
