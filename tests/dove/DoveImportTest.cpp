#include <gtest/gtest.h>

#include <algorithm>
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
#include "tests/support/TempDir.h"
#include "towerdata/TowerDatabase.h"

using namespace chimeset;
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
    "DoveID",     "SNLat",   "SNLong",       "RingName",   "Frame",       "Updated"};

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
        {{"TowerID", "10001"},
         {"RingType", fullCircle},
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
         {"Note", "E\xE2\x99\xAD"},
         {"GF", "GF"},
         {"Toilet", "T"},
         {"Practice", "Tue (2nd & 4th)"},
         {"Postcode", "LE14 3HS"},
         {"WebPage", "http://www.abkettlebybells.co.uk/"}},
        {{"TowerID", "10002"},
         {"RingType", fullCircle},
         {"Place", "Bath"},
         {"Place2", "Weston"},
         {"Dedicn", "All Saints, with S John"},
         {"County", "Somerset"},
         {"NG", "ST727664"},
         {"Lat", "51.39"},
         {"Long", "-2.39"},
         {"Bells", "8"},
         {"Wt", "1234.5"},
         {"TowerBase", "0001"},
         {"UR", "u/r"},
         {"Simulator", "T"},
         {"Note", "F\xE2\x99\xAF"},
         {"ExtraInfo", "Unringable. "},
         {"WebPage", "www.bathbells.org"}},
        {{"TowerID", "10003"},
         {"RingType", "Carillon"},
         {"Place", "York"},
         {"Dedicn", "Minster"},
         {"County", "North Yorkshire"},
         {"Bells", "35"},
         {"Wt", "2679"},
         {"TowerBase", "0000"}},
        {{"TowerID", "10004"},
         {"RingType", "Chime"},
         {"Place", "Ely"},
         {"Dedicn", "Cathedral"},
         {"County", "Cambridgeshire"},
         {"Bells", "8"},
         {"Wt", "500"}},
        {{"TowerID", "10005"},
         {"RingType", lightweight},
         {"Place", "Charmborough Ring"},
         {"Dedicn", "Mobile ring"},
         {"County", ""},
         {"Country", "England"},
         {"Bells", "6"},
         {"Wt", "94"}},
        {{"TowerID", "10006"},
         {"RingType", fullCircle},
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
        {{"TowerID", "10007"},
         {"RingType", fullCircle},
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

// The details of a ring the download says nothing particular of: ringable, no ground floor,
// toilet or simulator, and no texts.
const std::string kPlainDetails = "\\Y\\\\N\\N\\N\\\\\\\\";

// The nine fields, then the details: ringable, practice, ground floor, toilet, simulator,
// tenor note, postcode, web page, remarks. Flats and sharps have no Windows-1252 byte; a
// remark's line break becomes a blank.
const std::vector<std::string> kExpectedRecords = {
    "Ab Kettleby\\S James\\Leicestershire\\SK724228\\52.79858\\-0.92747\\6\\974\\6918"
    "\\Y\\Tue (2nd & 4th)\\Y\\Y\\N\\Eb\\LE14 3HS\\http://www.abkettlebybells.co.uk/"
    "\\Anticlockwise; \"new\" frame, rehung 2016",
    "Bath, Weston\\All Saints, with S John\\Somerset\\ST727664\\51.39\\-2.39\\8\\1235\\1"
    "\\N\\\\N\\N\\Y\\F#\\\\www.bathbells.org\\Unringable.",
    "Ballylesson\\S Columba\\County Down\\J329672\\54.5\\-5.9\\5\\600\\7000" + kPlainDetails,
    // w-circumflex has no Windows-1252 byte; i-diaeresis does. A bad weight is left out; a
    // bad TowerBase number gives way to the TowerID.
    "Cwmtwr, Pont Sa\xEF"
    "d\\S Tysilio a/S Mair\\Powys\\sj100100\\52.6\\-3.3\\3\\\\10007" +
        kPlainDetails,
};
const std::string kLightweightRecord =
    "Charmborough Ring\\Mobile ring\\England\\\\\\\\6\\94\\10005" + kPlainDetails;

const std::string kDatabaseHeader =
    "Locn\\Dedn\\Cnty\\OS\\Lat\\Lon\\Bells\\Wt\\IndexNo\\Ringable\\Practice\\GroundFloor\\Toilet\\S"
    "imulator\\TenorNote\\Postcode\\WebPage\\Remarks";

std::vector<std::string> Expected(const std::vector<std::string>& records) {
    std::vector<std::string> lines = {kDatabaseHeader, kDoveCreditLine};
    lines.insert(lines.end(), records.begin(), records.end());
    return lines;
}

bool Convert(const std::string& csv, std::vector<std::string>& lines, DoveImportSummary& summary,
             DoveImportError& error, bool lightweight = false) {
    DoveImportOptions options;
    options.lightweight = lightweight;
    return ConvertDoveCsv(csv, options, lines, summary, error);
}

// A ring of the current layout with the fields that matter here.
Row Ring(const std::string& towerId, const std::string& towerBase, const std::string& place,
         const std::string& dedication, const std::string& county = "Kent",
         const std::string& bells = "6", const std::string& ringName = "") {
    return {{"TowerID", towerId}, {"TowerBase", towerBase}, {"RingType", "Full-circle ring"},
            {"Place", place},     {"Dedicn", dedication},   {"County", county},
            {"Bells", bells},     {"RingName", ringName},   {"Wt", "500"}};
}

// Converts the text into a database folder and loads it.
void ConvertAndLoad(const std::string& csv, TempDir& dir, TowerDatabase& db,
                    DoveImportSummary& summary, bool lightweight = false) {
    DoveImportOptions options;
    options.lightweight = lightweight;
    DoveImportError error;
    ASSERT_TRUE(ImportDoveFile(dir.Write("dove.csv", csv), dir.File("DoveData.CB0"), options,
                               summary, error))
        << error.Describe();
    ASSERT_TRUE(db.Load(dir.Path()).ok);
}

// What a saved visit needs to come back to its tower: a number that finds that tower and
// no other; and what the list needs: no two lines alike.
void ExpectEveryTowerFoundByItsNumberAndNamedApart(const TowerDatabase& db) {
    std::map<std::string, std::int32_t> names;
    for (std::int32_t t = 0; t < db.GetDatabaseCount(); ++t) {
        const std::int32_t number = db.GetIndexNo(t);
        EXPECT_GT(number, 0) << db.FormatTowerName(t);
        EXPECT_LT(number, 99999) << db.FormatTowerName(t);
        EXPECT_EQ(db.FindByIndexNo(number), t) << db.FormatTowerName(t) << " " << number;
        const auto [it, isNew] = names.emplace(db.FormatTowerName(t), t);
        EXPECT_TRUE(isNew) << "towers " << it->second << " and " << t << " both read " << it->first;
    }
}

// How many towers are unringable, give a practice night, are rung from the ground floor,
// have a toilet, a simulator, and give a tenor note, postcode, web page and remarks.
void ExpectDetailCounts(const TowerDatabase& db, const std::vector<int>& expected) {
    std::vector<int> counts(kTowerDetailCount, 0);
    for (std::int32_t t = 0; t < db.GetDatabaseCount(); ++t) {
        const TowerDetails d = db.DetailsOf(t);
        counts[kRingable] += d.IsUnringable();
        counts[kPractice] += !d.practice.empty();
        counts[kGroundFloor] += d.groundFloor == DetailAnswer::kYes;
        counts[kToilet] += d.toilet == DetailAnswer::kYes;
        counts[kSimulator] += d.simulator == DetailAnswer::kYes;
        counts[kTenorNote] += !d.tenorNote.empty();
        counts[kPostcode] += !d.postcode.empty();
        counts[kWebPage] += !d.webPage.empty();
        counts[kRemarks] += !d.remarks.empty();
        // Every yes/no detail is known: the download has the column.
        EXPECT_NE(d.ringable, DetailAnswer::kUnknown);
        EXPECT_NE(d.toilet, DetailAnswer::kUnknown);
    }
    EXPECT_EQ(counts, expected);
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
        {"lightweight ring (chimedove --lightweight adds them)", 1}};
    EXPECT_EQ(summary.skipped, skipped);
    EXPECT_EQ(summary.unreadableWeights, 1u);
    EXPECT_EQ(summary.unreadableTowerBase, 1u);
    EXPECT_EQ(summary.simplifiedFields, 3u);

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

TEST(DoveImport, RingsWithoutTowerBaseAreNumberedByTowerIdAndNoNumberIsShared) {
    const std::vector<Row> rows = {
        Ring("20001", "", "Aston", "S Peter"),               // line 2: TowerID
        Ring("20002", "0042", "Barton", "S Paul"),           // line 3: TowerBase
        Ring("20001", "", "Aston", "S Peter", "Kent", "3"),  // line 4: same tower's other ring
        Ring("20004", "", "Colby", "S Anne"),                // line 5: a TowerBase later has 20004
        Ring("20005", "20004", "Dalby", "S Giles"),          // line 6: keeps its TowerBase number
        Ring("20006", "42", "Eaton", "S Luke"),              // line 7: TowerBase taken on line 3
        Ring("", "", "Felton", "S Mark"),                    // line 8: no number at all
        Ring("20009", "0000", "Gayton", "S Jude"),           // line 9: zero is no number
        Ring("20010", "x1", "Hatton", "S Hugh"),             // line 10: not a number
        Ring("20011", "99999", "Ilton", "S Ives"),           // line 11: beyond database numbers
        Ring("100000", "", "Jolby", "S John"),               // line 12: TowerID beyond them too
    };
    TempDir dir;
    TowerDatabase db;
    DoveImportSummary summary;
    ASSERT_NO_FATAL_FAILURE(ConvertAndLoad(Csv(kNewLayout, rows), dir, db, summary));
    const std::vector<std::pair<std::string, std::int32_t>> expected = {
        {"Aston", 20001},  {"Barton", 42},    {"Dalby", 20004},
        {"Gayton", 20009}, {"Hatton", 20010}, {"Ilton", 20011}};
    ASSERT_EQ(db.GetDatabaseCount(), static_cast<std::int32_t>(expected.size()));
    for (std::size_t t = 0; t < expected.size(); ++t) {
        EXPECT_EQ(db.GetTowerField(static_cast<std::int32_t>(t), kLocn), expected[t].first);
        EXPECT_EQ(db.GetIndexNo(static_cast<std::int32_t>(t)), expected[t].second);
    }
    ExpectEveryTowerFoundByItsNumberAndNamedApart(db);
    EXPECT_EQ(summary.numberedByTowerId, 2u);    // Aston, Gayton
    EXPECT_EQ(summary.unreadableTowerBase, 2u);  // Hatton, Ilton
    EXPECT_EQ(summary.skipped, (std::vector<std::pair<std::string, std::size_t>>{
                                   {"no usable TowerBase number or TowerID", 2},
                                   {"identity number already another ring's", 3}}));
    EXPECT_EQ(summary.skippedLines,
              (std::vector<std::pair<std::size_t, std::string>>{
                  {7, "TowerBase 42 is already the number of the ring on line 3"},
                  {4, "TowerID 20001 is already the number of the ring on line 2"},
                  {5, "TowerID 20004 is already the number of the ring on line 6"}}));
    const std::vector<std::string> described = DescribeSummary(summary, "x.CB0");
    const std::vector<std::string> wanted = {
        "6 towers written to x.CB0 (11 rows read).",
        "5 rows skipped:",
        "       2 no usable TowerBase number or TowerID",
        "       3 identity number already another ring's",
        "  line 7: TowerBase 42 is already the number of the ring on line 3",
        "  line 4: TowerID 20001 is already the number of the ring on line 2",
        "  line 5: TowerID 20004 is already the number of the ring on line 6",
        "2 rings have no TowerBase number; their Dove TowerID is their identity number.",
        "2 TowerBase numbers are not a usable number; the Dove TowerID is the identity number "
        "of their rings."};
    EXPECT_EQ(described, wanted);

    // Rings that cannot be numbered at all leave nothing to write, and say why.
    std::vector<std::string> lines;
    DoveImportError error;
    EXPECT_FALSE(Convert(Csv(kNewLayout, {rows[6], rows[10]}), lines, summary, error));
    EXPECT_NE(error.message.find("None of the 2 full-circle rings can be written (no usable "
                                 "TowerBase number or TowerID)"),
              std::string::npos)
        << error.message;

    // A lightweight ring has no TowerBase number either.
    TempDir other;
    ASSERT_NO_FATAL_FAILURE(
        ConvertAndLoad(Csv(kOldLayout, SampleRows("Full circle ring", "Lightweight ring")), other,
                       db, summary, true));
    EXPECT_EQ(db.FindByIndexNo(10005), 2);
    EXPECT_EQ(summary.numberedByTowerId, 1u);
    ExpectEveryTowerFoundByItsNumberAndNamedApart(db);
}

TEST(DoveImport, RingsThatWouldReadAlikeInTheListAreToldApart) {
    const std::vector<Row> rows = {
        Ring("1", "27", "Acton", "S Mary", "Cheshire"),  // county
        Ring("2", "24", "Acton", "S Mary", "Greater London"),
        Ring("3", "4168", "Rugby", "S Andrew", "Warwickshire", "8", "NE Tower"),  // ring name
        Ring("3", "4169", "Rugby", "S Andrew", "Warwickshire", "5", "W Tower"),
        Ring("4", "7843", "Bampton", "S Patrick", "Cumbria", "6"),  // bells
        Ring("4", "272", "Bampton", "S Patrick", "Cumbria", "1"),
        Ring("5", "", "Oddby", "S Ann", "Kent", "6", "Old"),  // nothing but the number
        Ring("6", "", "Oddby", "S Ann", "Kent", "6", ""),
        Ring("7", "", "Acton", "S Mary", "Cheshire", "6", ""),  // the same three times
        Ring("8", "30", "Acton, Cheshire", "S Mary"),  // already reads as the lengthened name
        Ring("9", "31", "Acton", "All Saints"),        // another dedication: left alone
    };
    TempDir dir;
    TowerDatabase db;
    DoveImportSummary summary;
    ASSERT_NO_FATAL_FAILURE(ConvertAndLoad(Csv(kNewLayout, rows), dir, db, summary));
    std::vector<std::string> names;
    for (std::int32_t t = 0; t < db.GetDatabaseCount(); ++t) {
        names.push_back(db.FormatTowerName(t));
    }
    // The three Actons of S Mary have no one mark that tells all three apart: the number
    // does; the Oddbys' ring name is not enough, as one lacks it.
    EXPECT_EQ(names, (std::vector<std::string>{
                         "Acton, no. 27 - S Mary",
                         "Acton, no. 24 - S Mary",
                         "Rugby, NE Tower - S Andrew",
                         "Rugby, W Tower - S Andrew",
                         "Bampton, 6 bells - S Patrick",
                         "Bampton, 1 bell - S Patrick",
                         "Oddby, no. 5 - S Ann",
                         "Oddby, no. 6 - S Ann",
                         "Acton, no. 7 - S Mary",
                         "Acton, Cheshire - S Mary",
                         "Acton - All Saints",
                     }));
    EXPECT_EQ(summary.disambiguated, 9u);
    ExpectEveryTowerFoundByItsNumberAndNamedApart(db);

    // Two Actons take their counties; a lengthened name that another tower has already
    // takes the number too. The older layout has no ring names: Rugby falls back to bells.
    const std::vector<Row> fewer = {rows[0], rows[1], rows[2], rows[3], rows[9]};
    std::vector<std::string> lines;
    DoveImportError error;
    ASSERT_TRUE(Convert(Csv(kOldLayout, fewer), lines, summary, error)) << error.message;
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[2].substr(0, lines[2].find('\\')), "Acton, Cheshire, no. 27");
    EXPECT_EQ(lines[3].substr(0, lines[3].find('\\')), "Acton, Greater London");
    EXPECT_EQ(lines[4].substr(0, lines[4].find('\\')), "Rugby, 8 bells");
    EXPECT_EQ(lines[5].substr(0, lines[5].find('\\')), "Rugby, 5 bells");
    EXPECT_EQ(lines[6].substr(0, lines[6].find('\\')), "Acton, Cheshire");
    EXPECT_EQ(summary.disambiguated, 4u);
    EXPECT_NE(DescribeSummary(summary, "x").back().find("4 towers would read the same"),
              std::string::npos);

    // Even a place that reads as a lengthened name with its number cannot make two alike.
    const std::vector<Row> odd = {rows[6], rows[7], Ring("10", "40", "Oddby, no. 5", "S Ann")};
    ASSERT_TRUE(Convert(Csv(kNewLayout, odd), lines, summary, error)) << error.message;
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[2].substr(0, lines[2].find('\\')), "Oddby, no. 5 (2)");
    EXPECT_EQ(lines[3].substr(0, lines[3].find('\\')), "Oddby, no. 6");
}

