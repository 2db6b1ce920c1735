#include "cli/FieldNames.h"

#include <charconv>
#include <cstring>

#include "input/InputCode.h"
#include "input/KeyNameTable.h"

namespace ravel::cli {
namespace {

const DialogTemplate& Page(int id) {
    return *FindDialogTemplate(id);
}

const char* LayoutName(int layout) {
    return ControlCaption(Page(kKeyboardTemplateId), LayoutButton(layout == 0 ? 0 : 1));
}

const char* PlayerName(int player) {
    return ControlCaption(Page(kJoystickTemplateId), PlayerButton(player & 3));
}

// Keyboard position 0-23 (a control label, or "Slot n" for the game slot
// that no control shows) and joystick entry 0-23 ("Entry n" past Start).
std::string KeyboardPositionName(int position) {
    return position < kAssignListCount ? AssignLabels[position]
                                       : "Slot " + std::to_string(KeyboardSlotMap[position]);
}

std::string JoystickEntryName(int entry) {
    return entry < kAssignListCount ? AssignLabels[entry] : "Entry " + std::to_string(entry);
}

// The bytes 580-592 in the order the Graphic / Audio page shows them, named
// by the check box's caption or the pair's heading unless the table says.
void AddOptions(const std::string& section, std::vector<RecordField>& fields) {
    const DialogTemplate& page = Page(kGraphicAudioTemplateId);
    for (const OptionControl& option : GraphicAudioOptions) {
        const char* caption = IsChoice(option) ? ControlHeading(page, option.zeroId)
                                               : ControlCaption(page, option.oneId);
        RecordField field{{section, option.name != nullptr ? option.name : caption},
                          OptionOffset(option),
                          FieldKind::Option};
        if (IsChoice(option)) {
            field.zeroWord = ControlCaption(page, option.zeroId);
            field.oneWord =
                option.oneWord != nullptr ? option.oneWord : ControlCaption(page, option.oneId);
        }
        fields.push_back(std::move(field));
    }
}

std::vector<RecordField> MakeRecordFields() {
    const std::string keyboard = Page(kKeyboardTemplateId).caption;
    const std::string joystick = Page(kJoystickTemplateId).caption;
    const std::string advanced = ControlHeading(Page(kJoystickTemplateId), kRotationAxes);
    const size_t flags = offsetof(SettingsRecord, AxisOptionFlags);
    std::vector<RecordField> fields;
    AddOptions(Page(kGraphicAudioTemplateId).caption, fields);
    // Byte 593, the keyboard's two layouts, as a choice.
    fields.push_back({.path = {keyboard, ControlHeading(Page(kKeyboardTemplateId), kTwoPlayers)},
                      .offset = offsetof(SettingsRecord, PlayerLayout),
                      .kind = FieldKind::Layout,
                      .zeroWord = LayoutName(0),
                      .oneWord = LayoutName(1)});
    for (int l = 0; l < kLayoutCount; ++l) {
        for (int p = 0; p < kPlayerCount; ++p) {
            for (int position = 0; position < kKeyboardSlotCount; ++position) {
                fields.push_back(
                    {{keyboard, LayoutName(l), PlayerName(p), KeyboardPositionName(position)},
                     KeyboardEntryOffset(l, p, KeyboardSlotMap[position]),
                     FieldKind::Key,
                     p,
                     position});
            }
        }
    }
    for (int p = 0; p < kPlayerCount; ++p) {
        for (int entry = 0; entry < kJoystickEntryCount; ++entry) {
            fields.push_back({{joystick, PlayerName(p), JoystickEntryName(entry)},
                              JoystickEntryOffset(p, entry),
                              FieldKind::Code,
                              p,
                              entry});
        }
    }
    for (const AxisOptionControl& option : AxisOptionControls) {
        fields.push_back({.path = {joystick, advanced, option.name},
                          .offset = flags,
                          .kind = FieldKind::AxisBit,
                          .bit = option.bit});
    }
    fields.push_back({{joystick, advanced, "Other bits"}, flags, FieldKind::OtherBits});
    fields.push_back({{"Reserved"}, offsetof(SettingsRecord, reserved), FieldKind::Reserved});
    return fields;
}

}  // namespace

const std::vector<RecordField> RecordFields = MakeRecordFields();

size_t RecordField::size() const {
    switch (kind) {
        case FieldKind::Code:
        case FieldKind::AxisBit:
        case FieldKind::OtherBits:
            return sizeof(uint32_t);
        case FieldKind::Reserved:
            return sizeof(SettingsRecord::reserved);
        default:
            return 1;
    }
}

uint32_t FieldValue(const SettingsRecord& record, const RecordField& field) {
    uint32_t value = 0;  // the record is little-endian, as SettingsRecord.h asserts
    std::memcpy(&value, reinterpret_cast<const uint8_t*>(&record) + field.offset, field.size());
    if (field.kind == FieldKind::AxisBit) {
        return value & field.bit;
    }
    return field.kind == FieldKind::OtherBits ? value & ~kKnownAxisBits : value;
}

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
                                         ? std::string(KeyNameOf(static_cast<uint8_t>(value)))
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
