// What tests of refused writes need on both platforms: whether permissions bind the user who
// runs them, and folders made the same way.
#pragma once

#include <sys/stat.h>

#include <string>

#ifdef _WIN32
#include <direct.h>
#include <io.h>
#else
#include <unistd.h>
#endif

namespace chimeset::testing {

// Whether a folder without write permission refuses new files: not for root, and never on
// Windows, where a folder's read-only attribute does not stop files being made in it.
inline bool FolderPermissionsApply() {
#ifdef _WIN32
    return false;
#else
    return ::geteuid() != 0;
#endif
}

// Whether a read-only file refuses to be written: not for root; on Windows always.
inline bool FilePermissionsApply() {
#ifdef _WIN32
    return true;
#else
    return ::geteuid() != 0;
#endif
}

inline int MakeFolder(const std::string& path) {
#ifdef _WIN32
    return ::_mkdir(path.c_str());
#else
    return ::mkdir(path.c_str(), 0755);
#endif
}

// Symbolic links need privileges on Windows that a test cannot count on.
inline bool SymbolicLinksWork() {
#ifdef _WIN32
    return false;
#else
    return true;
#endif
}

}  // namespace chimeset::testing
