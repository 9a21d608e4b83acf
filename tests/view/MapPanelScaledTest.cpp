// The map on a screen of twice the usual density: drawn at twice the size, pixel for pixel,
// with the markers scaled alike. Runs with QT_SCALE_FACTOR=2.
#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>

#include "tests/view/GuiSupport.h"
#include "view/CMapPanel.h"

using namespace chimeset;
using namespace chimeset::testing;

TEST(MapPanelScaled, ImageAndMarkersScaleByWholePixels) {
    QImage map(CMapPanel::kImageWidth, CMapPanel::kImageHeight, QImage::Format_RGB32);
    map.fill(qRgb(240, 240, 240));
    map.setPixel(10, 10, qRgb(0, 0, 255));
    CMapPanel panel(map);
    panel.setFrameStyle(QFrame::NoFrame);
    panel.resize(CMapPanel::kImageWidth, CMapPanel::kImageHeight);
    panel.show();
    ASSERT_EQ(panel.devicePixelRatioF(), 2.0);
    EXPECT_EQ(panel.ImageScale(), 2);
    EXPECT_EQ(panel.minimumSizeHint(), QSize(200, 300));

    panel.ShowPosition(MakeMapPoint(3000, 2000));
    const QImage shot = panel.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shot.size(), QSize(400, 600));
    // One image pixel covers 2 x 2 device pixels, with no blending at its edges.
    for (const QPoint p : {QPoint(20, 20), QPoint(21, 20), QPoint(20, 21), QPoint(21, 21)})
        EXPECT_EQ(shot.pixel(p), qRgb(0, 0, 255));
    EXPECT_EQ(shot.pixel(22, 20), qRgb(240, 240, 240));
    EXPECT_EQ(shot.pixel(19, 21), qRgb(240, 240, 240));
    // The 5 x 5 marker is 10 x 10 device pixels of pure red.
    int red = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) red += shot.pixel(x, y) == qRgb(255, 0, 0);
    EXPECT_EQ(red, 100);
    EXPECT_EQ(shot.pixel(2 * 73, 2 * 226), qRgb(255, 0, 0));
}
