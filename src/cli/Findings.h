// What the editor would show differently from what a file holds: the rules
// behind `check`, also used by `show` to mark damaged values; and `show`
// itself.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "cli/FieldNames.h"
#include "settings/SettingsRecord.h"

namespace ravel::cli {

// A player the editor's start-up repair rebuilds (RepairRebuildsPlayer)
// that holds a 0, which is no input code. The tool sees no joysticks, and
// NoInput everywhere is a valid, unassigned mapping (the defaults write it)
// that is rebuilt only when a joystick sits in its slot: `check` reports
// only a player this holds for, `show` marks both kinds.
bool RebuiltFromZeros(const uint32_t (&entries)[kJoystickEntryCount]);

// What the editor would show differently from what the field holds, or "".
std::string FieldProblem(const SettingsRecord& record, const RecordField& field);

struct Finding {
    std::string where;  // "byte 584 (Graphic / Audio Settings: Frame Rate)"
    std::string what;
};

// Every finding for a record read from a file of `fileSize` bytes.
std::vector<Finding> FindProblems(const SettingsRecord& record, uint64_t fileSize);

// `show`: every field of the record by its meaning, one per line.
std::string RenderRecord(const SettingsRecord& record);

}  // namespace ravel::cli
