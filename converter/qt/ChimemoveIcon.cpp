#include "converter/qt/ChimemoveIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace chimeset {
namespace {

QPixmap Draw(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);

    QPainterPath bell;
    bell.moveTo(4, 24);
    bell.cubicTo(8, 22, 8, 16, 9, 11);
    bell.cubicTo(10, 5, 18, 3, 20, 9);
    bell.cubicTo(21, 14, 21, 22, 25, 24);
    bell.closeSubpath();
    painter.setPen(QPen(QColor(90, 60, 10), 1.2));
    painter.setBrush(QColor(214, 166, 52));
    painter.drawPath(bell);
    painter.setBrush(QColor(90, 60, 10));
    painter.drawEllipse(QPointF(14.5, 26), 2.5, 2.5);

    // The arrow: logs moving on.
    painter.setPen(QPen(QColor(30, 90, 170), 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawLine(QPointF(20, 28), QPointF(29, 28));
    painter.drawLine(QPointF(26, 25), QPointF(29, 28));
    painter.drawLine(QPointF(26, 31), QPointF(29, 28));
    return pixmap;
}

}  // namespace

QIcon ChimemoveIcon() {
    QIcon icon;
    for (const int size : {16, 32, 48}) icon.addPixmap(Draw(size));
    return icon;
}

}  // namespace chimeset
