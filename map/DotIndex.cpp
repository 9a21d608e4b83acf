#include "map/DotIndex.h"

#include <algorithm>
#include <cmath>

namespace chimeset {
namespace {
// Keeps the table of cells small whatever the spread of the points.
constexpr int kMaxCellsPerSide = 1024;
}  // namespace

void DotIndex::Build(const std::vector<GridPoint>& points, double cellMetres) {
    points_ = points;
    starts_.clear();
    order_.clear();
    columns_ = rows_ = 0;
    if (points_.empty()) return;
    double east = points_[0].easting;
    double north = points_[0].northing;
    west_ = east;
    south_ = north;
    for (const GridPoint& p : points_) {
        west_ = std::min(west_, p.easting);
        south_ = std::min(south_, p.northing);
        east = std::max(east, p.easting);
        north = std::max(north, p.northing);
    }
    const double span = std::max(east - west_, north - south_);
    cell_ = std::max(cellMetres, span / (kMaxCellsPerSide - 1));
    cell_ = std::max(cell_, 1.0);
    columns_ = static_cast<int>((east - west_) / cell_) + 1;
    rows_ = static_cast<int>((north - south_) / cell_) + 1;
    const std::size_t cells = static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows_);
    std::vector<std::uint32_t> counts(cells + 1, 0);
    std::vector<std::size_t> cellOf(points_.size());
    for (std::size_t i = 0; i < points_.size(); ++i) {
        cellOf[i] = static_cast<std::size_t>(CellY(points_[i].northing)) * columns_ +
                    static_cast<std::size_t>(CellX(points_[i].easting));
        ++counts[cellOf[i] + 1];
    }
    for (std::size_t c = 1; c <= cells; ++c) counts[c] += counts[c - 1];
    starts_ = counts;
    order_.resize(points_.size());
    for (std::size_t i = 0; i < points_.size(); ++i)
        order_[counts[cellOf[i]]++] = static_cast<std::int32_t>(i);
}

int DotIndex::CellX(double easting) const {
    return std::clamp(static_cast<int>(std::floor((easting - west_) / cell_)), 0, columns_ - 1);
}

int DotIndex::CellY(double northing) const {
    return std::clamp(static_cast<int>(std::floor((northing - south_) / cell_)), 0, rows_ - 1);
}

template <class Visit>
void DotIndex::ForEachInCells(const GridBox& box, Visit visit) const {
    if (points_.empty() || box.east < west_ || box.north < south_ ||
        box.west > west_ + columns_ * cell_ || box.south > south_ + rows_ * cell_)
        return;
    const int x0 = CellX(box.west);
    const int x1 = CellX(box.east);
    const int y0 = CellY(box.south);
    const int y1 = CellY(box.north);
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const std::size_t c = static_cast<std::size_t>(y) * columns_ + x;
            for (std::uint32_t k = starts_[c]; k < starts_[c + 1]; ++k) visit(order_[k]);
        }
    }
}

void DotIndex::Collect(const GridBox& box, std::vector<std::int32_t>& out) const {
    ForEachInCells(box, [&](std::int32_t i) {
        if (box.Contains(points_[i].easting, points_[i].northing)) out.push_back(i);
    });
}

std::int32_t DotIndex::Find(double easting, double northing, double radius) const {
    if (!(radius >= 0)) return -1;
    const GridBox box{easting - radius, northing - radius, easting + radius, northing + radius};
    std::int32_t best = -1;
    double bestDistance = radius * radius;
    ForEachInCells(box, [&](std::int32_t i) {
        const double dx = points_[i].easting - easting;
        const double dy = points_[i].northing - northing;
        const double d = dx * dx + dy * dy;
        // Ties go to the lower index, so that the answer never depends on the cells.
        if (d < bestDistance || (d == bestDistance && (best < 0 || i < best))) {
            bestDistance = d;
            best = i;
        }
    });
    return best;
}

}  // namespace chimeset
