// The map panel: where a position lands, and what a repaint draws.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "map/MapScene.h"
#include "map/qt/MapResource.h"
#include "tests/view/GuiSupport.h"
#include "view/CMapPanel.h"

using namespace chimeset;
using namespace chimeset::testing;

namespace {

const QRgb kRed = qRgb(255, 0, 0);

QImage PlainMap() {
    QImage image(CMapPanel::kImageWidth, CMapPanel::kImageHeight, QImage::Format_RGB32);
    image.fill(qRgb(240, 240, 240));
    return image;
}

// Renders the panel's map into an image of the given size, at scale 1.
QImage Rendered(const CMapPanel& panel, QSize size) {
    QImage out(size, QImage::Format_RGB32);
    out.fill(qRgb(0, 0, 128));
    QPainter painter(&out);
    panel.Render(painter, QRect(QPoint(0, 0), size));
    return out;
}

int vectorReads = 0;

const MapData& CountedVectors() {
    ++vectorReads;
    return BuiltInMap();
}

int CountRed(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) == kRed;
    return count;
}

}  // namespace

TEST(MapPanel, PositionsBecomeImagePixels) {
    EXPECT_EQ(CMapPanel::PixelOf(MakeMapPoint(3000, 2000)), 75u | (228u << 16));
    // West of the image: x is cut to 16 bits, far outside.
    EXPECT_EQ(CMapPanel::PixelOf(MakeMapPoint(0, 2000)) & 0xFFFFu, 0x10000u - 25);
    // Rounded half up: 3015 hundred metres is 100.5 pixels.
    EXPECT_EQ(CMapPanel::PixelOf(MakeMapPoint(3015, 2000)) & 0xFFFFu, 76u);
    EXPECT_EQ(CMapPanel::PixelOf(MakeMapPoint(3014, 2000)) & 0xFFFFu, 75u);
}

TEST(MapPanel, OneTowerGetsASquareOfFiveAListSquaresOfTwo) {
    CMapPanel panel(PlainMap());
    ASSERT_EQ(panel.ImageScale(), 1);

    panel.ShowPosition(0);
    EXPECT_TRUE(panel.Pixels().empty());
    EXPECT_EQ(CountRed(Rendered(panel, {200, 300})), 0);

    panel.ShowPosition(MakeMapPoint(3000, 2000));
    QImage image = Rendered(panel, {200, 300});
    EXPECT_EQ(CountRed(image), 25);
    EXPECT_EQ(image.pixel(73, 226), kRed);
    EXPECT_EQ(image.pixel(77, 230), kRed);
    EXPECT_NE(image.pixel(78, 230), kRed);

    // A list of one tower draws the square of a single tower.
    panel.ShowPositions({MakeMapPoint(3000, 2000)});
    EXPECT_EQ(CountRed(Rendered(panel, {200, 300})), 25);

    // A list: a 2 x 2 square whose top-left pixel is the tower's; positions of 0 are skipped,
    // and a tower off the image is not seen.
    panel.ShowPositions(
        {MakeMapPoint(3000, 2000), 0, MakeMapPoint(4500, 3000), MakeMapPoint(0, 2000)});
    EXPECT_EQ(panel.Pixels().size(), 3u);
    image = Rendered(panel, {200, 300});
    EXPECT_EQ(CountRed(image), 8);
    EXPECT_EQ(image.pixel(75, 228), kRed);
    EXPECT_EQ(image.pixel(76, 229), kRed);
    EXPECT_NE(image.pixel(74, 228), kRed);
}

TEST(MapPanel, LargerPanelCentresTheImage) {
    CMapPanel panel(PlainMap());
    panel.ShowPosition(MakeMapPoint(3000, 2000));
    const QImage image = Rendered(panel, {260, 400});
    // The image sits 30 across and 50 down; the rest keeps the background.
    EXPECT_EQ(image.pixel(29, 200), qRgb(0, 0, 128));
    EXPECT_EQ(image.pixel(30, 200), qRgb(240, 240, 240));
    EXPECT_EQ(image.pixel(30 + 75, 50 + 228), kRed);
    EXPECT_EQ(image.pixel(230, 349), qRgb(0, 0, 128));
}

TEST(MapPanel, BuiltInMapIsThere) {
    CMapPanel panel;
    ASSERT_TRUE(panel.HasImage());
    const QImage image = Rendered(panel, {200, 300});
    // Land is light grey: the hills of mid Wales (SN 80 60).
    const MapPixel wales = CMapPanel::PixelOf(MakeMapPoint(2800, 2600));
    EXPECT_EQ(image.pixel(int(wales & 0xFFFF), int(wales >> 16)), qRgb(240, 240, 240));
}

TEST(MapPanel, VectorsAreReadOnlyWhenTheGrownPanelFirstDrawsThem) {
    vectorReads = 0;
    CMapPanel panel(PlainMap());
    panel.SetVectorSource(&CountedVectors);
    ASSERT_EQ(panel.ImageScale(), 1);
    panel.ShowPosition(MakeMapPoint(3000, 2000));
    const QRgb sea = qRgb(kSeaColour.red, kSeaColour.green, kSeaColour.blue);

    // At the starting size the picture is drawn and the vectors stay unread.
    EXPECT_FALSE(panel.DrawsVectors({200, 300}));
    EXPECT_FALSE(panel.DrawsVectors({220, 330}));
    const QImage start = Rendered(panel, {200, 300});
    EXPECT_EQ(CountRed(start), 25);
    EXPECT_EQ(start.pixel(2, 2), qRgb(240, 240, 240));
    EXPECT_EQ(vectorReads, 0);

    // Grown: read once, then drawn from what was read; the north-west corner is sea.
    EXPECT_TRUE(panel.DrawsVectors({500, 750}));
    EXPECT_EQ(Rendered(panel, {500, 750}).pixel(2, 2), sea);
    EXPECT_EQ(Rendered(panel, {600, 900}).pixel(2, 2), sea);
    EXPECT_EQ(vectorReads, 1);

    // A map set directly takes the source's place.
    CMapPanel plain(PlainMap());
    plain.SetVectorSource(&CountedVectors);
    plain.SetVectorMap(nullptr);
    EXPECT_FALSE(plain.DrawsVectors({1000, 1500}));
    EXPECT_EQ(vectorReads, 1);
}
