// The numbers a ringer keeps a log for: towers visited in all, by county, by number of
// bells, by tenor weight and by year. No Qt.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace chimeset {

class CChimesetDoc;
class TowerVisits;

inline constexpr const char* kAdditionalTowersCounty = "Additional towers";
inline constexpr const char* kNoCounty = "(no county)";

struct GrabTotals {
    std::int32_t databaseTowers = 0;     // towers of the database file
    std::int32_t visitedDatabase = 0;    // of those, visited
    std::int32_t additionalTowers = 0;   // the log's own towers (all of them visited)
    std::int32_t visited = 0;            // towers visited, additional towers included
    std::int32_t quartered = 0;          // towers with a quarter peal
    std::int32_t pealed = 0;             // towers with a peal
    std::int32_t unknownDate = 0;        // visited towers whose visit has no date at all
    std::int32_t yearOnly = 0;           // visited towers whose earliest visit is a year only
    std::int32_t unringableLeftOut = 0;  // unvisited unringable towers, when those are left out
    double Share() const;                // visited database towers / database towers, 0..1
};

// A row of the county, bells and weight tables.
struct ShareRow {
    std::string label;  // Windows-1252
    std::int32_t towers = 0;
    std::int32_t visited = 0;
    double Share() const { return towers > 0 ? double(visited) / towers : 0; }
    bool Complete() const { return towers > 0 && visited == towers; }
};

struct YearRow {
    int year = 0;                   // 0: the visits without a year
    std::int32_t firstVisits = 0;   // towers first visited that year
    std::int32_t quarterPeals = 0;  // towers with a quarter peal that year
    std::int32_t peals = 0;
    std::int32_t runningTotal = 0;  // towers visited up to the end of that year
};

struct GrabStatistics {
    bool ringableOnly = false;  // worked out over the ringable towers only
    GrabTotals totals;
    std::vector<ShareRow> counties;  // by name
    std::vector<ShareRow> bells;     // "1-2" (only when there are such rings), 3 .. "12+"
    std::vector<ShareRow> weights;   // tenor weight bands, lightest first
    std::vector<YearRow> years;      // the undated first, then by year
};

// ringableOnly counts what is still to ring: a database tower known to be unringable is left
// out of every table unless it was visited (then it was rung, and stays). A database without
// the ringable column leaves nothing out.
GrabStatistics ComputeGrabStatistics(const CChimesetDoc& doc, const TowerVisits& visits,
                                     bool ringableOnly = false);

enum class ShareOrder { Name, Towers, Visited, Share };
// Sorts rows; ties keep name order. Descending puts the largest first (for Name: Z to A).
void SortShareRows(std::vector<ShareRow>& rows, ShareOrder order, bool descending);

// The bells table's label of a number of bells ("1-2", "6", "12+", "unknown" for none).
std::string BellsLabel(std::int32_t bells);
// The weight band of a tenor weight field in pounds.
std::string WeightBandLabel(const std::string& weightField);

}  // namespace chimeset
