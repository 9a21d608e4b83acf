// The tables as text, CSV and GPX: accents in UTF-8, quoting, XML escaping, waypoints that
// the GPX 1.1 schema takes, and files that are never half-written.
#include <cstdlib>
#include <fstream>
#include <regex>

#include "common/TextFile.h"
#include "grabs/GrabStatistics.h"
#include "grabs/GrabsTables.h"
#include "tests/grabs/GrabsFixture.h"

namespace chimeset::testing {
namespace {

const Table* Find(const std::vector<Table>& tables, const std::string& name) {
    for (const Table& table : tables)
        if (table.name == name) return &table;
    return nullptr;
}

int Count(const std::string& text, const std::string& part) {
    int count = 0;
    for (auto pos = text.find(part); pos != std::string::npos; pos = text.find(part, pos + 1))
        ++count;
    return count;
}

bool HaveXmllint() {
    return std::system("xmllint --version >/dev/null 2>&1") == 0;
}

TEST_F(GrabsFixture, StatisticsTablesComeInOrderWithTheirNumbers) {
    OpenHandLog();
    const TowerVisits visits(*doc);
    const std::vector<Table> tables = StatisticsTables(ComputeGrabStatistics(*doc, visits));
    ASSERT_EQ(tables.size(), 5u);
    EXPECT_EQ(tables[0].name, "totals");
    EXPECT_EQ(tables[1].name, "counties");
    EXPECT_EQ(tables[2].name, "bells");
    EXPECT_EQ(tables[3].name, "weights");
    EXPECT_EQ(tables[4].name, "years");
    const std::string totals = PlainTableText(tables[0]);
    EXPECT_NE(totals.find("Towers visited                      5\n"), std::string::npos) << totals;
    EXPECT_NE(totals.find("Share of the database visited   42.9%"), std::string::npos) << totals;
    const std::string counties = PlainTableText(*Find(tables, "counties"));
    // The accent is one character wide in the padding and UTF-8 in the output.
    EXPECT_NE(counties.find("Ynys M\xC3\xB4n                2        1   50.0%\n"),
              std::string::npos)
        << counties;
    EXPECT_NE(counties.find("Additional towers       1        1  100.0%  yes\n"), std::string::npos)
        << counties;
    const std::string years = PlainTableText(*Find(tables, "years"));
    EXPECT_NE(years.find("no date"), std::string::npos);
    const std::string tabs = TabSeparatedText(*Find(tables, "bells"));
    EXPECT_EQ(tabs.substr(0, tabs.find("\r\n")), "Bells\tTowers\tVisited\tShare\tComplete");
    EXPECT_NE(tabs.find("\r\n6\t2\t2\t100.0%\tyes\r\n"), std::string::npos) << tabs;
}

TEST(ExportTextTest, CsvQuotesWhatNeedsItAndIsUtf8WithAMark) {
    Table table{"t", "T", {"Name", "Note"}, {}};
    table.rows.push_back({{"St Peter, St Paul", 0, false}, {"say \"hi\"", 0, false}});
    table.rows.push_back({{"M\xF4n", 0, false}, {"plain", 0, false}});
    EXPECT_EQ(CsvText(table),
              "\xEF\xBB\xBFName,Note\r\n\"St Peter, St Paul\",\"say \"\"hi\"\"\"\r\n"
              "M\xC3\xB4n,plain\r\n");
    // A tab or line end inside a field would split the clipboard's row.
    table.rows[1][1].text = "two\r\nlines\tand a tab";
    EXPECT_NE(TabSeparatedText(table).find("M\xF4n\ttwo  lines and a tab\r\n"), std::string::npos);
    EXPECT_EQ(FormatShare(1, 3), "33.3%");
    EXPECT_EQ(FormatShare(0, 0), "");
    EXPECT_EQ(FixedText(-0.5, 3), "-0.500");
    EXPECT_EQ(FixedText(52, 6), "52.000000");
}

TEST_F(GrabsFixture, CsvFileIsWrittenWholeOrNotAtAll) {
    OpenHandLog();
    const TowerVisits visits(*doc);
    const std::vector<Table> tables = StatisticsTables(ComputeGrabStatistics(*doc, visits));
    FileError error;
    const std::string path = dir.File("counties.csv");
    ASSERT_TRUE(WriteCsvFile(path, tables[1], error)) << error.cause;
    const std::string bytes = ReadBytes(path);
    EXPECT_EQ(bytes, CsvText(tables[1]));
    EXPECT_NE(bytes.find("Ynys M\xC3\xB4n,2,1,50.0%,\r\n"), std::string::npos) << bytes;
    EXPECT_FALSE(WriteCsvFile(dir.File("no such folder/counties.csv"), tables[1], error));
    EXPECT_FALSE(error.cause.empty());
    EXPECT_EQ(ListFolder(dir.Path()),
              (std::vector<std::string>{"DoveData.CB0", "HAND.CBL", "counties.csv"}));
}

TEST_F(GrabsFixture, GpxHoldsOneWaypointPerPlacedTowerInTheSchemasOrder) {
    OpenHandLog();
    const TowerVisits visits(*doc);
    const TowerPlaces places(doc->Database());
    std::int32_t skipped = -1;
    const std::string gpx =
        GpxText(doc->Database(), visits, places, {kAlpha, kCharlie, kDelta, kFoxtrot}, &skipped);
    EXPECT_EQ(skipped, 1);  // Foxtrot cannot be placed
    EXPECT_EQ(gpx.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<gpx version=\"1.1\" "
                        "creator=\"Chimeset\" xmlns=\"http://www.topografix.com/GPX/1/1\"",
                        0),
              0u);
    EXPECT_EQ(Count(gpx, "<wpt "), 3);
    EXPECT_EQ(Count(gpx, "</wpt>"), 3);
    EXPECT_NE(gpx.find("<wpt lat=\"52.000000\" lon=\"-1.000000\">\r\n    <name>Alpha - St "
                       "Mary</name>\r\n    <desc>6 bells, 11-1-0, Devon; visited "
                       "01/01/2005</desc>\r\n    <sym>Flag, Green</sym>\r\n    "
                       "<type>Visited</type>\r\n  </wpt>"),
              std::string::npos)
        << gpx;
    EXPECT_NE(gpx.find("<name>Charlie - St Peter &amp; St Paul</name>"), std::string::npos);
    EXPECT_NE(gpx.find("not yet visited</desc>\r\n    <sym>Flag, Red</sym>"), std::string::npos);
    EXPECT_NE(gpx.find("Ynys M\xC3\xB4n; visited - Yes -"), std::string::npos) << gpx;
    // Every waypoint's children in the order the schema's sequence asks: name, desc, sym, type.
    const std::regex waypoint(
        "<wpt lat=\"-?[0-9]+\\.[0-9]{6}\" lon=\"-?[0-9]+\\.[0-9]{6}\">\r\n    <name>[^<]*</name>"
        "\r\n    <desc>[^<]*</desc>\r\n    <sym>[^<]*</sym>\r\n    <type>[^<]*</type>\r\n  </wpt>");
    EXPECT_EQ(std::distance(std::sregex_iterator(gpx.begin(), gpx.end(), waypoint),
                            std::sregex_iterator()),
              3);

