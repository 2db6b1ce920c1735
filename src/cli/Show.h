// `show`: every field of the record by its meaning, one per line.
#pragma once

#include <string>

#include "settings/SettingsRecord.h"

namespace ravel::cli {

std::string RenderRecord(const SettingsRecord& record);

}  // namespace ravel::cli
