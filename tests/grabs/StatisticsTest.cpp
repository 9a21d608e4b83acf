// The statistics of the hand log, worked out by hand: each tower once, by its earliest dates.
#include "grabs/GrabStatistics.h"
#include "tests/grabs/GrabsFixture.h"

namespace chimeset::testing {
namespace {

struct Expected {
    const char* label;
    std::int32_t towers;
    std::int32_t visited;
    bool complete;
};

void ExpectRows(const std::vector<ShareRow>& rows, const std::vector<Expected>& expected) {
    ASSERT_EQ(rows.size(), expected.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(expected[i].label);
        EXPECT_EQ(rows[i].label, expected[i].label);
        EXPECT_EQ(rows[i].towers, expected[i].towers);
        EXPECT_EQ(rows[i].visited, expected[i].visited);
        EXPECT_EQ(rows[i].Complete(), expected[i].complete);
    }
}

TEST_F(GrabsFixture, TotalsCountEachTowerOnceAndKeepUndatedVisits) {
    OpenHandLog();
    const TowerVisits visits(*doc);
    const GrabTotals totals = ComputeGrabStatistics(*doc, visits).totals;
    EXPECT_EQ(totals.databaseTowers, 7);
    EXPECT_EQ(totals.visitedDatabase, 3);  // Alpha (twice), Bravo, Delta; not Foxtrot
    EXPECT_EQ(totals.additionalTowers, 2);
    EXPECT_EQ(totals.visited, 5);
    EXPECT_EQ(totals.quartered, 2);  // Alpha, India: Foxtrot's quarter has no visit
    EXPECT_EQ(totals.pealed, 1);
    EXPECT_EQ(totals.unknownDate, 1);
    EXPECT_EQ(totals.yearOnly, 1);
    EXPECT_NEAR(totals.Share(), 3.0 / 7.0, 1e-12);
    // Alpha's earliest visit is the 2005 one, whichever entry comes first.
    EXPECT_EQ(visits.Of(kAlpha).visit, MakePackedDate(1, 1, 2005));
    EXPECT_EQ(visits.Of(kAlpha).quarter, MakePackedDate(7, 3, 2010));
    EXPECT_FALSE(visits.Of(kFoxtrot).Visited());
    EXPECT_EQ(visits.Of(kFoxtrot).quarter, 0);
}

TEST_F(GrabsFixture, CountiesTakeAdditionalTowersUnderTheirOwnCountyOrApart) {
    OpenHandLog();
    const TowerVisits visits(*doc);
    GrabStatistics stats = ComputeGrabStatistics(*doc, visits);
    ExpectRows(stats.counties, {{"(no county)", 1, 0, false},
                                {"Additional towers", 1, 1, true},
                                {"Devon", 4, 3, false},
                                {"Kent", 1, 0, false},
                                {"Ynys M\xF4n", 2, 1, false}});
    SortShareRows(stats.counties, ShareOrder::Share, true);
    EXPECT_EQ(stats.counties[0].label, "Additional towers");
    EXPECT_EQ(stats.counties[1].label, "Devon");
    EXPECT_EQ(stats.counties[2].label, "Ynys M\xF4n");
    // Equal shares keep name order.
    EXPECT_EQ(stats.counties[3].label, "(no county)");
    EXPECT_EQ(stats.counties[4].label, "Kent");
    SortShareRows(stats.counties, ShareOrder::Towers, false);
    EXPECT_EQ(stats.counties.back().label, "Devon");
    SortShareRows(stats.counties, ShareOrder::Name, true);
    EXPECT_EQ(stats.counties.front().label, "Ynys M\xF4n");
}

TEST_F(GrabsFixture, BellsAndWeightBandsCoverEveryTower) {
    OpenHandLog();
    const TowerVisits visits(*doc);
    const GrabStatistics stats = ComputeGrabStatistics(*doc, visits);
    ExpectRows(stats.bells, {{"1-2", 1, 0, false},
                             {"3", 1, 0, false},
                             {"4", 1, 1, true},
                             {"5", 1, 0, false},
                             {"6", 2, 2, true},
                             {"8", 1, 1, true},
                             {"10", 1, 1, true},
                             {"12+", 1, 0, false}});
    ExpectRows(stats.weights, {{"under 5 cwt", 3, 1, false},
                               {"5-10 cwt", 1, 1, true},
                               {"10-15 cwt", 1, 1, true},
                               {"15-20 cwt", 1, 1, true},
                               {"30 cwt and over", 2, 1, false},
                               {"unknown", 1, 0, false}});
}

TEST_F(GrabsFixture, YearsCountFirstVisitsPealsAndTheRunningTotal) {
    OpenHandLog();
    const TowerVisits visits(*doc);
    const std::vector<YearRow> years = ComputeGrabStatistics(*doc, visits).years;
    struct Row {
        int year, first, quarters, peals, running;
    };
    const std::vector<Row> expected{{0, 1, 0, 0, 1},
                                    {2005, 1, 0, 0, 2},
                                    {2010, 1, 1, 0, 3},
                                    {2011, 2, 1, 0, 5},
                                    {2012, 0, 0, 1, 5}};
    ASSERT_EQ(years.size(), expected.size());
    for (std::size_t i = 0; i < years.size(); ++i) {
        SCOPED_TRACE(expected[i].year);
        EXPECT_EQ(years[i].year, expected[i].year);
        EXPECT_EQ(years[i].firstVisits, expected[i].first);
        EXPECT_EQ(years[i].quarterPeals, expected[i].quarters);
        EXPECT_EQ(years[i].peals, expected[i].peals);
        EXPECT_EQ(years[i].runningTotal, expected[i].running);
    }
}

TEST_F(GrabsFixture, NoLogGivesTheDatabaseWithNothingVisited) {
    const TowerVisits visits(*doc);
    const GrabStatistics stats = ComputeGrabStatistics(*doc, visits);
    EXPECT_EQ(stats.totals.visited, 0);
    EXPECT_EQ(stats.totals.databaseTowers, 7);
    EXPECT_DOUBLE_EQ(stats.totals.Share(), 0.0);
    EXPECT_TRUE(stats.years.empty());
    std::int32_t towers = 0;
    for (const ShareRow& row : stats.counties) towers += row.towers;
    EXPECT_EQ(towers, 7);
}

TEST(StatisticsLabelsTest, BellsAndWeightBoundaries) {
    EXPECT_EQ(BellsLabel(0), "unknown");
    EXPECT_EQ(BellsLabel(-1), "unknown");
    EXPECT_EQ(BellsLabel(1), "1-2");
    EXPECT_EQ(BellsLabel(2), "1-2");
    EXPECT_EQ(BellsLabel(7), "7");
    EXPECT_EQ(BellsLabel(12), "12+");
    EXPECT_EQ(BellsLabel(16), "12+");
    EXPECT_EQ(WeightBandLabel("559"), "under 5 cwt");
    EXPECT_EQ(WeightBandLabel("560"), "5-10 cwt");
    EXPECT_EQ(WeightBandLabel("3359"), "20-30 cwt");
    EXPECT_EQ(WeightBandLabel("3360"), "30 cwt and over");
    EXPECT_EQ(WeightBandLabel(""), "unknown");
    EXPECT_EQ(WeightBandLabel("0"), "unknown");
    EXPECT_EQ(WeightBandLabel("12-1-0"), "unknown");
}

}  // namespace
}  // namespace chimeset::testing

namespace chimeset::testing {
namespace {

TEST_F(GrabsFixture, CountiesSpelledInAnotherCaseAreOneCounty) {
    dir.WriteLines("DoveData.CB0", {std::string(kTowerFieldNames), "A\\x\\Devon\\\\\\\\6\\1\\1",
                                    "B\\x\\DEVON\\\\\\\\6\\1\\2", "C\\x\\devon \\\\\\\\6\\1\\3",
                                    "D\\x\\Dorset\\\\\\\\6\\1\\4"});
    doc = std::make_unique<CChimesetDoc>(dir.Path(), prompter, settings, [] {
        return LocalDate{2026, 12, 7};
    });
    std::string noUser;
    ASSERT_TRUE(doc->OpenLog(
        dir.WriteLines("L.CBL", {std::string(kVersion2Header), "B\\\\\\\\\\\\6\\1\\2\\1\\0\\0\\"}),
        noUser));
    const TowerVisits visits(*doc);
    const GrabStatistics stats = ComputeGrabStatistics(*doc, visits);
    // The first spelling names the county.
    ExpectRows(stats.counties, {{"Devon", 3, 1, false}, {"Dorset", 1, 0, false}});
}

}  // namespace
}  // namespace chimeset::testing
