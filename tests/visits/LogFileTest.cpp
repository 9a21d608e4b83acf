#include <sys/stat.h>

#include <filesystem>

#include "common/TextFile.h"
#include "tests/support/FilePermissions.h"
#include "tests/visits/DocFixture.h"

using namespace chimeset;
using namespace chimeset::testing;

using LogFile = DocFixture;

TEST_F(LogFile, SaveAndReopenReproducesEveryEntry) {
    ASSERT_TRUE(OpenLog({kLogHeader}));
    EXPECT_EQ(doc->UserName(), "Ringer One");
    EXPECT_FALSE(doc->IsReadOnly());
    EXPECT_EQ(doc->GetTitle(), "RINGER1.CBL");
    SelectTower(0);
    doc->UpdateVisitDate(Day(7, 3, 2010, 2));
    doc->UpdateQuarterDate(MakeYearOnlyDate(2011));
    doc->UpdateComment("Back\\slash\r\nand lines");
    SelectTower(2);
    doc->UpdateVisitDate(kUnknownDate);
    ASSERT_TRUE(doc->Save());
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->CurrentTower(), 2);  // saving keeps the selection

    EXPECT_EQ(ReadBytes(dir.File("RINGER1.CBL")),
              kLogHeader + "\r\n" + "Zeal\\St Mary\\Devon\\SX123456\\50.7\\-3.8\\6\\1260\\101\\" +
                  std::to_string(Day(7, 3, 2010, 2)) + "\\" +
                  std::to_string(MakeYearOnlyDate(2011)) + "\\0\\QmFja1xzbGFzaA0KYW5kIGxpbmVz\r\n" +
                  // An 8-character reference is kept even with a blank in it.
                  "Bray\\St Michael\\Berks\\SU 12345\\51.5\\-0.7\\8\\1500\\103\\1\\0\\0\\\r\n");

    std::string user = "RINGER1";
    ASSERT_TRUE(doc->OpenLog(dir.File("RINGER1.CBL"), user));
    EXPECT_EQ(user, "");
    ASSERT_EQ(doc->EntryCount(), 2);
    SelectTower(0);
    EXPECT_EQ(doc->EntryVisitDate(), Day(7, 3, 2010, 2));
    EXPECT_EQ(doc->EntryQuarterDate(), MakeYearOnlyDate(2011));
    EXPECT_EQ(doc->EntryComment(), "Back\\slash\r\nand lines");
}

TEST_F(LogFile, ReadingRules) {
    // Columns in another order, an unknown user, unknown towers, entries that are not saved.
    ASSERT_TRUE(
        OpenLog({"Comment\\PDate\\QDate\\VDate\\IndexNo\\Wt\\Bells\\Lon\\Lat\\OS\\Cnty\\Dedn\\Locn",
                 "\\0\\0\\5\\102\\\\\\\\\\\\Wrong\\Wrong\\Wrong", "; comment line",
                 "\\0\\0\\5\\777\\300\\4\\\\\\\\Kent\\St Ann\\Mill",
                 "\\0\\0\\6\\777\\300\\4\\\\\\\\Kent\\St Ann\\Mill",
                 "\\0\\0\\ 7\\0\\\\\\\\\\\\\\St Bee\\Bees", "\\0\\9\\0\\103\\\\\\\\\\\\\\\\"},
                "NOBODY"));
    EXPECT_TRUE(prompter.Silent());
    EXPECT_EQ(doc->UserName(), "Unknown");
    EXPECT_EQ(doc->EntryCount(), 5);
    // A database tower takes the database's fields.
    EXPECT_EQ(doc->TowerOfEntry(0), 1);
    // Two records of one unknown number: one additional tower, two entries.
    EXPECT_EQ(doc->Database().GetAdditionalCount(), 2);
    EXPECT_EQ(doc->TowerOfEntry(1), 5);
    EXPECT_EQ(doc->TowerOfEntry(2), 5);
    EXPECT_EQ(doc->Database().FormatTowerName(5), "Mill - St Ann");
    // No identity: a new number from today's date; a blank visit date reads as -1.
    EXPECT_EQ(doc->Database().GetIndexNo(6), Day(7, 12, 2026) + 1);
    EXPECT_EQ(doc->VisitDateOf(3), -1);

    ASSERT_TRUE(doc->Save());
    const std::string saved = ReadBytes(dir.File("RINGER1.CBL"));
    EXPECT_NE(saved.find("Aston\\St Peter\\Warks\\SP081895\\52.5\\-1.9\\8\\2000\\102\\5\\0\\0\\"),
              std::string::npos);
    EXPECT_NE(
        saved.find("Bees\\St Bee\\\\\\\\\\\\\\" + std::to_string(Day(7, 12, 2026) + 1) + "\\-1\\"),
        std::string::npos);
    EXPECT_EQ(saved.find("\\103\\"), std::string::npos);  // visit date 0: dropped
}

