#include "cli/FieldNames.h"

#include <cstring>

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

}  // namespace ravel::cli
