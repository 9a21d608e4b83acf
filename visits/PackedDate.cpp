#include "visits/PackedDate.h"

#include "common/Text.h"

namespace chimeset {

DateParts SplitPackedDate(PackedDate date) {
    const auto value = static_cast<std::uint32_t>(date);
    DateParts parts;
    parts.year = static_cast<int>((value >> 14) & 4095);
    parts.month = static_cast<int>((value >> 10) & 15);
    parts.day = static_cast<int>((value >> 5) & 31);
    parts.sequence = static_cast<int>(value & 31);
    return parts;
}

bool IsDateSet(PackedDate date) {
    return date > 0;
}

bool IsYearOnly(PackedDate date) {
    const DateParts parts = SplitPackedDate(date);
    return date > 0 && parts.year >= 1 && parts.month == 0;
}

bool IsFullDate(PackedDate date) {
    const DateParts parts = SplitPackedDate(date);
    return date > 0 && parts.year >= 1 && parts.month != 0;
}

std::string FormatPackedDate(PackedDate date) {
    if (date <= 0) return {};
    const DateParts p = SplitPackedDate(date);
    if (p.year < 1) return "- Yes -";
    if (p.month == 0) return Format("%i", p.year);
    if (p.sequence != 0) return Format("%02i/%02i/%04i #%i", p.day, p.month, p.year, p.sequence);
    return Format("%02i/%02i/%04i", p.day, p.month, p.year);
}

}  // namespace chimeset
