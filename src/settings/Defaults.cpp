#include "settings/Defaults.h"

#include <algorithm>
#include <cstring>

#include "input/InputCode.h"

namespace ravel {

// Rows in the game's slot order: L2 R2 L1 R1 Slash H.Slash Kick Punch Select
// - - Start Up Right Down Left, then eight unused slots.
const uint8_t DefaultKeyboardTable[kLayoutCount][kPlayerCount][kKeyboardSlotCount] = {
    {
        {0x0a, 0x08, 0x09, 0x26, 0x17, 0x18, 0x16, 0x24, 0x30, 0x00, 0x00, 0x39, 0x11, 0x20, 0x1f,
         0x1e},
        {0x49, 0x47, 0x48, 0x51, 0x4c, 0x4d, 0x4b, 0x4f, 0xc9, 0x00, 0x00, 0xd1, 0xc8, 0xcd, 0xd0,
         0xcb},
        {},
        {},
    },
    {
        {0x12, 0x2e, 0x04, 0x20, 0x1f, 0x2d, 0x2c, 0x1e, 0x2a, 0x00, 0x00, 0x1d, 0x03, 0x11, 0x10,
         0x02},
        {0x16, 0x32, 0x08, 0x24, 0x23, 0x31, 0x30, 0x22, 0x39, 0x00, 0x00, 0x79, 0x07, 0x15, 0x14,
         0x06},
        {0x91, 0x2b, 0x0c, 0x92, 0x27, 0x35, 0x34, 0x26, 0xb8, 0x00, 0x00, 0x9d, 0x0b, 0x19, 0x18,
         0x0a},
        {0x49, 0x47, 0x48, 0x51, 0x4c, 0x4d, 0x4b, 0x4f, 0xc9, 0x00, 0x00, 0xd1, 0xc8, 0xcd, 0xd0,
         0xcb},
    },
};

const uint8_t DefaultButtonOrder[kDefaultButtonCount] = {0, 1, 2, 3, 6, 7, 4, 5, 8, 9, 10, 11};

void ResetGraphicsAudio(SettingsRecord& record, const CapabilityFlags& flags) {
    const uint8_t shaders = flags.pixelShaderSupported != 0 ? 1 : 0;
    const uint8_t noSound = flags.directSoundAvailable != 0 ? 0 : 1;
    record.fullscreenColour = shaders;
    record.textureColour = shaders;
    record.fullscreen = 1;
    record.pixelShader = shaders;
    record.frameRate = 1;
    record.verticalSync = 1;
    record.allSoundsOff = noSound;
    record.musicOff = noSound;
    record.introMovieOff = 0;
    record.paletteEffects = shaders != 0 ? 0 : 1;
    record.aspectRatio = 0;
    record.extraSoundOption = 0;
    record.soundFrequency = 0;
}

void ResetKeyboardPlayer(SettingsRecord& record, int layout, int player) {
    if (layout < 0 || layout >= kLayoutCount || player < 0 || player >= kPlayerCount) {
        return;
    }
    std::memcpy(record.KeyboardTable[layout][player], DefaultKeyboardTable[layout][player],
                kKeyboardSlotCount);
}

void ResetJoystickPlayer(SettingsRecord& record, const JoystickCapsTable& caps, int player) {
    if (player < 0 || player >= kPlayerCount) {
        return;
    }
    uint32_t* entries = record.JoystickTable[player];
    std::fill(entries, entries + kJoystickEntryCount, NoInput);
    const uint32_t buttonCount = caps[player].buttonCount;
    if (buttonCount == 0) {
        return;
    }
    const auto device = static_cast<uint32_t>(player);
    // The directions are given whether or not the device reported the axes.
    entries[0] = MakeInputCode(device, InputKindAxis, 0, kAxisUp);
    entries[1] = MakeInputCode(device, InputKindAxis, 0, kAxisDown);
    entries[2] = MakeInputCode(device, InputKindAxis, 0, kAxisLeft);
    entries[3] = MakeInputCode(device, InputKindAxis, 0, kAxisRight);
    // The count bounds the position in the order, not the button number: a
    // five-button device gets button 6 in its fifth entry.
    for (uint32_t k = 0; k < kDefaultButtonCount && k < buttonCount; ++k) {
        entries[4 + k] = MakeInputCode(device, InputKindButton, 0, DefaultButtonOrder[k]);
    }
}

bool RepairRebuildsPlayer(const uint32_t (&entries)[kJoystickEntryCount]) {
    return std::ranges::all_of(entries, [](uint32_t code) { return code == 0 || code == NoInput; });
}

void RepairJoystickTable(SettingsRecord& record, const JoystickCapsTable& caps) {
    for (int player = 0; player < kPlayerCount; ++player) {
        if (RepairRebuildsPlayer(record.JoystickTable[player])) {
            ResetJoystickPlayer(record, caps, player);
        }
    }
}

void ResetAllSettings(SettingsRecord& record, const CapabilityFlags& flags,
                      const JoystickCapsTable& caps) {
    std::memset(&record, 0, sizeof record);
    ResetGraphicsAudio(record, flags);
    std::memcpy(record.KeyboardTable, DefaultKeyboardTable, sizeof record.KeyboardTable);
    for (int player = 0; player < kPlayerCount; ++player) {
        ResetJoystickPlayer(record, caps, player);
    }
    record.AxisOptionFlags = 0;
}

}  // namespace ravel
