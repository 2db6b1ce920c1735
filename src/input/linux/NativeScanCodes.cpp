#include "input/linux/NativeScanCodes.h"

#include <clocale>
#include <cstring>

namespace ravel {
namespace {

constexpr uint32_t kEvdevOffset = 8;  // X11 key codes are evdev codes + 8
constexpr uint32_t kEvdevCount = 128;

// DIK_* by evdev code. Codes 1-88 are the PC's set-1 scan codes and equal the
// DIK values; the rest are the keys DirectInput reports with the extended
// bit folded into 0x80, and the Japanese keys.
// clang-format off
constexpr uint8_t kDikByEvdev[kEvdevCount] = {
    // 0-15: -, Esc, 1..0, -, =, Backspace, Tab
    0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0a, 0x0b, 0x0c, 0x0d, 0x0e, 0x0f,
    // 16-31: Q..P, [, ], Enter, LCtrl, A, S
    0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19, 0x1a, 0x1b, 0x1c, 0x1d, 0x1e, 0x1f,
    // 32-47: D..L, ;, ', `, LShift, \, Z, X, C, V
    0x20, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27, 0x28, 0x29, 0x2a, 0x2b, 0x2c, 0x2d, 0x2e, 0x2f,
    // 48-63: B, N, M, ",", ".", /, RShift, KP*, LAlt, Space, CapsLock, F1..F5
    0x30, 0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39, 0x3a, 0x3b, 0x3c, 0x3d, 0x3e, 0x3f,
    // 64-79: F6..F10, NumLock, ScrollLock, KP7, KP8, KP9, KP-, KP4, KP5, KP6, KP+, KP1
    0x40, 0x41, 0x42, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x49, 0x4a, 0x4b, 0x4c, 0x4d, 0x4e, 0x4f,
    // 80-95: KP2, KP3, KP0, KP., -, Zenkaku/Hankaku (DIK_KANJI), 102nd key, F11, F12,
    // Ro (DIK_ABNT_C1), Katakana, Hiragana (DIK_KANA), Henkan (DIK_CONVERT),
    // Katakana/Hiragana (DIK_KANA), Muhenkan (DIK_NOCONVERT), KP JP comma
    0x50, 0x51, 0x52, 0x53, 0x00, 0x94, 0x56, 0x57, 0x58, 0x73, 0x70, 0x70, 0x79, 0x70, 0x7b, 0xb3,
    // 96-111: KP Enter, RCtrl, KP/, SysRq, RAlt, -, Home, Up, PgUp, Left, Right, End,
    // Down, PgDn, Insert, Delete
    0x9c, 0x9d, 0xb5, 0xb7, 0xb8, 0x00, 0xc7, 0xc8, 0xc9, 0xcb, 0xcd, 0xcf, 0xd0, 0xd1, 0xd2, 0xd3,
    // 112-127: Macro, Mute, VolDown, VolUp, Power, KP=, KP+-, Pause, -, KP comma,
    // Hangeul, Hanja, Yen (DIK_YEN), LMeta, RMeta, Compose
    0x00, 0xa0, 0xae, 0xb0, 0xde, 0x8d, 0x00, 0xc5, 0x00, 0xb3, 0x00, 0x00, 0x7d, 0xdb, 0xdc, 0xdd,
};
// clang-format on

// What Wine's DirectInput changes for a Japanese 106 keyboard: the keys are
// named by what they type there, so the key right of P is "@" (DIK_AT), the
// next one "[" (DIK_LBRACKET), the key right of ";" is ":" (DIK_COLON), "]"
// sits left of Enter (DIK_RBRACKET), "^" right of "-" (DIK_CIRCUMFLEX), the
// key left of 1 is Hankaku/Zenkaku (DIK_KANJI) and the "\ ro" key left of
// right Shift is DIK_BACKSLASH.
struct JapaneseKey {
    uint32_t evdev;
    uint8_t dik;
};

constexpr JapaneseKey kJapaneseKeys[] = {
    {13, 0x90},  // DIK_CIRCUMFLEX
    {26, 0x91},  // DIK_AT
    {27, 0x1a},  // DIK_LBRACKET
    {40, 0x92},  // DIK_COLON
    {41, 0x94},  // DIK_KANJI
    {43, 0x1b},  // DIK_RBRACKET
    {89, 0x2b},  // DIK_BACKSLASH
};

// Wine's layout tables, of which two decide here: its US table, the one it
// takes for PC keyboards, and its Japanese 106 table. Each row is a main key
// (from the one left of 1 to the one left of right Shift) with the characters
// it types without and with Shift.
constexpr int kMainKeys = 49;
constexpr const char* kWineUs[kMainKeys] = {
    "`~", "1!", "2@", "3#", "4$", "5%", "6^", "7&", "8*", "9(",  "0)",  "-_", "=+",
    "qQ", "wW", "eE", "rR", "tT", "yY", "uU", "iI", "oO", "pP",  "[{",  "]}", "aA",
    "sS", "dD", "fF", "gG", "hH", "jJ", "kK", "lL", ";:", "'\"", "\\|", "zZ", "xX",
    "cC", "vV", "bB", "nN", "mM", ",<", ".>", "/?", "",   ""};
constexpr const char* kWineJapanese106[kMainKeys] = {
    "1!", "2\"", "3#", "4$", "5%", "6&", "7'", "8(", "9)",  "0~", "-=", "^~", "\\|",
    "qQ", "wW",  "eE", "rR", "tT", "yY", "uU", "iI", "oO",  "pP", "@`", "[{", "aA",
    "sS", "dD",  "fF", "gG", "hH", "jJ", "kK", "lL", ";+",  ":*", "]}", "zZ", "xX",
    "cC", "vV",  "bB", "nN", "mM", ",<", ".>", "/?", "\\_", ""};

// A Japanese keymap leaves a handful of keys no Japanese 106 row matches
// (4 for "jp", 6 for "jp(OADG109A)"); every other layout leaves 15 or more,
// and Wine then matches its own table, not the Japanese one.
constexpr int kJapaneseLeftovers = 8;

// The character Wine compares for a keysym: Latin-1 as is, other symbols
// of the first pages by their low byte, the dead accents as the accent.
unsigned char WineCharacter(uint32_t keysym) {
    struct Dead {
        uint32_t keysym;
        unsigned char character;
    };
    static constexpr Dead kDead[] = {
        {0xfe50, '`'},  {0xfe51, 0xb4}, {0xfe52, '^'},  {0xfe53, '~'}, {0xfe54, '-'},
        {0xfe55, 0xa2}, {0xfe56, 0xff}, {0xfe57, 0xa8}, {0xfe58, '0'}, {0xfe59, 0xbd},
        {0xfe5a, 0xb7}, {0xfe5b, 0xb8}, {0xfe5c, 0xb2},
    };
    if (keysym == ' ' || keysym == 0) {
        return 0;
    }
    if (keysym < 0x8000) {
        return static_cast<unsigned char>(keysym & 0xFF);
    }
    for (const Dead& dead : kDead) {
        if (dead.keysym == keysym) {
            return dead.character;
        }
    }
    return 0;
}

struct Match {
    int score = 0;  // characters matched, less the levels of each key left over
    int leftovers = 0;
};

// Wine's layout detection for one table: each key that types something
// counts the characters it shares with the first row it matches, and a key
// that matches no row counts against; keys met in the table's order add a
// point each.
Match WineMatch(const char* const (&table)[kMainKeys], const KeymapKey* keys, int count,
                int levels) {
    Match match;
    int previous = -1;
    for (int k = 0; k < count; ++k) {
        unsigned char typed[4] = {};
        for (int level = 0; level < levels; ++level) {
            typed[level] = WineCharacter(keys[k].keysyms[level]);
        }
        if (typed[0] == 0) {
            continue;
        }
        int row = 0;
        int shared = 0;
        for (; row < kMainKeys && shared <= 0; ++row) {
            shared = 0;
            for (int level = 0; level < levels && shared >= 0; ++level) {
                const auto wanted = static_cast<unsigned char>(
                    level < static_cast<int>(std::strlen(table[row])) ? table[row][level] : 0);
                if (wanted != 0) {
                    shared = wanted == typed[level] ? shared + 1 : -1;
                }
            }
        }
        if (shared > 0) {
            match.score += shared + (row - 1 > previous ? 1 : 0);
            previous = row - 1;
        } else {
            match.score -= levels;
            ++match.leftovers;
        }
    }
    return match;
}

}  // namespace

KeyCodeSet WineKeyCodeSet(const char* messagesLocale, bool japaneseKeymap) {
    return IsJapaneseLocale(messagesLocale) && japaneseKeymap ? KeyCodeSet::Japanese106
                                                              : KeyCodeSet::Pc;
}

const char* WineMessagesLocale() {
    // As Wine does at its start: the whole environment at once, then the
    // messages part of it.
    std::setlocale(LC_ALL, "");
    return std::setlocale(LC_MESSAGES, nullptr);
}

bool IsJapaneseLocale(const char* locale) {
    return locale != nullptr && std::strncmp(locale, "ja", 2) == 0 &&
           (locale[2] == '\0' || locale[2] == '_' || locale[2] == '.' || locale[2] == '@');
}

bool IsWineJapanese106Keymap(const KeymapKey* keys, int count, int levels) {
    levels = levels < 4 ? levels : 4;
    const Match japanese = WineMatch(kWineJapanese106, keys, count, levels);
    const Match us = WineMatch(kWineUs, keys, count, levels);
    return japanese.score > us.score && japanese.leftovers <= kJapaneseLeftovers;
}

uint8_t DikFromNativeScanCode(uint32_t nativeScanCode, KeyCodeSet set) {
    if (nativeScanCode < kEvdevOffset || nativeScanCode >= kEvdevOffset + kEvdevCount) {
        return 0;
    }
    const uint32_t evdev = nativeScanCode - kEvdevOffset;
    if (set == KeyCodeSet::Japanese106) {
        for (const JapaneseKey& key : kJapaneseKeys) {
            if (key.evdev == evdev) {
                return key.dik;
            }
        }
    }
    return kDikByEvdev[evdev];
}

}  // namespace ravel
