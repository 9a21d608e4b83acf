// Settings and messages hold Windows-1252 text; the C library wants paths in the file
// system's encoding. The two differ here (UTF-8) and agree on Windows (the ANSI code page).
#pragma once

#include <string>

namespace chimeset {

std::string NativePathFromText(const std::string& text);
std::string TextFromNativePath(const std::string& path);

// Paths compared as Windows compares them: without regard to (ASCII) letter case.
bool SamePathIgnoringCase(const std::string& a, const std::string& b);

// True when both name the same existing file or folder, however they are spelt.
bool SameFileOnDisk(const std::string& a, const std::string& b);

}  // namespace chimeset
