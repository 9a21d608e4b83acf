// The command line: what it reads, what it refuses with status 2, what fails with status 1,
// and what it writes.
#include <sstream>

#include "common/TextFile.h"
#include "grabs/GrabsCommand.h"
#include "tests/grabs/GrabsFixture.h"

namespace chimeset::testing {
namespace {

using Kind = GrabsCommand::Kind;

GrabsCommand Parse(std::vector<std::string> arguments) {
    return ParseGrabsCommand(arguments);
}

TEST(CommandParseTest, ReadsEachCommandAndRefusesTheUnreadable) {
    EXPECT_EQ(Parse({}).kind, Kind::None);
    EXPECT_EQ(Parse({"RINGER1.CBL"}).kind, Kind::None);
    EXPECT_EQ(Parse({"--pdf", "a.pdf", "b.CBL"}).kind, Kind::None);
    EXPECT_EQ(Parse({"--help"}).kind, Kind::Help);
    EXPECT_EQ(Parse({"-h"}).kind, Kind::Help);
    const GrabsCommand stats = Parse({"--stats", "R.CBL"});
    EXPECT_EQ(stats.kind, Kind::Stats);
    EXPECT_EQ(stats.logPath, "R.CBL");
    const GrabsCommand csv = Parse({"--stats-csv", "out", "R.CBL"});
    EXPECT_EQ(csv.kind, Kind::StatsCsv);
    EXPECT_EQ(csv.outPath, "out");
    const GrabsCommand gpx = Parse({"--gpx", "o.gpx", "R.CBL", "--near", "101", "--radius", "16km",
                                    "--unvisited", "--min-bells", "8"});
    ASSERT_EQ(gpx.kind, Kind::Gpx);
    EXPECT_EQ(*gpx.nearIndexNo, 101);
    EXPECT_EQ(gpx.filter.radius.unit, DistanceUnit::Kilometres);
    EXPECT_DOUBLE_EQ(gpx.filter.radius.value, 16);
    EXPECT_TRUE(gpx.filter.unvisitedOnly);
    EXPECT_EQ(gpx.filter.minBells, 8);
    EXPECT_EQ(Parse({"--gpx", "o.gpx", "R.CBL"}).kind, Kind::Gpx);

    for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
             {"--stats"},
             {"--stats", "a", "b"},
             {"--stats", "--gpx"},
             {"--stats-csv", "out"},
             {"--help", "x"},
             {"--gpx", "o.gpx"},
             {"--gpx", "o.gpx", "R.CBL", "--near", "101"},
             {"--gpx", "o.gpx", "R.CBL", "--radius", "10mi"},
             {"--gpx", "o.gpx", "R.CBL", "--near", "x", "--radius", "10mi"},
             {"--gpx", "o.gpx", "R.CBL", "--near", "101", "--radius", "0mi"},
             {"--gpx", "o.gpx", "R.CBL", "--near", "101", "--radius", "-3km"},
             {"--gpx", "o.gpx", "R.CBL", "--near", "101", "--radius", "ten"},
             {"--gpx", "o.gpx", "R.CBL", "--near", "101", "--radius"},
             {"--gpx", "o.gpx", "R.CBL", "--min-bells", "0"},
             {"--gpx", "o.gpx", "R.CBL", "--frobnicate"},
             {"R.CBL", "--stats"}}) {
        const GrabsCommand command = Parse(bad);
        EXPECT_EQ(command.kind, Kind::Invalid) << ::testing::PrintToString(bad);
        EXPECT_FALSE(command.error.empty());
    }
}

class CommandRunTest : public GrabsFixture {
  protected:
    int Run(const std::vector<std::string>& arguments) {
        return RunCommandLine(arguments, dir.Path(), settings, out, err);
    }
    std::string Log() { return dir.WriteLines("HAND.CBL", HandLogLines()); }

    std::ostringstream out, err;
};

