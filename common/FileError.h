#pragma once

#include <string>

#include "common/PathText.h"

namespace chimeset {

// A failure to open, read or write a file: what the user is told in the file-error box.
struct FileError {
    NativePath path;
    std::string cause;  // e.g. "The file does not exist."

    std::string Describe() const;  // "<path>\r\n<cause>"
};

// The cause of a failed file operation, from its errno value, in words for the user.
std::string FileErrorCause(int err);
// The same for a folder in which a file could not be made ("Access to the folder was denied.").
std::string FolderErrorCause(int err);

}  // namespace chimeset
