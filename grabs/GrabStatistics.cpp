#include "grabs/GrabStatistics.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <iterator>
#include <map>
#include <set>
#include <unordered_map>
#include <utility>

#include "common/FileFormats.h"
#include "common/Text.h"
#include "grabs/TowerVisits.h"
#include "towerdata/NameOrder.h"
#include "visits/CChimesetDoc.h"

namespace chimeset {
namespace {

// Tenor weight bands by their upper limit in pounds (a hundredweight is 112 pounds).
struct WeightBand {
    std::int32_t below;
    const char* label;
};
constexpr WeightBand kWeightBands[] = {
    {5 * 112, "under 5 cwt"}, {10 * 112, "5-10 cwt"},  {15 * 112, "10-15 cwt"},
    {20 * 112, "15-20 cwt"},  {30 * 112, "20-30 cwt"}, {INT32_MAX, "30 cwt and over"},
};
constexpr const char* kUnknown = "unknown";

// Bells rows in table order: the label's sort position.
int BellsRank(const std::string& label) {
    if (label == "1-2") return 0;
    if (label == "12+") return 12;
    if (label == kUnknown) return 13;
    return std::atoi(label.c_str());
}

int WeightRank(const std::string& label) {
    for (std::size_t i = 0; i < std::size(kWeightBands); ++i)
        if (label == kWeightBands[i].label) return static_cast<int>(i);
    return static_cast<int>(std::size(kWeightBands));
}

}  // namespace

double GrabTotals::Share() const {
    return databaseTowers > 0 ? double(visitedDatabase) / databaseTowers : 0;
}

std::string BellsLabel(std::int32_t bells) {
    if (bells <= 0) return kUnknown;
    if (bells <= 2) return "1-2";
    if (bells >= 12) return "12+";
    return std::to_string(bells);
}

std::string WeightBandLabel(const std::string& weightField) {
    const std::int32_t pounds = ParseNumber(weightField);
    if (pounds <= 0) return kUnknown;
    for (const WeightBand& band : kWeightBands)
        if (pounds < band.below) return band.label;
    return kWeightBands[std::size(kWeightBands) - 1].label;
}

GrabStatistics ComputeGrabStatistics(const CChimesetDoc& doc, const TowerVisits& visits,
                                     bool ringableOnly) {
    GrabStatistics stats;
    stats.ringableOnly = ringableOnly;
    const TowerDatabase& database = doc.Database();
    const std::int32_t databaseCount = database.GetDatabaseCount();
    const std::int32_t towerCount = database.GetTowerCount();

    // Counties keyed by their folded name, so that "Devon" and "DEVON" are one county.
    std::map<std::string, ShareRow> counties;
    // A county's spelling as the records give it, to its row: most towers need no folding.
    std::unordered_map<std::string, ShareRow*> countyBySpelling;
    std::map<std::string, ShareRow> bells;
    std::map<std::string, ShareRow> weights;
    // The common bell counts always have a row, so that a ringer sees the rings still to do.
    const std::set<std::string> alwaysShown{"3", "4", "5", "6", "8", "10", "12+"};
    for (const std::string& label : alwaysShown) bells[label].label = label;

    GrabTotals& totals = stats.totals;
    totals.databaseTowers = databaseCount;
    std::map<int, YearRow> years;
    for (std::int32_t tower = 0; tower < towerCount; ++tower) {
        const bool additional = tower >= databaseCount;
        const TowerRecords& records = visits.Of(tower);
        const bool visited = records.Visited();
        // An additional tower exists only through the log: it counts when visited.
        if (additional && !visited) continue;
        if (ringableOnly && !additional && !visited && database.IsUnringable(tower)) {
            ++totals.unringableLeftOut;
            continue;
        }

        std::string county = database.GetTowerField(tower, kCnty);
        if (county.empty()) county = additional ? kAdditionalTowersCounty : kNoCounty;
        ShareRow*& known = countyBySpelling[county];
        if (!known) {
            known = &counties[FoldCase(county)];
            if (known->label.empty()) known->label = county;
        }
        ShareRow& countyRow = *known;
        ShareRow& bellsRow = bells[BellsLabel(ParseNumber(database.GetTowerField(tower, kBells)))];
        ShareRow& weightRow = weights[WeightBandLabel(database.GetTowerField(tower, kWt))];
        for (ShareRow* row : {&countyRow, &bellsRow, &weightRow}) {
            ++row->towers;
            if (visited) ++row->visited;
        }
        if (!visited) continue;
        ++totals.visited;
        if (additional)
            ++totals.additionalTowers;
        else
            ++totals.visitedDatabase;
        if (records.quarter > 0) ++totals.quartered;
        if (records.peal > 0) ++totals.pealed;
        if (records.visit == kUnknownDate) ++totals.unknownDate;
        if (IsYearOnly(records.visit)) ++totals.yearOnly;
        const int year = visits.FirstVisitYear(tower);
        years[year].year = year;
        ++years[year].firstVisits;
    }

    totals.databaseTowers -= totals.unringableLeftOut;

    // Quarter peals and peals: a tower counts once in each year it has one.
    const auto countByYear = [&years](const std::vector<TowerVisits::Dated>& dates,
                                      std::int32_t YearRow::*field) {
        std::set<std::pair<int, std::int32_t>> seen;
        for (const auto& dated : dates) {
            const int year = YearOf(dated.date);
            if (!seen.insert({year, dated.tower}).second) continue;
            years[year].year = year;
            ++(years[year].*field);
        }
    };
    countByYear(visits.QuarterDates(), &YearRow::quarterPeals);
    countByYear(visits.PealDates(), &YearRow::peals);
    std::int32_t running = 0;
    for (auto& [year, row] : years) {
        running += row.firstVisits;
        row.runningTotal = running;
        stats.years.push_back(row);
    }

    for (auto& [key, row] : counties) stats.counties.push_back(std::move(row));
    SortShareRows(stats.counties, ShareOrder::Name, false);
    for (auto& [key, row] : bells) {
        row.label = key;
        // The odd counts and "1-2" only when the database has such rings.
        if (row.towers > 0 || alwaysShown.count(key) != 0) stats.bells.push_back(row);
    }
    std::stable_sort(stats.bells.begin(), stats.bells.end(),
                     [](const ShareRow& a, const ShareRow& b) {
                         return BellsRank(a.label) < BellsRank(b.label);
                     });
    for (auto& [key, row] : weights) {
        row.label = key;
        stats.weights.push_back(row);
    }
    std::stable_sort(stats.weights.begin(), stats.weights.end(),
                     [](const ShareRow& a, const ShareRow& b) {
                         return WeightRank(a.label) < WeightRank(b.label);
                     });
    return stats;
}

void SortShareRows(std::vector<ShareRow>& rows, ShareOrder order, bool descending) {
    std::stable_sort(rows.begin(), rows.end(), [](const ShareRow& a, const ShareRow& b) {
        return CompareNoCase(a.label, b.label) < 0;
    });
    if (order == ShareOrder::Name) {
        if (descending) std::reverse(rows.begin(), rows.end());
        return;
    }
    const auto key = [order](const ShareRow& row) {
        switch (order) {
            case ShareOrder::Towers:
                return double(row.towers);
            case ShareOrder::Visited:
                return double(row.visited);
            default:
                return row.Share();
        }
    };
    std::stable_sort(rows.begin(), rows.end(), [&](const ShareRow& a, const ShareRow& b) {
        return descending ? key(a) > key(b) : key(a) < key(b);
    });
}

}  // namespace chimeset
