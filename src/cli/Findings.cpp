#include "cli/Findings.h"

#include <algorithm>
#include <cstddef>

#include "cli/FieldNames.h"
#include "input/InputCode.h"
#include "input/KeyNameTable.h"
#include "settings/Defaults.h"

namespace ravel::cli {
namespace {

std::string Quoted(const char* text) {
    return std::string("\"") + text + "\"";
}

// "byte 584 (Graphic / Audio Settings: Frame Rate)": the bytes, then the
// path without its last `dropped` names.
std::string Where(size_t offset, size_t size, const std::vector<std::string>& path,
                  size_t dropped) {
    std::string name = path.front();
    for (size_t i = 1; i + dropped < path.size(); ++i) {
        name += ": " + path[i];
    }
    const std::string bytes =
        size == 1 ? "byte " + std::to_string(offset)
                  : "bytes " + std::to_string(offset) + "-" + std::to_string(offset + size - 1);
    return bytes + " (" + name + ")";
}

std::string OptionProblem(const RecordField& field) {
    if (field.zeroWord != nullptr) {
        return "neither 0 (" + Quoted(field.zeroWord) + ") nor 1 (" + Quoted(field.oneWord) + ")";
    }
    return "neither 0 (off) nor 1 (on)";
}

std::string CodeProblem(InputCode code) {
    const char* fault = DescribeCodeFault(code);
    if (fault == nullptr) {
        return "";
    }
    char text[kInputNameCapacity];
    if (FormatInputCode(text, sizeof text, code) > 0) {
        return std::string(fault) + "; the editor names it \"" + text + "\"";
    }
    return std::string(fault) + "; the editor shows \"None  \"";
}

}  // namespace

bool RebuiltFromZeros(const uint32_t (&entries)[kJoystickEntryCount]) {
    return RepairRebuildsPlayer(entries) && std::ranges::find(entries, 0u) != std::end(entries);
}

std::string FieldProblem(const SettingsRecord& record, const RecordField& field) {
    const uint32_t value = FieldValue(record, field);
    switch (field.kind) {
        case FieldKind::Option:
            return value <= 1 ? "" : OptionProblem(field);
        case FieldKind::Layout:
            return value <= 1
                       ? ""
                       : OptionProblem(field) + "; the editor shows " + Quoted(field.zeroWord);
        case FieldKind::Key:
            if (field.position >= kAssignListCount) {
                return value == 0 ? ""
                                  : "not 0 in a slot without a control; the editor clears it when "
                                    "it stores this player";
            }
            return *KeyNameOf(static_cast<uint8_t>(value)) != '\0'
                       ? ""
                       : "not a key of the key table; the editor shows \"None  \" and stores 0";
        case FieldKind::Code:
            // Entries past Start have no list; the editor writes 0 there itself.
            // A player it rebuilds keeps none of its entries.
            return field.position < kAssignListCount &&
                           !RepairRebuildsPlayer(record.JoystickTable[field.player])
                       ? CodeProblem(value)
                       : "";
        case FieldKind::OtherBits:
            return value == 0 ? ""
                              : "unknown bits " + Hex(value, 8) +
                                    ", which the editor keeps but never uses";
        default:
            return "";
    }
}

std::vector<Finding> FindProblems(const SettingsRecord& record, uint64_t fileSize) {
    std::vector<Finding> findings;
    if (fileSize != kSettingsSize) {
        findings.push_back(
            {"file",
             std::to_string(fileSize) + " bytes, not 596; " +
                 (fileSize < kSettingsSize
                      ? "the editor reads them over a record of zeros"
                      : "the editor ignores the bytes past 596 and keeps them when it saves")});
    }
    for (const RecordField& field : RecordFields) {
        if (field.kind == FieldKind::Code && field.position == 0 &&
            RebuiltFromZeros(record.JoystickTable[field.player])) {
            findings.push_back({Where(field.offset, sizeof record.JoystickTable[0], field.path, 1),
                                "every entry is 0 or None; the editor rebuilds this player's "
                                "mapping at start-up"});
        }
        const std::string problem = FieldProblem(record, field);
        // The unknown axis bits are named by their group and say their value themselves.
        const bool bits = field.kind == FieldKind::OtherBits;
        const int digits = static_cast<int>(field.size() * 2);
        if (!problem.empty()) {
            findings.push_back(
                {Where(field.offset, field.size(), field.path, bits ? 1 : 0),
                 bits ? problem
                      : "holds " + Hex(FieldValue(record, field), digits) + ", " + problem});
        }
    }
    return findings;
}

}  // namespace ravel::cli
