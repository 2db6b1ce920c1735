#include "cli/Findings.h"

#include "cli/FieldNames.h"
#include "settings/Defaults.h"

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

// The value, and for the screen mode the radio button the page checks for
// it and the colour byte together.
std::string ValueText(const SettingsRecord& record, const RecordField& field) {
    const uint32_t value = FieldValue(record, field);
    std::string text = FieldText(field, value);
    if (field.offset == offsetof(SettingsRecord, fullscreen) && value == 1 &&
        record.fullscreenColour <= 1) {
        const int button = record.fullscreenColour != 0 ? kFullTrueColor : kFullHighColor;
        text += std::string(" (\"") +
                ControlCaption(*FindDialogTemplate(kGraphicAudioTemplateId), button) + "\")";
    }
    return text;
}

// Marks a joystick player the editor's start-up repair rebuilds: always when
// some entries are 0; when all are None, only with a joystick in its slot,
// which the tool cannot see.
std::string RebuiltNote(const SettingsRecord& record, const RecordField& field) {
    const uint32_t(&entries)[kJoystickEntryCount] = record.JoystickTable[field.player];
    if (field.kind != FieldKind::Code || !RepairRebuildsPlayer(entries)) {
        return "";
    }
    return RebuiltFromZeros(entries)
               ? " (rebuilt by the editor at start-up: no entry holds an input and some are 0)"
               : " (rebuilt by the editor at start-up from the joystick in its slot, if one is "
                 "attached: no entry holds an input)";
}

}  // namespace

// A section's fields are indented under its heading; deeper fields under
// one heading that joins the names between ("2 Players, Player 1").
std::string RenderRecord(const SettingsRecord& record) {
    Lines out;
    std::string section;
    std::string group;
    for (const RecordField& field : RecordFields) {
        const std::vector<std::string>& path = field.path;
        const int depth = path.size() > 2 ? 2 : static_cast<int>(path.size()) - 1;
        if (depth > 0 && path.front() != section) {
            section = path.front();
            group.clear();
            out.Heading(0, section);
        }
        std::string title;
        for (size_t i = 1; i + 1 < path.size(); ++i) {
            title += (i > 1 ? ", " : "") + path[i];
        }
        if (depth == 2 && title != group) {
            group = title;
            out.Heading(1, title + RebuiltNote(record, field));
        }
        out.Field(depth, path.back(), ValueText(record, field), FieldProblem(record, field));
    }
    return out.Take();
}

}  // namespace ravel::cli
