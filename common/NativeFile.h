// The file-system calls of the core, given paths as native bytes. On Windows the bytes are
// Windows-1252 whatever the ANSI code page of the machine, and every call goes through the
// wide-character API, so that a name such as "Café" is the same file under any code page.
// Elsewhere the calls are the C library's own.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

namespace chimeset {

#ifdef _WIN32
// Windows-1252 bytes to UTF-16 and back; a character that Windows-1252 cannot hold
// becomes "?".
std::wstring WidePath(const std::string& native);
std::string NarrowPath(const std::wstring& wide);
#endif

// A std::filesystem path of native bytes, and the native bytes of one.
std::filesystem::path FsPath(const std::string& native);
std::string NativeOf(const std::filesystem::path& path);

std::FILE* OpenNativeFile(const std::string& path, const char* mode);
bool RemoveNativeFile(const std::string& path);

// The errno-style cause of the last failed Windows call (EACCES, ENOENT, ...).
int LastErrorAsErrno();

}  // namespace chimeset
