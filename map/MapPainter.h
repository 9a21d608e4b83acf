// What the map is drawn with: the window and raster or PDF posters draw through QPainter,
// the SVG poster through SvgMapPainter. Coordinates are pixels of the picture, y downwards.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "map/MapViewport.h"

namespace chimeset {

struct MapColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t alpha = 255;
    friend bool operator==(MapColour a, MapColour b) {
        return a.red == b.red && a.green == b.green && a.blue == b.blue && a.alpha == b.alpha;
    }
};

enum class DotShape { Circle, Square };

struct DotStyle {
    MapColour fill;
    MapColour outline;
    double radius = 2;
    DotShape shape = DotShape::Circle;
    double outlineWidth = 0.8;  // pixels
};

class MapPainter {
  public:
    virtual ~MapPainter() = default;
    virtual void Clear(MapColour colour) = 0;
    // A closed area; an outline width of 0 draws none.
    virtual void Polygon(const std::vector<ScreenPoint>& points, MapColour fill, MapColour outline,
                         double outlineWidth) = 0;
    virtual void Polyline(const std::vector<ScreenPoint>& points, MapColour colour,
                          double width) = 0;
    // Many dots of one style at once: the bulk of the picture.
    virtual void Dots(const std::vector<ScreenPoint>& centres, const DotStyle& style) = 0;
    virtual void Ring(ScreenPoint centre, double radius, MapColour colour, double width) = 0;
    virtual void Rectangle(double x, double y, double width, double height, MapColour fill,
                           MapColour outline) = 0;
    // Text in UTF-8 with its baseline starting at (x, y); size is the font's pixel size. A
    // halo keeps it readable over coastlines and dots.
    virtual void Text(double x, double y, const std::string& text, double size, bool bold,
                      MapColour colour, bool halo) = 0;
    virtual double TextWidth(const std::string& text, double size, bool bold) = 0;
};

}  // namespace chimeset
