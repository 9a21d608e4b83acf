// Towers near a place: geodesic distances checked against the meridian and parallel arcs
// worked out by hand, the compass points, the filters and the towers that cannot be placed.
#include "grabs/TowersNear.h"
#include "tests/grabs/GrabsFixture.h"

namespace chimeset::testing {
namespace {

std::vector<std::string> Names(const CChimesetDoc& doc, const NearResult& result) {
    std::vector<std::string> names;
    for (const NearTower& item : result.towers)
        names.push_back(doc.Database().GetTowerField(item.tower, kLocn));
    return names;
}

TEST(NearTest, RadiusNeedsAPositiveNumberAndAUnit) {
    std::string error;
    auto radius = ParseRadius("10mi", error);
    ASSERT_TRUE(radius);
    EXPECT_DOUBLE_EQ(radius->Metres(), 16093.44);
    radius = ParseRadius("16 km", error);
    ASSERT_TRUE(radius);
    EXPECT_EQ(radius->unit, DistanceUnit::Kilometres);
    EXPECT_DOUBLE_EQ(radius->Metres(), 16000);
    radius = ParseRadius("2.5Miles", error);
    ASSERT_TRUE(radius);
    EXPECT_DOUBLE_EQ(radius->value, 2.5);
    for (const char* bad : {"", "10", "mi", "0mi", "0.0km", "-5mi", "abc", "1e5mi", "10 furlongs",
                            "1.2.3km", "99999mi"}) {
        error.clear();
        EXPECT_FALSE(ParseRadius(bad, error)) << bad;
        EXPECT_FALSE(error.empty()) << bad;
    }
}

TEST(NearTest, CompassPointsAndDistanceText) {
    EXPECT_STREQ(CompassPoint(0), "N");
    EXPECT_STREQ(CompassPoint(22.4), "N");
    EXPECT_STREQ(CompassPoint(22.5), "NE");
    EXPECT_STREQ(CompassPoint(90), "E");
    EXPECT_STREQ(CompassPoint(200), "S");
    EXPECT_STREQ(CompassPoint(337.4), "NW");
    EXPECT_STREQ(CompassPoint(337.5), "N");
    EXPECT_STREQ(CompassPoint(359.9), "N");
    EXPECT_STREQ(CompassPoint(-45), "NW");
    EXPECT_EQ(FormatDistance(5149.9, 45, DistanceUnit::Miles), "3.2 mi NE");
    EXPECT_EQ(FormatDistance(5100, 225, DistanceUnit::Kilometres), "5.1 km SW");
    EXPECT_EQ(FormatDistance(10, 90, DistanceUnit::Miles), "0.0 mi");
}

TEST_F(GrabsFixture, NearListIsSortedByGeodesicDistanceWithBearings) {
    OpenHandLog();
    const TowerVisits visits(*doc);
    const TowerPlaces places(doc->Database());
    NearFilter filter;
    filter.radius = {10, DistanceUnit::Miles};
    const NearResult near =
        FindTowersNear(doc->Database(), visits, places, places.At(kAlpha), filter, kAlpha);
    EXPECT_EQ(Names(*doc, near),
              (std::vector<std::string>{"Golf", "India", "Charlie", "Bravo", "Delta"}));
    // Foxtrot, and the additional tower Hotel, have no position.
    EXPECT_EQ(near.withoutPosition, 2);
    ASSERT_EQ(near.towers.size(), 5u);
    // A tenth of a degree of latitude at 52 N is 11,126.8 m of meridian.
    EXPECT_NEAR(near.towers[3].metres, 11126.8, 1.0);
    EXPECT_NEAR(near.towers[3].bearing, 0.0, 1e-6);
    // A fifth of a degree of longitude along 52 N: N cos(52) x 0.2 degree = 13,735.7 m.
    EXPECT_NEAR(near.towers[4].metres, 13735.7, 2.0);
    EXPECT_NEAR(near.towers[4].bearing, 90.0, 0.2);
    EXPECT_EQ(FormatDistance(near.towers[0].metres, near.towers[0].bearing, DistanceUnit::Miles),
              "0.7 mi N");
    EXPECT_EQ(FormatDistance(near.towers[2].metres, near.towers[2].bearing, DistanceUnit::Miles),
              "4.1 mi SE");
    EXPECT_EQ(
        FormatDistance(near.towers[3].metres, near.towers[3].bearing, DistanceUnit::Kilometres),
        "11.1 km N");
    EXPECT_EQ(FormatDistance(near.towers[4].metres, near.towers[4].bearing, DistanceUnit::Miles),
              "8.5 mi E");
}

TEST_F(GrabsFixture, RadiusIsInclusiveOfItsEdgeOnly) {
    OpenHandLog();
    const TowerVisits visits(*doc);
    const TowerPlaces places(doc->Database());
    NearFilter filter;
    // Bravo lies 11.127 km away: 11.2 km takes it, 11.1 km leaves it out.
    filter.radius = {11.13, DistanceUnit::Kilometres};
    auto names = Names(
        *doc, FindTowersNear(doc->Database(), visits, places, places.At(kAlpha), filter, kAlpha));
    EXPECT_EQ(names.back(), "Bravo");
    filter.radius = {11.12, DistanceUnit::Kilometres};
    names = Names(
        *doc, FindTowersNear(doc->Database(), visits, places, places.At(kAlpha), filter, kAlpha));
    EXPECT_EQ(names.back(), "Charlie");
    // A place rather than a tower: the tower at it is listed, at no distance.
    filter.radius = {1, DistanceUnit::Miles};
    names =
        Names(*doc, FindTowersNear(doc->Database(), visits, places, GeoPoint{52, -1}, filter, -1));
    EXPECT_EQ(names, (std::vector<std::string>{"Alpha", "Golf"}));
}

TEST_F(GrabsFixture, FiltersKeepUnvisitedTowersAndEnoughBells) {
    OpenHandLog();
    const TowerVisits visits(*doc);
    const TowerPlaces places(doc->Database());
    NearFilter filter;
    filter.unvisitedOnly = true;
    EXPECT_EQ(Names(*doc, FindTowersNear(doc->Database(), visits, places, places.At(kAlpha), filter,
                                         kAlpha)),
              (std::vector<std::string>{"Golf", "Charlie"}));
    filter.unvisitedOnly = false;
    filter.minBells = 6;
    EXPECT_EQ(Names(*doc, FindTowersNear(doc->Database(), visits, places, places.At(kAlpha), filter,
                                         kAlpha)),
              (std::vector<std::string>{"India", "Bravo", "Delta"}));
    filter.unvisitedOnly = true;
    EXPECT_TRUE(FindTowersNear(doc->Database(), visits, places, places.At(kAlpha), filter, kAlpha)
                    .towers.empty());
}

TEST_F(GrabsFixture, TheBoxAroundThePlaceLosesNoTowerAcrossTheDateLineOrNearThePole) {
    dir.WriteLines("DoveData.CB0",
                   {std::string(kTowerFieldNames), "East\\A\\X\\\\-41.0\\179.95\\6\\1\\1",
                    "West\\B\\X\\\\-41.0\\-179.95\\6\\1\\2", "Pole\\C\\X\\\\89.9\\10\\6\\1\\3",
                    "Other side\\D\\X\\\\89.9\\-170\\6\\1\\4"});
    doc = std::make_unique<CChimesetDoc>(dir.Path(), prompter, settings, [] {
        return LocalDate{2026, 12, 7};
    });
    const TowerVisits visits(*doc);
    const TowerPlaces places(doc->Database());
    NearFilter filter;
    filter.radius = {10, DistanceUnit::Kilometres};
    auto near = FindTowersNear(doc->Database(), visits, places, places.At(0), filter, 0);
    ASSERT_EQ(near.towers.size(), 1u);  // 8.4 km over the date line
    EXPECT_EQ(near.towers[0].tower, 1);
    EXPECT_STREQ(CompassPoint(near.towers[0].bearing), "E");
    filter.radius = {30, DistanceUnit::Kilometres};
    near = FindTowersNear(doc->Database(), visits, places, places.At(2), filter, 2);
    ASSERT_EQ(near.towers.size(), 1u);  // 22 km over the pole
    EXPECT_EQ(near.towers[0].tower, 3);
}

}  // namespace
}  // namespace chimeset::testing
