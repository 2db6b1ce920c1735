// The run's state and what a platform hands to the pages.
#pragma once

#include "input/InputBackend.h"
#include "input/InputDevices.h"
#include "probes/Probes.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsRecord.h"

namespace ravel {

// One per run: the record every page edits in place, the probes' answers and
// the open devices. A program keeps exactly one, zero-initialised.
struct Editor {
    SettingsRecord settings;
    CapabilityFlags capabilities;
    InputDevices input;
};

// The platform's side of start-up and saving.
struct Platform {
    InputBackend* input;
    GraphicsProbe* graphics;
    SoundProbe* sound;
    const char* settingsFile;  // resolved at start; empty when it has no usable path
    NativeInstance instance;
    // Told the result of every Apply's save (0 or the error number); answers
    // whether a failure keeps the sheet open so that nothing is lost. None:
    // the sheet closes as if the save had worked, as config.exe always has.
    bool (*reportSave)(const char* file, int error) = nullptr;
};

}  // namespace ravel
