#include "view/CMapPanel.h"

#include <QMouseEvent>
#include <QPainter>
#include <QtMath>

#include "map/MapScene.h"
#include "map/qt/MapResource.h"
#include "map/qt/QtMapPainter.h"
#include "view/BuiltInImages.h"

namespace chimeset {
namespace {

const QColor kMarker(255, 0, 0);

}  // namespace

// The picture's own stretch of the grid, in metres: 3 km to the pixel from easting 75 km and
// northing 885 km, so that markers land where they do on the picture.
constexpr GridBox kPictureArea{75000, 885000 - 300 * 3000.0, 75000 + 200 * 3000.0, 885000};
// The panel turns to the vectors only when it is clearly larger than the picture it would
// otherwise show: at the window's starting size it shows the picture as it always has.
constexpr double kVectorThreshold = 1.15;

CMapPanel::CMapPanel(QWidget* parent) : CMapPanel(BuiltInMapImage(), parent) {
    // Parsing the vectors takes as long as the rest of the form; most runs never need them.
    SetVectorSource(&BuiltInMap);
}

CMapPanel::CMapPanel(const QImage& image, QWidget* parent)
    : QFrame(parent),
      // In the window's own format, as the built-in map already is, a repaint copies the
      // pixels, where any other format would be converted again, on threads of its own, at
      // every paint; another picture is converted once here.
      image_(image.format() == QImage::Format_RGB32 || image.isNull()
                 ? image
                 : image.convertToFormat(QImage::Format_RGB32)) {
    setObjectName(QStringLiteral("mapPanel"));
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
}

MapPixel CMapPanel::PixelOf(MapPoint point) {
    const auto easting = static_cast<std::int32_t>(MapPointEasting(point));
    const auto northing = static_cast<std::int32_t>(MapPointNorthing(point));
    // 3 km to the pixel, rounded half up; the image starts 75 km east and 885 km north.
    const std::int32_t x = ((easting * 100) / 30 + 50) / 100 - 25;
    const std::int32_t y = 300 - (((northing * 100) / 30 + 50) / 100 + 5);
    return (static_cast<std::uint32_t>(x) & 0xFFFFu) |
           ((static_cast<std::uint32_t>(y) & 0xFFFFu) << 16);
}

bool CMapPanel::Add(MapPoint point) {
    if (point == 0) return false;
    pixels_.push_back(PixelOf(point));
    points_.push_back(point);
    return true;
}

void CMapPanel::ShowPosition(MapPoint point) {
    pixels_.clear();
    points_.clear();
    Add(point);
    update();
}

void CMapPanel::ShowPositions(const std::vector<MapPoint>& points) {
    pixels_.clear();
    points_.clear();
    pixels_.reserve(points.size());
    points_.reserve(points.size());
    for (const MapPoint point : points) Add(point);
    update();
}

int CMapPanel::ImageScale() const {
    const qreal ratio = devicePixelRatioF() * logicalDpiY() / 96.0;
    return qMax(1, qRound(ratio));
}

QSize CMapPanel::minimumSizeHint() const {
    const qreal ratio = devicePixelRatioF();
    const int scale = ImageScale();
    const int frame = 2 * frameWidth();
    return {qCeil(kImageWidth * scale / ratio) + frame,
            qCeil(kImageHeight * scale / ratio) + frame};
}

QSize CMapPanel::sizeHint() const {
    return minimumSizeHint();
}

const MapData* CMapPanel::Vectors() const {
    if (vectorSource_) {
        vectors_ = &vectorSource_();
        vectorSource_ = nullptr;
    }
    return vectors_ && vectors_->IsLoaded() ? vectors_ : nullptr;
}

bool CMapPanel::DrawsVectors(QSize deviceSize) const {
    if (!vectors_ && !vectorSource_) return false;
    const int scale = ImageScale();
    // The size the panel starts at: the minimum the form gives it, never less than the
    // picture. Until it has clearly outgrown that, it shows the picture.
    const int frame = 2 * frameWidth();
    const QSize start = ((minimumSize() - QSize(frame, frame)) * devicePixelRatioF())
                            .expandedTo(QSize(kImageWidth, kImageHeight) * scale);
    const double fit = std::min(deviceSize.width() / double(kImageWidth),
                                deviceSize.height() / double(kImageHeight));
    return deviceSize.width() >= start.width() * kVectorThreshold &&
           deviceSize.height() >= start.height() && fit >= scale * kVectorThreshold &&
           Vectors() != nullptr;
}

void CMapPanel::RenderVectors(QPainter& painter, const QRect& area) const {
    MapViewport view;
    view.SetSize(area.width(), area.height());
    view.Fit(kPictureArea);
    // One picture pixel in device pixels, for markers of the picture's proportions.
    const double pixel = view.Scale() * 3000;
    const ScreenPoint topLeft = view.ToScreen(kPictureArea.west, kPictureArea.north);
    const QRectF mapRect(area.left() + topLeft.x, area.top() + topLeft.y, 200 * pixel, 300 * pixel);
    painter.save();
    painter.setClipRect(mapRect);
    painter.translate(area.topLeft());
    {
        QtMapPainter target(painter);
        painter.fillRect(mapRect.translated(-area.topLeft()), QtMapPainter::ToQColor(kSeaColour));
        MapScene::DrawGround(target, *Vectors(), view);
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    const auto markerAt = [&](MapPoint point) {
        return view.ToScreen(MapPointEasting(point) * 100.0, MapPointNorthing(point) * 100.0);
    };
    if (points_.size() == 1) {
        const ScreenPoint p = markerAt(points_.front());
        painter.fillRect(QRectF(p.x - 2.5 * pixel, p.y - 2.5 * pixel, 5 * pixel, 5 * pixel),
                         kMarker);
    } else {
        for (const MapPoint point : points_) {
            const ScreenPoint p = markerAt(point);
            painter.fillRect(QRectF(p.x, p.y, 2 * pixel, 2 * pixel), kMarker);
        }
    }
    // A scale bar of 100 km at the bottom right, as on the picture.
    const double bar = 100000 * view.Scale();
    const QPointF end(topLeft.x + 190 * pixel, topLeft.y + 290 * pixel);
    painter.setPen(QPen(QColor(80, 80, 80), std::max(1.0, pixel / 2)));
    painter.drawLine(end - QPointF(bar, 0), end);
    painter.drawLine(end - QPointF(bar, 2 * pixel), end - QPointF(bar, 0));
    painter.drawLine(end - QPointF(0, 2 * pixel), end);
    painter.restore();
}

void CMapPanel::Render(QPainter& painter, const QRect& area) const {
    if (DrawsVectors(area.size())) {
        RenderVectors(painter, area);
        return;
    }
    if (image_.isNull()) return;
    const int scale = ImageScale();
    const int width = kImageWidth * scale;
    const int height = kImageHeight * scale;
    const int x0 = area.left() + qMax(0, (area.width() - width) / 2);
    const int y0 = area.top() + qMax(0, (area.height() - height) / 2);
    painter.save();
    painter.setClipRect(area);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QRect(x0, y0, width, height), image_);
    if (pixels_.size() == 1) {
        const int x = static_cast<int>(pixels_.front() & 0xFFFFu);
        const int y = static_cast<int>(pixels_.front() >> 16);
        painter.fillRect(x0 + (x - 2) * scale, y0 + (y - 2) * scale, 5 * scale, 5 * scale, kMarker);
    } else {
        for (const MapPixel pixel : pixels_) {
            const int x = static_cast<int>(pixel & 0xFFFFu);
            const int y = static_cast<int>(pixel >> 16);
            painter.fillRect(x0 + x * scale, y0 + y * scale, 2 * scale, 2 * scale, kMarker);
        }
    }
    painter.restore();
}

void CMapPanel::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit doubleClicked();
    QFrame::mouseDoubleClickEvent(event);
}

void CMapPanel::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    // Work in device pixels, so that whole-number scaling lands on whole pixels.
    const qreal ratio = devicePixelRatioF();
    painter.scale(1.0 / ratio, 1.0 / ratio);
    const QRect contents = contentsRect();
    const QRect device(qCeil(contents.left() * ratio), qCeil(contents.top() * ratio),
                       qFloor(contents.width() * ratio), qFloor(contents.height() * ratio));
    Render(painter, device);
}

}  // namespace chimeset