TEST_F(LogFile, FieldsMissingFromTheEndOfARecordReadAsBlank) {
    // Header order: Locn Dedn Cnty OS Lat Lon Bells Wt IndexNo VDate QDate PDate Comment.
    ASSERT_TRUE(
        OpenLog({kLogHeader, "\\\\\\\\\\\\\\\\102\\5", "\\\\\\\\\\\\\\\\102\\5\\\\\\",
                 "\\\\\\\\\\\\\\\\101\\6\\7\\8\\", "\\\\\\\\\\\\\\\\102\\9\\0\\0\\Tea after\\x",
                 "\\\\\\\\\\\\\\\\102\\9\\0\\0\\Tea after"}));
    EXPECT_TRUE(prompter.Silent());
    ASSERT_EQ(doc->EntryCount(), 5);
    // Cut short after the visit date: as if the rest were there and blank.
    EXPECT_EQ(doc->TowerOfEntry(0), 1);
    EXPECT_EQ(doc->VisitDateOf(0), 5);
    EXPECT_EQ(doc->QuarterDateOf(0), doc->QuarterDateOf(1));
    EXPECT_EQ(doc->PealDateOf(0), doc->PealDateOf(1));
    EXPECT_EQ(doc->CommentOf(0), "");
    EXPECT_EQ(doc->CommentOf(1), "");
    // A record ending in a separator has an empty last field.
    EXPECT_EQ(doc->TowerOfEntry(2), 0);
    EXPECT_EQ(doc->VisitDateOf(2), 6);
    EXPECT_EQ(doc->QuarterDateOf(2), 7);
    EXPECT_EQ(doc->PealDateOf(2), 8);
    EXPECT_EQ(doc->CommentOf(2), "");
    // Fields after the last column are not read.
    EXPECT_FALSE(doc->CommentOf(3).empty());
    EXPECT_EQ(doc->CommentOf(3), doc->CommentOf(4));
    EXPECT_EQ(doc->QuarterDateOf(3), 0);
    EXPECT_EQ(doc->Database().GetAdditionalCount(), 0);
}

TEST_F(LogFile, HeaderRules) {
    // A further name after the thirteen: silent.
    EXPECT_TRUE(OpenLog({kLogHeader + "\\More"}));
    EXPECT_TRUE(prompter.Silent());
    EXPECT_FALSE(doc->IsReadOnly());

    // A further name before them: the later-version notice and read-only.
    EXPECT_TRUE(OpenLog({"More\\" + kLogHeader, "x\\Zeal\\\\\\\\\\\\\\\\101\\5\\0\\0\\"}));
    ASSERT_EQ(prompter.notices.size(), 1u);
    EXPECT_EQ(prompter.notices[0].helpContext, 0u);
    EXPECT_TRUE(doc->IsReadOnly());
    EXPECT_EQ(doc->TowerOfEntry(0), 0);
    // A read-only log is never written.
    SelectTower(1);
    doc->UpdateVisitDate(5);
    const std::string before = ReadBytes(dir.File("RINGER1.CBL"));
    EXPECT_FALSE(doc->Save());
    EXPECT_EQ(ReadBytes(dir.File("RINGER1.CBL")), before);
    prompter.Clear();

    // Version 1 logs and wrong formats are refused with their messages.
    EXPECT_FALSE(OpenLog({"[CLANGBOOKIST KRW-1] extra", "Aston\\12\\"}));
    EXPECT_EQ(prompter.Ids(), std::vector<unsigned>{0x8011});
    EXPECT_EQ(prompter.notices[0].helpContext, 0x30000u + 32785);
    EXPECT_FALSE(doc->IsLogOpen());
    prompter.Clear();

    const std::vector<std::vector<std::string>> wrong = {{},
                                                         {kDoveHeader + "\\VDate\\QDate\\PDate"},
                                                         {"[clangbookist krw-1]"},
                                                         {std::string("\0\x80\xff", 3)},
                                                         {std::string(1 << 20, 'x')}};
    for (const auto& lines : wrong) {
        EXPECT_FALSE(OpenLog(lines));
        EXPECT_EQ(prompter.Ids(), std::vector<unsigned>{0x8005});
        EXPECT_EQ(prompter.notices[0].icon, NoticeIcon::Stop);
        EXPECT_EQ(prompter.notices[0].helpContext, 0x30000u + 32773);
        EXPECT_FALSE(doc->IsLogOpen());
        EXPECT_EQ(doc->GetPathName(), "");
        prompter.Clear();
    }
}

