// The statistics and the towers-near list as tables of text, and the files made from them:
// plain text for a terminal, tab-separated text for the clipboard, CSV and GPX. No Qt.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/FileError.h"
#include "grabs/GrabStatistics.h"
#include "grabs/TowersNear.h"

namespace chimeset {

class TowerDatabase;

struct TableCell {
    std::string text;   // Windows-1252
    double number = 0;  // the value a column sorts by, when numeric
    bool numeric = false;
};

struct Table {
    std::string name;   // a file name stem: "counties"
    std::string title;  // "By county"
    std::vector<std::string> columns;
    std::vector<std::vector<TableCell>> rows;
};

// Totals, by county, by bells, by tenor weight, by year: in that order.
std::vector<Table> StatisticsTables(const GrabStatistics& stats);

// The near list: distance and bearing, tower, county, bells, weight, first visit, whether the
// bells can be rung ("yes", "no", empty when not known), practice night, position.
Table NearTable(const TowerDatabase& database, const TowerVisits& visits, const TowerPlaces& places,
                const NearResult& near, DistanceUnit unit);

// "45.2%"; "" for a share of nothing.
std::string FormatShare(std::int32_t part, std::int32_t whole);
// A number with a fixed count of decimals and a point, whatever the locale.
std::string FixedText(double value, int decimals);

// Columns padded to their widest cell, numbers to the right; UTF-8, LF line ends.
std::string PlainTableText(const Table& table);
// Header line and one line per row, tab-separated, CR LF line ends, Windows-1252: the form
// the list's clipboard copy takes.
std::string TabSeparatedText(const Table& table);
// RFC 4180 CSV in UTF-8 with a byte order mark (so that spreadsheets read accents right),
// written atomically: the file is the old one or the whole new one.
bool WriteCsvFile(const std::string& path, const Table& table, FileError& error);
std::string CsvText(const Table& table);

// The longest remark a waypoint's description carries: sat-navs show a line or two.
inline constexpr std::size_t kLongestGpxRemarks = 300;

// GPX 1.1 waypoints of the towers, in the order given; towers without a position are left out
// (and counted in *skipped). The description holds bells, weight, county, the visit, and what
// the database knows of ringability, practice night, postcode and remarks. Written atomically.
std::string GpxText(const TowerDatabase& database, const TowerVisits& visits,
                    const TowerPlaces& places, const std::vector<std::int32_t>& towers,
                    std::int32_t* skipped = nullptr);
bool WriteGpxFile(const std::string& path, const std::string& gpx, FileError& error);

inline constexpr const char* kGpxVisitedSymbol = "Flag, Green";
inline constexpr const char* kGpxUnvisitedSymbol = "Flag, Red";

}  // namespace chimeset
