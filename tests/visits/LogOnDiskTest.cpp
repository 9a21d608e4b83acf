// A log whose file another program or computer changed behind the open document.
#include <filesystem>

#include "common/TextFile.h"
#include "tests/visits/DocFixture.h"

using namespace chimeset;
using namespace chimeset::testing;

namespace {

const std::string kZeal = "Zeal\\St Mary\\Devon\\SX123456\\50.7\\-3.8\\6\\1260\\101\\";
const std::string kAston = "Aston\\St Peter\\Warks\\SP081895\\52.5\\-1.9\\8\\2000\\102\\";

class LogOnDisk : public DocFixture {
  protected:
    // RINGER1's log with a visit to Zeal, opened for editing.
    void OpenZealLog(const std::string& user = "RINGER1") {
        ASSERT_TRUE(OpenLog({kLogHeader, kZeal + "1\\0\\0\\"}, user));
        path = dir.File("RINGER1.CBL");
        prompter.Clear();
    }
    // A visit recorded here, not yet saved.
    void ChangeHere() {
        SelectTower(2);
        doc->UpdateVisitDate(kUnknownDate);
        ASSERT_TRUE(doc->IsModified());
    }
    // The other computer's version: a visit to Aston, put in place as sync services do.
    std::string ChangeElsewhere() {
        const std::string bytes = kLogHeader + "\r\n" + kZeal + "1\\0\\0\\\r\n" + kAston +
                                  std::to_string(Day(1, 2, 2020)) + "\\0\\0\\\r\n";
        dir.Write("incoming.tmp", bytes);
        std::filesystem::rename(dir.File("incoming.tmp"), path);
        return bytes;
    }
    static bool IsOverwriteQuestion(const Notice& notice) {
        return notice.buttons == NoticeButtons::YesNoCancel && notice.buttonCaptions.size() == 3 &&
               notice.text.find("RINGER1.CBL has been changed on disk") == 0;
    }

