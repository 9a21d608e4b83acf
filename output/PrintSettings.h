// The print settings the view keeps, how they are kept in the profile, and the text of
// each printed column. No Qt: the rules are shared by the printout, the clipboard and the
// Set Printing dialog.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/SettingsStore.h"

namespace chimeset {

class ListRow;

inline constexpr int kPrintColumnCount = 11;
enum PrintColumn : int {
    kColumnLocation = 0,
    kColumnDedication,
    kColumnCounty,
    kColumnWeight,
    kColumnBells,
    kColumnOSRef,
    kColumnTowerId,
    kColumnVisitDate,
    kColumnQuartered,
    kColumnPealed,
    kColumnComment,
};

// Widths in thousandths of an inch; 0 leaves the column out.
using ColumnWidths = std::array<std::int32_t, kPrintColumnCount>;

inline constexpr const char* kPrintSection = "Settings";
inline constexpr const char* kDefaultColumns = "1500,1000,0,500,200,0,0,900,900,900,500";
inline constexpr std::int32_t kDefaultMargin = 500;
// A width or margin beyond this (100 inches) is not a setting anyone made: it is read as
// absent rather than let it overflow the space sums.
inline constexpr std::int32_t kLargestLength = 100000;

struct PageMargins {
    std::int32_t left = kDefaultMargin;
    std::int32_t top = kDefaultMargin;
    std::int32_t right = kDefaultMargin;
    std::int32_t bottom = kDefaultMargin;

    bool operator==(const PageMargins& other) const {
        return left == other.left && top == other.top && right == other.right &&
               bottom == other.bottom;
    }
};

struct PrintSettings {
    PageMargins margins;
    std::string fontFace = "Arial";
    std::int32_t fontSize = 80;  // tenths of a point
    bool multiline = false;
    ColumnWidths columns{};
    std::string pageHeader;

    PrintSettings();
};

// "Columns": pieces split at commas; each non-empty piece read as an integer, a leading
// 0x or 0 making it hexadecimal or octal; empty, missing or unreadable pieces are 0.
ColumnWidths ParseColumnWidths(std::string_view text);
std::string FormatColumnWidths(const ColumnWidths& widths);

// The settings as every initial update of the view sets them: margins, "Multi" and
// "Columns" from the profile, Arial 8 points. The page header is left as it is.
void LoadPrintSettings(const SettingsStore& store, PrintSettings& settings);
// What OK of Set Printing keeps. False when the store could not keep it.
bool StoreColumnsAndMulti(SettingsStore& store, const PrintSettings& settings);
// What Page Setup keeps, at once, in the order MarginT, MarginB, MarginL, MarginR. False
// when the store could not keep them all.
bool StoreMargins(SettingsStore& store, const PageMargins& margins);

// Page Setup margins are kept in whole tenths of an inch: 537 becomes 500.
std::int32_t RoundDownMargin(std::int32_t thousandths);

// A length as the Set Printing dialog shows it: truncated to tenths of an inch, with the
// inch mark ("1.5\"", "-0.2\"").
std::string FormatInches(std::int32_t thousandths);

// The printed title of a column.
std::string PrintColumnTitle(int column);

// The text of a column for a row of the list, in print form.
std::string PrintCellText(const ListRow& row, int column);

}  // namespace chimeset
