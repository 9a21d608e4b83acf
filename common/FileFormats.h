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

// What a ringer checks before going to a tower, in further columns after the nine. A
// database may lack any of them, and a tower may leave any empty: then nothing is known.
// The names are whole header fields, none holding one of the nine names, so that a reader
// that searches the header for the nine is never misled by them.
inline constexpr std::string_view kTowerDetailNames =
    "Ringable\\Practice\\GroundFloor\\Toilet\\Simulator\\TenorNote\\Postcode\\WebPage\\"
    "Remarks";

// Detail numbers, in the order of kTowerDetailNames.
enum TowerDetailField : int {
    kRingable = 0,  // "Y" the bells can be rung, "N" unringable
    kPractice,      // practice night as the guide gives it: "Tue", "Thu (1st, 3rd) 19:30"
    kGroundFloor,   // "Y" rung from the ground floor, "N" up steps
    kToilet,        // "Y" / "N"
    kSimulator,     // "Y" / "N": a simulator for learners
    kTenorNote,     // the tenor's note in the code page: "F#", "Eb"
    kPostcode,      // as the guide gives it, for a sat-nav
    kWebPage,       // the ringers' web page, as given
    kRemarks,       // free text: "Anticlockwise.", "Ringing currently not permitted."
    kTowerDetailCount
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
static_assert(fileformat_detail::CountNames(kTowerDetailNames) == kTowerDetailCount);

}  // namespace chimeset