TEST(DoveImport, SummaryOfManyRingTypesCountsEachAndStaysShort) {
    // Every row a ring type of its own, one type met again at the end, and many rings
    // sharing one TowerID: the summary names the first few and counts the rest.
    const std::size_t types = 5000;
    std::string csv = "TowerID,RingType,Place,Dedicn,County,NG,Lat,Long,Bells,Wt,TowerBase\n";
    for (std::size_t i = 0; i < types; ++i) {
        csv += Format("%zu,Type %zu,P,D,C,,,,6,500,\n", i + 10000, i);
    }
    csv += "1,Type 3,P,D,C,,,,6,500,\n";
    for (std::size_t i = 0; i < 25; ++i)
        csv += Format("77,Full circle ring,P%zu,D,C,,,,6,500,\n", i);
    std::vector<std::string> lines;
    DoveImportSummary summary;
    DoveImportError error;
    ASSERT_TRUE(Convert(csv, lines, summary, error)) << error.message;
    ASSERT_EQ(summary.skipped.size(), types + 1);
    for (std::size_t i = 0; i < types; ++i) {
        ASSERT_EQ(summary.skipped[i].first, Format("not a full-circle ring: Type %zu", i));
        ASSERT_EQ(summary.skipped[i].second, i == 3 ? 2u : 1u) << i;
    }
    EXPECT_EQ(summary.skipped[types].second, 24u);
    ASSERT_EQ(summary.skippedLines.size(), 24u);
    EXPECT_EQ(summary.skippedLines[0],
              std::make_pair(std::size_t{5004},
                             std::string("TowerID 77 is already the number of the ring on line "
                                         "5003")));

    const std::vector<std::string> described = DescribeSummary(summary, "x");
    // Then the line on the one ring numbered by its TowerID.
    ASSERT_EQ(described.size(), 2u + 20 + 1 + 20 + 1 + 1);
    EXPECT_EQ(described[1], Format("%zu rows skipped:", types + 1 + 24));
    EXPECT_EQ(described[2], "       1 not a full-circle ring: Type 0");
    EXPECT_EQ(described[5], "       2 not a full-circle ring: Type 3");
    EXPECT_EQ(described[22], Format("  %6zu for %zu other reasons", types - 20 + 24, types - 19));
    EXPECT_EQ(described[23],
              "  line 5004: TowerID 77 is already the number of the ring on line 5003");
    EXPECT_EQ(described[43], "  and 4 more such lines");
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
    // A download without the detail columns: every detail is unknown, an empty field.
    const std::string unknownDetails(kTowerDetailCount, '\\');
    EXPECT_EQ(lines[0], kDatabaseHeader);
    EXPECT_EQ(lines[2], " ;Semi\\S Anne\\Kent\\TQ100100\\51\\0\\6\\0\\99" + unknownDetails);
    EXPECT_EQ(lines[3], "Oddtown\\S Anne\\Kent\\TQ100100\\51\\0\\6\\1260\\42" + unknownDetails);
    EXPECT_EQ(summary.skipped,
              (std::vector<std::pair<std::string, std::size_t>>{{"no place name", 1}}));
}

