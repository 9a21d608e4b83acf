// What the open log says of each tower, gathered once by tower identity: a tower with
// several entries counts once, with its earliest dates. No Qt.
#pragma once

#include <cstdint>
#include <vector>

#include "visits/PackedDate.h"

namespace chimeset {

class CChimesetDoc;

struct TowerRecords {
    PackedDate visit = kNoDate;    // the earliest visit; unknown and year-only dates included
    PackedDate quarter = kNoDate;  // the earliest quarter peal
    PackedDate peal = kNoDate;     // the earliest peal
    bool Visited() const { return visit > 0; }
};

// The year of a date, 0 when the date has none (unknown, or not set).
int YearOf(PackedDate date);

class TowerVisits {
  public:
    // Entries whose visit date is not set (0, or the blank read as -1) do not exist for
    // counting, whatever their other dates.
    explicit TowerVisits(const CChimesetDoc& doc);

    std::int32_t TowerCount() const { return static_cast<std::int32_t>(towers_.size()); }
    // The records of a tower index; nothing for a tower the log does not mention.
    const TowerRecords& Of(std::int32_t tower) const;

    // (tower, date) of every set quarter-peal and peal date, one per entry, for counting by
    // year; a tower's dates in the same year count once.
    struct Dated {
        std::int32_t tower;
        PackedDate date;
    };
    const std::vector<Dated>& QuarterDates() const { return quarterDates_; }
    const std::vector<Dated>& PealDates() const { return pealDates_; }
    // The earliest year of each visited tower's visits; 0 when none is dated.
    int FirstVisitYear(std::int32_t tower) const;

  private:
    std::vector<TowerRecords> towers_;
    std::vector<int> firstYears_;
    std::vector<Dated> quarterDates_;
    std::vector<Dated> pealDates_;
};

}  // namespace chimeset
