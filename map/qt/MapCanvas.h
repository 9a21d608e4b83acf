// The zoomable map: draws the scene, zooms with the wheel, the +/- keys and a pinch, pans by
// dragging and with the arrow keys, tells the tower under the pointer, and reports a click
// on a tower.
#pragma once

#include <QPointF>
#include <QString>
#include <QWidget>
#include <functional>
#include <optional>

#include "map/MapData.h"
#include "map/MapScene.h"
#include "map/MapTowers.h"
#include "map/MapViewport.h"

namespace chimeset {

class MapCanvas : public QWidget {
    Q_OBJECT

  public:
    explicit MapCanvas(const MapData& map, QWidget* parent = nullptr);

    // The towers to draw (kept by the caller), their names for the labels and their tips.
    void SetTowers(const MapTowers* towers, std::function<std::string(std::int32_t)> nameOf,
                   std::function<QString(std::int32_t)> tipOf);
    // Rings a tower; with reveal, brings it into view.
    void SetCurrentTower(std::int32_t tower, bool reveal);
    std::int32_t CurrentTower() const { return options_.currentTower; }

    void Fit();
    void ZoomIn();
    void ZoomOut();
    MapViewport& Viewport() { return view_; }
    const MapViewport& Viewport() const { return view_; }
    const MapSceneOptions& Options() const { return options_; }

    // The tower whose dot is under a point of the widget; -1 for none.
    std::int32_t TowerAt(QPointF point) const;
    // The tip text shown for a point, empty when no tower is there.
    QString ToolTipAt(QPointF point) const;

    QSize sizeHint() const override { return {800, 900}; }

  signals:
    void towerClicked(std::int32_t tower);

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    void ZoomAround(QPointF anchor, double factor);

    const MapData& map_;
    const MapTowers* towers_ = nullptr;
    std::function<QString(std::int32_t)> tipOf_;
    MapViewport view_;
    MapSceneOptions options_;
    bool fitted_ = false;
    std::optional<QPointF> pressAt_;
    QPointF lastDrag_;
    bool dragging_ = false;
};

}  // namespace chimeset
