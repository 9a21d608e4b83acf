// A date in one 32-bit number: sequence + day x 32 + month x 1024 + year x 16384.
#pragma once

#include <cstdint>
#include <string>

namespace chimeset {

using PackedDate = std::int32_t;

inline constexpr PackedDate kNoDate = 0;
inline constexpr PackedDate kUnknownDate = 1;

struct DateParts {
    int year = 0;
    int month = 0;
    int day = 0;
    int sequence = 0;
};

struct LocalDate {
    int year = 0;
    int month = 0;
    int day = 0;
};

inline constexpr PackedDate MakePackedDate(int day, int month, int year, int sequence = 0) {
    return sequence + day * 32 + month * 1024 + year * 16384;
}
inline constexpr PackedDate MakeYearOnlyDate(int year) {
    return year * 16384 + 1;
}

DateParts SplitPackedDate(PackedDate date);
bool IsDateSet(PackedDate date);  // greater than 0, signed
bool IsYearOnly(PackedDate date);
bool IsFullDate(PackedDate date);

// The one display form of a date: "", "- Yes -", "2010", "07/03/2010" or "07/03/2010 #2".
std::string FormatPackedDate(PackedDate date);

}  // namespace chimeset
