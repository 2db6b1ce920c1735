// Reading and writing setting.cfg, named once at start below the base folder
// that the platform names.
#pragma once

#include <cstddef>

#include "settings/SettingsRecord.h"

namespace ravel {

// Paths are held in fixed buffers of the platform's classic path length.
inline constexpr size_t kPathCapacity = 260;

// What a save answers when the record went out short with no error number
// to tell why; otherwise loading and saving answer 0 or the C library's
// error number (errno), so that a caller can say what went wrong.
inline constexpr int kIncompleteWrite = -1;

// Fills `base` with the folder that holds the "Ravelstone" folder. Each
// platform supplies one (see settings/win32 and settings/posix).
void ResolveSettingsBase(char (&base)[kPathCapacity]);

// Fills `file` with <base>\Ravelstone\setting.cfg (with '/' off Windows).
// Answers 0, or -1 leaving `file` empty when the path would not fit: an
// empty path names no file, so loading it fails and saving it touches nothing.
int ResolveSettingsFile(char (&file)[kPathCapacity]);

// Reads up to 596 bytes of `file` over the leading bytes of `record`; a
// shorter file leaves the rest of the record as it was, a failure all of it.
int LoadSettings(SettingsRecord& record, const char* file);

// Creates the folders that hold `file` if needed and writes the 596 bytes at
// its start without truncating it, so bytes a longer file holds past the
// record survive.
int SaveSettings(const SettingsRecord& record, const char* file);

}  // namespace ravel
