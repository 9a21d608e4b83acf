// The map of Great Britain on the left of the form, with red markers for one tower or for
// every tower of a visit list. It knows nothing of towers: it is handed MapPoints.
#pragma once

#include <QFrame>
#include <QImage>
#include <cstdint>
#include <vector>

#include "towerdata/MapPoint.h"

namespace chimeset {

class MapData;

// A pixel of the map image: x in the low 16 bits, y in the high 16 bits, both unsigned.
using MapPixel = std::uint32_t;

class CMapPanel : public QFrame {
    Q_OBJECT

  public:
    static constexpr int kImageWidth = 200;
    static constexpr int kImageHeight = 300;

    // With the map image and the map vectors built into the program. The vectors are read
    // only when the panel first grows large enough to draw them.
    explicit CMapPanel(QWidget* parent = nullptr);
    // With this image alone; vectors may be added with SetVectorMap.
    CMapPanel(const QImage& image, QWidget* parent = nullptr);

    // The map drawn instead of the image once the panel has grown well beyond it (nullptr:
    // the image always). It must outlive the panel.
    void SetVectorMap(const MapData* map) {
        vectors_ = map;
        vectorSource_ = nullptr;
    }
    // The same, read from this source only when the panel first draws the vectors.
    void SetVectorSource(const MapData& (*source)()) {
        vectors_ = nullptr;
        vectorSource_ = source;
    }
    // Whether a panel area of this size (device pixels) draws the vectors.
    bool DrawsVectors(QSize deviceSize) const;

    // One position: the selected tower (0 shows the map alone).
    void ShowPosition(MapPoint point);
    // Every position of a list.
    void ShowPositions(const std::vector<MapPoint>& points);
    // Adds the pixel of a position; false for 0, which has none.
    bool Add(MapPoint point);

    // The image pixel that a position falls on, its coordinates cut to 16 bits each.
    static MapPixel PixelOf(MapPoint point);
    const std::vector<MapPixel>& Pixels() const { return pixels_; }
    bool HasImage() const { return !image_.isNull(); }

    // Device pixels per image pixel: a whole number, so that the image stays sharp.
    int ImageScale() const;
    // Draws the map and markers onto a painter working in device pixels.
    void Render(QPainter& painter, const QRect& deviceRect) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  signals:
    void doubleClicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    void RenderVectors(QPainter& painter, const QRect& area) const;
    // The vector map, read from its source at the first call; nullptr when there is none
    // or it did not load.
    const MapData* Vectors() const;

    mutable const MapData* vectors_ = nullptr;
    mutable const MapData& (*vectorSource_)() = nullptr;
    QImage image_;
    std::vector<MapPixel> pixels_;
    // The positions behind the pixels, for the finer vector map.
    std::vector<MapPoint> points_;
};

}  // namespace chimeset
