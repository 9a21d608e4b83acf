// Draws the map through a QPainter: the window, the PNG and the PDF poster.
#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPolygonF>
#include <vector>

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
    // A dot drawn once, for stamping thousands of times on a raster device.
    const QImage& Stamp(const DotStyle& style);
    void DrawDot(const DotStyle& style, QPointF centre);

    QPainter& painter_;
    QPolygonF polygon_;
    QFont base_;
    bool raster_ = false;
    qreal ratio_ = 1;
    struct CachedStamp {
        DotStyle style;
        QImage image;
    };
    std::vector<CachedStamp> stamps_;
};

}  // namespace chimeset
