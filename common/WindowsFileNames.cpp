#include "common/WindowsFileNames.h"

#include "common/Text.h"

namespace chimeset {
namespace {

std::string_view FileNamePart(std::string_view path) {
    const std::size_t separator = path.find_last_of("\\/");
    return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

}  // namespace

bool IsWindowsDeviceName(std::string_view fileName) {
    // Windows looks at the name before the first dot, without trailing blanks.
    std::string_view base = fileName.substr(0, fileName.find('.'));
    while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
    const std::string upper = ToUpperAscii(base);
    if (upper == "CON" || upper == "PRN" || upper == "AUX" || upper == "NUL" || upper == "CONIN$" ||
        upper == "CONOUT$")
        return true;
    return upper.size() == 4 &&
           (upper.compare(0, 3, "COM") == 0 || upper.compare(0, 3, "LPT") == 0) &&
           upper[3] >= '0' && upper[3] <= '9';
}

std::string WindowsPathProblem(std::string_view path) {
    const std::string_view name = FileNamePart(path);
    const std::string shown(name);
    if (IsWindowsDeviceName(name))
        return "\"" + shown + "\" is the name of a device on Windows, not of a file.";
    if (!name.empty() && (name.back() == '.' || name.back() == ' '))
        return "\"" + shown + "\" ends in a dot or a blank, which Windows drops from file names.";
    if (path.size() > kWindowsMaxPath)
        return Format("The path is %zu characters long; Windows takes at most %zu.", path.size(),
                      kWindowsMaxPath);
    return {};
}

}  // namespace chimeset
