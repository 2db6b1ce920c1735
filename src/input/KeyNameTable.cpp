#include "input/KeyNameTable.h"

#include <algorithm>
#include <iterator>

#include "input/InputCode.h"

namespace ravel {

// Positions 74 and 75 are the fullwidth solidus and reverse solidus (the
// game's Japanese names, Shift-JIS 0x81 0x5e and 0x81 0x5f), held as UTF-8 so
// that every platform can draw them.
const KeyName KeyNameTable[kKeyNameCount] = {
    {"None  ", 0x00},      {"UP", 0xc8},        {"DOWN", 0xd0},       {"LEFT", 0xcb},
    {"RIGHT", 0xcd},       {"SPACE", 0x39},     {"SHIFT(LEFT)", 0x2a}, {"SHIFT(RIGHT)", 0x36},
    {"CTRL(LEFT)", 0x1d},  {"CTRL(RIGHT)", 0x9d}, {"ALT(LEFT)", 0x38}, {"ALT(RIGHT)", 0xb8},
    {"CONVERT", 0x79},     {"NO CONVERT", 0x7b}, {"-", 0x0c},          {"A", 0x1e},
    {"B", 0x30},           {"C", 0x2e},         {"D", 0x20},          {"E", 0x12},
    {"F", 0x21},           {"G", 0x22},         {"H", 0x23},          {"I", 0x17},
    {"J", 0x24},           {"K", 0x25},         {"L", 0x26},          {"M", 0x32},
    {"N", 0x31},           {"O", 0x18},         {"P", 0x19},          {"Q", 0x10},
    {"R", 0x13},           {"S", 0x1f},         {"T", 0x14},          {"U", 0x16},
    {"V", 0x2f},           {"W", 0x11},         {"X", 0x2d},          {"Y", 0x15},
    {"Z", 0x2c},           {"1", 0x02},         {"2", 0x03},          {"3", 0x04},
    {"4", 0x05},           {"5", 0x06},         {"6", 0x07},          {"7", 0x08},
    {"8", 0x09},           {"9", 0x0a},         {"0", 0x0b},          {"NUMPAD0", 0x52},
    {"NUMPAD1", 0x4f},     {"NUMPAD2", 0x50},   {"NUMPAD3", 0x51},    {"NUMPAD4", 0x4b},
    {"NUMPAD5", 0x4c},     {"NUMPAD6", 0x4d},   {"NUMPAD7", 0x47},    {"NUMPAD8", 0x48},
    {"NUMPAD9", 0x49},     {"Insert", 0xd2},    {"Delete", 0xd3},     {"Home", 0xc7},
    {"End", 0xcf},         {"PageUp", 0xc9},    {"PageDown", 0xd1},   {"@", 0x91},
    {"[", 0x1a},           {"]", 0x1b},         {";", 0x27},          {":", 0x92},
    {",", 0x33},           {".", 0x34},         {"\xef\xbc\x8f", 0x35}, {"\xef\xbc\xbc", 0x2b},
    {"F1", 0x3b},          {"F2", 0x3c},        {"F3", 0x3d},         {"F4", 0x3e},
    {"F5", 0x3f},          {"F6", 0x40},        {"F7", 0x41},         {"F8", 0x42},
    {"F9", 0x43},          {"F10", 0x44},       {"F11", 0x57},        {"F12", 0x58},
};

int FindKeyPosition(uint8_t scanCode) {
    const KeyName* found = std::ranges::find(KeyNameTable, scanCode, &KeyName::scanCode);
    return found != std::end(KeyNameTable) ? static_cast<int>(found - KeyNameTable) : 0;
}

const char* KeyNameOf(uint8_t scanCode) {
    if (scanCode == 0) {
        return kNoneName;
    }
    const int position = FindKeyPosition(scanCode);
    return position > 0 ? KeyNameTable[position].name : "";
}

bool ParseKeyName(std::string_view text, uint8_t& scanCode) {
    if (text == kNoneName) {
        scanCode = 0;
        return true;
    }
    const KeyName* found = std::ranges::find(KeyNameTable, text, &KeyName::name);
    if (found == std::end(KeyNameTable)) {
        return false;
    }
    scanCode = found->scanCode;
    return true;
}

}  // namespace ravel
