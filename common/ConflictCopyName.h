// The names that sync services give the copies they make when a file changed on two
// computers at once. Such a copy is never a user's log, whatever its extension.
#pragma once

#include <string_view>

namespace chimeset {

// fileName is a name without folder, with or without its extension, e.g.
// "RINGER1 (conflicted copy 2024-03-01).CBL", "RINGER1 (1).CBL",
// "RINGER1.sync-conflict-20240301-101500-ABCDEFG.CBL" or "RINGER1-DESKTOP-ABC.CBL".
bool IsConflictCopyName(std::string_view fileName);

}  // namespace chimeset
