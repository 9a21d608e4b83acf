#include "view/CMapPanel.h"

#include <QPainter>
#include <QtMath>

namespace chimeset {
namespace {

const QColor kMarker(255, 0, 0);

QImage LoadBuiltInMap() {
    QImage image(QStringLiteral(":/chimeset/map"));
    if (image.isNull()) return image;
    // Converted once, so that a repaint copies the pixels without translating the palette.
    return image.convertToFormat(QImage::Format_RGB32);
}

}  // namespace

CMapPanel::CMapPanel(QWidget* parent) : CMapPanel(LoadBuiltInMap(), parent) {}

CMapPanel::CMapPanel(const QImage& image, QWidget* parent)
    : QFrame(parent),
      image_(image.format() == QImage::Format_RGB32 ? image
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
    return true;
}

void CMapPanel::ShowPosition(MapPoint point) {
    pixels_.clear();
    Add(point);
    update();
}

void CMapPanel::ShowPositions(const std::vector<MapPoint>& points) {
    pixels_.clear();
    pixels_.reserve(points.size());
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

void CMapPanel::Render(QPainter& painter, const QRect& area) const {
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
