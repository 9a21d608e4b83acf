// The towers as the map shows them: placing, counting what cannot be placed, categories.
#include <gtest/gtest.h>

#include "common/FileFormats.h"
#include "dove/DoveImport.h"
#include "map/GridProjection.h"
#include "tests/map/MapFixture.h"
#include "tests/support/TempDir.h"

using namespace chimeset;
using namespace chimeset::testing;

using MapTowersTest = MapFixture;

namespace {
const MapTower* Placed(const MapTowers& towers, std::int32_t tower) {
    const std::int32_t slot = towers.Find(tower);
    return slot < 0 ? nullptr : &towers.Towers()[static_cast<std::size_t>(slot)];
}
}  // namespace

TEST_F(MapTowersTest, EveryPlaceableTowerIsPlacedAndTheRestCounted) {
    MapTowers towers;
    towers.Build(doc->Database(), CategoriesOf(*doc), BuiltInMap().Bounds());
    const MapTowerCounts& counts = towers.Counts();
    EXPECT_EQ(counts.placed, 6);  // London, Dublin, Douglas, St Peter Port, Exeter, Norwich
    EXPECT_EQ(counts.impossible, 3);
    EXPECT_EQ(counts.outside, 1);
    EXPECT_EQ(counts.noPosition, 1);
    EXPECT_EQ(counts.NotDrawn(), 5);
    for (const std::int32_t tower : {5, 6, 7, 8, 9}) EXPECT_EQ(towers.Find(tower), -1) << tower;
    // Exeter has a grid reference alone: placed in the middle of its 100 m square.
    const MapTower* exeter = Placed(towers, 4);
    ASSERT_TRUE(exeter);
    EXPECT_DOUBLE_EQ(exeter->point.easting, 292150);
    EXPECT_DOUBLE_EQ(exeter->point.northing, 92550);
    // London has both: its latitude and longitude win, within 100 m of its grid reference.
    const MapTower* london = Placed(towers, 0);
    ASSERT_TRUE(london);
    EXPECT_NEAR(london->point.easting, 532050, 150);
    EXPECT_NEAR(london->point.northing, 181150, 150);
}

TEST_F(MapTowersTest, EveryPlacedDotLandsOnLand) {
    MapTowers towers;
    towers.Build(doc->Database(), {}, BuiltInMap().Bounds());
    ASSERT_EQ(towers.Towers().size(), 6u);
    for (const MapTower& tower : towers.Towers())
        EXPECT_TRUE(BuiltInMap().IsOnLand(tower.point.easting, tower.point.northing))
            << doc->Database().GetTowerField(tower.tower, kLocn);
}

namespace {
// Whether land lies within so many metres of a point (the point and eight around it).
bool NearLand(const MapData& map, GridPoint p, double reach) {
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
            if (map.IsOnLand(p.easting + dx * reach, p.northing + dy * reach)) return true;
    return false;
}
}  // namespace

TEST_F(MapTowersTest, TheSampleDatabasesTowersLandOnLand) {
    // The invented sample shipped with the program was kept on the land of the 3 km picture:
    // each of its towers is on land, or within a pixel of that picture of it.
    const char* source = std::getenv("CHIMESET_SOURCE_DIR");
    TowerDatabase sample;
    ASSERT_TRUE(
        sample.LoadFile(std::string(source ? source : ".") + "/resources/data/DoveData.CB0").ok);
    MapTowers towers;
    towers.Build(sample, {}, BuiltInMap().Bounds());
    EXPECT_GT(towers.Counts().placed, 20);
    for (const MapTower& tower : towers.Towers())
        EXPECT_TRUE(NearLand(BuiltInMap(), tower.point, 3000))
            << sample.GetTowerField(tower.tower, kLocn);
}