TEST_F(LogFile, MissingFileAndFolderAreFileErrors) {
    std::string user = "RINGER1";
    EXPECT_FALSE(doc->OpenLog(dir.File("NONE.CBL"), user));
    EXPECT_EQ(prompter.fileErrors.size(), 1u);
    user = "RINGER1";
    EXPECT_FALSE(doc->OpenLog(dir.Path(), user));
    EXPECT_EQ(prompter.fileErrors.size(), 2u);
    EXPECT_FALSE(doc->IsLogOpen());
}

TEST_F(LogFile, AFailedSaveKeepsTheOldLogAndTheModifiedFlag) {
    if (!chimeset::testing::FolderPermissionsApply())
        GTEST_SKIP() << "folder permissions do not bind";
    ASSERT_TRUE(OpenLog({kLogHeader, "\\\\\\\\\\\\\\\\101\\5\\0\\0\\"}));
    const std::string before = ReadBytes(dir.File("RINGER1.CBL"));
    SelectTower(1);
    doc->UpdateVisitDate(6);
    ::chmod(dir.Path().c_str(), 0500);
    EXPECT_FALSE(doc->Save());
    ::chmod(dir.Path().c_str(), 0700);
    ASSERT_EQ(prompter.fileErrors.size(), 1u);
    // The folder refused the new file, so the folder is what the user must see to.
    EXPECT_EQ(prompter.fileErrors[0].path.Native(), dir.Path());
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(ReadBytes(dir.File("RINGER1.CBL")), before);
}

TEST_F(LogFile, SaveIsAtomicWhenTheTargetCannotBeReplaced) {
    // A folder standing where the log should go: the save fails and reports it.
    ASSERT_TRUE(OpenLog({kLogHeader}));
    SelectTower(1);
    doc->UpdateVisitDate(6);
    EXPECT_FALSE(doc->OnSaveDocument(dir.Path()));
    EXPECT_EQ(prompter.fileErrors.size(), 1u);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(ListFolder(dir.Path()), (std::vector<std::string>{"DoveData.CB0", "RINGER1.CBL"}));
}

TEST_F(LogFile, AWriteProtectedLogIsNotSavedOver) {
    ASSERT_TRUE(OpenLog({kLogHeader, "\\\\\\\\\\\\\\\\101\\5\\0\\0\\"}));
    const std::string path = dir.File("RINGER1.CBL");
    const std::string before = ReadBytes(path);
    ::chmod(path.c_str(), 0444);
    SelectTower(1);
    doc->UpdateVisitDate(6);
    EXPECT_FALSE(doc->Save());
    ASSERT_EQ(prompter.fileErrors.size(), 1u);
    EXPECT_EQ(prompter.fileErrors[0].path.Native(), path);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(ReadBytes(path), before);
    ::chmod(path.c_str(), 0600);
    EXPECT_TRUE(doc->Save());
    EXPECT_FALSE(doc->IsModified());
}

namespace {

// The record lines of a saved log, header first.
std::vector<std::string> SavedLines(const std::string& path) {
    std::vector<std::string> lines;
    FileError error;
    EXPECT_TRUE(ReadTextLines(path, lines, error));
    return lines;
}

}  // namespace

