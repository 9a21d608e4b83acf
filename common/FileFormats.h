// The layouts of the files that the programs share: the tower database (DoveData.CB0), the
// user's visit log, and the first line that marks a log of the older Version 1 program. Every
// reader and writer takes the header names and field numbers from here.
#pragma once

#include <cstddef>
#include <string_view>

namespace chimeset {

// The header line of a visit log: a tower record's nine field names, then the visit's four.
inline constexpr std::string_view kVersion2Header =
    "Locn\\Dedn\\Cnty\\OS\\Lat\\Lon\\Bells\\Wt\\IndexNo\\VDate\\QDate\\PDate\\Comment";
// The header line of a tower database: the tower's part of the log header.
inline constexpr std::string_view kTowerFieldNames =
    kVersion2Header.substr(0, kVersion2Header.find("\\VDate"));
// What the log header adds to the tower's names, from its separating backslash on.
inline constexpr std::string_view kVisitFieldNames =
    kVersion2Header.substr(kTowerFieldNames.size());

// Field numbers of a tower record, in canonical order.
enum TowerField : int {
    kLocn = 0,
    kDedn,
    kCnty,
    kOS,
    kLat,
    kLon,
    kBells,
    kWt,
    kIndexNo,
    kTowerFieldCount
};

// Field numbers of a log record: the tower's fields, then the visit's.
enum LogField : int { kVDate = kTowerFieldCount, kQDate, kPDate, kComment, kLogFieldCount };

// The first line of a log of the Version 1 program.
inline constexpr std::string_view kVersion1MagicLine = "[CLANGBOOKIST KRW-1]";

namespace fileformat_detail {
constexpr std::size_t CountNames(std::string_view header) {
    std::size_t count = 1;
    for (const char c : header) count += c == '\\' ? 1 : 0;
    return count;
}
}  // namespace fileformat_detail

// The field numbers and the header names must describe the same record.
static_assert(fileformat_detail::CountNames(kTowerFieldNames) == kTowerFieldCount);
static_assert(fileformat_detail::CountNames(kVersion2Header) == kLogFieldCount);

}  // namespace chimeset
