// X11 / Wayland native scan codes (evdev key code + 8) to the DirectInput
// DIK_* code of the same physical key, so that a key captured here is the key
// the game reads through DirectInput under Wine.
#pragma once

#include <cstdint>

namespace ravel {

// `nativeScanCode`: QKeyEvent::nativeScanCode(). `character`: the Latin-1
// character the key typed (QKeyEvent::key() when below 0x100), 0 if none; it
// only tells a Japanese 106 layout from a PC 101/102 one on the five keys
// whose DirectInput code depends on it. Answers 0 for a key with no code.
uint8_t DikFromNativeScanCode(uint32_t nativeScanCode, uint32_t character);

}  // namespace ravel
