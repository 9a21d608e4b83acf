// UTF-8 text from a Dove's Guide download to the Windows-1252 bytes of a database field.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace chimeset {

struct FoldingCounts {
    std::size_t simplified = 0;  // letters brought down to a plain form (w-circumflex to w)
    std::size_t unknown = 0;     // characters with no plain form, written as "?"
};

// Converts valid UTF-8 to Windows-1252. A character the code page lacks becomes its
// nearest plain form, or "?"; a letter followed by a combining accent becomes the
// accented letter when the code page has it. Line breaks and tabs become blanks, other
// control and invisible formatting characters are dropped, and a backslash becomes "/"
// so that the text can stand as a field of a backslash-separated line.
std::string FoldToWindows1252(std::string_view utf8, FoldingCounts* counts = nullptr);

// The byte offset of the first malformed UTF-8 sequence, or npos when the text is valid.
std::size_t FindInvalidUtf8(std::string_view text);

}  // namespace chimeset