TEST(DoveImport, RefusesInputThatIsNotAUsableDownload) {
    const std::string header = Csv(kOldLayout, {});
    const std::string good = CsvLine(kOldLayout, SampleRows("Full circle ring", "x")[0]) + "\n";
    const auto CrOnly = [](std::string text) {
        std::replace(text.begin(), text.end(), '\n', '\r');
        return text;
    };
    Row longPlace = SampleRows("Full circle ring", "x")[1];
    longPlace["Place"] = std::string(501, 'a');
    Row longRemark = SampleRows("Full circle ring", "x")[1];
    longRemark["ExtraInfo"] = std::string(32769, 'r');
    Row longType = SampleRows("Full circle ring", "x")[3];
    longType["RingType"] = std::string(100000, 'c');
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
        // Lines that end in a lone carriage return are counted as lines all the same.
        {"short row, CR line ends", CrOnly(header + good + "Full circle ring,Short,S Mary\n"), 4,
         "3 fields"},
        {"windows-1252, CR line ends", CrOnly(header + good + "1,Full circle ring,Caf\xE9\n"), 4,
         "not UTF-8"},
        {"unclosed quote, CR line ends",
         CrOnly(header + good + good + "1,\"Full circle ring,Open\n"), 6, "never closed"},
        {"over-long place", header + good + CsvLine(kOldLayout, longPlace) + "\n", 4,
         "The Place field is 501 characters long"},
        {"over-long remark", header + good + CsvLine(kOldLayout, longRemark) + "\n", 4,
         "The ExtraInfo field is 32769 characters long"},
        {"over-long type of a ring left out", header + CsvLine(kOldLayout, longType) + "\n", 2,
         "The RingType field is 100000 characters long"},
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

    // The limit counts characters, not bytes, and leaves alone the columns not read. A long
    // remark is free text and is kept whole.
    Row longest = SampleRows("Full circle ring", "x")[1];
    std::string place;
    for (int i = 0; i < 500; ++i) place += "\xC5\xB5";  // w-circumflex, two bytes
    longest["Place"] = place;
    longest["Affiliations"] = std::string(5000, 'a');
    const std::string remark = "Ringing chamber up 80 steps; " + std::string(10000 - 29, 'e');
    longest["ExtraInfo"] = remark;
    std::vector<std::string> lines;
    DoveImportSummary summary;
    DoveImportError error;
    ASSERT_TRUE(Convert(header + CsvLine(kOldLayout, longest) + "\n", lines, summary, error))
        << error.message;
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2].find('\\'), 500u + std::string(", Weston").size());
    EXPECT_EQ(SplitFields(lines[2]).back(), remark);
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
    EXPECT_EQ(bytes.substr(0, kDatabaseHeader.size() + 3), kDatabaseHeader + "\r\n;");

    TowerDatabase db;
    const FileResult loaded = db.Load(dir.Path());
    ASSERT_TRUE(loaded.ok);
    // The detail columns stand after the nine, which keep their places: a loader that knows
    // only the nine finds them where it always did, and has nothing to say.
    EXPECT_TRUE(loaded.notices.empty());
    EXPECT_EQ(db.ColumnMap(), (std::vector<std::uint32_t>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
    ASSERT_EQ(db.GetDatabaseCount(), 4);
    ASSERT_TRUE(db.HasDetails());
    const TowerDetails kettleby = db.DetailsOf(0);
    EXPECT_EQ(kettleby.ringable, DetailAnswer::kYes);
    EXPECT_EQ(kettleby.practice, "Tue (2nd & 4th)");
    EXPECT_EQ(kettleby.groundFloor, DetailAnswer::kYes);
    EXPECT_EQ(kettleby.simulator, DetailAnswer::kNo);
    EXPECT_EQ(kettleby.tenorNote, "Eb");
    EXPECT_EQ(kettleby.postcode, "LE14 3HS");
    EXPECT_TRUE(db.IsUnringable(1));
    EXPECT_FALSE(db.IsUnringable(0));
    EXPECT_EQ(db.DetailsOf(1).tenorNote, "F#");
    EXPECT_EQ(db.DetailsOf(1).remarks, "Unringable.");
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

    // Every record has the nine fields and the details, whatever its text holds.
    std::vector<std::string> lines;
    FileError fileError;
    ASSERT_TRUE(ReadTextLines(dir.File("DoveData.CB0"), lines, fileError));
    ASSERT_EQ(lines.size(), 7151u);
    for (std::size_t i = 2; i < lines.size(); ++i) {
        ASSERT_EQ(SplitFields(lines[i]).size(), 9u + kTowerDetailCount)
            << "line " << i + 1 << ": " << lines[i];
    }

    TowerDatabase db;
    const FileResult loaded = db.Load(dir.Path());
    ASSERT_TRUE(loaded.ok);
    EXPECT_TRUE(loaded.notices.empty());
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
    ExpectEveryTowerFoundByItsNumberAndNamedApart(db);
    EXPECT_GT(summary.disambiguated, 0u);
    EXPECT_EQ(summary.numberedByTowerId, 0u);  // every ring has its TowerBase number
    // The older layout has every detail column too.
    ExpectDetailCounts(db, {993, 3548, 2526, 2103, 201, 7025, 7049, 3006, 2473});
}

TEST(DoveImport, CurrentRealDownloadNumbersEveryTowerAndNamesThemApart) {
    const std::string csv = SharedData("dove48.csv");
    if (csv.empty() || !FileExists(csv))
        GTEST_SKIP() << "no current Dove's Guide download beside the project";
    TempDir dir;
    DoveImportSummary summary;
    DoveImportError error;
    ASSERT_TRUE(ImportDoveFile(csv, dir.File("DoveData.CB0"), {}, summary, error))
        << error.Describe();
    // 7,943 full-circle rings, 808 of them without a TowerBase number.
    EXPECT_EQ(summary.towersWritten, 7943u);
    EXPECT_EQ(summary.numberedByTowerId, 808u);
    EXPECT_TRUE(summary.skippedLines.empty());
    EXPECT_GT(summary.disambiguated, 0u);

    TowerDatabase db;
    const FileResult loaded = db.Load(dir.Path());
    ASSERT_TRUE(loaded.ok);
    EXPECT_TRUE(loaded.notices.empty());
    ASSERT_EQ(db.GetDatabaseCount(), 7943);
    ExpectEveryTowerFoundByItsNumberAndNamedApart(db);
    // What the download says of its full-circle rings, ring by ring.
    ExpectDetailCounts(db, {1175, 3520, 2635, 2489, 242, 7472, 7839, 3609, 2809});
    const std::int32_t kettleby = db.FindByIndexNo(6918);
    ASSERT_GE(kettleby, 0);
    const TowerDetails details = db.DetailsOf(kettleby);
    EXPECT_EQ(details.practice, "Wed");
    EXPECT_EQ(details.postcode, "LE14 3HS");
    EXPECT_EQ(details.webPage, "http://www.abkettlebybells.co.uk/");
    EXPECT_EQ(details.groundFloor, DetailAnswer::kYes);
    EXPECT_EQ(details.tenorNote, "G");
}
