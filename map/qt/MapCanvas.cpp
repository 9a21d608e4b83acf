#include "map/qt/MapCanvas.h"

#include <QGestureEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QNativeGestureEvent>
#include <QPainter>
#include <QPinchGesture>
#include <QToolTip>
#include <QWheelEvent>
#include <cmath>

#include "map/qt/QtMapPainter.h"

namespace chimeset {
namespace {
constexpr double kZoomStep = 1.5;
// A press that moves less than this is a click, not a drag.
constexpr double kClickSlop = 4;
}  // namespace

MapCanvas::MapCanvas(const MapData& map, QWidget* parent) : QWidget(parent), map_(map) {
    setObjectName(QStringLiteral("mapCanvas"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    grabGesture(Qt::PinchGesture);
    setMinimumSize(200, 200);
    view_.SetSize(width(), height());
}

void MapCanvas::SetTowers(const MapTowers* towers, std::function<std::string(std::int32_t)> nameOf,
                          std::function<QString(std::int32_t)> tipOf) {
    towers_ = towers;
    options_.nameOf = std::move(nameOf);
    tipOf_ = std::move(tipOf);
    update();
}

void MapCanvas::SetCurrentTower(std::int32_t tower, bool reveal) {
    options_.currentTower = tower;
    if (reveal && towers_) {
        if (const std::int32_t slot = towers_->Find(tower); slot >= 0)
            view_.Reveal(towers_->Towers()[static_cast<std::size_t>(slot)].point, 40);
    }
    update();
}

void MapCanvas::Fit() {
    if (map_.IsLoaded()) view_.Fit(map_.Bounds());
    fitted_ = true;
    update();
}

void MapCanvas::ZoomIn() {
    ZoomAround(QPointF(width() / 2.0, height() / 2.0), kZoomStep);
}

void MapCanvas::ZoomOut() {
    ZoomAround(QPointF(width() / 2.0, height() / 2.0), 1 / kZoomStep);
}

void MapCanvas::ZoomAround(QPointF anchor, double factor) {
    view_.ZoomAt({anchor.x(), anchor.y()}, factor);
    update();
}

std::int32_t MapCanvas::TowerAt(QPointF point) const {
    if (!towers_) return -1;
    // A dot is easy to hit: its radius and a little more, never under 6 pixels.
    const double radius =
        std::max(6.0, StyleOfDot({DotCategory::Pealed, false}, view_.Scale()).radius + 2);
    return towers_->TowerAt(view_.ToGrid({point.x(), point.y()}), radius / view_.Scale());
}

QString MapCanvas::ToolTipAt(QPointF point) const {
    const std::int32_t tower = TowerAt(point);
    return tower >= 0 && tipOf_ ? tipOf_(tower) : QString();
}

void MapCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QtMapPainter target(painter);
    if (!map_.IsLoaded()) {
        painter.fillRect(rect(), palette().window());
        painter.setPen(palette().windowText().color());
        painter.drawText(rect().adjusted(20, 20, -20, -20), Qt::AlignCenter | Qt::TextWordWrap,
                         QStringLiteral("The map data could not be read (%1), so no map can be "
                                        "drawn. Everything else works as before.")
                             .arg(QString::fromStdString(map_.Error())));
        return;
    }
    static const MapTowers kNoTowers;
    MapScene::Draw(target, map_, view_, towers_ ? *towers_ : kNoTowers, options_);
}

void MapCanvas::resizeEvent(QResizeEvent*) {
    const GridPoint centre = view_.Centre();
    view_.SetSize(width(), height());
    if (!fitted_) {
        Fit();
    } else {
        view_.SetView(centre, view_.Scale());
    }
}

bool MapCanvas::event(QEvent* event) {
    switch (event->type()) {
        case QEvent::ToolTip: {
            auto* help = static_cast<QHelpEvent*>(event);
            const QString tip = ToolTipAt(help->pos());
            if (tip.isEmpty())
                QToolTip::hideText();
            else
                QToolTip::showText(help->globalPos(), tip, this);
            return true;
        }
        case QEvent::Gesture: {
            auto* gesture = static_cast<QGestureEvent*>(event);
            if (auto* pinch = static_cast<QPinchGesture*>(gesture->gesture(Qt::PinchGesture))) {
                if (pinch->changeFlags() & QPinchGesture::ScaleFactorChanged)
                    ZoomAround(mapFromGlobal(pinch->centerPoint()), pinch->scaleFactor());
                gesture->accept(pinch);
            }
            return true;
        }
        case QEvent::NativeGesture: {
            auto* native = static_cast<QNativeGestureEvent*>(event);
            if (native->gestureType() == Qt::ZoomNativeGesture) {
                ZoomAround(native->position(), 1 + native->value());
                return true;
            }
            break;
        }
        default:
            break;
    }
    return QWidget::event(event);
}

void MapCanvas::wheelEvent(QWheelEvent* event) {
    const double steps = event->angleDelta().y() / 120.0;
    if (steps != 0) ZoomAround(event->position(), std::pow(1.25, steps));
    event->accept();
}

void MapCanvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    pressAt_ = event->position();
    lastDrag_ = event->position();
    dragging_ = false;
}

void MapCanvas::mouseMoveEvent(QMouseEvent* event) {
    if (pressAt_ && (event->buttons() & Qt::LeftButton)) {
        const QPointF moved = event->position() - *pressAt_;
        if (!dragging_ && std::hypot(moved.x(), moved.y()) >= kClickSlop) {
            dragging_ = true;
            setCursor(Qt::ClosedHandCursor);
        }
        if (dragging_) {
            const QPointF step = event->position() - lastDrag_;
            view_.Pan(step.x(), step.y());
            lastDrag_ = event->position();
        }
    }
    options_.pointer = ScreenPoint{event->position().x(), event->position().y()};
    update();
}

void MapCanvas::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressAt_) return QWidget::mouseReleaseEvent(event);
    const bool click = !dragging_;
    pressAt_.reset();
    dragging_ = false;
    unsetCursor();
    if (click) {
        if (const std::int32_t tower = TowerAt(event->position()); tower >= 0)
            emit towerClicked(tower);
    }
}

void MapCanvas::leaveEvent(QEvent*) {
    options_.pointer.reset();
    update();
}

void MapCanvas::keyPressEvent(QKeyEvent* event) {
    const double stepX = width() / 8.0;
    const double stepY = height() / 8.0;
    switch (event->key()) {
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            ZoomIn();
            break;
        case Qt::Key_Minus:
        case Qt::Key_Underscore:
            ZoomOut();
            break;
        case Qt::Key_Left:
            view_.Pan(stepX, 0);
            update();
            break;
        case Qt::Key_Right:
            view_.Pan(-stepX, 0);
            update();
            break;
        case Qt::Key_Up:
            view_.Pan(0, stepY);
            update();
            break;
        case Qt::Key_Down:
            view_.Pan(0, -stepY);
            update();
            break;
        case Qt::Key_Home:
        case Qt::Key_0:
            Fit();
            break;
        default:
            QWidget::keyPressEvent(event);
    }
}

}  // namespace chimeset