    std::string path;
};

TEST_F(LogOnDisk, SavingOverAChangedFileAsksFirst) {
    OpenZealLog();
    ChangeHere();
    const std::string theirs = ChangeElsewhere();
    EXPECT_TRUE(doc->IsChangedOnDisk());

    // Cancel: nothing written, the changes here kept.
    prompter.QueueAnswer(Answer::Cancel);
    EXPECT_FALSE(doc->Save());
    ASSERT_EQ(prompter.notices.size(), 1u);
    EXPECT_TRUE(IsOverwriteQuestion(prompter.notices[0]));
    EXPECT_EQ(ReadBytes(path), theirs);
    EXPECT_TRUE(doc->IsModified());

    // Closing or switching logs saves through the same question.
    prompter.QueueSaveChangesAnswer(Answer::Yes);
    prompter.QueueAnswer(Answer::Cancel);
    EXPECT_FALSE(doc->CloseLog());
    EXPECT_TRUE(doc->IsLogOpen());
    EXPECT_EQ(ReadBytes(path), theirs);

    // Overwrite: the log shown here replaces the file, and the next save asks nothing.
    prompter.Clear();
    prompter.QueueAnswer(Answer::Yes);
    EXPECT_TRUE(doc->Save());
    EXPECT_EQ(prompter.notices.size(), 1u);
    EXPECT_EQ(ReadBytes(path).find("Aston"), std::string::npos);
    EXPECT_NE(ReadBytes(path).find("Bray"), std::string::npos);
    EXPECT_FALSE(doc->IsChangedOnDisk());
    ChangeHere();
    SelectTower(4);
    doc->UpdateVisitDate(kUnknownDate);
    prompter.Clear();
    EXPECT_TRUE(doc->Save());
    EXPECT_TRUE(prompter.Silent());
}

TEST_F(LogOnDisk, SaveAsKeepsTheOtherVersionAndMovesTheLogToTheNewFile) {
    OpenZealLog();
    ChangeHere();
    const std::string theirs = ChangeElsewhere();

    // Save As, then the file dialog cancelled: nothing written anywhere.
    prompter.QueueAnswer(Answer::No);
    prompter.QueueFileName(std::nullopt);
    EXPECT_FALSE(doc->Save());
    EXPECT_EQ(ListFolder(dir.Path()), (std::vector<std::string>{"DoveData.CB0", "RINGER1.CBL"}));
    EXPECT_TRUE(doc->IsModified());

    const std::string mine = dir.File("RINGER1 mine.CBL");
    prompter.QueueAnswer(Answer::No);
    prompter.QueueFileName(mine);
    EXPECT_TRUE(doc->Save());
    ASSERT_EQ(prompter.saveRequests.size(), 2u);
    EXPECT_EQ(prompter.saveRequests[1].initialPath.Native(), path);
    EXPECT_EQ(prompter.saveRequests[1].defaultExtension, "CBL");
    EXPECT_EQ(ReadBytes(path), theirs);
    EXPECT_NE(ReadBytes(mine).find("Bray"), std::string::npos);
    EXPECT_EQ(doc->GetPathName(), mine);
    EXPECT_EQ(doc->GetTitle(), "RINGER1 mine.CBL");
    EXPECT_FALSE(doc->IsModified());
    EXPECT_FALSE(doc->IsChangedOnDisk());
}

TEST_F(LogOnDisk, OnlyOtherBytesCountAsAChange) {
    OpenZealLog();
    ChangeHere();
    // The same bytes written back with a new time, as a sync service may do.
    const std::string bytes = ReadBytes(path);
    dir.Write("incoming.tmp", bytes);
    std::filesystem::last_write_time(
        dir.File("incoming.tmp"), std::filesystem::last_write_time(path) + std::chrono::hours(1));
    std::filesystem::rename(dir.File("incoming.tmp"), path);
    EXPECT_FALSE(doc->IsChangedOnDisk());
    // A file taken away (a sync service moving it) holds nothing a save could lose.
    std::filesystem::remove(path);
    EXPECT_FALSE(doc->IsChangedOnDisk());
    EXPECT_TRUE(doc->Save());
    EXPECT_TRUE(prompter.Silent());
    // One byte more is a change, though the time may read the same.
    const auto time = std::filesystem::last_write_time(path);
    dir.Write("RINGER1.CBL", ReadBytes(path) + ";\r\n");
    std::filesystem::last_write_time(path, time);
    EXPECT_TRUE(doc->IsChangedOnDisk());
    // So is a change of one byte in place, at the same size and time.
    std::string same = ReadBytes(dir.File("RINGER1.CBL"));
    same[same.size() - 3] = '#';
    dir.Write("RINGER1.CBL", same);
    std::filesystem::last_write_time(path, time);
    EXPECT_TRUE(doc->IsChangedOnDisk());
}

TEST_F(LogOnDisk, AnUnchangedLogOffersToReadTheNewFile) {
    OpenZealLog();
    EXPECT_FALSE(doc->OfferReload());  // nothing changed: no question
    EXPECT_TRUE(prompter.Silent());

    ChangeElsewhere();
    // No: the log shown stays, and the same version is not offered again.
    prompter.QueueAnswer(Answer::No);
    EXPECT_FALSE(doc->OfferReload());
    ASSERT_EQ(prompter.notices.size(), 1u);
    EXPECT_EQ(prompter.notices[0].buttons, NoticeButtons::YesNo);
    EXPECT_EQ(doc->EntryCount(), 1);
    EXPECT_FALSE(doc->OfferReload());
    EXPECT_EQ(prompter.notices.size(), 1u);

    // A further change asks again; Yes reads it as the same user, still editable.
    dir.Write("RINGER1.CBL", ReadBytes(path) + kAston + "7\\0\\0\\\r\n");
    listener.hints.clear();
    EXPECT_TRUE(doc->OfferReload());
    EXPECT_EQ(prompter.notices.size(), 2u);
    EXPECT_EQ(doc->EntryCount(), 3);
    EXPECT_EQ(doc->UserName(), "Ringer One");
    EXPECT_FALSE(doc->IsReadOnly());
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->GetPathName(), path);
    EXPECT_EQ(doc->GetTitle(), "RINGER1.CBL");
    EXPECT_EQ(listener.hints, std::vector<UpdateHint>{kHintContentsChanged});
    EXPECT_FALSE(doc->IsChangedOnDisk());
    EXPECT_TRUE(doc->CanAddAdditionalTower());
}

TEST_F(LogOnDisk, ChangesMadeHereAreNeverReplacedByAReload) {
    OpenZealLog();
    ChangeHere();
    ChangeElsewhere();
    EXPECT_FALSE(doc->OfferReload());
    EXPECT_TRUE(prompter.Silent());
    EXPECT_TRUE(doc->IsModified());
    SelectTower(2);
    EXPECT_EQ(doc->EntryVisitDate(), kUnknownDate);
}

TEST_F(LogOnDisk, AReadOnlyLogReloadsReadOnlyAndABrokenFileClosesIt) {
    OpenZealLog("");
    ASSERT_TRUE(doc->IsReadOnly());
    ChangeElsewhere();
    prompter.QueueAnswer(Answer::Yes);
    EXPECT_TRUE(doc->OfferReload());
    EXPECT_TRUE(doc->IsReadOnly());
    EXPECT_EQ(doc->UserName(), "RINGER1.CBL");
    EXPECT_EQ(doc->EntryCount(), 2);

    // A file that is no log any more: the message, and no log open to be saved over it.
    dir.Write("RINGER1.CBL", "not a log\r\n");
    prompter.Clear();
    prompter.QueueAnswer(Answer::Yes);
    EXPECT_FALSE(doc->OfferReload());
    EXPECT_EQ(prompter.Ids().back(), 0x8005u);  // the wrong-format message
    EXPECT_FALSE(doc->IsLogOpen());
    EXPECT_TRUE(doc->GetPathName().empty());
    EXPECT_FALSE(doc->OfferReload());
}

}  // namespace
