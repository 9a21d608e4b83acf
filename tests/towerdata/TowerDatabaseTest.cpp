#include <gtest/gtest.h>

#include "common/FileFormats.h"
#include "common/Text.h"
#include "common/TextFile.h"
#include "tests/support/FakePrompter.h"
#include "tests/support/FilePermissions.h"
#include "tests/support/TempDir.h"
#include "towerdata/TowerDatabase.h"

using namespace chimeset;
using chimeset::testing::FakePrompter;
using chimeset::testing::TempDir;

namespace {

const std::string kHeader(kTowerFieldNames);

// A database loaded as the program loads it: what the load came to is shown to the user.
struct Loaded {
    TowerDatabase db;
    FakePrompter prompter;
    bool ok = false;

    bool Load(const std::string& folder) {
        const FileResult result = db.Load(folder);
        ShowFileResult(prompter, result);
        ok = result.ok;
        return ok;
    }
};

void LoadLines(Loaded& loaded, const TempDir& dir, const std::vector<std::string>& lines) {
    dir.WriteLines("DoveData.CB0", lines);
    loaded.Load(dir.Path());
}

}  // namespace

TEST(TowerDatabaseLoad, ReadsRecordsSkipsCommentsAndEmptyLines) {
    TempDir dir;
    Loaded l;
    LoadLines(
        l, dir,
        {kHeader, "Aston\\St Peter\\Warks\\SP081895\\52.5\\-1.9\\8\\1260\\1234", "; a comment", "",
         " \t ", " Bray \\ St Michael\\Berks\\\\\\\\\\\\ 77", "Short\\Only"});
    ASSERT_TRUE(l.ok);
    EXPECT_TRUE(l.prompter.Silent());
    // Empty and blank lines hold no tower: they would list as " - ".
    ASSERT_EQ(l.db.GetDatabaseCount(), 3);
    EXPECT_EQ(l.db.GetTowerField(0, kLocn), "Aston");
    EXPECT_EQ(l.db.GetIndexNo(0), 1234);
    // Fields are trimmed; an identity with a blank before its digits is 0.
    EXPECT_EQ(l.db.FormatTowerName(1), "Bray - St Michael");
    EXPECT_EQ(l.db.GetIndexNo(1), 0);
    // Missing fields read as empty.
    EXPECT_EQ(l.db.GetTowerField(2, kCnty), "");
    EXPECT_EQ(l.db.GetTowerField(-1, kLocn), "");
    EXPECT_EQ(l.db.GetIndexNo(-1), -1);
}

TEST(TowerDatabaseLoad, ADosEndOfFileMarkIsNoTower) {
    TempDir dir;
    {
        Loaded l;  // on a line of its own, as old DOS tools leave it
        dir.Write("DoveData.CB0", kHeader + "\r\nAston\\St Peter\\\\\\\\\\8\\\\12\r\n\x1A");
        ASSERT_TRUE(l.Load(dir.Path()));
        ASSERT_EQ(l.db.GetDatabaseCount(), 1);
        EXPECT_EQ(l.db.GetIndexNo(0), 12);
    }
    {
        Loaded l;  // at the end of the last record, and on a line with a blank
        dir.Write("DoveData.CB0", kHeader + "\r\n \x1A\r\nAston\\St Peter\\\\\\\\\\8\\\\12\x1A");
        ASSERT_TRUE(l.Load(dir.Path()));
        ASSERT_EQ(l.db.GetDatabaseCount(), 1);
        EXPECT_EQ(l.db.GetIndexNo(0), 12);
        EXPECT_EQ(l.db.FormatTowerName(0), "Aston - St Peter");
    }
}

TEST(TowerDatabaseLoad, ALocationBeginningWithASemicolonNeedsALeadingBlank) {
    TempDir dir;
    Loaded l;
    LoadLines(l, dir, {kHeader, ";Hidden\\St A\\\\\\\\\\6\\\\1", " ;Shown\\St B\\\\\\\\\\6\\\\2"});
    ASSERT_TRUE(l.ok);
    ASSERT_EQ(l.db.GetDatabaseCount(), 1);
    EXPECT_EQ(l.db.GetTowerField(0, kLocn), ";Shown");
    EXPECT_EQ(l.db.GetIndexNo(0), 2);
}

