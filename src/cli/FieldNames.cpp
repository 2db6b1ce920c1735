#include "cli/FieldNames.h"

namespace ravel::cli {
namespace {

const DialogTemplate& Page(int id) {
    return *FindDialogTemplate(id);
}

std::array<OptionField, kOptionControlCount> MakeOptionFields() {
    const DialogTemplate& page = Page(kGraphicAudioTemplateId);
    std::array<OptionField, kOptionControlCount> fields{};
    for (int i = 0; i < kOptionControlCount; ++i) {
        const OptionControl& option = GraphicAudioOptions[i];
        OptionField& field = fields[static_cast<size_t>(i)];
        field.offset = OptionOffset(option);
        if (IsChoice(option)) {
            field.style = OptionStyle::Choice;
            field.name = ControlHeading(page, option.zeroId);
            field.zeroWord = ControlCaption(page, option.zeroId);
            field.oneWord = ControlCaption(page, option.oneId);
        } else {
            field.style = OptionStyle::Check;
            field.name = ControlCaption(page, option.oneId);
        }
        field.name = option.name != nullptr ? option.name : field.name;
        field.oneWord = option.oneWord != nullptr ? option.oneWord : field.oneWord;
    }
    return fields;
}

}  // namespace

const char* const kGraphicAudioSection = Page(kGraphicAudioTemplateId).caption;
const char* const kKeyboardSection = Page(kKeyboardTemplateId).caption;
const char* const kJoystickSection = Page(kJoystickTemplateId).caption;
const char* const kLayoutField = ControlHeading(Page(kKeyboardTemplateId), kTwoPlayers);
const char* const kAdvancedField = ControlHeading(Page(kJoystickTemplateId), kRotationAxes);

const std::array<OptionField, kOptionControlCount> OptionFields = MakeOptionFields();

const char* LayoutName(int layout) {
    return ControlCaption(Page(kKeyboardTemplateId), LayoutButton(layout == 0 ? 0 : 1));
}

const char* PlayerName(int player) {
    return ControlCaption(Page(kJoystickTemplateId), PlayerButton(player & 3));
}

const OptionField LayoutOption{offsetof(SettingsRecord, PlayerLayout), OptionStyle::Choice,
                               kLayoutField, LayoutName(0), LayoutName(1)};

std::string KeyboardPositionName(int position) {
    return position < kAssignListCount ? AssignLabels[position]
                                       : "Slot " + std::to_string(KeyboardSlotMap[position]);
}

std::string JoystickEntryName(int entry) {
    return entry < kAssignListCount ? AssignLabels[entry] : "Entry " + std::to_string(entry);
}

}  // namespace ravel::cli
