// Where config.exe (and ravelstone-cfg.exe) keep setting.cfg: the user's
// roaming application-data folder, which the game reads too; the current
// folder when the shell-folder service is missing.
#pragma once

#include "settings/SettingsFile.h"

namespace ravel {

// Fills `base` with the folder that holds the "Ravelstone" folder.
void ResolveSettingsBase(char (&base)[kPathCapacity]);

// Fills `file` with <base>\Ravelstone\setting.cfg; as JoinSettingsFile.
int ResolveSettingsFile(char (&file)[kPathCapacity]);

}  // namespace ravel
