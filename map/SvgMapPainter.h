// Draws the map as an SVG document, so that a poster stays sharp at any print size.
#pragma once

#include <string>

#include "map/MapPainter.h"

namespace chimeset {

class SvgMapPainter : public MapPainter {
  public:
    SvgMapPainter(double width, double height);

    // The finished document.
    std::string Finish();

    void Clear(MapColour colour) override;
    void Polygon(const std::vector<ScreenPoint>& points, MapColour fill, MapColour outline,
                 double outlineWidth) override;
    void Polyline(const std::vector<ScreenPoint>& points, MapColour colour, double width) override;
    void Dots(const std::vector<ScreenPoint>& centres, const DotStyle& style) override;
    void Ring(ScreenPoint centre, double radius, MapColour colour, double width) override;
    void Rectangle(double x, double y, double width, double height, MapColour fill,
                   MapColour outline) override;
    void Text(double x, double y, const std::string& text, double size, bool bold, MapColour colour,
              bool halo) override;
    // Without fonts at hand, an average width per character of a sans-serif face.
    double TextWidth(const std::string& text, double size, bool bold) override;

  private:
    void Points(const std::vector<ScreenPoint>& points);

    double width_;
    double height_;
    std::string body_;
};

}  // namespace chimeset
