// Default values of the record and the repair of empty joystick mappings.
#pragma once

#include <cstdint>

#include "input/CaptureScan.h"
#include "probes/Probes.h"
#include "settings/SettingsRecord.h"

namespace ravel {

// [layout][player][slot], the game's slot order.
extern const uint8_t DefaultKeyboardTable[kLayoutCount][kPlayerCount][kKeyboardSlotCount];

// Zero-based button numbers that feed joystick entries 4-15 in this order.
inline constexpr int kDefaultButtonCount = 12;
extern const uint8_t DefaultButtonOrder[kDefaultButtonCount];

// Bytes 580-592 from the probes' answers; nothing else.
void ResetGraphicsAudio(SettingsRecord& record, const CapabilityFlags& flags);

// The default keys of one (layout, player); arguments outside 0-1 / 0-3 do nothing.
void ResetKeyboardPlayer(SettingsRecord& record, int layout, int player);

// Rebuilds one player's 24 joystick entries from the joystick in the slot of
// the same number; an out-of-range player does nothing.
void ResetJoystickPlayer(SettingsRecord& record, const JoystickCapsTable& caps, int player);

// The start-up repair's rule: a player whose 24 entries are all 0 or
// NoInput has nothing assigned, and gets the defaults of the joystick in its
// slot (NoInput everywhere when the slot is empty). ravelstone-cfg sees no
// joysticks: `show` marks every such player, `check` only one that holds a
// 0, since NoInput everywhere is a valid mapping that the defaults write.
bool RepairRebuildsPlayer(const uint32_t (&entries)[kJoystickEntryCount]);

// Rebuilds every player RepairRebuildsPlayer holds for.
void RepairJoystickTable(SettingsRecord& record, const JoystickCapsTable& caps);

// The whole record from the defaults: what a run without a readable file uses.
void ResetAllSettings(SettingsRecord& record, const CapabilityFlags& flags,
                      const JoystickCapsTable& caps);

}  // namespace ravel
