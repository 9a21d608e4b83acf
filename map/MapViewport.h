// What part of the grid a map view shows and how large: the arithmetic of zooming and
// panning, apart from any window.
#pragma once

#include "map/MapData.h"

namespace chimeset {

struct ScreenPoint {
    double x = 0;
    double y = 0;
};

class MapViewport {
  public:
    // Closest view: a metre and a half to the pixel shows a village street by street.
    static constexpr double kMaxScale = 1.0 / 1.5;

    void SetSize(double width, double height);
    double Width() const { return width_; }
    double Height() const { return height_; }
    // Pixels per metre of grid.
    double Scale() const { return scale_; }
    GridPoint Centre() const { return centre_; }
    void SetView(GridPoint centre, double scale);

    ScreenPoint ToScreen(double easting, double northing) const {
        return {width_ / 2 + (easting - centre_.easting) * scale_,
                height_ / 2 - (northing - centre_.northing) * scale_};
    }
    GridPoint ToGrid(ScreenPoint point) const;
    // The part of the grid in view.
    GridBox Visible() const;

    // Shows the whole box, as large as fits, in the middle; the furthest the view zooms out
    // is a quarter of that.
    void Fit(const GridBox& box);
    // Zooms by a factor, keeping the grid point under the given screen point where it is.
    void ZoomAt(ScreenPoint anchor, double factor);
    // Moves the picture by so many pixels.
    void Pan(double dx, double dy);
    // Brings a grid point into view, moving as little as possible (with a margin in pixels).
    void Reveal(GridPoint point, double margin);

  private:
    double ClampScale(double scale) const;

    double width_ = 1;
    double height_ = 1;
    double scale_ = 1.0 / 1000;
    double minScale_ = 1e-6;
    GridPoint centre_;
};

}  // namespace chimeset