    FileError error;
    const std::string path = dir.File("towers.gpx");
    ASSERT_TRUE(WriteGpxFile(path, gpx, error));
    EXPECT_EQ(ReadBytes(path), gpx);
    if (!HaveXmllint()) GTEST_SKIP() << "xmllint is not installed (Debian libxml2-utils)";
    EXPECT_EQ(std::system(("xmllint --noout '" + path + "' 2>/dev/null").c_str()), 0);
    // The schema itself, when a copy is at hand (it is not part of the project).
    if (const char* schema = std::getenv("CHIMESET_GPX_XSD"); schema && FileExists(schema)) {
        EXPECT_EQ(std::system(("xmllint --noout --schema '" + std::string(schema) + "' '" + path +
                               "' 2>/dev/null")
                                  .c_str()),
                  0);
    }
}

TEST_F(GrabsFixture, NearTableCarriesTheTowersFieldsAndSortKeys) {
    OpenHandLog();
    const TowerVisits visits(*doc);
    const TowerPlaces places(doc->Database());
    NearFilter filter;
    const NearResult near =
        FindTowersNear(doc->Database(), visits, places, places.At(kAlpha), filter, kAlpha);
    const Table table = NearTable(doc->Database(), visits, places, near, DistanceUnit::Miles);
    ASSERT_EQ(table.rows.size(), 5u);
    const auto& delta = table.rows[4];
    EXPECT_EQ(delta[0].text, "8.5 mi E");
    EXPECT_NEAR(delta[0].number, 13735.7, 2.0);
    EXPECT_EQ(delta[1].text, "Delta - St Paul");
    EXPECT_EQ(delta[2].text, "Ynys M\xF4n");
    EXPECT_EQ(delta[3].text, "10");
    EXPECT_EQ(delta[4].text, "31-1-0");
    EXPECT_EQ(delta[5].text, "- Yes -");
    EXPECT_EQ(delta[6].text, "");  // a database without details knows nothing
    EXPECT_EQ(delta[7].text, "");
    EXPECT_EQ(delta[8].text, "52.00000");
    EXPECT_EQ(delta[9].text, "-0.80000");
    EXPECT_EQ(table.rows[0][5].text, "");  // Golf, never visited
}

}  // namespace
}  // namespace chimeset::testing
