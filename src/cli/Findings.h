// What the editor would show differently from what a file holds: the rules
// behind `check`, also used by `show` to mark damaged values.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "cli/FieldNames.h"
#include "settings/SettingsRecord.h"

namespace ravel::cli {

// A player the start-up repair would overwrite even on a machine without
// joysticks: every entry is 0 or NoInput and at least one is 0.
bool RepairRebuilds(const uint32_t (&entries)[kJoystickEntryCount]);

// What the editor would show differently from what the field holds, or "".
std::string FieldProblem(const SettingsRecord& record, const RecordField& field);

struct Finding {
    std::string where;  // "byte 584 (Graphic / Audio Settings: Frame Rate)"
    std::string what;
};

// Every finding for a record read from a file of `fileSize` bytes.
std::vector<Finding> FindProblems(const SettingsRecord& record, uint64_t fileSize);

}  // namespace ravel::cli