TEST(TowerDatabaseLoad, TheFirstCommentDescribesTheDataAndCreditsItsSource) {
    TempDir dir;
    Loaded converted;
    LoadLines(converted, dir,
              {kHeader,
               "; Tower data from Dove's Guide for Church Bell Ringers, (c) the Central Council "
               "of Church Bell Ringers, licensed CC BY-SA 4.0 (https://dove.cccbr.org.uk)",
               "Aston\\St Peter\\Warks\\\\\\\\8\\1260\\1234", ";later note"});
    ASSERT_TRUE(converted.ok);
    EXPECT_EQ(TowerDataCredit(converted.db),
              "Tower data from Dove's Guide for Church Bell Ringers, (c) the Central Council of "
              "Church Bell Ringers, licensed CC BY-SA 4.0");

    // The sample says what it is, and that is all the box says of it.
    Loaded sample;
    LoadLines(sample, dir,
              {kHeader, ";  Invented sample data: these towers do not exist.  ",
               "Aston\\St Peter\\Warks\\\\\\\\8\\1260\\1234"});
    EXPECT_EQ(sample.db.Description(), "Invented sample data: these towers do not exist.");
    EXPECT_EQ(TowerDataCredit(sample.db), "Invented sample data: these towers do not exist.");

    // A database without comments credits nobody; reloading forgets an earlier description.
    LoadLines(sample, dir, {kHeader, "Aston\\St Peter\\Warks\\\\\\\\8\\1260\\1234"});
    EXPECT_EQ(sample.db.Description(), "");
    EXPECT_EQ(TowerDataCredit(sample.db), "The tower database does not name its source.");
    EXPECT_EQ(TowerDataCredit(TowerDatabase()), "No tower database is loaded.");
}

TEST(TowerDatabaseLoad, HeaderColumnsAreFoundByName) {
    TempDir dir;
    {
        Loaded l;
        LoadLines(l, dir,
                  {"Dedn\\Locn\\Cnty\\OS\\Lat\\Lon\\Bells\\Wt\\IndexNo",
                   "St Mary\\Ely\\C\\\\\\\\6\\900\\5"});
        ASSERT_TRUE(l.ok);
        EXPECT_TRUE(l.prompter.Silent());
        EXPECT_EQ(l.db.ColumnMap()[0], 1u);
        EXPECT_EQ(l.db.ColumnMap()[1], 0u);
        EXPECT_EQ(l.db.GetTowerField(0, kLocn), "Ely");
        EXPECT_EQ(l.db.GetIndexNo(0), 5);
    }
    {
        Loaded l;  // a further name after the nine: silent
        LoadLines(l, dir, {kHeader + "\\Extra", "A\\B\\C\\D\\E\\F\\1\\2\\3\\x"});
        EXPECT_TRUE(l.ok);
        EXPECT_TRUE(l.prompter.Silent());
    }
    {
        Loaded l;  // a further name before them: newer extract notice, still read
        LoadLines(l, dir, {"Extra\\" + kHeader, "x\\A\\B\\C\\D\\E\\F\\1\\2\\3"});
        ASSERT_TRUE(l.ok);
        EXPECT_EQ(l.prompter.Ids(), std::vector<unsigned>{0x8001});
        EXPECT_EQ(l.prompter.notices[0].helpContext, 0x30000u + 0x8001);
        EXPECT_EQ(l.db.GetIndexNo(0), 3);
        EXPECT_EQ(l.db.GetTowerField(0, kLocn), "A");
    }
}

TEST(TowerDatabaseLoad, UnusableFilesGiveOneClearMessageAndNoTowers) {
    TempDir dir;
    const std::vector<std::vector<std::string>> bad = {
        {},                                                                         // empty file
        {"Locn\\Dedn\\Cnty\\OS\\Lat\\Lon\\Bells\\IndexNo", "A\\B\\C\\\\\\\\6\\1"},  // no Wt
        {std::string("\0\x01\xff\xfe binary", 12), "x"},
        {std::string(1 << 20, 'L')},  // a 1 MB line
    };
    for (const auto& lines : bad) {
        Loaded l;
        LoadLines(l, dir, lines);
        EXPECT_FALSE(l.ok);
        EXPECT_EQ(l.prompter.Ids(), std::vector<unsigned>{0x800F});
        EXPECT_EQ(l.prompter.notices[0].icon, NoticeIcon::Stop);
        EXPECT_EQ(l.db.GetDatabaseCount(), 0);
    }
    Loaded missing;
    EXPECT_FALSE(missing.Load(dir.File("nowhere")));
    EXPECT_EQ(missing.prompter.fileErrors.size(), 1u);
    EXPECT_TRUE(missing.prompter.notices.empty());
    EXPECT_EQ(missing.db.GetDatabaseCount(), 0);

    TempDir folder;  // DoveData.CB0 is a folder
    Loaded l;
    chimeset::testing::MakeFolder(folder.File("DoveData.CB0"));
    EXPECT_FALSE(l.Load(folder.Path()));
    EXPECT_EQ(l.prompter.fileErrors.size(), 1u);
}

