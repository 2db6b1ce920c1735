#include "cli/Show.h"

#include "cli/FieldNames.h"
#include "cli/Findings.h"
#include "cli/ValueNames.h"
#include "input/KeyNameTable.h"

namespace ravel::cli {
namespace {

class Lines {
  public:
    void Heading(int depth, const std::string& title) { Indent(depth) += title + "\n"; }
    void Field(int depth, const std::string& name, const std::string& value,
               const std::string& problem = "") {
        Indent(depth) += name + ": " + value;
        if (!problem.empty()) {
            text_ += " (damaged: " + problem + ")";
        }
        text_ += "\n";
    }
    std::string Take() { return std::move(text_); }

  private:
    std::string& Indent(int depth) {
        text_.append(static_cast<size_t>(depth) * 2, ' ');
        return text_;
    }
    std::string text_;
};

void ShowGraphicAudio(const SettingsRecord& record, Lines& out) {
    out.Heading(0, kGraphicAudioSection);
    for (const OptionField& field : OptionFields) {
        const uint8_t value = OptionByte(record, field);
        std::string text = OptionText(field, value);
        if (field.offset == offsetof(SettingsRecord, fullscreen) && value == 1 &&
            record.fullscreenColour <= 1) {
            // The radio button the page checks for this pair of bytes.
            const int button = record.fullscreenColour != 0 ? kFullTrueColor : kFullHighColor;
            text += std::string(" (\"") +
                    ControlCaption(*FindDialogTemplate(kGraphicAudioTemplateId), button) + "\")";
        }
        out.Field(1, field.name, text, OptionProblem(field, value));
    }
}

void ShowKeyboard(const SettingsRecord& record, Lines& out) {
    out.Heading(0, kKeyboardSection);
    const uint8_t layout = record.PlayerLayout;
    out.Field(1, kLayoutField, OptionText(LayoutOption, layout), LayoutProblem(layout));
    for (int l = 0; l < kLayoutCount; ++l) {
        for (int p = 0; p < kPlayerCount; ++p) {
            out.Heading(1, std::string(LayoutName(l)) + ", " + PlayerName(p));
            for (int position = 0; position < kKeyboardSlotCount; ++position) {
                const uint8_t scanCode = record.KeyboardTable[l][p][KeyboardSlotMap[position]];
                const std::string name = KeyNameOf(scanCode);
                out.Field(2, KeyboardPositionName(position), name.empty() ? Hex(scanCode, 2) : name,
                          KeyProblem(position, scanCode));
            }
        }
    }
}

void ShowJoystick(const SettingsRecord& record, Lines& out) {
    out.Heading(0, kJoystickSection);
    for (int p = 0; p < kPlayerCount; ++p) {
        const bool rebuilt = RepairRebuilds(record.JoystickTable[p]);
        out.Heading(1, std::string(PlayerName(p)) +
                           (rebuilt ? " (rebuilt by the editor at start-up: no entry holds an "
                                      "input and some are 0)"
                                    : ""));
        for (int entry = 0; entry < kJoystickEntryCount; ++entry) {
            const InputCode code = record.JoystickTable[p][entry];
            const std::string name = InputName(code);
            const bool shown = entry < kAssignListCount && !rebuilt;
            out.Field(2, JoystickEntryName(entry), name.empty() ? Hex(code, 8) : name,
                      shown ? CodeProblem(code) : "");
        }
    }
    const uint32_t flags = record.AxisOptionFlags;
    out.Heading(1, kAdvancedField);
    for (const AxisOptionControl& option : AxisOptionControls) {
        out.Field(2, option.name, (flags & option.bit) != 0 ? "on" : "off");
    }
    out.Field(2, kOtherBitsName, Hex(flags & ~kKnownAxisBits, 8), AxisFlagsProblem(flags));
}

}  // namespace

std::string RenderRecord(const SettingsRecord& record) {
    Lines out;
    ShowGraphicAudio(record, out);
    ShowKeyboard(record, out);
    ShowJoystick(record, out);
    out.Field(0, kReservedField, Hex(record.reserved[0], 2) + " " + Hex(record.reserved[1], 2));
    return out.Take();
}

}  // namespace ravel::cli