TEST_F(LogFile, NoRecordIsWrittenAsACommentLine) {
    // The importer writes a location that begins with ";" with a blank before it.
    dir.WriteLines("DoveData.CB0",
                   {kDoveHeader, "Zeal\\St Mary\\Devon\\SX123456\\50.7\\-3.8\\6\\1260\\101",
                    " ;Semi\\St Paul\\Kent\\\\\\\\6\\900\\102"});
    Reopen();
    ASSERT_TRUE(OpenLog({kLogHeader}));
    SelectTower(1);
    doc->UpdateVisitDate(Day(1, 2, 2003));
    AdditionalTowerFields fields{
        ";Mill", "St Ann", "Kent", "", "", "", 6, 0, doc->NextAdditionalTowerId()};
    ASSERT_TRUE(doc->AddNewAdditionalTower(fields));
    ASSERT_TRUE(doc->Save());

    const auto lines = SavedLines(dir.File("RINGER1.CBL"));
    ASSERT_EQ(lines.size(), 3u);
    for (std::size_t i = 1; i < lines.size(); ++i) EXPECT_NE(lines[i][0], ';') << lines[i];

    std::string user = "RINGER1";
    ASSERT_TRUE(doc->OpenLog(dir.File("RINGER1.CBL"), user));
    ASSERT_EQ(doc->EntryCount(), 2);
    EXPECT_EQ(doc->TowerOfEntry(0), 1);
    EXPECT_EQ(doc->VisitDateOf(0), Day(1, 2, 2003));
    ASSERT_EQ(doc->Database().GetAdditionalCount(), 1);
    EXPECT_EQ(doc->TowerOfEntry(1), 2);
    EXPECT_EQ(doc->Database().FormatTowerName(2), ";Mill - St Ann");
    EXPECT_EQ(doc->Database().GetTowerField(2, kCnty), "Kent");
    EXPECT_EQ(doc->Database().GetIndexNo(2), fields.tbNumber);
}

TEST_F(LogFile, ControlCharactersInTowerFieldsAreWrittenAsBlanks) {
    ASSERT_TRUE(OpenLog({kLogHeader}));
    // A line break pasted into a field must not split the record over two lines.
    AdditionalTowerFields fields{"Mill\r\nEnd",
                                 "St\tAnn\x7F",
                                 "K\x1F"
                                 "x",
                                 "SU123\x02"
                                 "45",
                                 "51.5\x1A",
                                 "-0.7\x01",
                                 6,
                                 1300,
                                 doc->NextAdditionalTowerId()};
    ASSERT_TRUE(doc->AddNewAdditionalTower(fields));
    ASSERT_TRUE(doc->Save());

    const auto lines = SavedLines(dir.File("RINGER1.CBL"));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], "Mill  End\\St Ann \\K x\\SU123 45\\51.5 \\-0.7 \\6\\1300\\" +
                            std::to_string(fields.tbNumber) + "\\1\\0\\0\\");

    std::string user = "RINGER1";
    ASSERT_TRUE(doc->OpenLog(dir.File("RINGER1.CBL"), user));
    ASSERT_EQ(doc->EntryCount(), 1);
    ASSERT_EQ(doc->Database().GetAdditionalCount(), 1);
    EXPECT_EQ(doc->Database().FormatTowerName(5), "Mill  End - St Ann");
    EXPECT_EQ(doc->Database().GetTowerField(5, kWt), "1300");
    EXPECT_EQ(doc->Database().GetIndexNo(5), fields.tbNumber);
}

TEST_F(LogFile, BlankLinesAndADosEndOfFileMarkAreNoRecords) {
    const std::string record = "Mill\\St Ann\\Kent\\\\\\\\6\\1260\\555555\\1\\0\\0\\";
    {
        ASSERT_TRUE(OpenLog({kLogHeader, "", record, " \t", "\x1A"}));
        EXPECT_EQ(doc->EntryCount(), 1);
        EXPECT_EQ(doc->Database().GetAdditionalCount(), 1);
        EXPECT_EQ(doc->Database().FormatTowerName(5), "Mill - St Ann");
    }
    {
        // The mark at the end of the last record, without a line end.
        std::string user = "RINGER1";
        ASSERT_TRUE(doc->OpenLog(
            dir.Write("RINGER1.CBL", kLogHeader + "\r\n" + record + "\r\n" +
                                         "Mill\\St Ann\\Kent\\\\\\\\6\\1260\\555556\\7\x1A"),
            user));
        ASSERT_EQ(doc->EntryCount(), 2);
        EXPECT_EQ(doc->VisitDateOf(1), 7);
        EXPECT_EQ(doc->Database().GetIndexNo(doc->TowerOfEntry(1)), 555556);
    }
}

TEST_F(LogFile, SavingALogThatIsASymbolicLinkUpdatesItsTarget) {
    namespace fs = std::filesystem;
    if (!chimeset::testing::SymbolicLinksWork()) GTEST_SKIP() << "no symbolic links";
    fs::create_directory(dir.File("synced"));
    dir.WriteLines("synced/RINGER1.CBL", {kLogHeader, "\\\\\\\\\\\\\\\\101\\5\\0\\0\\"});
    fs::create_symlink("synced/RINGER1.CBL", dir.File("RINGER1.CBL"));
    std::string user = "RINGER1";
    ASSERT_TRUE(doc->OpenLog(dir.File("RINGER1.CBL"), user));
    SelectTower(1);
    doc->UpdateVisitDate(6);
    ASSERT_TRUE(doc->Save());
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dir.File("RINGER1.CBL"))));
    EXPECT_EQ(SavedLines(dir.File("synced/RINGER1.CBL")).size(), 3u);
    EXPECT_EQ(ListFolder(dir.File("synced")), std::vector<std::string>{"RINGER1.CBL"});
}

