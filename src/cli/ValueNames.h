// How single values are written and read back: the tables' names where they
// have one, raw hexadecimal for anything the pages cannot name.
#pragma once

#include <cstdint>
#include <string>

#include "cli/FieldNames.h"

namespace ravel::cli {

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