TEST(TowerDatabaseLoad, RecordsClosedUpInTheFilesOwnTextKeepEveryField) {
    // Mixed line ends, comments and blank lines between records: each record must still read
    // whole after those in front of it have been moved over the gaps.
    std::string text = kHeader + "\n; first\r\n";
    std::vector<std::string> expected;
    for (int i = 0; i < 300; ++i) {
        const std::string record = "Town" + std::to_string(i) + std::string(i % 7, 'x') + "\\St " +
                                   std::to_string(i) + "\\C\\\\\\\\6\\\\" +
                                   std::to_string(1000 + i);
        expected.push_back(record);
        text += record + (i % 3 == 0 ? "\r\n" : "\n");
        if (i % 5 == 0) text += "; note " + std::to_string(i) + "\r\n \t\r\n\n";
    }
    text += "\x1A";
    TempDir dir;
    dir.Write("DoveData.CB0", text);
    Loaded l;
    ASSERT_TRUE(l.Load(dir.Path()));
    ASSERT_EQ(l.db.GetDatabaseCount(), 300);
    EXPECT_EQ(l.db.Description(), "first");
    for (std::int32_t t = 0; t < 300; ++t) {
        const std::vector<std::string> fields = SplitFields(expected[static_cast<std::size_t>(t)]);
        EXPECT_EQ(l.db.FormatTowerName(t), fields[0] + " - " + fields[1]);
        EXPECT_EQ(l.db.GetTowerField(t, kCnty), "C");
        EXPECT_EQ(l.db.GetIndexNo(t), 1000 + t);
        EXPECT_EQ(l.db.FindByIndexNo(1000 + t), t);
    }
}

TEST(TowerDatabaseLoad, ParsingLinesInMemoryReadsAsTheFileDoesAndShowsNothing) {
    // The same text as a file and as lines: the same towers, description and result.
    const std::string text = kHeader +
                             "\r\n; Made by hand\r\nAston\\St Peter\\\\\\\\\\8\\\\12\r\n" +
                             "\r\nBray\\St Michael\\\\\\\\\\8\\\\13\x1A";
    TempDir dir;
    dir.Write("DoveData.CB0", text);
    Loaded fromFile;
    ASSERT_TRUE(fromFile.Load(dir.Path()));
    TowerDatabase parsed;
    const FileResult result = parsed.Parse(SplitTextLines(text));
    ASSERT_TRUE(result.ok);
    EXPECT_TRUE(result.notices.empty());
    EXPECT_FALSE(result.fileError);
    ASSERT_EQ(parsed.GetDatabaseCount(), fromFile.db.GetDatabaseCount());
    ASSERT_EQ(parsed.GetDatabaseCount(), 2);
    for (std::int32_t t = 0; t < 2; ++t) {
        EXPECT_EQ(parsed.FormatTowerName(t), fromFile.db.FormatTowerName(t));
        EXPECT_EQ(parsed.GetIndexNo(t), fromFile.db.GetIndexNo(t));
    }
    EXPECT_EQ(parsed.Description(), "Made by hand");

    // What the user is to be told comes back with the result, in order, for the caller to show.
    const FileResult newer = parsed.Parse({"Extra\\" + kHeader, "x\\A\\B\\C\\D\\E\\F\\1\\2\\3"});
    EXPECT_TRUE(newer.ok);
    ASSERT_EQ(newer.notices.size(), 1u);
    EXPECT_EQ(newer.notices[0].id, 0x8001u);
    EXPECT_EQ(parsed.GetDatabaseCount(), 1);
    const FileResult unusable = parsed.Parse({"Locn\\Dedn", "A\\B"});
    EXPECT_FALSE(unusable.ok);
    ASSERT_EQ(unusable.notices.size(), 1u);
    EXPECT_EQ(unusable.notices[0].id, 0x800Fu);
    EXPECT_EQ(parsed.GetDatabaseCount(), 0);
    const FileResult missing = parsed.LoadFile(dir.File("nowhere.CB0"));
    EXPECT_FALSE(missing.ok);
    ASSERT_TRUE(missing.fileError);
    EXPECT_EQ(missing.fileError->path.Native(), dir.File("nowhere.CB0"));
    EXPECT_TRUE(missing.notices.empty());
}

