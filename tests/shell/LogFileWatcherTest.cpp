// The open log's file changed by another program or computer while the program runs: the
// watch survives files replaced by renames, and only a log without changes made here is
// offered to be read again.
#include <gtest/gtest.h>

#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <memory>

#include "common/qt/QtPrompter.h"
#include "shell/CChimesetApp.h"
#include "shell/CMainFrame.h"
#include "shell/LogFileWatcher.h"
#include "tests/support/FakePrompter.h"
#include "tests/support/MemorySettings.h"
#include "tests/users/UsersFakes.h"
#include "tests/view/GuiSupport.h"
#include "visits/CChimesetDoc.h"
#include "visits/LogDiskState.h"

using namespace chimeset;
using namespace chimeset::testing;

namespace {

std::string Record(int identity, int day) {
    return std::string("\\\\\\\\\\\\\\\\") + std::to_string(identity) + "\\" +
           std::to_string(MakePackedDate(day, 1, 2020)) + "\\0\\0\\";
}

class LogFileWatcherTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteTestDatabase(dir);
        settings.WriteString("Users", "RINGER1", "Ringer One");
        doc = std::make_unique<CChimesetDoc>(dir.Path(), prompter, settings, [] {
            return LocalDate{2026, 12, 7};
        });
        path = dir.WriteLines("RINGER1.CBL", {kLogHeader, Record(1001, 1)});
        std::string user = "RINGER1";
        ASSERT_TRUE(doc->OpenLog(path, user));
        watcher = std::make_unique<LogFileWatcher>(*doc);
    }

    // Another version of the log put in place by a rename, as sync services and editors do.
    void ReplaceByRename(int records) {
        std::vector<std::string> lines{kLogHeader};
        for (int r = 0; r < records; ++r) lines.push_back(Record(1001 + r, 1 + r));
        dir.WriteLines("RINGER1.CBL.part", lines);
        std::filesystem::rename(dir.File("RINGER1.CBL.part"), path);
    }

    // Lets the watcher see the change and settle.
    bool QuestionsReach(std::size_t count) {
        return QTest::qWaitFor([&] { return prompter.notices.size() >= count; }, 5000);
    }
    void Settle() { QTest::qWait(3 * LogFileWatcher::kSettleMilliseconds); }

    TempDir dir;
    FakePrompter prompter;
    MemorySettings settings;
    std::unique_ptr<CChimesetDoc> doc;
    std::unique_ptr<LogFileWatcher> watcher;
    std::string path;
};

TEST_F(LogFileWatcherTest, EachReplacementOfTheFileOffersToReadItAgain) {
    EXPECT_EQ(watcher->WatchedFile().toStdString(), path);
    ReplaceByRename(2);
    ASSERT_TRUE(QuestionsReach(1));
    EXPECT_EQ(prompter.notices[0].text, LogDiskState::ReloadQuestion("RINGER1.CBL").text);
    EXPECT_EQ(doc->EntryCount(), 2);
    // The rename ended the watch on the old file; the new one is watched in its place.
    EXPECT_TRUE(watcher->Watcher().files().contains(watcher->WatchedFile()));
    ReplaceByRename(3);
    ASSERT_TRUE(QuestionsReach(2));
    EXPECT_EQ(doc->EntryCount(), 3);
    // A file written in place is seen too.
    dir.WriteLines("RINGER1.CBL", {kLogHeader, Record(1004, 9)});
    ASSERT_TRUE(QuestionsReach(3));
    EXPECT_EQ(doc->EntryCount(), 1);
    EXPECT_EQ(doc->TowerOfEntry(0), 3);
}

TEST_F(LogFileWatcherTest, SavesHereAndChangesToAModifiedLogAskNothing) {
    // The program's own save replaces the file by a rename as well.
    doc->SetFilter(kFilterAllTowers);
    doc->SelectListItem(0);
    doc->UpdateComment("rang well");
    ASSERT_TRUE(doc->Save());
    Settle();
    EXPECT_TRUE(prompter.Silent());

    // Changes here not yet saved: the save will ask, no reload may drop them.
    doc->UpdateComment("rang very well");
    ReplaceByRename(2);
    Settle();
    EXPECT_TRUE(prompter.Silent());
    EXPECT_EQ(doc->EntryCount(), 1);
    EXPECT_TRUE(doc->IsChangedOnDisk());

    // Closed: nothing is watched any more.
    prompter.QueueSaveChangesAnswer(Answer::No);
    ASSERT_TRUE(doc->CloseLog());
    EXPECT_TRUE(watcher->WatchedFile().isEmpty());
    EXPECT_TRUE(watcher->Watcher().files().isEmpty());
    EXPECT_TRUE(watcher->Watcher().directories().isEmpty());
}

TEST_F(LogFileWatcherTest, TheMainWindowWatchesTheLogItShows) {
    FixedDocumentsFolder documents;
    FakeIdTable idTable;
    CChimesetApp app(AppServices{dir.Path(), QString(), prompter, settings, documents, idTable, [] {
                                     return LocalDate{2026, 12, 7};
                                 }});
    ASSERT_TRUE(app.InitInstance({QString::fromStdString(path)}));
    const LogFileWatcher* frameWatcher = app.MainFrame()->LogWatcher();
    ASSERT_NE(frameWatcher, nullptr);
    EXPECT_EQ(frameWatcher->WatchedFile().toStdString(), path);
    ReplaceByRename(2);
    ASSERT_TRUE(QuestionsReach(2));  // this test's own watcher asks too
    EXPECT_EQ(app.Document()->EntryCount(), 2);
    EXPECT_TRUE(app.Document()->IsReadOnly());
}

TEST(LogDiskQuestions, TheOverwriteQuestionNamesItsChoicesAndDefaultsToCancel) {
    QtPrompter prompter(QStringLiteral("Chimeset"));
    const auto box = prompter.MakeBox(LogDiskState::OverwriteQuestion("RINGER1.CBL"));
    QStringList captions;
    for (QAbstractButton* button : box->buttons()) captions << button->text();
    captions.sort();
    EXPECT_EQ(captions, (QStringList{QStringLiteral("&Overwrite"), QStringLiteral("Cancel"),
                                     QStringLiteral("Save &As...")}));
    EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Cancel));
    EXPECT_EQ(box->button(QMessageBox::Yes)->text(), QStringLiteral("&Overwrite"));
    EXPECT_EQ(box->button(QMessageBox::No)->text(), QStringLiteral("Save &As..."));
    EXPECT_TRUE(box->text().startsWith(QStringLiteral("RINGER1.CBL has been changed on disk")));
    // Boxes without captions of their own keep the standard ones.
    Notice plain;
    plain.buttons = NoticeButtons::YesNoCancel;
    const auto standard = prompter.MakeBox(plain);
    EXPECT_EQ(standard->defaultButton(), standard->button(QMessageBox::Yes));
}

}  // namespace
