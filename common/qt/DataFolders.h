// The folders of the running program and its user, found through Qt.
#pragma once

#include <string>

#include "common/DataPaths.h"

namespace chimeset {

// The user's application data folder (~/.local/share/Hollowmere/Chimeset on Linux), as a
// native path; the organisation and application names must be set first.
std::string UserDataFolder();

// The user's downloads folder, else the documents folder, as a native path.
std::string DownloadsFolder();

// The paths of the running program with the user's data folder.
DataPaths ProgramDataPaths(const std::string& userFolder);

}  // namespace chimeset
