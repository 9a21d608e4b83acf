// The log format of the older Version 1 program: a magic line, then one tower per line
// with backslash-separated fields.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/FileError.h"
#include "common/FileFormats.h"

namespace chimeset {

// True when the line's first 20 characters are the magic line (case-sensitive); text after
// them is ignored and a shorter line fails.
bool HasVersion1MagicLine(std::string_view line);

// Whether the file begins with the magic line, reading no more than the magic line's
// length; std::nullopt (with the cause in error) when the file cannot be read.
std::optional<bool> FileBeginsWithVersion1MagicLine(const std::string& path, FileError& error);

struct Version1Record {
    std::string location;  // field 0
    // Field 1 by its leading digits; saturates at kLeadingNumberTooLarge, so a number too
    // long for any table is simply outside it.
    std::int64_t index = 0;
    std::string visitDate;  // fields 2 to 5, copied unchanged
    std::string quarterDate;
    std::string pealDate;
    std::string comment;
};

// One record line; fields past the sixth are ignored, white space around each is removed.
Version1Record ReadVersion1Record(std::string_view line);

}  // namespace chimeset
