#include "map/qt/QtMapPainter.h"

#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainterPath>
#include <QtMath>
#include <algorithm>
#include <cmath>

namespace chimeset {
namespace {

bool SameStyle(const DotStyle& a, const DotStyle& b) {
    return a.fill == b.fill && a.outline == b.outline && a.radius == b.radius &&
           a.shape == b.shape && a.outlineWidth == b.outlineWidth;
}

}  // namespace

QtMapPainter::QtMapPainter(QPainter& painter) : painter_(painter), base_(painter.font()) {
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    // On screen and in a PNG the dots are stamped from a picture drawn at the device's own
    // resolution, which is as sharp as drawing each and many times faster; a PDF keeps
    // every dot a vector. Only a plain translation lets a stamp land exactly.
    const QPaintEngine* engine = painter.paintEngine();
    const QTransform transform = painter.deviceTransform();
    raster_ = engine && engine->type() == QPaintEngine::Raster &&
              transform.type() <= QTransform::TxScale && transform.m11() == transform.m22();
    ratio_ = transform.m11();
}

const QImage& QtMapPainter::Stamp(const DotStyle& style) {
    for (const CachedStamp& cached : stamps_)
        if (SameStyle(cached.style, style)) return cached.image;
    // Two pixels spare hold the thin outline and the smoothing; a wider outline needs what it
    // adds. The same side as ever for the usual dots keeps them where they always were.
    const int side =
        qCeil((2 * style.radius + 2 + std::max(0.0, style.outlineWidth - 0.8)) * ratio_);
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter stamp(&image);
        stamp.setRenderHint(QPainter::Antialiasing, true);
        stamp.scale(ratio_, ratio_);
        if (style.outline.alpha == 0)
            stamp.setPen(Qt::NoPen);
        else
            stamp.setPen(QPen(ToQColor(style.outline), style.outlineWidth));
        stamp.setBrush(ToQColor(style.fill));
        const QPointF centre(side / (2 * ratio_), side / (2 * ratio_));
        const double r = style.radius;
        if (style.shape == DotShape::Square)
            stamp.drawRect(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r));
        else
            stamp.drawEllipse(centre, r, r);
    }
    image.setDevicePixelRatio(ratio_);
    stamps_.push_back({style, std::move(image)});
    return stamps_.back().image;
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
    const QPolygonF& polygon = ToPolygon(points);
    if (raster_ && outlineWidth > 0) {
        // The antialiased outline covers the fill's edge, so the fill can be drawn the fast
        // way, without antialiasing.
        painter_.setRenderHint(QPainter::Antialiasing, false);
        painter_.setPen(Qt::NoPen);
        painter_.setBrush(ToQColor(fill));
        painter_.drawPolygon(polygon);
        painter_.setRenderHint(QPainter::Antialiasing, true);
        painter_.setPen(
            QPen(ToQColor(outline), outlineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter_.setBrush(Qt::NoBrush);
        painter_.drawPolygon(polygon);
        return;
    }
    if (outlineWidth > 0)
        painter_.setPen(
            QPen(ToQColor(outline), outlineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    else
        painter_.setPen(Qt::NoPen);
    painter_.setBrush(ToQColor(fill));
    painter_.drawPolygon(polygon);
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
        painter_.setPen(QPen(ToQColor(style.outline), style.outlineWidth));
    painter_.setBrush(ToQColor(style.fill));
    const double r = style.radius;
    if (raster_) {
        const QImage& stamp = Stamp(style);
        const double half = stamp.width() / (2 * ratio_);
        for (const ScreenPoint& c : centres) {
            // Whole device pixels, so that every dot looks the same.
            const QPointF corner(std::round((c.x - half) * ratio_) / ratio_,
                                 std::round((c.y - half) * ratio_) / ratio_);
            painter_.drawImage(corner, stamp);
        }
        return;
    }
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
