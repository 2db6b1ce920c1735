// Reading and writing setting.cfg. Where it lies is the platform's question
// (settings/win32 for Windows, settings/prefix for a Wine prefix on Linux);
// these operations take the file's name.
#pragma once

#include <cstddef>

#include "settings/SettingsRecord.h"

namespace ravel {

// Paths are held in fixed buffers of the platform's classic path length.
inline constexpr size_t kPathCapacity = 260;

// The folder below the base folder, and the file in it.
inline constexpr char kSettingsFolderName[] = "Ravelstone";
inline constexpr char kSettingsFileName[] = "setting.cfg";

// Loading and saving answer 0, the C library's error number (errno), or one
// of these for what it has no number for.
inline constexpr int kIncompleteWrite = -1;  // the record went out short, no reason given
inline constexpr int kNotRegularFile = -2;   // a pipe, a device or the like has the name

// The reason for an answer of LoadSettings or SaveSettings, in words.
const char* SettingsErrorText(int error);

// Fills `file` with <base>\Ravelstone\setting.cfg ('/' off Windows). Answers
// 0, or -1 leaving `file` empty when the path would not fit: an empty path
// names no file, so loading it fails and saving it touches nothing.
int JoinSettingsFile(const char* base, char (&file)[kPathCapacity]);

// Reads up to 596 bytes of `file` over the leading bytes of `record`; a
// shorter file leaves the rest of the record as it was, a failure all of it.
// Only a regular file (or a link to one) is read: a pipe would never answer.
int LoadSettings(SettingsRecord& record, const char* file);

// Creates the folders that hold `file` if needed and writes the 596 bytes at
// the start of the file without truncating it, so bytes a longer file holds
// past the record survive. A save that fails leaves the disk as it was: no
// new file or folder, an existing file with its old bytes and length.
int SaveSettings(const SettingsRecord& record, const char* file);

// The file operations a save is made of, shared with the Linux programs'
// own small files.

// Writes all `size` bytes, going on after a short write. Answers 0, errno,
// or kIncompleteWrite: stopping short is a failure whether or not the
// system says why.
int WriteAll(int fd, const void* bytes, size_t size);

// Where each folder MakeParentFolders made ends in its path, so that a
// failed save can take them away again.
struct MadeFolders {
    size_t ends[kPathCapacity / 2];  // each folder takes at least two characters
    size_t count;
};

// Makes the folders that hold the file `path` names, whichever are missing,
// with `mode` where the system has modes (a fresh account may have no XDG
// config folder yet; the CLI names a file anywhere). `path` is cut at each
// separator in turn and left as it was. Answers the first reason a folder
// could not be made, 0 when none failed: a folder that exists already is no
// failure. `made`, when given, needs a path shorter than kPathCapacity.
int MakeParentFolders(char* path, int mode, MadeFolders* made);

}  // namespace ravel
