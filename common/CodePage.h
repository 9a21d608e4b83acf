// Windows-1252, the code page of every data file, to and from UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace chimeset {

// The Unicode code point of a Windows-1252 byte (the five unused bytes map to themselves).
char32_t Windows1252ToCodePoint(unsigned char byte);

// The Windows-1252 byte of a code point, or 0 when the code page cannot hold it.
unsigned char CodePointToWindows1252(char32_t codePoint);

// Appends the UTF-8 form of a code point.
void AppendUtf8(std::string& out, char32_t codePoint);

std::string Windows1252ToUtf8(std::string_view text);

// Characters that Windows-1252 cannot hold become replacement (a malformed UTF-8
// sequence too). Counts them in *replaced when given.
std::string Utf8ToWindows1252(std::string_view text, char replacement = '?',
                              std::size_t* replaced = nullptr);

}  // namespace chimeset
