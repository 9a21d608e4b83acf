// Pictures of widgets, and how far two pictures differ, for the view tests that compare a
// drawing with the one it stands in for.
#pragma once

#include <QImage>
#include <QWidget>
#include <QtGlobal>

namespace chimeset::testing {

// The widget as drawn over white.
inline QImage Rendered(QWidget& widget) {
    QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    widget.render(&image);
    return image;
}

// Largest difference of any channel, colours weighted by alpha: a transparent pixel's colour
// is never seen.
inline int LargestDifference(const QImage& a, const QImage& b) {
    const QImage left = a.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage right = b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    int largest = 0;
    for (int y = 0; y < left.height(); ++y) {
        for (int x = 0; x < left.width(); ++x) {
            const QRgb l = left.pixel(x, y);
            const QRgb r = right.pixel(x, y);
            for (const int shift : {0, 8, 16, 24})
                largest = qMax(largest, qAbs(int((l >> shift) & 0xFF) - int((r >> shift) & 0xFF)));
        }
    }
    return largest;
}

}  // namespace chimeset::testing
