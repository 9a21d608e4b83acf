#include "map/MapTowers.h"

#include <algorithm>

#include "common/FileFormats.h"
#include "towerdata/TowerDatabase.h"
#include "visits/CChimesetDoc.h"

namespace chimeset {

std::vector<DotCategory> CategoriesOf(const CChimesetDoc& doc) {
    std::vector<DotCategory> categories(
        static_cast<std::size_t>(std::max(0, doc.Database().GetTowerCount())),
        DotCategory::NotVisited);
    for (std::int32_t entry = 0; entry < doc.EntryCount(); ++entry) {
        const std::int32_t tower = doc.TowerOfEntry(entry);
        if (tower < 0 || static_cast<std::size_t>(tower) >= categories.size()) continue;
        DotCategory category = DotCategory::NotVisited;
        if (doc.VisitDateOf(entry) != kNoDate) category = DotCategory::Visited;
        if (doc.QuarterDateOf(entry) != kNoDate) category = DotCategory::Quartered;
        if (doc.PealDateOf(entry) != kNoDate) category = DotCategory::Pealed;
        auto& slot = categories[static_cast<std::size_t>(tower)];
        slot = std::max(slot, category);
    }
    return categories;
}

std::vector<std::int32_t> ShownTowers(const CChimesetDoc& doc) {
    std::vector<std::int32_t> towers;
    const std::int32_t count = doc.GetListCount();
    towers.reserve(static_cast<std::size_t>(std::max(0, count)));
    for (std::int32_t position = 0; position < count; ++position)
        if (const std::int32_t tower = doc.ListItemTower(position); tower >= 0)
            towers.push_back(tower);
    return towers;
}

std::int32_t VisitedCount(const CChimesetDoc& doc) {
    std::vector<bool> seen(static_cast<std::size_t>(std::max(0, doc.Database().GetTowerCount())));
    std::int32_t count = 0;
    for (std::int32_t entry = 0; entry < doc.EntryCount(); ++entry) {
        const std::int32_t tower = doc.TowerOfEntry(entry);
        if (tower < 0 || static_cast<std::size_t>(tower) >= seen.size()) continue;
        if (doc.VisitDateOf(entry) == kNoDate || seen[static_cast<std::size_t>(tower)]) continue;
        seen[static_cast<std::size_t>(tower)] = true;
        ++count;
    }
    return count;
}

void MapTowers::Build(const TowerDatabase& database, const std::vector<DotCategory>& categories,
                      const GridBox& area, const std::vector<std::int32_t>* only) {
    towers_.clear();
    counts_ = {};
    const std::int32_t total = database.GetTowerCount();
    slotOfTower_.assign(static_cast<std::size_t>(std::max(0, total)), -1);
    const auto place = [&](std::int32_t tower) {
        if (tower < 0 || tower >= total || slotOfTower_[static_cast<std::size_t>(tower)] != -1)
            return;
        const TowerPosition position = PositionOfTower(database.GetTowerField(tower, kLat),
                                                       database.GetTowerField(tower, kLon),
                                                       database.GetTowerField(tower, kOS));
        switch (position.source) {
            case PositionSource::None:
                ++counts_.noPosition;
                return;
            case PositionSource::Impossible:
                ++counts_.impossible;
                return;
            case PositionSource::Faraway:
                ++counts_.outside;
                return;
            case PositionSource::LatLong:
            case PositionSource::GridReference:
                break;
        }
        if (!area.Contains(position.point.easting, position.point.northing)) {
            ++counts_.outside;
            return;
        }
        MapTower placed;
        placed.point = position.point;
        placed.tower = tower;
        if (static_cast<std::size_t>(tower) < categories.size())
            placed.look.category = categories[static_cast<std::size_t>(tower)];
        placed.look.additional = tower >= database.GetDatabaseCount();
        placed.look.unringable = database.IsUnringable(tower);
        slotOfTower_[static_cast<std::size_t>(tower)] = -2;  // taken: a list names a tower once
        towers_.push_back(placed);
    };
    if (only) {
        for (const std::int32_t tower : *only) place(tower);
    } else {
        for (std::int32_t tower = 0; tower < total; ++tower) place(tower);
    }
    // The unringable after the others of their category: each look in one run, and a hollow
    // dot is not hidden under a filled one of the same kind.
    std::stable_sort(towers_.begin(), towers_.end(), [](const MapTower& a, const MapTower& b) {
        return a.look.category != b.look.category ? a.look.category < b.look.category
                                                  : a.look.unringable < b.look.unringable;
    });
    std::vector<GridPoint> points;
    points.reserve(towers_.size());
    for (std::size_t i = 0; i < towers_.size(); ++i) {
        slotOfTower_[static_cast<std::size_t>(towers_[i].tower)] = static_cast<std::int32_t>(i);
        points.push_back(towers_[i].point);
    }
    counts_.placed = static_cast<std::int32_t>(towers_.size());
    index_.Build(points);
}

std::vector<std::string> DetailsTipLines(const TowerDetails& details) {
    std::vector<std::string> lines;
    std::string shortParts;
    std::string remarks;
    // The remarks are the last part when known; they get a line of their own.
    const std::vector<DetailPart> parts = DescribeDetails(details, kLongestTipText);
    const std::size_t remarksAt = details.remarks.empty() ? parts.size() : parts.size() - 1;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const DetailPart& part = parts[i];
        if (part.kind == DetailPart::kUnringable) {
            lines.push_back(part.text);
        } else if (i == remarksAt) {
            remarks = part.text;
        } else {
            shortParts += (shortParts.empty() ? "" : ", ") + part.text;
        }
    }
    if (!shortParts.empty()) lines.push_back(shortParts);
    if (!remarks.empty()) lines.push_back(remarks);
    // A line break inside a field would make a line of its own.
    for (std::string& line : lines)
        for (char& c : line)
            if (c == '\r' || c == '\n' || c == '\t') c = ' ';
    return lines;
}

std::int32_t MapTowers::Find(std::int32_t tower) const {
    if (tower < 0 || static_cast<std::size_t>(tower) >= slotOfTower_.size()) return -1;
    return std::max(-1, slotOfTower_[static_cast<std::size_t>(tower)]);
}

std::int32_t MapTowers::TowerAt(GridPoint point, double radius) const {
    const std::int32_t slot = index_.Find(point.easting, point.northing, radius);
    return slot < 0 ? -1 : towers_[static_cast<std::size_t>(slot)].tower;
}

}  // namespace chimeset

#include "common/CodePage.h"

namespace chimeset {

MapPosterText PosterTextOf(const CChimesetDoc& doc) {
    MapPosterText text;
    if (doc.IsLogOpen()) {
        text.title = Windows1252ToUtf8(doc.UserName());
        const std::int32_t visited = VisitedCount(doc);
        text.subtitle =
            std::to_string(visited) + (visited == 1 ? " tower" : " towers") + " visited";
    } else {
        text.title = "Church bell towers";
    }
    // Only a converted Dove's Guide extract names its source this way; the credit is then
    // owed under its licence.
    const std::string& description = doc.Database().Description();
    if (description.rfind("Tower data from Dove's Guide", 0) == 0)
        text.credit = Windows1252ToUtf8(description);
    return text;
}

}  // namespace chimeset
