#include "grabs/TowerVisits.h"

#include "visits/CChimesetDoc.h"

namespace chimeset {
namespace {

// Earlier of two set dates (unsigned order: unknown first, a year before its full dates).
PackedDate Earlier(PackedDate current, PackedDate candidate) {
    if (candidate <= 0) return current;
    if (current <= 0) return candidate;
    return static_cast<std::uint32_t>(candidate) < static_cast<std::uint32_t>(current) ? candidate
                                                                                       : current;
}

}  // namespace

int YearOf(PackedDate date) {
    return date > 0 ? SplitPackedDate(date).year : 0;
}

TowerVisits::TowerVisits(const CChimesetDoc& doc) {
    const std::int32_t count = doc.Database().GetTowerCount();
    towers_.resize(static_cast<std::size_t>(count));
    firstYears_.resize(static_cast<std::size_t>(count));
    for (std::int32_t entry = 0; entry < doc.EntryCount(); ++entry) {
        const PackedDate visit = doc.VisitDateOf(entry);
        const std::int32_t tower = doc.TowerOfEntry(entry);
        if (visit <= 0 || tower < 0 || tower >= count) continue;
        TowerRecords& records = towers_[static_cast<std::size_t>(tower)];
        records.visit = Earlier(records.visit, visit);
        const PackedDate quarter = doc.QuarterDateOf(entry);
        const PackedDate peal = doc.PealDateOf(entry);
        records.quarter = Earlier(records.quarter, quarter);
        records.peal = Earlier(records.peal, peal);
        if (quarter > 0) quarterDates_.push_back({tower, quarter});
        if (peal > 0) pealDates_.push_back({tower, peal});
        int& year = firstYears_[static_cast<std::size_t>(tower)];
        const int visitYear = YearOf(visit);
        if (visitYear > 0 && (year == 0 || visitYear < year)) year = visitYear;
    }
}

const TowerRecords& TowerVisits::Of(std::int32_t tower) const {
    static const TowerRecords kNone;
    if (tower < 0 || tower >= TowerCount()) return kNone;
    return towers_[static_cast<std::size_t>(tower)];
}

int TowerVisits::FirstVisitYear(std::int32_t tower) const {
    if (tower < 0 || tower >= TowerCount()) return 0;
    return firstYears_[static_cast<std::size_t>(tower)];
}

}  // namespace chimeset
