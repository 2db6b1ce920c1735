// The fields of the record as ravelstone-cfg shows, checks, exports and
// imports them: one list, in the order every command walks it, and how each
// value is written and read back. Their names
// are the pages' own captions, read from the templates and the option
// tables, and they are the JSON format: changing a caption changes files
// people have exported.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "pages/OptionTable.h"
#include "resources/Templates.h"

namespace ravel::cli {

// Option is a byte of the Graphic / Audio page, Layout the keyboard's choice
// of two layouts; Key a scan code, Code an InputCode; AxisBit one bit of
// AxisOptionFlags and OtherBits the rest of it; Reserved the last two bytes.
enum class FieldKind : uint8_t { Option, Layout, Key, Code, AxisBit, OtherBits, Reserved };

struct RecordField {
    // The keys that lead to the field from the top of an export; the last
    // is the field's own name ("Joystick Settings", "Player 1", "Kick").
    std::vector<std::string> path;
    size_t offset;  // in the record
    FieldKind kind;
    int player = 0;    // Key, Code
    int position = 0;  // Key: the keyboard position; Code: the joystick entry
    // Option, Layout: what 0 and 1 mean for a pair of radio buttons; a check
    // box has no words, it is off or on.
    const char* zeroWord = nullptr;
    const char* oneWord = nullptr;
    uint32_t bit = 0;  // AxisBit

    size_t size() const;  // in the file
};

// Every field, in the order show, check and export list them.
extern const std::vector<RecordField> RecordFields;

// The field's bytes as a little-endian number; AxisBit and OtherBits keep
// only their bits.
uint32_t FieldValue(const SettingsRecord& record, const RecordField& field);

// "0x1c", "0x00000000": `digits` hexadecimal digits, lower case.
std::string Hex(uint32_t value, int digits);

// A field's value (as FieldValue reads it) the way `show` writes it: a check
// box's or an axis bit's "on" / "off", a choice's own words, a key or input
// name, raw hexadecimal for anything else.
std::string FieldText(const RecordField& field, uint32_t value);

// "0x..." with 1-8 hexadecimal digits; answers false for anything else or a
// value above `max`.
bool ParseHex(const std::string& text, uint32_t max, uint32_t& value);

}  // namespace ravel::cli
