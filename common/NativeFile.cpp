#include "common/NativeFile.h"

#include <cerrno>

#ifdef _WIN32
#include <windows.h>
#endif

namespace chimeset {

#ifdef _WIN32
namespace {
constexpr UINT kFileCodePage = 1252;
}

std::wstring WidePath(const std::string& native) {
    if (native.empty()) return {};
    const int size = ::MultiByteToWideChar(kFileCodePage, 0, native.data(),
                                           static_cast<int>(native.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    ::MultiByteToWideChar(kFileCodePage, 0, native.data(), static_cast<int>(native.size()),
                          wide.data(), size);
    return wide;
}

std::string NarrowPath(const std::wstring& wide) {
    if (wide.empty()) return {};
    const int size = ::WideCharToMultiByte(kFileCodePage, WC_NO_BEST_FIT_CHARS, wide.data(),
                                           static_cast<int>(wide.size()), nullptr, 0, "?", nullptr);
    std::string native(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(kFileCodePage, WC_NO_BEST_FIT_CHARS, wide.data(),
                          static_cast<int>(wide.size()), native.data(), size, "?", nullptr);
    return native;
}

std::filesystem::path FsPath(const std::string& native) {
    return std::filesystem::path(WidePath(native));
}

std::string NativeOf(const std::filesystem::path& path) {
    return NarrowPath(path.wstring());
}

std::FILE* OpenNativeFile(const std::string& path, const char* mode) {
    const std::string narrowMode(mode);
    return ::_wfopen(WidePath(path).c_str(),
                     std::wstring(narrowMode.begin(), narrowMode.end()).c_str());
}

bool RemoveNativeFile(const std::string& path) {
    return ::_wremove(WidePath(path).c_str()) == 0;
}

int LastErrorAsErrno() {
    switch (::GetLastError()) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
            return ENOENT;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return EACCES;
        case ERROR_WRITE_PROTECT:
            return EROFS;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ENOSPC;
        case ERROR_FILENAME_EXCED_RANGE:
            return ENAMETOOLONG;
        case ERROR_ALREADY_EXISTS:
        case ERROR_FILE_EXISTS:
            return EEXIST;
        default:
            return EIO;
    }
}
#else
std::filesystem::path FsPath(const std::string& native) {
    return std::filesystem::path(native);
}

std::string NativeOf(const std::filesystem::path& path) {
    return path.string();
}

std::FILE* OpenNativeFile(const std::string& path, const char* mode) {
    return std::fopen(path.c_str(), mode);
}

bool RemoveNativeFile(const std::string& path) {
    return std::remove(path.c_str()) == 0;
}

int LastErrorAsErrno() {
    return errno;
}
#endif

}  // namespace chimeset
