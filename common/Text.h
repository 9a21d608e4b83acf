// Field and number readers shared by every line-oriented file of the system.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// MinGW builds take the C library's printf in its standard form (%zu and the like), which the
// compiler checks as gnu_printf; a plain printf there would mean Microsoft's own.
#if defined(__MINGW32__)
#define CHIMESET_PRINTF_FORMAT gnu_printf
#else
#define CHIMESET_PRINTF_FORMAT printf
#endif

namespace chimeset {

// The white space that field readers remove: blank, tab, CR, LF, vertical tab, form feed.
inline constexpr std::string_view kWhiteSpace = " \t\r\n\v\f";

std::string_view Trim(std::string_view text);

// All-digit decimal text to a number; -1 for any other character, 0 for the empty text.
// A digit string too large for a signed 32-bit number is also -1.
std::int32_t ParseNumber(std::string_view text);

// Field n (from 0) of a backslash-separated line, exactly as it stands; empty past the end.
std::string_view GetRawField(std::string_view line, std::size_t n);

// Field n of a backslash-separated line with white space removed at both ends.
std::string GetField(std::string_view line, std::size_t n);

// Decimal digits at the start of the text, 0 when it does not start with one.
// Saturates at kLeadingNumberTooLarge instead of wrapping.
inline constexpr std::int64_t kLeadingNumberTooLarge = std::int64_t{1} << 32;
std::int64_t ReadLeadingNumber(std::string_view text);

// Number of backslashes before position pos: the column of a header name found there.
std::uint32_t ColumnAt(std::string_view line, std::size_t pos);

std::vector<std::string> SplitFields(std::string_view line, char separator = '\\');

// printf-style formatting into a std::string.
std::string Format(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(CHIMESET_PRINTF_FORMAT, 1, 2)))
#endif
    ;

// Upper-cases ASCII letters only (the grid letters and ID names are ASCII).
std::string ToUpperAscii(std::string_view text);

}  // namespace chimeset
