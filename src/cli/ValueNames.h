// How single values are written and read back beside the input
// tables' names: option bytes' words, and raw hexadecimal for anything the
// pages cannot name.
#pragma once

#include <cstdint>
#include <string>

#include "cli/FieldNames.h"

namespace ravel::cli {

// "0x1c", "0x00000000": `digits` hexadecimal digits, lower case.
std::string Hex(uint32_t value, int digits);

// An option byte as `show` writes it: a check box's "on" / "off", a choice's
// own words, raw hexadecimal for anything but 0 and 1.
std::string OptionText(const OptionField& field, uint8_t value);

// "0x..." with 1-8 hexadecimal digits; answers false for anything else or a
// value above `max`.
bool ParseHex(const std::string& text, uint32_t max, uint32_t& value);

}  // namespace ravel::cli
