// Positions: degrees as the database writes them, grid references through OSGB36 to WGS84,
// typed places, and a tower's position from its fields.
#include <GeographicLib/Geodesic.hpp>

#include "grabs/TowerPlaces.h"
#include "tests/grabs/GrabsFixture.h"

namespace chimeset::testing {
namespace {

double MetresBetween(const GeoPoint& a, const GeoPoint& b) {
    double metres = 0;
    GeographicLib::Geodesic::WGS84().Inverse(a.latitude, a.longitude, b.latitude, b.longitude,
                                             metres);
    return metres;
}

TEST(PlacesTest, DegreesReadOnlyPlainDecimalsInRange) {
    EXPECT_DOUBLE_EQ(*ParseDegrees("51.5", 90), 51.5);
    EXPECT_DOUBLE_EQ(*ParseDegrees(" -1.25 ", 180), -1.25);
    EXPECT_DOUBLE_EQ(*ParseDegrees("+3", 180), 3);
    for (const char* bad :
         {"", " ", "-", ".", "1e5", "nan", "inf", "0x1A", "51,5", "5-1", "1.2.3", "12a"})
        EXPECT_FALSE(ParseDegrees(bad, 180)) << bad;
    EXPECT_FALSE(ParseDegrees("90.0001", 90));
    EXPECT_TRUE(ParseDegrees("-90", 90));
    EXPECT_FALSE(ParseDegrees("180.5", 180));
}

TEST(PlacesTest, GridReferenceLandsOnTheOrdnanceSurveysWorkedExample) {
    // The Ordnance Survey's worked example: TG 51409 13177 is 52 39 27.2531 N, 1 43 04.5177 E
    // on OSGB36 and 52 39 28.8282 N, 1 42 57.8663 E on ETRS89 (WGS84 to within a metre). The
    // Helmert shift between them is good to a few metres.
    const GeoPoint published{52 + 39 / 60.0 + 28.8282 / 3600, 1 + 42 / 60.0 + 57.8663 / 3600};
    const auto point = GridReferenceToWgs84("TG 51409 13177");
    ASSERT_TRUE(point);
    EXPECT_LT(MetresBetween(*point, published), 6.0);
    const auto six = GridReferenceToWgs84("tg514131");
    ASSERT_TRUE(six);
    EXPECT_LT(MetresBetween(*six, published), 100.0);  // centre of a 100 m square
    // Without the datum shift the point would lie 130 m away, at the OSGB36 figures.
    const GeoPoint osgb36{52 + 39 / 60.0 + 27.2531 / 3600, 1 + 43 / 60.0 + 4.5177 / 3600};
    EXPECT_GT(MetresBetween(*point, osgb36), 120.0);
}

TEST(PlacesTest, GridReferencesThatAreNotOnTheGridAreRefused) {
    for (const char* bad : {"", "SU", "SU1", "SU12345", "SU 12345", "SI123456", "SU12a456",
                            "1U123456", "SU123456789012"})
        EXPECT_FALSE(GridReferenceToWgs84(bad)) << bad;
    EXPECT_TRUE(GridReferenceToWgs84("SU12"));
    EXPECT_TRUE(GridReferenceToWgs84("SU1234567890"));
}

TEST(PlacesTest, TypedPlacesAreAGridReferenceOrLatitudeAndLongitude) {
    const auto comma = ParsePlace("51.4789, -0.0015");
    ASSERT_TRUE(comma);
    EXPECT_DOUBLE_EQ(comma->latitude, 51.4789);
    EXPECT_DOUBLE_EQ(comma->longitude, -0.0015);
    const auto blank = ParsePlace("  51.4789 -0.0015 ");
    ASSERT_TRUE(blank);
    EXPECT_DOUBLE_EQ(blank->longitude, -0.0015);
    EXPECT_TRUE(ParsePlace("su 123 456"));
    for (const char* bad : {"", "51.5", "91, 0", "51.5, 200", "Ely", "51.5,,0"})
        EXPECT_FALSE(ParsePlace(bad)) << bad;
}

TEST_F(GrabsFixture, TowersArePlacedByLatitudeAndLongitudeElseByGridReference) {
    const TowerDatabase& db = doc->Database();
    const auto alpha = GeoPositionOfTower(db, kAlpha);
    ASSERT_TRUE(alpha);
    EXPECT_DOUBLE_EQ(alpha->latitude, 52.0);
    EXPECT_DOUBLE_EQ(alpha->longitude, -1.0);
    // Echo has only SP000000: the south-west corner square of SP, near 51.7 N 2.0 W.
    const auto echo = GeoPositionOfTower(db, kEcho);
    ASSERT_TRUE(echo);
    EXPECT_NEAR(echo->latitude, 51.71, 0.05);
    EXPECT_NEAR(echo->longitude, -1.99, 0.05);
    EXPECT_FALSE(GeoPositionOfTower(db, kFoxtrot));

    const TowerPlaces places(db);
    EXPECT_EQ(places.Count(), kHandDatabaseCount);
    EXPECT_EQ(places.WithoutPosition(), 1);
    EXPECT_FALSE(places.HasPosition(kFoxtrot));
    EXPECT_FALSE(places.HasPosition(-1));
    EXPECT_FALSE(places.HasPosition(kHandDatabaseCount));
    EXPECT_TRUE(places.HasPosition(kEcho));
}

}  // namespace
}  // namespace chimeset::testing
