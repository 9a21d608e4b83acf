#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QString>
#include <string>

#include "common/TextFile.h"
#include "tests/support/TempDir.h"
#include "towerdata/MapPoint.h"

using namespace chimeset;

namespace {

const QRgb kSea = qRgb(255, 255, 255);
const QRgb kLand = qRgb(240, 240, 240);
const QRgb kAbroad = qRgb(196, 228, 184);  // land whose towers are never marked

QImage LoadMap() {
    const std::string path = JoinPath(chimeset::testing::SourceDir(), "resources/map/britain.png");
    return QImage(QString::fromStdString(path));
}

// How the map panel places a position: 3 km pixels, rounded half up, easting 75 km and
// northing 885 km at the top-left pixel.
void PixelOf(MapPoint point, int& x, int& y) {
    const auto e = static_cast<int>(MapPointEasting(point));
    const auto n = static_cast<int>(MapPointNorthing(point));
    x = (e * 100 / 30 + 50) / 100 - 25;
    y = 300 - ((n * 100 / 30 + 50) / 100 + 5);
}

QRgb ColourAt(const QImage& map, const char* gridReference) {
    const MapPoint point = GridReferenceToMapPoint(gridReference);
    int x = -1, y = -1;
    PixelOf(point, x, y);
    if (point == 0 || !map.valid(x, y)) return qRgba(0, 0, 0, 0);
    return map.pixel(x, y) | 0xFF000000u;
}

}  // namespace

TEST(MapImage, IsAPaletteImageOfTheExpectedSizeWithoutMarkerRed) {
    const QImage map = LoadMap();
    ASSERT_FALSE(map.isNull());
    EXPECT_EQ(map.width(), 200);
    EXPECT_EQ(map.height(), 300);
    EXPECT_EQ(map.format(), QImage::Format_Indexed8);
    const QList<QRgb> palette = map.colorTable();
    ASSERT_LE(palette.size(), 256);
    EXPECT_TRUE(palette.contains(kSea));
    EXPECT_TRUE(palette.contains(kLand));
    // Markers are pure red: nothing on the map may be mistaken for one.
    for (int y = 0; y < map.height(); ++y) {
        for (int x = 0; x < map.width(); ++x) {
            const QColor c = QColor::fromRgb(map.pixel(x, y));
            ASSERT_FALSE(c.red() > 200 && c.green() < 80 && c.blue() < 80) << x << "," << y;
        }
    }
}

TEST(MapImage, WellKnownPlacesFallOnLandAndTheSeaIsWhite) {
    const QImage map = LoadMap();
    ASSERT_FALSE(map.isNull());
    struct Place {
        const char* name;
        const char* gridReference;
    };
    const Place centres[] = {{"London", "TQ300804"},    {"Birmingham", "SP070869"},
                             {"Norwich", "TG230085"},   {"Cardiff", "ST183765"},
                             {"Edinburgh", "NT257735"}, {"Plymouth", "SX477545"},
                             {"Inverness", "NH666452"}, {"Carlisle", "NY400560"}};
    for (const Place& place : centres) {
        SCOPED_TRACE(place.name);
        const QRgb colour = ColourAt(map, place.gridReference);
        EXPECT_NE(qAlpha(colour), 0) << "off the map";
        EXPECT_NE(colour, kSea);
        EXPECT_NE(colour, kAbroad);
    }
    const Place seas[] = {{"Irish Sea", "SD000500"},         {"English Channel", "SZ500500"},
                          {"North Sea", "TA500500"},         {"Bristol Channel", "SS500660"},
                          {"Cardigan Bay", "SN100700"},      {"off Land's End", "SW100100"},
                          {"North Sea off Fife", "NO900500"}};
    for (const Place& sea : seas) {
        SCOPED_TRACE(sea.name);
        EXPECT_EQ(ColourAt(map, sea.gridReference), kSea);
    }
    // Towers on the island of Ireland carry Irish grid references and are never marked:
    // the map shows that land apart.
    int x, y;
    PixelOf(MakeMapPoint(1460, 5300), x, y);  // Belfast on the British grid
    EXPECT_EQ(map.pixel(x, y) | 0xFF000000u, kAbroad);
}
