#include "cli/ValueNames.h"

#include <charconv>

#include "input/InputCode.h"
#include "input/KeyNameTable.h"

namespace ravel::cli {

std::string Hex(uint32_t value, int digits) {
    static const char kDigits[] = "0123456789abcdef";
    std::string text = "0x";
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) {
        text += kDigits[(value >> shift) & 0xF];
    }
    return text;
}

std::string FieldText(const RecordField& field, uint32_t value) {
    switch (field.kind) {
        case FieldKind::Option:
        case FieldKind::Layout:
            if (value > 1) {
                return Hex(value, 2);
            }
            if (field.zeroWord == nullptr) {
                return value != 0 ? "on" : "off";
            }
            return value != 0 ? field.oneWord : field.zeroWord;
        case FieldKind::Key:
        case FieldKind::Code: {
            const std::string name = field.kind == FieldKind::Key
                                         ? KeyNameOf(static_cast<uint8_t>(value))
                                         : InputName(value);
            return name.empty() ? Hex(value, static_cast<int>(field.size() * 2)) : name;
        }
        case FieldKind::AxisBit:
            return value != 0 ? "on" : "off";
        case FieldKind::Reserved:
            return Hex(value & 0xFF, 2) + " " + Hex(value >> 8, 2);
        default:
            return Hex(value, 8);
    }
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
