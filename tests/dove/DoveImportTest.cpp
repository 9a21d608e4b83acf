#include <gtest/gtest.h>

#include <cstdlib>
#ifndef _WIN32
#include <sys/wait.h>
#endif
#include <map>
#include <string>
#include <vector>

#include "common/Text.h"
#include "common/TextFile.h"
#include "dove/DoveImport.h"
#include "tests/support/FakePrompter.h"
#include "tests/support/TempDir.h"
#include "towerdata/TowerDatabase.h"

using namespace chimeset;
using chimeset::testing::FakePrompter;
using chimeset::testing::ListFolder;
using chimeset::testing::ReadBytes;
using chimeset::testing::TempDir;

namespace {

using Row = std::map<std::string, std::string>;

// The older download's 40 columns, in its order.
const std::vector<std::string> kOldLayout = {
    "TowerID",    "RingType",  "Place",       "Place2",     "PlaceCL", "Dedicn",       "AltName",
    "County",     "Country",   "ISO3166code", "Diocese",    "Lat",     "Long",         "Bells",
    "UR",         "Semitones", "Wt",          "App",        "Note",    "Hz",           "Details",
    "GF",         "Toilet",    "Simulator",   "ExtraInfo",  "WebPage", "Affiliations", "NG",
    "Postcode",   "Practice",  "OvhaulYr",    "Contractor", "TuneYr",  "LGrade",       "BldgID",
    "ChurchCare", "TowerBase", "DoveID",      "SNLat",      "SNLong"};

// The current download: more columns, another order.
const std::vector<std::string> kNewLayout = {
    "RingID",     "TowerID", "TowerStatus",  "Place",      "Place2",      "PlaceCL",
    "Dedicn",     "AltName", "County",       "Country",    "ISO3166code", "Region",
    "HistRegion", "Diocese", "NG",           "Lat",        "Long",        "Postcode",
    "RingType",   "Bells",   "UR",           "Semitones",  "Wt",          "WtApprox",
    "Note",       "Hz",      "Details",      "GF",         "Toilet",      "Simulator",
    "ExtraInfo",  "WebPage", "Affiliations", "Practice",   "OvhaulYr",    "Contractor",
    "TuneYr",     "LGrade",  "BldgID",       "ChurchCare", "CHRAssetID",  "TowerBase",
    "DoveID",     "SNLat",   "SNLong",       "Founder",    "Frame",       "Updated"};

std::string Quoted(const std::string& value) {
    if (value.find_first_of(",\"\r\n") == std::string::npos) return value;
    std::string out = "\"";
    for (const char c : value) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

std::string CsvLine(const std::vector<std::string>& layout, const Row& row) {
    std::string line;
    for (std::size_t i = 0; i < layout.size(); ++i) {
        if (i) line += ',';
        const auto it = row.find(layout[i]);
        line += Quoted(it == row.end() ? "" : it->second);
    }
    return line;
}

std::string Csv(const std::vector<std::string>& layout, const std::vector<Row>& rows,
                const std::string& lineEnd = "\n") {
    std::string text;
    for (std::size_t i = 0; i < layout.size(); ++i) text += (i ? "," : "") + layout[i];
    text += lineEnd;
    for (const Row& row : rows) text += CsvLine(layout, row) + lineEnd;
    return text;
}

// A few rings of every kind the download holds, in its spelling of ring types.
std::vector<Row> SampleRows(const std::string& fullCircle, const std::string& lightweight) {
    return {
        {{"RingType", fullCircle},
         {"Place", "Ab Kettleby"},
         {"Dedicn", "S James"},
         {"County", "Leicestershire"},
         {"Country", "England"},
         {"NG", "SK724228"},
         {"Lat", "52.79858"},
         {"Long", "-0.92747"},
         {"Bells", "6"},
         {"Wt", "974"},
         {"TowerBase", "6918"},
         {"ExtraInfo", "Anticlockwise; \"new\" frame,\nrehung 2016"},
         {"Note", "E\xE2\x99\xAD"}},
        {{"RingType", fullCircle},
         {"Place", "Bath"},
         {"Place2", "Weston"},
         {"Dedicn", "All Saints, with S John"},
         {"County", "Somerset"},
         {"NG", "ST727664"},
         {"Lat", "51.39"},
         {"Long", "-2.39"},
         {"Bells", "8"},
         {"Wt", "1234.5"},
         {"TowerBase", "0001"}},
        {{"RingType", "Carillon"},
         {"Place", "York"},
         {"Dedicn", "Minster"},
         {"County", "North Yorkshire"},
         {"Bells", "35"},
         {"Wt", "2679"},
         {"TowerBase", "0000"}},
        {{"RingType", "Chime"},
         {"Place", "Ely"},
         {"Dedicn", "Cathedral"},
         {"County", "Cambridgeshire"},
         {"Bells", "8"},
         {"Wt", "500"}},
        {{"RingType", lightweight},
         {"Place", "Charmborough Ring"},
         {"Dedicn", "Mobile ring"},
         {"County", ""},
         {"Country", "England"},
         {"Bells", "6"},
         {"Wt", "94"}},
        {{"RingType", fullCircle},
         {"Place", "Ballylesson"},
         {"Dedicn", "S Columba"},
         {"County", "County Down"},
         {"Country", "Island of Ireland"},
         {"NG", "J329672"},
         {"Lat", "54.5"},
         {"Long", "-5.9"},
         {"Bells", "5"},
         {"Wt", "600"},
         {"TowerBase", "7000"}},
        {{"RingType", fullCircle},
         {"Place", " Cwmt\xC5\xB5r "},
         {"Place2",
          "Pont Sa\xC3\xAF"
          "d"},
         {"Dedicn", "S Tysilio a\\S Mair"},
         {"County", "Powys"},
         {"NG", "sj100100"},
         {"Lat", "52.6"},
         {"Long", "-3.3"},
         {"Bells", "3"},
         {"Wt", "x"},
         {"TowerBase", "12a"}},
    };
}

const std::vector<std::string> kExpectedRecords = {
    "Ab Kettleby\\S James\\Leicestershire\\SK724228\\52.79858\\-0.92747\\6\\974\\6918",
    "Bath, Weston\\All Saints, with S John\\Somerset\\ST727664\\51.39\\-2.39\\8\\1235\\1",
    "Ballylesson\\S Columba\\County Down\\J329672\\54.5\\-5.9\\5\\600\\7000",
    // w-circumflex has no Windows-1252 byte; i-diaeresis does. A bad weight is left out.
    "Cwmtwr, Pont Sa\xEF"
    "d\\S Tysilio a/S Mair\\Powys\\sj100100\\52.6\\-3.3\\3\\\\0",
};
const std::string kLightweightRecord = "Charmborough Ring\\Mobile ring\\England\\\\\\\\6\\94\\0";

std::vector<std::string> Expected(const std::vector<std::string>& records) {
    std::vector<std::string> lines = {kDoveDatabaseHeader, kDoveCreditLine};
    lines.insert(lines.end(), records.begin(), records.end());
    return lines;
}

bool Convert(const std::string& csv, std::vector<std::string>& lines, DoveImportSummary& summary,
             DoveImportError& error, bool lightweight = false) {
    DoveImportOptions options;
    options.lightweight = lightweight;
    return ConvertDoveCsv(csv, options, lines, summary, error);
}

std::string SharedData(const std::string& name) {
    const char* dir = std::getenv("CHIMESET_SHARED_DATA");
    return dir ? JoinPath(dir, name) : std::string();
}

}  // namespace

TEST(DoveImport, OlderLayoutGivesOneRecordPerFullCircleRing) {
    ASSERT_EQ(kOldLayout.size(), 40u);
    std::vector<std::string> lines;
    DoveImportSummary summary;
    DoveImportError error;
    ASSERT_TRUE(Convert(Csv(kOldLayout, SampleRows("Full circle ring", "Lightweight ring")), lines,
                        summary, error))
        << error.message;
    EXPECT_EQ(lines, Expected(kExpectedRecords));
    EXPECT_EQ(summary.rowsRead, 7u);
    EXPECT_EQ(summary.towersWritten, 4u);
    EXPECT_EQ(summary.SkippedCount(), 3u);
    const std::vector<std::pair<std::string, std::size_t>> skipped = {
        {"not a full-circle ring: Carillon", 1},
        {"not a full-circle ring: Chime", 1},
        {"lightweight ring (add them with --lightweight)", 1}};
    EXPECT_EQ(summary.skipped, skipped);
    EXPECT_EQ(summary.unreadableWeights, 1u);
    EXPECT_EQ(summary.unreadableTowerBase, 1u);
    EXPECT_EQ(summary.simplifiedFields, 1u);

    const auto described = DescribeSummary(summary, "out.CB0");
    ASSERT_GE(described.size(), 5u);
    EXPECT_EQ(described[0], "4 towers written to out.CB0 (7 rows read).");
    EXPECT_EQ(described[1], "3 rows skipped:");
}

TEST(DoveImport, CurrentLayoutWithByteOrderMarkAndCrLfGivesTheSameRecords) {
    ASSERT_EQ(kNewLayout.size(), 48u);
    const std::string csv =
        "\xEF\xBB\xBF" +
        Csv(kNewLayout, SampleRows("Full-circle ring", "Lightweight ring"), "\r\n");
    std::vector<std::string> lines;
    DoveImportSummary summary;
    DoveImportError error;
    ASSERT_TRUE(Convert(csv, lines, summary, error)) << error.message;
    EXPECT_EQ(lines, Expected(kExpectedRecords));

    // Lightweight rings join on request, in file order.
    ASSERT_TRUE(Convert(csv, lines, summary, error, true)) << error.message;
    std::vector<std::string> records = kExpectedRecords;
    records.insert(records.begin() + 2, kLightweightRecord);
    EXPECT_EQ(lines, Expected(records));
    EXPECT_EQ(summary.towersWritten, 5u);
}

TEST(DoveImport, OddFieldsStillMakeSoundLines) {
    const std::string csv =
        "ringtype, PLACE ,Dedicn,County,NG,Lat,Lon,Bells,Wt,TowerBase\n"
        // A place that starts with ";" must not turn the record into a comment.
        "Full circle ring,;Semi,S Anne,Kent,TQ100100,51,0,6,0.4,99\n"
        // No place: nothing to list the tower by.
        "Full circle ring,,S Anne,Kent,TQ100100,51,0,6,500,98\n"
        // Weights round half up; leading zeros of the TowerBase number go.
        "Full circle ring,Oddtown,S Anne,Kent,TQ100100,51,0,6,1259.5,00042\n";
    std::vector<std::string> lines;
    DoveImportSummary summary;
    DoveImportError error;
    ASSERT_TRUE(Convert(csv, lines, summary, error)) << error.message;
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[2], " ;Semi\\S Anne\\Kent\\TQ100100\\51\\0\\6\\0\\99");
    EXPECT_EQ(lines[3], "Oddtown\\S Anne\\Kent\\TQ100100\\51\\0\\6\\1260\\42");
    EXPECT_EQ(summary.skipped,
              (std::vector<std::pair<std::string, std::size_t>>{{"no place name", 1}}));
}

