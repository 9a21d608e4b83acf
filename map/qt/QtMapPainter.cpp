#include "map/qt/QtMapPainter.h"

#include <QFontMetricsF>
#include <QPainterPath>

namespace chimeset {

QtMapPainter::QtMapPainter(QPainter& painter) : painter_(painter), base_(painter.font()) {
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
}

const QPolygonF& QtMapPainter::ToPolygon(const std::vector<ScreenPoint>& points) {
    polygon_.resize(static_cast<qsizetype>(points.size()));
    for (std::size_t i = 0; i < points.size(); ++i)
        polygon_[static_cast<qsizetype>(i)] = QPointF(points[i].x, points[i].y);
    return polygon_;
}

QFont QtMapPainter::FontFor(double size, bool bold) const {
    QFont font = base_;
    font.setPixelSize(qMax(1, qRound(size)));
    font.setBold(bold);
    return font;
}

void QtMapPainter::Clear(MapColour colour) {
    const QRect area = painter_.viewport();
    painter_.save();
    painter_.resetTransform();
    painter_.fillRect(area, ToQColor(colour));
    painter_.restore();
}

void QtMapPainter::Polygon(const std::vector<ScreenPoint>& points, MapColour fill,
                           MapColour outline, double outlineWidth) {
    if (outlineWidth > 0)
        painter_.setPen(
            QPen(ToQColor(outline), outlineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    else
        painter_.setPen(Qt::NoPen);
    painter_.setBrush(ToQColor(fill));
    painter_.drawPolygon(ToPolygon(points));
}

void QtMapPainter::Polyline(const std::vector<ScreenPoint>& points, MapColour colour,
                            double width) {
    painter_.setPen(QPen(ToQColor(colour), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter_.setBrush(Qt::NoBrush);
    painter_.drawPolyline(ToPolygon(points));
}

void QtMapPainter::Dots(const std::vector<ScreenPoint>& centres, const DotStyle& style) {
    if (style.outline.alpha == 0)
        painter_.setPen(Qt::NoPen);
    else
        painter_.setPen(QPen(ToQColor(style.outline), 0.8));
    painter_.setBrush(ToQColor(style.fill));
    const double r = style.radius;
    if (style.shape == DotShape::Square) {
        for (const ScreenPoint& c : centres)
            painter_.drawRect(QRectF(c.x - r, c.y - r, 2 * r, 2 * r));
    } else {
        for (const ScreenPoint& c : centres) painter_.drawEllipse(QPointF(c.x, c.y), r, r);
    }
}

void QtMapPainter::Ring(ScreenPoint centre, double radius, MapColour colour, double width) {
    painter_.setPen(QPen(ToQColor(colour), width));
    painter_.setBrush(Qt::NoBrush);
    painter_.drawEllipse(QPointF(centre.x, centre.y), radius, radius);
}

void QtMapPainter::Rectangle(double x, double y, double width, double height, MapColour fill,
                             MapColour outline) {
    painter_.setPen(QPen(ToQColor(outline), 1));
    painter_.setBrush(ToQColor(fill));
    painter_.drawRect(QRectF(x, y, width, height));
}

void QtMapPainter::Text(double x, double y, const std::string& text, double size, bool bold,
                        MapColour colour, bool halo) {
    const QString string = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const QFont font = FontFor(size, bold);
    if (halo) {
        QPainterPath path;
        path.addText(QPointF(x, y), font, string);
        painter_.setPen(QPen(QColor(255, 255, 255, 210), qMax(2.0, size / 4), Qt::SolidLine,
                             Qt::RoundCap, Qt::RoundJoin));
        painter_.setBrush(Qt::NoBrush);
        painter_.drawPath(path);
    }
    painter_.setFont(font);
    painter_.setPen(ToQColor(colour));
    painter_.drawText(QPointF(x, y), string);
}

double QtMapPainter::TextWidth(const std::string& text, double size, bool bold) {
    const QFontMetricsF metrics(FontFor(size, bold), painter_.device());
    return metrics.horizontalAdvance(
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

}  // namespace chimeset
