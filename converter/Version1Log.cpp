#include "converter/Version1Log.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "common/NativeFile.h"
#include "common/Text.h"
#include "common/TextFile.h"

namespace chimeset {

bool HasVersion1MagicLine(std::string_view line) {
    return line.size() >= kVersion1MagicLine.size() &&
           line.compare(0, kVersion1MagicLine.size(), kVersion1MagicLine) == 0;
}

std::optional<bool> FileBeginsWithVersion1MagicLine(const std::string& path, FileError& error) {
    error = FileError{NativePath(path), {}};
    if (IsDirectory(path)) {
        error.cause = "The name is a folder, not a file.";
        return std::nullopt;
    }
    std::FILE* file = OpenNativeFile(path, "rb");
    if (!file) {
        error.cause = errno == ENOENT                     ? "The file does not exist."
                      : errno == EACCES || errno == EPERM ? "Access to the file was denied."
                                                          : std::strerror(errno);
        return std::nullopt;
    }
    // A line break inside the first 20 bytes can never match the magic line, so these
    // bytes decide it, however long the first line is.
    char start[kVersion1MagicLine.size()];
    const std::size_t got = std::fread(start, 1, sizeof start, file);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        error.cause = "The file could not be read.";
        return std::nullopt;
    }
    return HasVersion1MagicLine(std::string_view(start, got));
}

Version1Record ReadVersion1Record(std::string_view line) {
    Version1Record record;
    record.location = GetField(line, 0);
    record.index = ReadLeadingNumber(GetField(line, 1));
    record.visitDate = GetField(line, 2);
    record.quarterDate = GetField(line, 3);
    record.pealDate = GetField(line, 4);
    record.comment = GetField(line, 5);
    return record;
}

}  // namespace chimeset
