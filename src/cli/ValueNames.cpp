#include "cli/ValueNames.h"

#include <bit>
#include <charconv>
#include <cstring>

#include "cli/FieldNames.h"
#include "input/KeyNameTable.h"

namespace ravel::cli {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A decimal number of one or two digits without a leading zero.
bool ReadNumber(const std::string& text, size_t& at, uint32_t& value) {
    const size_t start = at;
    value = 0;
    while (at < text.size() && IsDigit(text[at]) && at - start < 2) {
        value = value * 10 + static_cast<uint32_t>(text[at] - '0');
        ++at;
    }
    return at > start && text[start] != '0' && (at == text.size() || !IsDigit(text[at]));
}

}  // namespace

std::string Hex(uint32_t value, int digits) {
    static const char kDigits[] = "0123456789abcdef";
    std::string text = "0x";
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) {
        text += kDigits[(value >> shift) & 0xF];
    }
    return text;
}

const char* DescribeCodeFault(InputCode code) {
    if (code == NoInput) {
        return nullptr;
    }
    const uint32_t kinds = InputKinds(code);
    if (kinds == 0) {
        return "no kind bit";
    }
    if (std::popcount(kinds) > 1) {
        return "more than one kind bit";
    }
    if ((code & kInputUnusedBits) != 0) {
        return "bits 16-23 set";
    }
    const uint32_t object = InputObjectIndex(code);
    const uint32_t element = InputElement(code);
    if (kinds == InputKindButton) {
        if (object != 0) {
            return "object number on a button";
        }
        return element > 31 ? "button number above 32" : nullptr;
    }
    if (kinds == InputKindAxis) {
        if (object != 0) {
            return "object number on an axis";
        }
        return element >= kAxisElementCount ? "axis direction out of range" : nullptr;
    }
    if (kinds == InputKindSlider) {
        if (object > 1) {
            return "slider number above 2";
        }
        return element > kSliderMax ? "slider end out of range" : nullptr;
    }
    if (object > 3) {
        return "hat number above 4";
    }
    return element > kPovRight ? "hat direction out of range" : nullptr;
}

std::string InputName(InputCode code) {
    if (code == NoInput) {
        return kNoneName;
    }
    if (DescribeCodeFault(code) != nullptr) {
        return "";
    }
    char text[kInputNameCapacity];
    return FormatInputCode(text, sizeof text, code) > 0 ? std::string(text) : std::string();
}

bool ParseInputName(const std::string& text, InputCode& code) {
    if (text == kNoneName || text == "None  ") {
        code = NoInput;
        return true;
    }
    size_t at = 0;
    uint32_t joystick = 0;
    if (!ReadNumber(text, at, joystick) || joystick < 1 || joystick > 16) {
        return false;
    }
    const uint32_t device = joystick - 1;
    if (text.compare(at, 6, "BUTTON") == 0) {
        at += 6;
        uint32_t button = 0;
        if (!ReadNumber(text, at, button) || at != text.size() || button < 1 || button > 32) {
            return false;
        }
        code = MakeInputCode(device, InputKindButton, 0, button - 1);
        return true;
    }
    const std::string rest = text.substr(at);
    for (uint32_t e = 0; e < kAxisElementCount; ++e) {
        if (rest == JoystickPartNames[e]) {
            code = MakeInputCode(device, InputKindAxis, 0, e);
            return true;
        }
    }
    // Hats and sliders: the part name, then the object number counted from 1.
    struct Family {
        InputCode kind;
        int firstName;
        uint32_t directions;
        uint32_t objects;
    };
    static const Family kFamilies[] = {
        {InputKindPov, kFirstPovPartName, 4, 4},
        {InputKindSlider, kFirstSliderPartName, 2, 2},
    };
    for (const Family& family : kFamilies) {
        for (uint32_t e = 0; e < family.directions; ++e) {
            const char* part = JoystickPartNames[family.firstName + static_cast<int>(e)];
            const size_t length = std::strlen(part);
            if (rest.size() == length + 1 && rest.compare(0, length, part) == 0) {
                const char digit = rest[length];
                if (digit < '1' || static_cast<uint32_t>(digit - '0') > family.objects) {
                    return false;
                }
                code = MakeInputCode(device, family.kind, static_cast<uint32_t>(digit - '1'), e);
                return true;
            }
        }
    }
    return false;
}

std::string KeyName(uint8_t scanCode) {
    if (scanCode == 0) {
        return kNoneName;
    }
    const int position = FindKeyPosition(scanCode);
    return position > 0 ? std::string(KeyNameTable[position].name) : std::string();
}

bool ParseKeyName(const std::string& text, uint8_t& scanCode) {
    if (text == kNoneName) {
        scanCode = 0;
        return true;
    }
    for (const ravel::KeyName& key : KeyNameTable) {
        if (text == key.name) {
            scanCode = key.scanCode;
            return true;
        }
    }
    return false;
}

std::string OptionText(const OptionField& field, uint8_t value) {
    if (value > 1) {
        return Hex(value, 2);
    }
    if (field.style == OptionStyle::Check) {
        return value != 0 ? "on" : "off";
    }
    return value != 0 ? field.oneWord : field.zeroWord;
}

bool ParseHex(const std::string& text, uint32_t max, uint32_t& value) {
    if (text.size() < 3 || text.size() > 10 || text[0] != '0' ||
        (text[1] != 'x' && text[1] != 'X')) {
        return false;
    }
    // An unsigned from_chars takes neither a sign nor a second "0x".
    const char* end = text.data() + text.size();
    uint32_t result = 0;
    const auto [stop, error] = std::from_chars(text.data() + 2, end, result, 16);
    if (error != std::errc() || stop != end || result > max) {
        return false;
    }
    value = result;
    return true;
}

}  // namespace ravel::cli
