// The editor's start-up and shut-down. The first page's initialisation runs
// the start-up, so the sheet's window exists to own the devices and every
// page is built over a record that is already loaded and repaired.
#pragma once

#include "pages/Editor.h"

namespace ravel {

// Opens the devices, asks the two probes, loads and repairs the record and
// forces off what the machine cannot offer, in that order: the joystick
// defaults read the devices' caps, and the sound and shader answers decide
// the defaults of a run without a readable file.
void RunStartUp(Editor& editor, Platform& platform, NativeWindow owner);

// Apply's save, as every page answers PSN_APPLY: 0, or kPsnRetInvalid when
// the file could not be written and the platform keeps the sheet open.
int SaveForApply(const Editor& editor, const Platform& platform);

// Releases the devices; safe to call when the start-up never ran.
void RunShutDown(Editor& editor);

}  // namespace ravel
