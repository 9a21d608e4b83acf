#include "view/ProgramStyle.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QStyleOption>
#include <QtGlobal>

namespace chimeset {

namespace {

// Fusion's overflow arrow: two grey chevrons, 16 by 10 pixels at a scale of one.
QPixmap ChevronPicture(Qt::ArrowType direction, int scale) {
    const bool across = direction == Qt::LeftArrow || direction == Qt::RightArrow;
    const QSize size = across ? QSize(16, 10) : QSize(10, 16);
    QPixmap picture(size * scale);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    painter.setPen(QPen(QColor(0x35, 0x35, 0x35), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    // Drawn pointing right, then turned to face the way asked.
    painter.translate(size.width() / 2.0, size.height() / 2.0);
    if (direction == Qt::LeftArrow) painter.rotate(180);
    if (direction == Qt::DownArrow) painter.rotate(90);
    if (direction == Qt::UpArrow) painter.rotate(-90);
    for (const qreal x : {-4.0, 1.0}) {
        const QPointF chevron[] = {{x - 1.5, -3.8}, {x + 2.0, 0.0}, {x - 1.5, 3.8}};
        painter.drawPolyline(chevron, 3);
    }
    return picture;
}

QIcon ChevronIcon(Qt::ArrowType direction) {
    QIcon icon;
    icon.addPixmap(ChevronPicture(direction, 1));
    icon.addPixmap(ChevronPicture(direction, 2));
    return icon;
}

// Fusion's group box picture, drawn: a grey line at a fifth of full strength with softened
// corners, a faint dark ring inside it and a fainter tint over the rest. The picture's first row
// and column are clear.
//
// Each shade is laid on the window's colour here and filled opaque: a translucent fill is many
// times the work, and one as tall as a box's side sets the painter's threads going.
void DrawGroupBoxFrame(QPainter* painter, const QRect& frame, const QColor& ground) {
    const QRect box = frame.adjusted(1, 1, 0, 0);
    if (box.width() < 8 || box.height() < 8) return;
    const bool opaque = ground.alpha() == 255;
    const auto grey = [&ground, opaque](int level, int alpha) {
        if (!opaque) return QColor(level, level, level, alpha);
        const auto over = [level, alpha](int channel) {
            return (level * alpha + channel * (255 - alpha) + 127) / 255;
        };
        return QColor(over(ground.red()), over(ground.green()), over(ground.blue()));
    };
    const auto fill = [painter](int x, int y, int width, int height, const QColor& colour) {
        painter->fillRect(QRect(x, y, width, height), colour);
    };
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    const int left = box.left(), top = box.top(), right = box.right(), bottom = box.bottom();
    const int width = box.width(), height = box.height();
    fill(left + 2, top + 2, width - 4, height - 4, grey(0, 3));
    // The ring inside the line.
    const QColor ring = grey(0, 7);
    fill(left + 2, top + 1, width - 4, 1, ring);
    fill(left + 2, bottom - 1, width - 4, 1, ring);
    fill(left + 1, top + 2, 1, height - 4, ring);
    fill(right - 1, top + 2, 1, height - 4, ring);
    // The line, its corners softer.
    const QColor line = grey(0x75, 0x32);
    fill(left + 3, top, width - 6, 1, line);
    fill(left + 3, bottom, width - 6, 1, line);
    fill(left, top + 3, 1, height - 6, line);
    fill(right, top + 3, 1, height - 6, line);
    // Each corner pixel, and the line's two pixels nearest it either way, from the corner out.
    const QColor cornerShades[] = {grey(0x27, 0x0d), grey(0x5e, 0x36), grey(0x6c, 0x34)};
    for (const QPoint& corner :
         {box.topLeft(), box.topRight(), box.bottomLeft(), box.bottomRight()}) {
        const int inX = corner.x() == left ? 1 : -1, inY = corner.y() == top ? 1 : -1;
        fill(corner.x(), corner.y(), 1, 1, cornerShades[0]);
        for (int step = 1; step <= 2; ++step) {
            fill(corner.x() + step * inX, corner.y(), 1, 1, cornerShades[step]);
            fill(corner.x(), corner.y() + step * inY, 1, 1, cornerShades[step]);
        }
    }
    const QColor innerCorner = grey(0x5a, 0x1f);
    for (const QPoint& corner : {QPoint(left + 1, top + 1), QPoint(right - 1, top + 1),
                                 QPoint(left + 1, bottom - 1), QPoint(right - 1, bottom - 1)})
        fill(corner.x(), corner.y(), 1, 1, innerCorner);
    painter->restore();
}

}  // namespace

ProgramStyle::ProgramStyle(QStyle* base)
    : QProxyStyle(base),
      fusion_(baseStyle()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) == 0) {}

QIcon ProgramStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                 const QWidget* widget) const {
    const bool rightToLeft =
        option ? option->direction == Qt::RightToLeft
               : (widget ? widget->isRightToLeft() : QGuiApplication::isRightToLeft());
    if (icon == SP_ToolBarHorizontalExtensionButton)
        return ChevronIcon(rightToLeft ? Qt::LeftArrow : Qt::RightArrow);
    if (icon == SP_ToolBarVerticalExtensionButton) return ChevronIcon(Qt::DownArrow);
    return QProxyStyle::standardIcon(icon, option, widget);
}

void ProgramStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                 QPainter* painter, const QWidget* widget) const {
#if QT_VERSION < QT_VERSION_CHECK(6, 5, 0)
    // Where Fusion of these versions puts the frame below the title. Later versions moved it,
    // and are left to draw their own.
    if (fusion_ && element == PE_FrameGroupBox) {
        int top = 3;
        const auto* box = qobject_cast<const QGroupBox*>(widget);
        if (!box || box->isCheckable() || !box->title().isEmpty())
            top += qMax(pixelMetric(PM_ExclusiveIndicatorHeight), option->fontMetrics.height());
        DrawGroupBoxFrame(painter, option->rect.adjusted(0, top, 0, 0),
                          option->palette.color(QPalette::Window));
        return;
    }
#endif
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

}  // namespace chimeset
