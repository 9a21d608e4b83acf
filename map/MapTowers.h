// The towers as the map shows them: each placed tower's grid position and how its dot looks,
// with a count of those that cannot be placed, and the index that finds the dot under the
// pointer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "map/DotIndex.h"
#include "map/DotStyle.h"
#include "map/GridProjection.h"
#include "towerdata/TowerDetails.h"

namespace chimeset {

class CChimesetDoc;
class TowerDatabase;

struct MapTower {
    GridPoint point;
    std::int32_t tower = -1;
    DotLook look;
};

struct MapTowerCounts {
    std::int32_t placed = 0;
    std::int32_t noPosition = 0;  // neither latitude and longitude nor a grid reference
    std::int32_t impossible = 0;  // a position that cannot be right (latitude 0, 95, text)
    std::int32_t outside = 0;     // a good position beyond the map (abroad)
    std::int32_t NotDrawn() const { return noPosition + impossible + outside; }
};

// What the user did at each tower (by tower index) in the document's log: the best of
// visit, quarter peal and peal.
std::vector<DotCategory> CategoriesOf(const CChimesetDoc& doc);
// The towers of the document's shown list (its current filter), by tower index.
std::vector<std::int32_t> ShownTowers(const CChimesetDoc& doc);
// How many towers the log records a visit to.
std::int32_t VisitedCount(const CChimesetDoc& doc);

// The longest practice night, postcode or remark a hover shows.
inline constexpr std::size_t kLongestTipText = 80;

// The details a hover shows under a tower's name, as lines of Windows-1252 text: "Unringable"
// on its own, then the short details joined by commas, then the remarks; long texts cut.
// None when nothing is known.
std::vector<std::string> DetailsTipLines(const TowerDetails& details);

class MapTowers {
  public:
    // Places the towers (all of the database with its additional towers, or only those
    // listed) that fall inside the map's area; categories are by tower index, and a tower
    // beyond their end is not visited.
    void Build(const TowerDatabase& database, const std::vector<DotCategory>& categories,
               const GridBox& area, const std::vector<std::int32_t>* only = nullptr);

    // In drawing order: not visited first, pealed last.
    const std::vector<MapTower>& Towers() const { return towers_; }
    const MapTowerCounts& Counts() const { return counts_; }
    // The position of a tower in Towers(); -1 when it is not on the map.
    std::int32_t Find(std::int32_t tower) const;
    // The tower whose dot is nearest to a grid point within radius metres; -1 for none.
    std::int32_t TowerAt(GridPoint point, double radius) const;
    const DotIndex& Index() const { return index_; }

  private:
    std::vector<MapTower> towers_;
    std::vector<std::int32_t> slotOfTower_;
    MapTowerCounts counts_;
    DotIndex index_;
};

}  // namespace chimeset

namespace chimeset {

// The poster's words: a title (the user's name, or the map's when no log is open), a line
// of what they rang, and the Dove's Guide credit when the towers are Dove's Guide's.
struct MapPosterText {
    std::string title;
    std::string subtitle;
    std::string credit;
};
// In UTF-8.
MapPosterText PosterTextOf(const CChimesetDoc& doc);

}  // namespace chimeset
