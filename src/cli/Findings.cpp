#include "cli/Findings.h"

#include <algorithm>
#include <cstddef>

#include "cli/ValueNames.h"
#include "input/KeyNameTable.h"

namespace ravel::cli {
namespace {

std::string Quoted(const char* text) {
    return std::string("\"") + text + "\"";
}

std::string ByteWhere(size_t offset, const std::string& field) {
    return "byte " + std::to_string(offset) + " (" + field + ")";
}

std::string BytesWhere(size_t offset, size_t size, const std::string& field) {
    return "bytes " + std::to_string(offset) + "-" + std::to_string(offset + size - 1) + " (" +
           field + ")";
}

}  // namespace

uint8_t OptionByte(const SettingsRecord& record, const OptionField& field) {
    return reinterpret_cast<const uint8_t*>(&record)[field.offset];
}

uint8_t& OptionByte(SettingsRecord& record, const OptionField& field) {
    return reinterpret_cast<uint8_t*>(&record)[field.offset];
}

std::string OptionProblem(const OptionField& field, uint8_t value) {
    if (value <= 1) {
        return "";
    }
    if (field.style == OptionStyle::Choice) {
        return "neither 0 (" + Quoted(field.zeroWord) + ") nor 1 (" + Quoted(field.oneWord) + ")";
    }
    return "neither 0 (off) nor 1 (on)";
}

std::string LayoutProblem(uint8_t value) {
    if (value <= 1) {
        return "";
    }
    return OptionProblem(LayoutOption, value) + "; the editor shows " + Quoted(LayoutName(0));
}

std::string AxisFlagsProblem(uint32_t flags) {
    const uint32_t unknown = flags & ~kKnownAxisBits;
    if (unknown == 0) {
        return "";
    }
    return "unknown bits " + Hex(unknown, 8) + ", which the editor keeps but never uses";
}

std::string KeyProblem(int position, uint8_t scanCode) {
    if (position >= kAssignListCount) {
        if (scanCode == 0) {
            return "";
        }
        return "not 0 in a slot without a control; the editor clears it when it stores this player";
    }
    if (!KeyNameOf(scanCode).empty()) {
        return "";
    }
    return "not a key of the key table; the editor shows \"None  \" and stores 0";
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

bool RepairRebuilds(const uint32_t (&entries)[kJoystickEntryCount]) {
    const auto end = entries + kJoystickEntryCount;
    return std::all_of(entries, end, [](uint32_t code) { return code == 0 || code == NoInput; }) &&
           std::find(entries, end, 0u) != end;
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

    for (const OptionField& field : OptionFields) {
        const uint8_t value = OptionByte(record, field);
        const std::string problem = OptionProblem(field, value);
        if (!problem.empty()) {
            findings.push_back(
                {ByteWhere(field.offset, std::string(kGraphicAudioSection) + ": " + field.name),
                 "holds " + Hex(value, 2) + ", " + problem});
        }
    }

    const std::string layout = LayoutProblem(record.PlayerLayout);
    if (!layout.empty()) {
        findings.push_back({ByteWhere(offsetof(SettingsRecord, PlayerLayout),
                                      std::string(kKeyboardSection) + ": " + kLayoutField),
                            "holds " + Hex(record.PlayerLayout, 2) + ", " + layout});
    }

    for (int l = 0; l < kLayoutCount; ++l) {
        for (int p = 0; p < kPlayerCount; ++p) {
            for (int position = 0; position < kKeyboardSlotCount; ++position) {
                const int slot = KeyboardSlotMap[position];
                const uint8_t scanCode = record.KeyboardTable[l][p][slot];
                const std::string problem = KeyProblem(position, scanCode);
                if (problem.empty()) {
                    continue;
                }
                const size_t offset = KeyboardEntryOffset(l, p, slot);
                findings.push_back(
                    {ByteWhere(offset, std::string(kKeyboardSection) + ": " + LayoutName(l) + ": " +
                                           PlayerName(p) + ": " + KeyboardPositionName(position)),
                     "holds " + Hex(scanCode, 2) + ", " + problem});
            }
        }
    }

    for (int p = 0; p < kPlayerCount; ++p) {
        const std::string player = std::string(kJoystickSection) + ": " + PlayerName(p);
        const size_t first = JoystickEntryOffset(p, 0);
        const size_t playerSize = sizeof record.JoystickTable[p];
        if (RepairRebuilds(record.JoystickTable[p])) {
            findings.push_back({BytesWhere(first, playerSize, player),
                                "every entry is 0 or None; the editor rebuilds this player's "
                                "mapping at start-up"});
            continue;
        }
        // Entries past Start have no list; the editor writes 0 there itself.
        for (int entry = 0; entry < kAssignListCount; ++entry) {
            const InputCode code = record.JoystickTable[p][entry];
            const std::string problem = CodeProblem(code);
            if (!problem.empty()) {
                findings.push_back({BytesWhere(JoystickEntryOffset(p, entry), 4,
                                               player + ": " + JoystickEntryName(entry)),
                                    "holds " + Hex(code, 8) + ", " + problem});
            }
        }
    }

    const std::string flags = AxisFlagsProblem(record.AxisOptionFlags);
    if (!flags.empty()) {
        findings.push_back({BytesWhere(offsetof(SettingsRecord, AxisOptionFlags), 4,
                                       std::string(kJoystickSection) + ": " + kAdvancedField),
                            flags});
    }
    return findings;
}

}  // namespace ravel::cli