TEST(DoveImport, RefusesInputThatIsNotAUsableDownload) {
    const std::string header = Csv(kOldLayout, {});
    const std::string good = CsvLine(kOldLayout, SampleRows("Full circle ring", "x")[0]) + "\n";
    struct Case {
        std::string name;
        std::string csv;
        std::size_t line;
        std::string says;
    };
    const std::vector<Case> cases = {
        {"missing columns",
         "Place,Dedicn,County,Lat,Long,Bells,TowerBase,RingType\nA,B,C,1,2,3,4,x\n", 1,
         "lacks the columns NG, Wt"},
        {"not csv at all", "<html><body>Not found</body></html>\n", 1, "not a Dove's Guide CSV"},
        // The record with a line break inside spans lines 2 and 3, so the short row is line 4.
        {"short row", header + good + "Full circle ring,Short,S Mary\n", 4, "3 fields"},
        {"stray quote", header + good + "1,\"Full circle ring\"x," + good, 4, "quote"},
        {"unclosed quote", header + good + good + "1,\"Full circle ring,Open\n", 6, "never closed"},
        {"windows-1252", header + good + "1,Full circle ring,Caf\xE9\n", 4, "not UTF-8"},
        {"binary", header + std::string("\x01\x00\x02", 3), 2, "binary"},
        {"empty", "", 0, "empty"},
        {"byte order mark only", "\xEF\xBB\xBF\r\n", 0, "empty"},
        {"header only", header, 0, "no rows"},
        {"no full-circle rings",
         header + CsvLine(kOldLayout, SampleRows("Full circle ring", "x")[3]) + "\n", 0,
         "no towers to write"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> lines = {"left over"};
        DoveImportSummary summary;
        DoveImportError error;
        EXPECT_FALSE(Convert(c.csv, lines, summary, error));
        EXPECT_TRUE(lines.empty());
        EXPECT_EQ(error.line, c.line);
        EXPECT_NE(error.message.find(c.says), std::string::npos) << error.message;
    }
}

TEST(DoveImport, WrittenDatabaseLoadsCleanlyAndFailuresLeaveNoFile) {
    TempDir dir;
    const std::string csv =
        dir.Write("dove.csv", Csv(kOldLayout, SampleRows("Full circle ring", "Lightweight ring")));
    const std::string out = dir.File("DoveData.CB0");
    DoveImportSummary summary;
    DoveImportError error;
    ASSERT_TRUE(ImportDoveFile(csv, out, {}, summary, error)) << error.message;
    const std::string bytes = ReadBytes(out);
    EXPECT_EQ(bytes.substr(0, std::string(kDoveDatabaseHeader).size() + 3),
              std::string(kDoveDatabaseHeader) + "\r\n;");

    TowerDatabase db;
    FakePrompter prompter;
    ASSERT_TRUE(db.Load(dir.Path(), prompter));
    EXPECT_TRUE(prompter.Silent());
    ASSERT_EQ(db.GetDatabaseCount(), 4);
    EXPECT_EQ(db.FormatTowerName(1), "Bath, Weston - All Saints, with S John");
    EXPECT_EQ(db.FindByIndexNo(6918), 0);
    EXPECT_EQ(db.GetIndexNo(1), 1);
    EXPECT_EQ(db.GetMapPoint(0), MakeMapPoint(4724, 3228));
    EXPECT_EQ(db.GetMapPoint(2), 0u);  // Irish grid: no place on the map
    EXPECT_EQ(db.GetMapPoint(3), MakeMapPoint(3100, 3100));

    // A failed import keeps the database that was there and leaves nothing behind.
    const std::string bad = dir.Write("bad.csv", "Place,Dedicn\nA,B\n");
    EXPECT_FALSE(ImportDoveFile(bad, out, {}, summary, error));
    EXPECT_EQ(error.Describe().rfind(bad + ", line 1: The first line lacks", 0), 0u)
        << error.Describe();
    EXPECT_EQ(ReadBytes(out), bytes);
    EXPECT_FALSE(ImportDoveFile(dir.File("missing.csv"), dir.File("new.CB0"), {}, summary, error));
    EXPECT_NE(error.message.find("does not exist"), std::string::npos) << error.message;
    EXPECT_FALSE(ImportDoveFile(csv, dir.File("no-such-folder/x.CB0"), {}, summary, error));
    EXPECT_EQ(error.file, dir.File("no-such-folder/x.CB0"));
    EXPECT_NE(error.message.find("folder"), std::string::npos) << error.message;
    EXPECT_EQ(ListFolder(dir.Path()),
              (std::vector<std::string>{"DoveData.CB0", "bad.csv", "dove.csv"}));
}

#ifndef _WIN32
TEST(DoveImport, CommandLineReportsAndExitsAsAToolShould) {
    TempDir dir;
    const std::string program = JoinPath(chimeset::testing::ProgramDir(), "chimedove");
    ASSERT_TRUE(FileExists(program)) << program;
    const std::string csv =
        dir.Write("dove.csv", Csv(kOldLayout, SampleRows("Full circle ring", "Lightweight ring")));
    const std::string err = dir.File("stderr.txt");
    const auto run = [&](const std::string& args) {
        const int status = std::system((program + " " + args + " 2>" + err).c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    EXPECT_EQ(run("--lightweight " + csv + " " + dir.File("out.CB0")), 0);
    EXPECT_NE(ReadBytes(err).find("5 towers written"), std::string::npos) << ReadBytes(err);
    EXPECT_EQ(run(csv), 2);
    EXPECT_EQ(run("--bogus " + csv + " " + dir.File("x.CB0")), 2);
    EXPECT_EQ(run(csv + " " + csv), 1);  // would overwrite its own input
    EXPECT_EQ(run(dir.Write("bad.csv", "a,b\n1,2\n") + " " + dir.File("x.CB0")), 1);
    EXPECT_NE(ReadBytes(err).find("bad.csv, line 1:"), std::string::npos) << ReadBytes(err);
    EXPECT_FALSE(FileExists(dir.File("x.CB0")));
}
#endif

TEST(DoveImport, RealDownloadConvertsCompletely) {
    const std::string csv = SharedData("dove.csv");
    if (csv.empty() || !FileExists(csv))
        GTEST_SKIP() << "no Dove's Guide download beside the project";
    TempDir dir;
    DoveImportSummary summary;
    DoveImportError error;
    ASSERT_TRUE(ImportDoveFile(csv, dir.File("DoveData.CB0"), {}, summary, error))
        << error.Describe();
    EXPECT_EQ(summary.rowsRead, 7164u);
    EXPECT_EQ(summary.towersWritten, 7149u);
    EXPECT_EQ(summary.skipped, (std::vector<std::pair<std::string, std::size_t>>{
                                   {"not a full-circle ring: Carillon", 15}}));

    // Every record keeps exactly nine fields.
    std::vector<std::string> lines;
    FileError fileError;
    ASSERT_TRUE(ReadTextLines(dir.File("DoveData.CB0"), lines, fileError));
    ASSERT_EQ(lines.size(), 7151u);
    for (std::size_t i = 2; i < lines.size(); ++i) {
        ASSERT_EQ(SplitFields(lines[i]).size(), 9u) << "line " << i + 1 << ": " << lines[i];
    }

    TowerDatabase db;
    FakePrompter prompter;
    ASSERT_TRUE(db.Load(dir.Path(), prompter));
    EXPECT_TRUE(prompter.Silent());
    ASSERT_EQ(db.GetDatabaseCount(), 7149);
    EXPECT_EQ(db.FormatTowerName(0), "Ab Kettleby - S James");
    EXPECT_EQ(db.GetTowerField(0, kOS), "SK724228");
    EXPECT_EQ(db.GetTowerField(0, kWt), "974");
    EXPECT_EQ(db.GetIndexNo(0), 6918);
    const std::int32_t abbeyDore = db.FindByIndexNo(1);
    ASSERT_GE(abbeyDore, 0);
    EXPECT_EQ(db.GetTowerField(abbeyDore, kLocn), "Abbey Dore");
    EXPECT_EQ(db.GetTowerField(abbeyDore, kCnty), "Herefordshire");
    std::int32_t onMap = 0;
    for (std::int32_t t = 0; t < db.GetDatabaseCount(); ++t) onMap += db.GetMapPoint(t) != 0;
    EXPECT_GT(onMap, 6900);
}
