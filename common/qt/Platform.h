// Facts about the machine and the user that both programs ask the platform for.
#pragma once

#include <string>

namespace chimeset {

// The current user's documents folder as a native path (the home folder where the desktop
// has no Documents folder), or empty when there is none.
std::string DocumentsFolder();

// The folder of the running program (its path up to, not including, the last separator).
std::string ProgramFolder();

// The name of the user logged on to this computer, in Windows-1252, at most 256 characters.
std::string LoggedOnUserName();

}  // namespace chimeset
