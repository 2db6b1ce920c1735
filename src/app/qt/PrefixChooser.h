// Asks the player which Wine prefix to edit when several hold the game's
// settings: the launcher, the settings file and when it last changed, the
// current pick marked.
#pragma once

#include <string>
#include <vector>

#include "settings/prefix/PrefixFinder.h"

namespace ravel {

// The index of the chosen candidate, or -1 when the player cancels (Cancel,
// Esc or the close box). `current`: the prefix picked before, or "".
int ChoosePrefixCandidate(const std::vector<prefix::FoundPrefix>& candidates,
                          const std::string& current);

}  // namespace ravel
