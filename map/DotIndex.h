// Finds the tower dot under the pointer among thousands: a uniform grid of cells over the
// dots' grid positions, searched only around the pointer.
#pragma once

#include <cstdint>
#include <vector>

#include "map/MapData.h"

namespace chimeset {

class DotIndex {
  public:
    // The positions to search; an index into this vector is what Find returns.
    void Build(const std::vector<GridPoint>& points, double cellMetres = 2000);
    // The nearest point within radius metres of (easting, northing); -1 for none.
    std::int32_t Find(double easting, double northing, double radius) const;
    // Every point within the box, in no particular order.
    void Collect(const GridBox& box, std::vector<std::int32_t>& out) const;
    std::size_t Size() const { return points_.size(); }

  private:
    int CellX(double easting) const;
    int CellY(double northing) const;
    // Calls visit with the index of every position in the cells that the box touches.
    template <class Visit>
    void ForEachInCells(const GridBox& box, Visit visit) const;

    std::vector<GridPoint> points_;
    double cell_ = 2000;
    double west_ = 0;
    double south_ = 0;
    int columns_ = 0;
    int rows_ = 0;
    // The points of cell c are order_[starts_[c] .. starts_[c + 1]).
    std::vector<std::uint32_t> starts_;
    std::vector<std::int32_t> order_;
};

}  // namespace chimeset
