// Draws the map through a QPainter: the window, the PNG and the PDF poster.
#pragma once

#include <QFont>
#include <QPainter>
#include <QPolygonF>

#include "map/MapPainter.h"

namespace chimeset {

class QtMapPainter : public MapPainter {
  public:
    explicit QtMapPainter(QPainter& painter);

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
    double TextWidth(const std::string& text, double size, bool bold) override;

    static QColor ToQColor(MapColour colour) {
        return QColor(colour.red, colour.green, colour.blue, colour.alpha);
    }

  private:
    const QPolygonF& ToPolygon(const std::vector<ScreenPoint>& points);
    QFont FontFor(double size, bool bold) const;

    QPainter& painter_;
    QPolygonF polygon_;
    QFont base_;
};

}  // namespace chimeset
