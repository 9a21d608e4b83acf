#include "common/PathText.h"
#include "common/TextFile.h"
#include "tests/visits/DocFixture.h"

using namespace chimeset;
using namespace chimeset::testing;

using DocumentEdit = DocFixture;

TEST_F(DocumentEdit, RecordingAndRemovingAVisit) {
    ASSERT_TRUE(OpenLog({kLogHeader}));
    SelectTower(2);
    EXPECT_EQ(doc->CurrentEntry(), -1);
    EXPECT_FALSE(doc->IsModified());
    listener.hints.clear();

    doc->UpdateVisitDate(Day(7, 3, 2010));
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(doc->CurrentEntry(), 0);
    EXPECT_EQ(doc->EntryCount(), 1);
    EXPECT_EQ(doc->EntryQuarterDate(), 0);
    EXPECT_EQ(doc->EntryPealDate(), 0);
    EXPECT_EQ(doc->EntryComment(), "");
    EXPECT_TRUE(listener.hints.empty());  // the caller refreshes its own display

    doc->UpdateQuarterDate(Day(8, 3, 2010));
    doc->UpdatePealDate(kUnknownDate);
    doc->UpdateComment("Rang the back six.\r\nLovely ring.");
    EXPECT_EQ(doc->EntryQuarterDate(), Day(8, 3, 2010));
    EXPECT_EQ(doc->EntryPealDate(), 1);
    EXPECT_EQ(doc->EntryComment(), "Rang the back six.\r\nLovely ring.");

    // Removing the only entry: count 0, no current entry, the tower stays selected.
    doc->UpdateVisitDate(0);
    EXPECT_EQ(doc->EntryCount(), 0);
    EXPECT_EQ(doc->CurrentEntry(), -1);
    EXPECT_EQ(doc->CurrentTower(), 2);
    EXPECT_EQ(listener.hints.back(), kHintListRebuilt);

    // Without a current entry these are ignored.
    doc->UpdateQuarterDate(5);
    doc->UpdateComment("x");
    EXPECT_EQ(doc->EntryCount(), 0);
}

TEST_F(DocumentEdit, DateChangesRebuildOnlyTheListTheyOrder) {
    ASSERT_TRUE(
        OpenLog({kLogHeader, "\\\\\\\\\\\\\\\\101\\" + std::to_string(Day(1, 1, 2001)) + "\\0\\0\\",
                 "\\\\\\\\\\\\\\\\102\\" + std::to_string(Day(1, 1, 2002)) + "\\0\\0\\"}));
    doc->SetFilter(kFilterVisited);
    doc->SetOrder(kOrderDate);
    EXPECT_EQ(doc->GetListItem(0), "Zeal - St Mary");
    doc->SelectListItem(0);
    listener.hints.clear();
    doc->UpdateVisitDate(Day(1, 1, 2003));
    EXPECT_EQ(listener.hints, std::vector<UpdateHint>{kHintListRebuilt});
    EXPECT_EQ(doc->GetListItem(0), "Aston - St Peter");

    // The quarter-peal date is not the key of the visited list.
    listener.hints.clear();
    doc->UpdateQuarterDate(Day(2, 2, 2003));
    EXPECT_TRUE(listener.hints.empty());
    doc->SetFilter(kFilterQuartered);
    EXPECT_EQ(doc->GetListCount(), 1);

    // Removing an entry in a log list rebuilds it.
    doc->SelectListItem(0);
    doc->UpdateVisitDate(0);
    EXPECT_EQ(doc->GetListCount(), 0);
    EXPECT_EQ(doc->SelectListItem(0), -1);
}

TEST_F(DocumentEdit, CommandAvailabilityFollowsTheState) {
    EXPECT_TRUE(doc->CanOpenLog());
    EXPECT_FALSE(doc->CanSave());
    EXPECT_FALSE(doc->CanClose());
    EXPECT_FALSE(doc->CanPrint());
    EXPECT_TRUE(doc->CanManageUsers());
    EXPECT_FALSE(doc->CanShowBackupInformation());
    EXPECT_FALSE(doc->CanAddAdditionalTower());

    ASSERT_TRUE(OpenLog({kLogHeader}));
    EXPECT_TRUE(doc->CanClose());
    EXPECT_TRUE(doc->CanPrint());
    EXPECT_FALSE(doc->CanManageUsers());
    EXPECT_TRUE(doc->CanShowBackupInformation());
    EXPECT_TRUE(doc->CanAddAdditionalTower());
    SelectTower(0);
    doc->UpdateVisitDate(kUnknownDate);
    EXPECT_TRUE(doc->CanSave());

    ASSERT_TRUE(OpenLog({kLogHeader}, ""));  // from outside: read-only
    EXPECT_TRUE(doc->IsReadOnly());
    EXPECT_FALSE(doc->CanAddAdditionalTower());
    EXPECT_TRUE(doc->CanPrint());
}

TEST_F(DocumentEdit, CloseAsksToSaveAModifiedLog) {
    ASSERT_TRUE(OpenLog({kLogHeader}));
    SelectTower(1);
    doc->UpdateVisitDate(Day(1, 2, 2020));

    prompter.QueueSaveChangesAnswer(Answer::Cancel);
    EXPECT_FALSE(doc->CloseLog());
    EXPECT_TRUE(doc->IsLogOpen());

    prompter.QueueSaveChangesAnswer(Answer::Yes);
    listener.hints.clear();
    EXPECT_TRUE(doc->CloseLog());
    EXPECT_FALSE(doc->IsLogOpen());
    EXPECT_EQ(doc->GetPathName(), "");
    EXPECT_EQ(doc->GetTitle(), "");
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(listener.hints, std::vector<UpdateHint>{kHintContentsChanged});
    // The answer Yes saved the visit.
    EXPECT_NE(ReadBytes(dir.File("RINGER1.CBL")).find("\\102\\" + std::to_string(Day(1, 2, 2020))),
              std::string::npos);
}

TEST_F(DocumentEdit, BackupInformationNamesTheLog) {
    ASSERT_TRUE(OpenLog({kLogHeader}));
    doc->ShowBackupInformation();
    ASSERT_EQ(prompter.notices.size(), 1u);
    EXPECT_EQ(prompter.notices[0].text,
              "The file you are currently using is\r\n\r\n" + dir.File("RINGER1.CBL") +
                  "\r\n\r\nIf this is in a folder on the hard disk that does not get regularly "
                  "backed up, then copy this and any other CBL (Clangbook Logs) for other users "
                  "to a floppy or other exchangable media. Read the Help Topics - Backup and "
                  "Restore.");
    EXPECT_EQ(prompter.notices[0].helpContext, 0x30000u + 32781);

    // The path is shown in the code page of the rest of the message.
    const std::string path = dir.WriteLines(NativePathFromText("Caf\xE9.CBL"), {kLogHeader});
    std::string user = "RINGER1";
    ASSERT_TRUE(doc->OpenLog(path, user));
    prompter.Clear();
    doc->ShowBackupInformation();
    ASSERT_EQ(prompter.notices.size(), 1u);
    EXPECT_NE(prompter.notices[0].text.find(
                  JoinPath(TextFromNativePath(dir.Path()), "Caf\xE9.CBL") + "\r\n"),
              std::string::npos);
}
