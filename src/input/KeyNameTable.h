// The keys a player can assign, in the order every keyboard list shows them.
#pragma once

#include <cstdint>
#include <string_view>

namespace ravel {

struct KeyName {
    const char* name;  // UTF-8; all ASCII but the fullwidth "／" and "＼"
    uint8_t scanCode;  // DIK_* value; 0 only for "None  "
};

inline constexpr int kKeyNameCount = 88;

extern const KeyName KeyNameTable[kKeyNameCount];

// Position of the first entry with this scan code; 0 ("None  ") when the
// table has none.
int FindKeyPosition(uint8_t scanCode);

// The table's name of a scan code ("None" for 0), or "" when the table has
// no such key.
const char* KeyNameOf(uint8_t scanCode);

// The scan code of a table name; "None" and "None  " are 0.
bool ParseKeyName(std::string_view text, uint8_t& scanCode);

}  // namespace ravel
