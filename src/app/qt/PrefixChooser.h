// Asks the player which Wine prefix to edit when several hold the game's
// settings: the launcher, the settings file and when it last changed.
#pragma once

#include <vector>

#include "settings/prefix/PrefixFinder.h"

namespace ravel {

// The index of the chosen candidate, or -1 when the player cancels.
int ChoosePrefixCandidate(const std::vector<prefix::FoundPrefix>& candidates);

}  // namespace ravel