TEST_F(CommandRunTest, StatsPrintsEveryTableInOrder) {
    ASSERT_EQ(Run({"--stats", Log()}), 0) << err.str();
    const std::string text = out.str();
    const auto totals = text.find("Totals\n");
    const auto counties = text.find("By county\n");
    const auto bells = text.find("By number of bells\n");
    const auto years = text.find("By year\n");
    EXPECT_EQ(totals, 0u);
    EXPECT_LT(totals, counties);
    EXPECT_LT(counties, bells);
    EXPECT_LT(bells, years);
    EXPECT_NE(text.find("Ynys M\xC3\xB4n"), std::string::npos);
    EXPECT_TRUE(err.str().empty()) << err.str();
    EXPECT_EQ(Run({"--help"}), 0);
    EXPECT_NE(out.str().find("--pdf OUT.pdf LOG"), std::string::npos);
    EXPECT_NE(out.str().find("--stats-csv FOLDER LOG"), std::string::npos);
}

TEST_F(CommandRunTest, FailuresSayWhyAndLeaveNothingBehind) {
    EXPECT_EQ(Run({"--stats"}), 2);
    EXPECT_NE(err.str().find("Usage:"), std::string::npos);
    EXPECT_EQ(Run({"--stats", dir.File("missing.CBL")}), 1);
    EXPECT_NE(err.str().find("could not be opened"), std::string::npos);
    EXPECT_EQ(Run({"--stats", dir.WriteLines("bad.CBL", {"not a log"})}), 1);
    EXPECT_EQ(Run({"--stats-csv", dir.File("nowhere"), Log()}), 1);
    EXPECT_NE(err.str().find("is not a folder"), std::string::npos);
    EXPECT_EQ(Run({"--gpx", dir.File("t.gpx"), Log(), "--near", "555", "--radius", "5mi"}), 1);
    EXPECT_NE(err.str().find("555"), std::string::npos);
    EXPECT_EQ(Run({"--gpx", dir.File("t.gpx"), Log(), "--near", "106", "--radius", "5mi"}), 1);
    EXPECT_NE(err.str().find("Foxtrot"), std::string::npos);
    EXPECT_EQ(Run({"--gpx", dir.File("no folder/t.gpx"), Log()}), 1);
    EXPECT_FALSE(FileExists(dir.File("t.gpx")));
    // No database beside the program.
    TempDir empty;
    out.str("");
    err.str("");
    EXPECT_EQ(RunGrabsCommand(
                  ParseGrabsCommand({"--stats", Log()}), empty.Path(), settings,
                  [] { return LocalDate{}; }, out, err),
              1);
    EXPECT_NE(err.str().find("could not be loaded"), std::string::npos);
}

TEST_F(CommandRunTest, CsvFolderGetsOneFilePerTable) {
    TempDir folder;
    ASSERT_EQ(Run({"--stats-csv", folder.Path(), Log()}), 0) << err.str();
    EXPECT_EQ(ListFolder(folder.Path()),
              (std::vector<std::string>{"bells.csv", "counties.csv", "totals.csv", "weights.csv",
                                        "years.csv"}));
    EXPECT_NE(ReadBytes(folder.File("years.csv")).find("2011,2,1,0,5\r\n"), std::string::npos);
}

TEST_F(CommandRunTest, GpxOfTheNearListKeepsTheFilters) {
    const std::string path = dir.File("near.gpx");
    ASSERT_EQ(Run({"--gpx", path, Log(), "--near", "101", "--radius", "10mi", "--unvisited"}), 0)
        << err.str();
    const std::string gpx = ReadBytes(path);
    // Golf and Charlie, nearest first; Alpha itself is visited.
    const auto golf = gpx.find("<name>Golf - Holy Cross</name>");
    const auto charlie = gpx.find("<name>Charlie - St Peter &amp; St Paul</name>");
    ASSERT_NE(golf, std::string::npos);
    ASSERT_NE(charlie, std::string::npos);
    EXPECT_LT(golf, charlie);
    EXPECT_EQ(gpx.find("<name>Alpha"), std::string::npos);
    EXPECT_EQ(gpx.find("Bravo"), std::string::npos);
    EXPECT_NE(err.str().find("2 towers have no position"), std::string::npos) << err.str();

    ASSERT_EQ(Run({"--gpx", path, Log(), "--min-bells", "10"}), 0);
    const std::string big = ReadBytes(path);
    EXPECT_NE(big.find("<name>Delta - St Paul</name>"), std::string::npos);
    EXPECT_NE(big.find("<name>Echo - St John</name>"), std::string::npos);
    EXPECT_EQ(big.find("Alpha"), std::string::npos);
}

}  // namespace
}  // namespace chimeset::testing