TEST_F(MapTowersTest, TheRealDatabasesTowersLandOnLand) {
    const char* data = std::getenv("CHIMESET_SHARED_DATA");
    const std::string csvPath = std::string(data ? data : "") + "/dove48.csv";
    const std::string csv = ReadBytes(csvPath);
    if (!data || csv.empty()) GTEST_SKIP() << "no Dove's Guide download at " << csvPath;
    std::vector<std::string> lines;
    DoveImportSummary summary;
    DoveImportError error;
    ASSERT_TRUE(ConvertDoveCsv(csv, {}, lines, summary, error)) << error.message;
    TowerDatabase real;
    ASSERT_TRUE(real.Parse(lines).ok);
    MapTowers towers;
    towers.Build(real, {}, BuiltInMap().Bounds());
    // Nearly every tower of the islands is placed: a handful lack a position, the rest of
    // those not drawn are abroad.
    EXPECT_GT(towers.Counts().placed, real.GetDatabaseCount() * 95 / 100);
    int onLand = 0;
    int nearLand = 0;
    for (const MapTower& tower : towers.Towers()) {
        onLand += BuiltInMap().IsOnLand(tower.point.easting, tower.point.northing);
        nearLand += NearLand(BuiltInMap(), tower.point, 300);
    }
    // Towers stand on the shore; the shoreline is simplified to 40 m and has its own errors.
    EXPECT_GT(onLand, towers.Counts().placed * 99 / 100);
    EXPECT_GT(nearLand, towers.Counts().placed * 998 / 1000);
}

TEST_F(MapTowersTest, CategoriesFollowTheLogAndDrawTheBestLast) {
    OpenLog();
    const std::vector<DotCategory> categories = CategoriesOf(*doc);
    ASSERT_EQ(categories.size(), 11u);
    EXPECT_EQ(categories[0], DotCategory::Visited);
    EXPECT_EQ(categories[1], DotCategory::Pealed);
    EXPECT_EQ(categories[2], DotCategory::Quartered);
    EXPECT_EQ(categories[3], DotCategory::NotVisited);
    EXPECT_EQ(categories[4], DotCategory::Visited);
    EXPECT_EQ(VisitedCount(*doc), 4);
    MapTowers towers;
    towers.Build(doc->Database(), categories, BuiltInMap().Bounds());
    const auto& all = towers.Towers();
    for (std::size_t i = 1; i < all.size(); ++i)
        EXPECT_LE(all[i - 1].look.category, all[i].look.category);
    EXPECT_EQ(all.back().tower, 1);  // Dublin, pealed, on top
    // The dot under a point: Douglas from 300 m away, nothing from 30 km out at sea.
    const MapTower* douglas = Placed(towers, 2);
    ASSERT_TRUE(douglas);
    EXPECT_EQ(towers.TowerAt({douglas->point.easting + 300, douglas->point.northing}, 500), 2);
    EXPECT_EQ(towers.TowerAt({douglas->point.easting + 30000, douglas->point.northing}, 500), -1);
}

TEST_F(MapTowersTest, OnlyTheShownListWhenAsked) {
    OpenLog();
    ASSERT_TRUE(doc->SetFilter(kFilterPealed));
    const std::vector<std::int32_t> shown = ShownTowers(*doc);
    EXPECT_EQ(shown, std::vector<std::int32_t>{1});
    MapTowers towers;
    towers.Build(doc->Database(), CategoriesOf(*doc), BuiltInMap().Bounds(), &shown);
    ASSERT_EQ(towers.Towers().size(), 1u);
    EXPECT_EQ(towers.Towers()[0].tower, 1);
    // A list naming a tower twice, or towers that do not exist, places each real one once.
    const std::vector<std::int32_t> odd = {0, 0, -1, 99, 8};
    towers.Build(doc->Database(), {}, BuiltInMap().Bounds(), &odd);
    EXPECT_EQ(towers.Counts().placed, 1);
    EXPECT_EQ(towers.Counts().outside, 1);
}

TEST_F(MapTowersTest, ThePosterNamesTheRingerAndCreditsDovesGuide) {
    MapPosterText text = PosterTextOf(*doc);
    EXPECT_EQ(text.subtitle, "");
    EXPECT_NE(text.credit.find("Dove's Guide"), std::string::npos);
    OpenLog();
    text = PosterTextOf(*doc);
    EXPECT_EQ(text.title, "Ringer One");
    EXPECT_EQ(text.subtitle, "4 towers visited");
    // Invented data owes no credit.
    TempDir other;
    other.WriteLines("DoveData.CB0", {std::string(kTowerFieldNames), "; Invented sample data",
                                      "A\\B\\C\\TQ320811\\\\\\6\\500\\1"});
    CChimesetDoc sample(other.Path(), prompter, settings, [] { return LocalDate{2026, 1, 1}; });
    EXPECT_EQ(PosterTextOf(sample).credit, "");
}
