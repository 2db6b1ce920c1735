// How single values are written and read back: key names, input names and
// raw hexadecimal for anything the pages cannot name.
#pragma once

#include <cstdint>
#include <string>

#include "cli/FieldNames.h"
#include "input/InputCode.h"

namespace ravel::cli {

// "0x1c", "0x00000000": `digits` hexadecimal digits, lower case.
std::string Hex(uint32_t value, int digits);

// Why the Joystick page cannot show this code as it stands, or nullptr when
// it is NoInput or a code the page's lists build. Such a code is exactly one
// whose name reads back to the same code.
const char* DescribeCodeFault(InputCode code);

// The name a well-formed code is shown by ("None" for NoInput), else "".
std::string InputName(InputCode code);

// Reads a name InputName writes ("2BUTTON12", "1POV UP2", "None").
bool ParseInputName(const std::string& text, InputCode& code);

// The key table's name of a scan code ("None" for 0), or "" when the table
// has no such key.
std::string KeyName(uint8_t scanCode);

// The scan code of a key table name; "None" and "None  " are 0.
bool ParseKeyName(const std::string& text, uint8_t& scanCode);

// An option byte as `show` writes it: a check box's "on" / "off", a choice's
// own words, raw hexadecimal for anything but 0 and 1.
std::string OptionText(const OptionField& field, uint8_t value);

// "0x..." with 1-8 hexadecimal digits; answers false for anything else or a
// value above `max`.
bool ParseHex(const std::string& text, uint32_t max, uint32_t& value);

}  // namespace ravel::cli
