// The details in the towers-near list, its filters, the statistics over ringable towers, the
// waypoints' descriptions and the command line's --ringable-only, on a database worked out by
// hand; and the same switches on a database without details, which must change nothing.
#include <cstdlib>
#include <regex>
#include <sstream>

#include "common/TextFile.h"
#include "grabs/GrabStatistics.h"
#include "grabs/GrabsCommand.h"
#include "grabs/GrabsTables.h"
#include "grabs/TowerPlaces.h"
#include "grabs/TowerVisits.h"
#include "grabs/TowersNear.h"
#include "tests/grabs/DetailsFixture.h"
#include "tests/grabs/GrabsFixture.h"

namespace chimeset::testing {
namespace {

std::vector<std::string> NearNames(const CChimesetDoc& doc, const NearFilter& filter) {
    const TowerVisits visits(doc);
    const TowerPlaces places(doc.Database());
    const NearResult near = FindTowersNear(doc.Database(), visits, places, places.At(0), filter, 0);
    std::vector<std::string> names;
    for (const NearTower& item : near.towers)
        names.push_back(doc.Database().GetTowerField(item.tower, kLocn));
    return names;
}

using Names = std::vector<std::string>;

TEST_F(DetailsFixture, NearFiltersKeepRingableTowersAndThoseThatPractiseOnTheDay) {
    OpenLog();
    NearFilter filter;
    EXPECT_EQ(NearNames(*doc, filter), (Names{"Echo", "Charlie", "Bravo", "Delta"}));
    filter.ringableOnly = true;  // Bravo "u/r" and Delta "N" go; Charlie, not known, stays
    EXPECT_EQ(NearNames(*doc, filter), (Names{"Echo", "Charlie"}));
    filter.ringableOnly = false;
    filter.practiceDay = Weekday::kTuesday;  // Delta's Tuesday is in brackets: not its night
    EXPECT_EQ(NearNames(*doc, filter), (Names{"Charlie"}));
    filter.practiceDay = Weekday::kThursday;
    EXPECT_EQ(NearNames(*doc, filter), (Names{"Delta"}));
    filter.ringableOnly = true;
    EXPECT_EQ(NearNames(*doc, filter), (Names{}));
    filter.ringableOnly = false;
    filter.practiceDay = Weekday::kMonday;  // "PN: by arrangement" names no day
    EXPECT_EQ(NearNames(*doc, filter), (Names{}));
    filter.practiceDay.reset();
    filter.unvisitedOnly = true;
    filter.ringableOnly = true;
    filter.minBells = 4;
    EXPECT_EQ(NearNames(*doc, filter), (Names{"Echo"}));
}

TEST_F(GrabsFixture, RingableOnlyKeepsEveryTowerOfADatabaseWithoutDetails) {
    OpenHandLog();
    NearFilter filter;
    const Names all = NearNames(*doc, filter);
    filter.ringableOnly = true;
    EXPECT_EQ(NearNames(*doc, filter), all);
    EXPECT_EQ(all.size(), 5u);
    filter.practiceDay = Weekday::kTuesday;  // nothing known of any practice
    EXPECT_EQ(NearNames(*doc, filter), (Names{}));

    const TowerVisits visits(*doc);
    const std::vector<Table> every = StatisticsTables(ComputeGrabStatistics(*doc, visits));
    const std::vector<Table> ringable = StatisticsTables(ComputeGrabStatistics(*doc, visits, true));
    ASSERT_EQ(every.size(), ringable.size());
    for (std::size_t t = 1; t < every.size(); ++t) {
        ASSERT_EQ(every[t].rows.size(), ringable[t].rows.size()) << every[t].name;
        for (std::size_t r = 0; r < every[t].rows.size(); ++r)
            for (std::size_t c = 0; c < every[t].rows[r].size(); ++c)
                EXPECT_EQ(every[t].rows[r][c].text, ringable[t].rows[r][c].text) << every[t].name;
    }
    EXPECT_EQ(ringable[0].rows.back()[0].text, "Unringable towers not counted");
    EXPECT_EQ(ringable[0].rows.back()[1].text, "0");
}

TEST_F(DetailsFixture, NearTableShowsRingableAndPracticeAsGiven) {
    OpenLog();
    const TowerVisits visits(*doc);
    const TowerPlaces places(doc->Database());
    const NearResult near =
        FindTowersNear(doc->Database(), visits, places, places.At(kDAlpha), NearFilter{}, -1);
    const Table table = NearTable(doc->Database(), visits, places, near, DistanceUnit::Miles);
    ASSERT_EQ(table.columns.size(), 10u);
    EXPECT_EQ(table.columns[6], "Ringable");
    EXPECT_EQ(table.columns[7], "Practice");
    ASSERT_EQ(table.rows.size(), 5u);
    std::vector<std::pair<std::string, std::string>> shown;
    for (const auto& row : table.rows) shown.emplace_back(row[6].text, row[7].text);
    EXPECT_EQ(shown, (std::vector<std::pair<std::string, std::string>>{
                         {"yes", "Tue"},                            // Alpha
                         {"yes", "PN: by arrangement"},             // Echo
                         {"", "Tue (2nd & 4th)"},                   // Charlie
                         {"no", ""},                                // Bravo
                         {"no", "Thu (alt with Tue at Ashby)"}}));  // Delta
    EXPECT_EQ(table.rows[4][8].text, "52.00000");                   // the position after them
}

TEST(NearDetailsTest, OddValuesShowAsTheyAreAndALongPracticeNightIsCut) {
    TempDir dir;
    std::string practice = "Tue (2nd & 4th)";
    while (practice.size() < 10000) practice += " or by arrangement";
    dir.WriteLines("DoveData.CB0",
                   {std::string(kTowerFieldNames) + "\\" + std::string(kTowerDetailNames),
                    "Here\\St A\\C\\\\52.0\\-1.0\\6\\500\\1\\maybe\\" + practice,
                    "There\\St B\\C\\\\52.01\\-1.0\\6\\500\\2\\N/A\\\xA0Mon\t"});
    FakePrompter prompter;
    MemorySettings settings;
    CChimesetDoc doc(dir.Path(), prompter, settings, [] { return LocalDate{2026, 12, 7}; });
    ASSERT_TRUE(doc.IsDatabaseLoaded());
    const TowerVisits visits(doc);
    const TowerPlaces places(doc.Database());
    NearFilter filter;
    filter.ringableOnly = true;  // neither "maybe" nor "N/A" says unringable
    const NearResult near = FindTowersNear(doc.Database(), visits, places, places.At(1), filter);
    ASSERT_EQ(near.towers.size(), 2u);
    const Table table = NearTable(doc.Database(), visits, places, near, DistanceUnit::Miles);
    EXPECT_EQ(table.rows[0][6].text, "");  // There: "N/A" is not an answer
    EXPECT_EQ(table.rows[1][6].text, "");
    const std::string& shown = table.rows[1][7].text;
    EXPECT_LE(shown.size(), kLongestDetailShown);
    EXPECT_EQ(shown.rfind("Tue (2nd & 4th) or by arrangement", 0), 0u);
    EXPECT_EQ(shown.substr(shown.size() - 3), "...");
    filter.practiceDay = Weekday::kTuesday;
    EXPECT_EQ(FindTowersNear(doc.Database(), visits, places, places.At(1), filter).towers.size(),
              1u);
}

TEST_F(DetailsFixture, StatisticsOverRingableTowersLeaveOutOnlyTheUnvisitedUnringable) {
    OpenLog();
    const TowerVisits visits(*doc);
    const GrabStatistics every = ComputeGrabStatistics(*doc, visits);
    const GrabStatistics ringable = ComputeGrabStatistics(*doc, visits, true);
    EXPECT_EQ(every.totals.databaseTowers, 5);
    EXPECT_EQ(every.totals.unringableLeftOut, 0);
    // Delta goes; Bravo is unringable but was rung, so it stays, visited.
    EXPECT_EQ(ringable.totals.databaseTowers, 4);
    EXPECT_EQ(ringable.totals.unringableLeftOut, 1);
    EXPECT_EQ(ringable.totals.visitedDatabase, 2);
    EXPECT_DOUBLE_EQ(ringable.totals.Share(), 0.5);
    ASSERT_EQ(ringable.counties.size(), 2u);
    EXPECT_EQ(ringable.counties[0].label, "Devon");
    EXPECT_EQ(ringable.counties[0].towers, 3);
    EXPECT_EQ(ringable.counties[0].visited, 2);
    EXPECT_EQ(ringable.counties[1].label, "Kent");
    EXPECT_EQ(ringable.counties[1].towers, 1);
    EXPECT_EQ(every.counties[1].towers, 2);
    const auto bellsRow = [](const GrabStatistics& stats, const char* label) {
        for (const ShareRow& row : stats.bells)
            if (row.label == label) return row.towers;
        return -1;
    };
    EXPECT_EQ(bellsRow(every, "10"), 1);
    EXPECT_EQ(bellsRow(ringable, "10"), 0);
    EXPECT_EQ(bellsRow(ringable, "8"), 1);

    const std::vector<Table> tables = StatisticsTables(ringable);
    const Table& totals = tables[0];
    const auto value = [&totals](const char* what) {
        for (const auto& row : totals.rows)
            if (row[0].text == what) return row[1].text;
        return std::string("(missing)");
    };
    EXPECT_EQ(value("Ringable towers in the database"), "4");
    EXPECT_EQ(value("Unringable towers not counted"), "1");
    EXPECT_EQ(value("Share of the database visited"), "50.0%");
    EXPECT_EQ(value("Towers in the database"), "(missing)");
    EXPECT_EQ(StatisticsTables(every)[0].rows.size() + 1, totals.rows.size());
}

int Count(const std::string& text, const std::string& part) {
    int count = 0;
    for (auto pos = text.find(part); pos != std::string::npos; pos = text.find(part, pos + 1))
        ++count;
    return count;
}

std::string Description(const std::string& gpx, const std::string& name) {
    const std::size_t at = gpx.find("<name>" + name);
    if (at == std::string::npos) return "(no waypoint " + name + ")";
    const std::size_t from = gpx.find("<desc>", at) + 6;
    return gpx.substr(from, gpx.find("</desc>", from) - from);
}

TEST_F(DetailsFixture, WaypointsCarryPracticePostcodeAndRemarksEscapedAndCut) {
    OpenLog();
    const TowerVisits visits(*doc);
    const TowerPlaces places(doc->Database());
    const std::string gpx =
        GpxText(doc->Database(), visits, places, {kDAlpha, kDBravo, kDCharlie, kDDelta, kDEcho});
    EXPECT_EQ(Count(gpx, "<wpt "), 5);
    EXPECT_EQ(Description(gpx, "Alpha"),
              "6 bells, 11-1-0, Devon; visited 01/01/2005; practice Tue; postcode EX1 1AA; "
              "Anticlockwise.");
    EXPECT_EQ(Description(gpx, "Bravo"),
              "8 bells, 17-3-12, Devon; visited 02/02/2006; unringable; postcode EX2 2BB; "
              "Bells cracked &amp; &lt;unsafe&gt;");
    EXPECT_EQ(Description(gpx, "Charlie"),
              "3 bells, 2-2-20, Devon; not yet visited; practice Tue (2nd &amp; 4th)");
    EXPECT_EQ(Description(gpx, "Echo"),
              "5 bells, 4-1-24, Kent; not yet visited; practice PN: by arrangement; postcode "
              "not a postcode!!");
    const std::string delta = Description(gpx, "Delta");
    EXPECT_EQ(delta.rfind("10 bells, 31-1-0, Kent; not yet visited; unringable; practice Thu "
                          "(alt with Tue at Ashby); Ring the bells gently please.",
                          0),
              0u)
        << delta;
    // The remark is cut to at most 300 characters, at a word, and says so.
    const std::size_t remark = delta.find("Ring the bells");
    EXPECT_LE(delta.size() - remark, kLongestGpxRemarks);
    EXPECT_GT(delta.size() - remark, kLongestGpxRemarks - 30);
    EXPECT_EQ(delta.substr(delta.size() - 4), "y...");
    // The file itself still holds it whole.
    EXPECT_EQ(doc->Database().GetDetailField(kDDelta, kRemarks).size(), 10000u);

    if (std::system("xmllint --version >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "xmllint is not installed (Debian libxml2-utils)";
    FileError error;
    const std::string path = dir.File("details.gpx");
    ASSERT_TRUE(WriteGpxFile(path, gpx, error));
    EXPECT_EQ(std::system(("xmllint --noout '" + path + "' 2>/dev/null").c_str()), 0);
}

TEST(CommandParseTest, RingableOnlyFollowsEachCommandThatTakesIt) {
    GrabsCommand stats = ParseGrabsCommand({"--stats", "R.CBL", "--ringable-only"});
    EXPECT_EQ(stats.kind, GrabsCommand::Kind::Stats);
    EXPECT_EQ(stats.logPath, "R.CBL");
    EXPECT_TRUE(stats.ringableOnly);
    EXPECT_FALSE(ParseGrabsCommand({"--stats", "R.CBL"}).ringableOnly);
    const GrabsCommand csv = ParseGrabsCommand({"--stats-csv", "out", "R.CBL", "--ringable-only"});
    EXPECT_EQ(csv.kind, GrabsCommand::Kind::StatsCsv);
    EXPECT_EQ(csv.outPath, "out");
    EXPECT_EQ(csv.logPath, "R.CBL");
    EXPECT_TRUE(csv.ringableOnly);
    const GrabsCommand gpx = ParseGrabsCommand({"--gpx", "o.gpx", "R.CBL", "--ringable-only"});
    EXPECT_EQ(gpx.kind, GrabsCommand::Kind::Gpx);
    EXPECT_TRUE(gpx.filter.ringableOnly);
    EXPECT_FALSE(ParseGrabsCommand({"--gpx", "o.gpx", "R.CBL"}).filter.ringableOnly);
    for (const std::vector<std::string>& bad :
         std::vector<std::vector<std::string>>{{"--stats", "--ringable-only"},
                                               {"--stats", "--ringable-only", "R.CBL"},
                                               {"--stats", "R.CBL", "--ringable-only", "x"},
                                               {"--stats", "R.CBL", "--unvisited"},
                                               {"--stats-csv", "out", "--ringable-only"},
                                               {"--stats-csv", "R.CBL", "--ringable-only", "x"}}) {
        EXPECT_EQ(ParseGrabsCommand(bad).kind, GrabsCommand::Kind::Invalid)
            << ::testing::PrintToString(bad);
    }
    EXPECT_NE(ChimesetUsage().find("--stats LOG [--ringable-only]"), std::string::npos);
}

class DetailsCommandTest : public DetailsFixture {
  protected:
    int Run(const std::vector<std::string>& arguments) {
        return RunCommandLine(arguments, dir.Path(), settings, out, err);
    }
    std::ostringstream out, err;
};

TEST_F(DetailsCommandTest, RingableOnlyChangesTheStatisticsAndTheWaypoints) {
    const std::string log = dir.WriteLines("DETAILS.CBL", DetailsLogLines());
    ASSERT_EQ(Run({"--stats", log}), 0) << err.str();
    const auto line = [this](const char* what, const char* value) {
        return std::regex_search(out.str(),
                                 std::regex(std::string("\n") + what + " +" + value + "\n"));
    };
    EXPECT_TRUE(line("Towers in the database", "5")) << out.str();
    ASSERT_EQ(Run({"--stats", log, "--ringable-only"}), 0) << err.str();
    EXPECT_TRUE(line("Ringable towers in the database", "4")) << out.str();
    EXPECT_TRUE(line("Unringable towers not counted", "1"));

    const std::string folder = dir.Path();
    ASSERT_EQ(Run({"--stats-csv", folder, log, "--ringable-only"}), 0) << err.str();
    EXPECT_NE(ReadBytes(JoinPath(folder, "totals.csv")).find("Unringable towers not counted,1"),
              std::string::npos);

    const std::string path = dir.File("ringable.gpx");
    ASSERT_EQ(Run({"--gpx", path, log, "--near", "101", "--radius", "10mi", "--ringable-only"}), 0)
        << err.str();
    const std::string gpx = ReadBytes(path);
    EXPECT_EQ(Count(gpx, "<wpt "), 3);  // Alpha itself, Echo and Charlie
    EXPECT_EQ(gpx.find("Bravo"), std::string::npos);
    EXPECT_EQ(gpx.find("Delta"), std::string::npos);
    ASSERT_EQ(Run({"--gpx", path, log}), 0) << err.str();
    EXPECT_EQ(Count(ReadBytes(path), "<wpt "), 5);
}

}  // namespace
}  // namespace chimeset::testing
