// Settings files for the tool's tests: the defaults and damaged variants.
#pragma once

#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "settings/Defaults.h"
#include "settings/SettingsRecord.h"

namespace ravel::testing {

using Bytes = std::vector<unsigned char>;

inline SettingsRecord DefaultRecord(bool pixelShader = true, bool sound = true) {
    SettingsRecord record{};
    const JoystickCapsTable none{};
    ResetAllSettings(record, CapabilityFlags{pixelShader ? 1u : 0u, sound ? 1u : 0u}, none);
    return record;
}

inline Bytes ToBytes(const SettingsRecord& record) {
    Bytes bytes(sizeof record);
    std::memcpy(bytes.data(), &record, sizeof record);
    return bytes;
}

inline Bytes RandomBytes(size_t size, unsigned seed) {
    std::mt19937 random(seed);
    Bytes bytes(size);
    for (auto& byte : bytes) {
        byte = static_cast<unsigned char>(random() & 0xFF);
    }
    return bytes;
}

// One damaged file per kind of damage the editor would show differently.
struct Damage {
    const char* name;
    std::function<void(SettingsRecord&)> apply;
    const char* where;  // what `check` names
};

inline const std::vector<Damage>& Damages() {
    static const std::vector<Damage> kDamages = {
        {"OptionByte", [](SettingsRecord& r) { r.frameRate = 7; },
         "byte 584 (Graphic / Audio Settings: Frame Rate): holds 0x07"},
        {"CheckByte", [](SettingsRecord& r) { r.verticalSync = 0xFF; },
         "byte 585 (Graphic / Audio Settings: Sync V-SYNC): holds 0xff"},
        {"ScreenByte", [](SettingsRecord& r) { r.fullscreen = 2; },
         "byte 582 (Graphic / Audio Settings: Screen Mode): holds 0x02"},
        {"Layout", [](SettingsRecord& r) { r.PlayerLayout = 2; },
         "byte 593 (Keyboard Settings: Number of Players): holds 0x02"},
        {"AxisBits", [](SettingsRecord& r) { r.AxisOptionFlags = 0x8 | 0x100; },
         "bytes 576-579 (Joystick Settings: Advanced): unknown bits 0x00000100"},
        {"KeyOutsideTable", [](SettingsRecord& r) { r.KeyboardTable[1][2][6] = 0x1c; },
         "byte 150 (Keyboard Settings: 4 Players: Player 3: Kick): holds 0x1c"},
        {"KeyWithoutControl", [](SettingsRecord& r) { r.KeyboardTable[0][1][9] = 0x24; },
         "byte 33 (Keyboard Settings: 2 Players: Player 2: Slot 9): holds 0x24"},
        {"CodeWithoutKind",
         [](SettingsRecord& r) {
             r.JoystickTable[1][0] = 0x01000000;
             r.JoystickTable[1][5] = 0x00000005;
         },
         "bytes 308-311 (Joystick Settings: Player 2: Kick): holds 0x00000005, no kind bit"},
        {"CodeOutOfRange", [](SettingsRecord& r) { r.JoystickTable[0][2] = 0x0400000A; },
         "bytes 200-203 (Joystick Settings: Player 1: Left): holds 0x0400000a, hat direction"},
        {"CodeTwoKinds", [](SettingsRecord& r) { r.JoystickTable[3][13] = 0x03000001; },
         "bytes 532-535 (Joystick Settings: Player 4: Start): holds 0x03000001, more than one"},
        {"RepairRebuilds", [](SettingsRecord& r) { r.JoystickTable[2][4] = 0; },
         "bytes 384-479 (Joystick Settings: Player 3): every entry is 0 or None"},
    };
    return kDamages;
}

}  // namespace ravel::testing
