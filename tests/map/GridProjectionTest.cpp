// Placing towers on the National Grid.
#include <gtest/gtest.h>

#include "map/GridProjection.h"

using namespace chimeset;

namespace {
double Degrees(int d, int m, double s) {
    return d + m / 60.0 + s / 3600.0;
}
}  // namespace

TEST(GridProjectionTest, TheGridsProjectionMatchesTheOrdnanceSurveysWorkedExample) {
    // The worked example of the Ordnance Survey's guide to coordinate systems in Great
    // Britain: 52°39'27.2531"N 1°43'4.5177"E on OSGB36.
    const GridPoint point = ProjectOsgb36(Degrees(52, 39, 27.2531), Degrees(1, 43, 4.5177));
    EXPECT_NEAR(point.easting, 651409.903, 0.01);
    EXPECT_NEAR(point.northing, 313177.270, 0.01);
}

TEST(GridProjectionTest, Wgs84PositionsAgreeWithAnIndependentTransformation) {
    // Figures of PROJ (through GMT's mapproject) for EPSG:27700 with the same seven-parameter
    // shift: the program's towers and the map's coastlines must agree.
    struct Case {
        const char* place;
        double latitude, longitude, easting, northing;
    };
    const Case cases[] = {
        {"London", 51.5074, -0.1278, 530028.7, 180380.1},
        {"Dublin", 53.3498, -6.2603, 116569.9, 392121.5},
        {"Douglas", 54.1523, -4.4814, 238048.4, 475787.9},
        {"St Peter Port", 49.4565, -2.5369, 361184.7, -49196.6},
        {"Edinburgh", 55.9533, -3.1883, 325897.2, 674001.2},
    };
    for (const Case& c : cases) {
        const auto point = ProjectWgs84(c.latitude, c.longitude);
        ASSERT_TRUE(point) << c.place;
        EXPECT_NEAR(point->easting, c.easting, 1.0) << c.place;
        EXPECT_NEAR(point->northing, c.northing, 1.0) << c.place;
    }
    // Without the shift London would be more than 100 m out.
    const GridPoint unshifted = ProjectOsgb36(51.5074, -0.1278);
    EXPECT_GT(std::abs(unshifted.easting - 530028.7), 100);
}

TEST(GridProjectionTest, DegreesAreReadStrictly) {
    EXPECT_DOUBLE_EQ(*ParseDegrees("51.75029"), 51.75029);
    EXPECT_DOUBLE_EQ(*ParseDegrees("-2.70051"), -2.70051);
    EXPECT_DOUBLE_EQ(*ParseDegrees(" +3 "), 3);
    EXPECT_DOUBLE_EQ(*ParseDegrees(".5"), 0.5);
    for (const char* bad :
         {"", " ", "-", ".", "1.2.3", "51N", "fifty", "1e5", "--1", "1234567890123456"})
        EXPECT_FALSE(ParseDegrees(bad)) << bad;
}

TEST(GridProjectionTest, ATowerIsPlacedFromTheBestPositionItHas) {
    // Latitude and longitude first, even when a grid reference is there too.
    TowerPosition p = PositionOfTower("51.5074", "-0.1278", "SU000000");
    EXPECT_EQ(p.source, PositionSource::LatLong);
    EXPECT_NEAR(p.point.easting, 530028.7, 1);
    // The grid reference when there is no latitude and longitude: the middle of its 100 m.
    p = PositionOfTower("", "", "TQ300803");
    EXPECT_EQ(p.source, PositionSource::GridReference);
    EXPECT_DOUBLE_EQ(p.point.easting, 530050);
    EXPECT_DOUBLE_EQ(p.point.northing, 180350);
    // ...and when the latitude is impossible.
    p = PositionOfTower("95", "-1", "TQ300803");
    EXPECT_EQ(p.source, PositionSource::GridReference);
    // Impossible positions with nothing to fall back on.
    for (const auto& [lat, lon] : std::vector<std::pair<const char*, const char*>>{{"0", "-1.5"},
                                                                                   {"95", "-1.5"},
                                                                                   {"-91", "0"},
                                                                                   {"52", "181"},
                                                                                   {"north", "-1"},
                                                                                   {"52", ""},
                                                                                   {"", "-1"},
                                                                                   {"0.0", "0.0"}})
        EXPECT_EQ(PositionOfTower(lat, lon, "").source, PositionSource::Impossible)
            << lat << " " << lon;
    EXPECT_EQ(PositionOfTower("", "", "XX123").source, PositionSource::Impossible);
    EXPECT_EQ(PositionOfTower("", "", "").source, PositionSource::None);
    EXPECT_EQ(PositionOfTower(" ", "", "  ").source, PositionSource::None);
    // Far away: Sydney, New York.
    EXPECT_EQ(PositionOfTower("-33.8688", "151.2093", "").source, PositionSource::Faraway);
    EXPECT_EQ(PositionOfTower("40.7128", "-74.0060", "").source, PositionSource::Faraway);
    EXPECT_FALSE(PositionOfTower("40.7128", "-74.0060", "").IsPlaced());
}
