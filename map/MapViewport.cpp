#include "map/MapViewport.h"

#include <algorithm>

namespace chimeset {

void MapViewport::SetSize(double width, double height) {
    width_ = std::max(1.0, width);
    height_ = std::max(1.0, height);
}

void MapViewport::SetView(GridPoint centre, double scale) {
    centre_ = centre;
    scale_ = ClampScale(scale);
}

double MapViewport::ClampScale(double scale) const {
    return std::clamp(scale, minScale_, kMaxScale);
}

GridPoint MapViewport::ToGrid(ScreenPoint point) const {
    return {centre_.easting + (point.x - width_ / 2) / scale_,
            centre_.northing - (point.y - height_ / 2) / scale_};
}

GridBox MapViewport::Visible() const {
    const GridPoint topLeft = ToGrid({0, 0});
    const GridPoint bottomRight = ToGrid({width_, height_});
    return {topLeft.easting, bottomRight.northing, bottomRight.easting, topLeft.northing};
}

void MapViewport::Fit(const GridBox& box) {
    if (box.Width() <= 0 || box.Height() <= 0) return;
    const double scale = std::min(width_ / box.Width(), height_ / box.Height());
    minScale_ = std::min(scale / 4, kMaxScale);
    centre_ = {(box.west + box.east) / 2, (box.south + box.north) / 2};
    scale_ = ClampScale(scale);
}

void MapViewport::ZoomAt(ScreenPoint anchor, double factor) {
    if (!(factor > 0)) return;
    const GridPoint fixed = ToGrid(anchor);
    scale_ = ClampScale(scale_ * factor);
    centre_ = {fixed.easting - (anchor.x - width_ / 2) / scale_,
               fixed.northing + (anchor.y - height_ / 2) / scale_};
}

void MapViewport::Pan(double dx, double dy) {
    centre_.easting -= dx / scale_;
    centre_.northing += dy / scale_;
}

void MapViewport::Reveal(GridPoint point, double margin) {
    margin = std::min(margin, std::min(width_, height_) / 2);
    const ScreenPoint at = ToScreen(point.easting, point.northing);
    double dx = 0;
    double dy = 0;
    if (at.x < margin) dx = margin - at.x;
    if (at.x > width_ - margin) dx = width_ - margin - at.x;
    if (at.y < margin) dy = margin - at.y;
    if (at.y > height_ - margin) dy = height_ - margin - at.y;
    Pan(dx, dy);
}

}  // namespace chimeset
