// Reading and writing setting.cfg below a base folder that the platform names.
#pragma once

#include <cstddef>

#include "settings/SettingsRecord.h"

namespace ravel {

// Paths are held in fixed buffers of the platform's classic path length.
inline constexpr size_t kPathCapacity = 260;

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// Fills `base` with the folder that holds the "Ravelstone" folder. Each
// platform supplies one (see settings/win32 and settings/posix).
void ResolveSettingsBase(char (&base)[kPathCapacity]);

using BaseResolver = void (*)(char (&base)[kPathCapacity]);

// Joins base, "Ravelstone" and optionally "setting.cfg" with the platform's
// separator. Answers -1, leaving `out` empty, when the result would not fit.
int JoinSettingsPath(const char* base, bool withFile, char (&out)[kPathCapacity]);

// Reads up to 596 bytes of <base>/Ravelstone/setting.cfg over the leading
// bytes of `record`; a shorter file leaves the rest of the record as it was.
// Answers 0, or -1 when the file cannot be opened or the path is too long.
int LoadSettingsFrom(const char* base, SettingsRecord& record);

// Creates <base>/Ravelstone if needed and writes the 596 bytes at the start of
// setting.cfg without truncating it, so bytes a longer file holds past the
// record survive. Answers 0, or -1 when the path is too long, the file cannot
// be opened, or the write does not complete.
int SaveSettingsTo(const char* base, const SettingsRecord& record);

// The same for a file named directly (setting.cfg or any other name); the
// folder that holds it is created on saving if it is missing.
int LoadSettingsFile(const char* path, SettingsRecord& record);
int SaveSettingsFile(const char* path, const SettingsRecord& record);

// The same, below the base that `resolve` names.
int LoadSettings(SettingsRecord& record, BaseResolver resolve);
int SaveSettings(const SettingsRecord& record, BaseResolver resolve);

// Creates one folder whose parent exists; an existing folder or any failure
// is not reported. Implemented per platform next to ResolveSettingsBase.
void CreateFolder(const char* path);

// Creates a folder and whichever of its parents are missing (a fresh account
// may have no XDG config folder yet; a file may be named anywhere).
void CreateFolders(const char* path);

}  // namespace ravel
