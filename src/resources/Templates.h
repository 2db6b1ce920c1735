// The three dialog templates and the string table as data: the one source
// the Windows resource script is generated from and the Linux pages are laid
// out from.
#pragma once

#include "resources/ControlIds.h"

namespace ravel {

enum class ControlKind { GroupBox, Label, RadioButton, CheckBox, PushButton, DropDownList };

struct ControlTemplate {
    int id;  // kNoControlId for group boxes and labels
    ControlKind kind;
    const char* caption;      // UTF-8; "" for lists
    int x, y, width, height;  // dialog units
    bool groupStart;          // WS_GROUP
    bool tabStop;             // WS_TABSTOP
};

struct DialogTemplate {
    int id;  // 101, 102, 103
    const char* caption;
    int width, height;  // dialog units
    const ControlTemplate* controls;
    int controlCount;
};

inline constexpr const char* kDialogFontName = "MS Sans Serif";
inline constexpr int kDialogFontPoints = 9;

inline constexpr int kGraphicAudioTemplateId = 101;
inline constexpr int kKeyboardTemplateId = 102;
inline constexpr int kJoystickTemplateId = 103;
inline constexpr int kIconId = 106;

// The sheet's caption, also the name of the single-instance guard.
inline constexpr const char* kApplicationTitle = "Ravelstone - Config by Qv";

// The labels of the assignment lists, Up ... Start, in position order.
inline constexpr const char* AssignLabels[kAssignListCount] = {
    "Up",    "Down", "Left", "Right", "H.Slash", "Kick",   "Slash",
    "Punch", "L1",   "L2",   "R1",    "R2",      "Select", "Start",
};

// The pages of the sheet, in order.
inline constexpr int kPageCount = 3;
extern const DialogTemplate DialogTemplates[kPageCount];

const DialogTemplate* FindDialogTemplate(int id);
const ControlTemplate* FindControl(const DialogTemplate& dialog, int id);

// The caption of a control, or "" when the page has no such control.
const char* ControlCaption(const DialogTemplate& dialog, int id);

// The caption of the group box or label just before a control in the
// template: what heads a pair of radio buttons ("Frame Rate", "Screen
// Mode"). "" when there is none.
const char* ControlHeading(const DialogTemplate& dialog, int id);

struct StringResource {
    int id;
    const char* text;  // UTF-8; may hold line feeds
};

inline constexpr int kStringCount = 34;
extern const StringResource StringTable[kStringCount];

// The text of a string resource, or nullptr when there is none.
const char* FindString(int id);
// The same text copied into `text` as LoadStringA does: cut to fit
// `capacity` with its terminator, "" when there is none.
void CopyString(int id, char* text, int capacity);

}  // namespace ravel