TEST(TowerDatabaseLookup, FindByIndexNoKeepsTheRangesApart) {
    TempDir dir;
    Loaded l;
    LoadLines(l, dir,
              {kHeader, "A\\\\\\\\\\\\\\\\7", "B\\\\\\\\\\\\\\\\7", "C\\\\\\\\\\\\\\\\99999"});
    ASSERT_TRUE(l.ok);
    EXPECT_EQ(l.db.FindByIndexNo(7), 0);  // the first of two
    EXPECT_EQ(l.db.FindByIndexNo(8), -1);
    // 99999 is never looked for among database towers.
    EXPECT_EQ(l.db.FindByIndexNo(99999), -1);

    EXPECT_EQ(l.db.AddAdditionalTower("X\\Y\\\\\\\\\\6\\0\\99999"), 3);
    EXPECT_EQ(l.db.AddAdditionalTower("Z\\Y\\\\\\\\\\6\\0\\7"), 4);
    EXPECT_EQ(l.db.FindByIndexNo(99999), 3);
    EXPECT_EQ(l.db.FindByIndexNo(7), 0);  // the database wins below 99999
    EXPECT_EQ(l.db.GetAdditionalCount(), 2);

    // Additional towers read fields in canonical order, and a bad identity is 0.
    l.db.ReplaceAdditionalTower(4, "Q\\R\\\\\\\\\\6\\0\\abc");
    EXPECT_EQ(l.db.GetIndexNo(4), 0);
    EXPECT_EQ(l.db.FormatTowerName(4), "Q - R");
    l.db.ClearAdditionalTowers();
    EXPECT_EQ(l.db.GetAdditionalCount(), 0);
    EXPECT_EQ(l.db.FindByIndexNo(99999), -1);
}

TEST(TowerDatabaseLookup, MapPointsFromGridReferences) {
    TempDir dir;
    Loaded l;
    LoadLines(l, dir,
              {kHeader, "A\\\\\\SU123456", "B\\\\\\su123456", "C\\\\\\NS000000", "D\\\\\\SU 23456",
               "E\\\\\\SU1234567", "F\\\\\\OV123456", "G\\\\\\SI123456", "H\\\\\\TQ300800",
               "I\\\\\\HU400400", "J\\\\\\SV000000"});
    ASSERT_TRUE(l.ok);
    const auto point = [&](int t) { return l.db.GetMapPoint(t); };
    EXPECT_EQ(MapPointEasting(point(0)), 4123u);
    EXPECT_EQ(MapPointNorthing(point(0)), 1456u);
    EXPECT_EQ(point(1), point(0));
    EXPECT_EQ(point(2), MakeMapPoint(2000, 6000));
    EXPECT_EQ(point(3), 0u);
    EXPECT_EQ(point(4), 0u);
    EXPECT_EQ(point(5), 0u);
    EXPECT_EQ(point(6), 0u);
    EXPECT_EQ(point(7), MakeMapPoint(5300, 1800));   // London
    EXPECT_EQ(point(8), MakeMapPoint(4400, 11400));  // Shetland
    EXPECT_EQ(point(9), 0u);
}

TEST(TowerDatabaseMemory, StaysWellUnderThreeTimesTheFile) {
    TempDir dir;
    std::vector<std::string> lines{kHeader};
    std::size_t bytes = 0;
    for (int i = 0; i < 5000; ++i) {
        lines.push_back("Great Snoring " + std::to_string(i) +
                        "\\St Mary the Virgin\\Norfolk\\TF946345\\52.87\\0.89\\6\\1120\\" +
                        std::to_string(i + 1));
        bytes += lines.back().size() + 2;
    }
    Loaded l;
    LoadLines(l, dir, lines);
    ASSERT_TRUE(l.ok);
    EXPECT_LT(l.db.DatabaseBytes(), bytes * 3 / 2);
}
