// Bringing Unicode text within Windows-1252, the code page of every data file: the
// Dove's Guide import folds whole downloads, and text that a user types is offered its
// nearest plain form before it is stored.
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

// The plain form of a character that Windows-1252 lacks ("w" for w-circumflex, "No" for
// the numero sign), or nullptr when it has none.
const char* PlainFormOf(char32_t c);

// True for the characters that may not stand in a single-line field: C0 and C1 controls
// (line breaks and tabs among them), delete and the Unicode line and paragraph separators.
bool IsControlCharacter(char32_t c);

struct CodePageFit {
    // Windows-1252: what the code page holds as typed, the rest in its plain form or left
    // out. Other spaces become blanks; invisible formatting characters are left out.
    std::string text;
    // The visible characters that the code page lacks, each once, in the order typed.
    std::u32string unheld;
};

// Text as a user typed it, ready to be offered for storing.
CodePageFit FitToWindows1252(std::u32string_view typed);

// The byte offset of the first malformed UTF-8 sequence, or npos when the text is valid.
std::size_t FindInvalidUtf8(std::string_view text);

}  // namespace chimeset