TEST_F(LogFile, TheFilePartsReturnWhatHappenedAndShowNothing) {
    // Parsing lines in memory reads as opening the file does; the notices come back.
    const std::vector<std::string> later = {"More\\" + kLogHeader,
                                            "x\\Zeal\\\\\\\\\\\\\\\\101\\5\\0\\0\\"};
    FileResult parsed = doc->ParseLog(later, "Ringer One", false);
    EXPECT_TRUE(parsed.ok);
    ASSERT_EQ(parsed.notices.size(), 1u);
    EXPECT_EQ(parsed.notices[0].helpContext, 0u);
    EXPECT_TRUE(doc->IsReadOnly());
    EXPECT_EQ(doc->EntryCount(), 1);
    EXPECT_EQ(doc->UserName(), "Ringer One");
    parsed = doc->ParseLog({"[CLANGBOOKIST KRW-1] extra"}, "", true);
    EXPECT_FALSE(parsed.ok);
    ASSERT_EQ(parsed.notices.size(), 1u);
    EXPECT_EQ(parsed.notices[0].id, 0x8011u);
    EXPECT_EQ(doc->UserName(), "Unknown");
    parsed = doc->ParseLog({kDoveHeader}, "Ringer One", false);
    EXPECT_FALSE(parsed.ok);
    ASSERT_EQ(parsed.notices.size(), 1u);
    EXPECT_EQ(parsed.notices[0].id, 0x8005u);

    // What a save writes, as lines, reads back to the same entries.
    ASSERT_TRUE(doc->ParseLog({kLogHeader, "\\\\\\\\\\\\\\\\101\\5\\0\\0\\",
                               "Mill\\St Ann\\Kent\\\\\\\\6\\0\\0\\1\\0\\0\\"},
                              "Ringer One", false)
                    .ok);
    const std::vector<std::string> lines = doc->LogLines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], kLogHeader);
    ASSERT_TRUE(doc->ParseLog(lines, "Ringer One", false).ok);
    EXPECT_EQ(doc->EntryCount(), 2);
    EXPECT_EQ(doc->LogLines(), lines);

    // The file parts leave the showing to their caller.
    std::string user = "RINGER1";
    const FileResult missing = doc->ReadLogFile(dir.File("NONE.CBL"), user);
    EXPECT_FALSE(missing.ok);
    ASSERT_TRUE(missing.fileError);
    EXPECT_EQ(missing.fileError->path.Native(), dir.File("NONE.CBL"));
    EXPECT_EQ(user, "");
    ASSERT_TRUE(doc->ParseLog({kLogHeader}, "Ringer One", false).ok);
    const FileResult unwritable = doc->WriteLogFile(dir.Path());
    EXPECT_FALSE(unwritable.ok);
    EXPECT_TRUE(unwritable.fileError);
    EXPECT_TRUE(prompter.Silent());
}

TEST_F(LogFile, ADatabaseWithDetailsWritesTheLogAsEver) {
    // The details stay in the tower database: a log record copies the nine fields only, so
    // that every program that reads logs reads it.
    dir.WriteLines("DoveData.CB0",
                   {kDoveHeader + "\\" + std::string(kTowerDetailNames),
                    "Zeal\\St Mary\\Devon\\SX123456\\50.7\\-3.8\\6\\1260\\101\\N\\Tue\\Y\\Y\\N\\F#"
                    "\\EX20 2AA\\www.example.org\\Unringable."});
    Reopen();
    ASSERT_TRUE(doc->IsDatabaseLoaded());
    ASSERT_TRUE(OpenLog({kLogHeader}));
    SelectTower(0);
    doc->UpdateVisitDate(kUnknownDate);
    ASSERT_TRUE(doc->Save());
    EXPECT_EQ(
        SavedLines(dir.File("RINGER1.CBL")),
        (std::vector<std::string>{
            kLogHeader, "Zeal\\St Mary\\Devon\\SX123456\\50.7\\-3.8\\6\\1260\\101\\1\\0\\0\\"}));
}
