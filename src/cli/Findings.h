// What the editor would show differently from what a file holds: the rules
// behind `check`, also used by `show` to mark damaged values.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "cli/FieldNames.h"
#include "input/InputCode.h"
#include "settings/SettingsRecord.h"

namespace ravel::cli {

// Each answers "" for a value the editor shows as it stands.
std::string OptionProblem(const OptionField& field, uint8_t value);
std::string LayoutProblem(uint8_t value);
std::string AxisFlagsProblem(uint32_t flags);
std::string KeyProblem(int position, uint8_t scanCode);
std::string CodeProblem(InputCode code);

// A player the start-up repair would overwrite even on a machine without
// joysticks: every entry is 0 or NoInput and at least one is 0.
bool RepairRebuilds(const uint32_t (&entries)[kJoystickEntryCount]);

uint8_t OptionByte(const SettingsRecord& record, const OptionField& field);
uint8_t& OptionByte(SettingsRecord& record, const OptionField& field);

struct Finding {
    std::string where;  // "byte 584 (Graphic / Audio Settings: Frame Rate)"
    std::string what;
};

// Every finding for a record read from a file of `fileSize` bytes.
std::vector<Finding> FindProblems(const SettingsRecord& record, uint64_t fileSize);

}  // namespace ravel::cli
