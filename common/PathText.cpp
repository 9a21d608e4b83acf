#include "common/PathText.h"

#include <filesystem>
#include <system_error>

#include "common/CodePage.h"
#include "common/NativeFile.h"
#include "common/Text.h"

namespace chimeset {

std::string NativePathFromText(const std::string& text) {
#ifdef _WIN32
    return text;
#else
    return Windows1252ToUtf8(text);
#endif
}

std::string TextFromNativePath(const std::string& path) {
#ifdef _WIN32
    return path;
#else
    return Utf8ToWindows1252(path);
#endif
}

bool SamePathIgnoringCase(const std::string& a, const std::string& b) {
    return ToUpperAscii(a) == ToUpperAscii(b);
}

bool SameFileOnDisk(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(FsPath(a), FsPath(b), error) && !error;
}

}  // namespace chimeset
