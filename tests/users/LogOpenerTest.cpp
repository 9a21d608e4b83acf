#include <gtest/gtest.h>

#include "common/FileFormats.h"
#include "common/TextFile.h"
#include "tests/support/FakePrompter.h"
#include "tests/support/MemorySettings.h"
#include "tests/support/TempDir.h"
#include "tests/users/UsersFakes.h"
#include "users/LogOpener.h"
#include "visits/CChimesetDoc.h"

namespace chimeset::testing {
namespace {

class LogOpenerTest : public ::testing::Test {
  protected:
    MemorySettings settings;
    FakePrompter prompter;
    FakeLogDocument doc;
    std::string pending;
    std::vector<std::optional<std::string>> typed;  // answers of the dialog, in order
    int dialogs = 0;

    void SetUp() override { settings.WriteString("Users", "DataFolder", "/logs"); }

    bool Open() {
        return OpenUserLog(doc, settings, prompter, pending,
                           [this]() -> std::optional<std::string> {
                               return typed.at(static_cast<std::size_t>(dialogs++));
                           });
    }
};

TEST_F(LogOpenerTest, NoUsersOrAnUnusableRegisterShowsTheHint) {
    EXPECT_FALSE(Open());
    settings.WriteString("Users", "RegisterOfNames", ",RINGER1");
    EXPECT_FALSE(Open());
    EXPECT_EQ(prompter.Ids(), (std::vector<unsigned>{0x800B, 0x800B}));
    EXPECT_EQ(dialogs, 0);
    EXPECT_TRUE(doc.opened.empty());
}

TEST_F(LogOpenerTest, OneUserOpensAtOnceForEditing) {
    settings.WriteString("Users", "RegisterOfNames", "RINGER1");
    ASSERT_TRUE(Open());
    EXPECT_EQ(dialogs, 0);
    EXPECT_EQ(doc.opened, std::vector<std::string>{JoinPath("/logs", "RINGER1.CBL")});
    EXPECT_EQ(doc.pendingSeen, std::vector<std::string>{"RINGER1"});
    EXPECT_TRUE(pending.empty());
    EXPECT_FALSE(doc.readOnly);
    EXPECT_TRUE(prompter.Silent());

    // The same log open for editing is not read again.
    ASSERT_TRUE(Open());
    EXPECT_EQ(doc.opened.size(), 1u);
    EXPECT_TRUE(pending.empty());
}

TEST_F(LogOpenerTest, SeveralUsersAskAndMatchExactly) {
    settings.WriteString("Users", "RegisterOfNames", "RINGER1,RINGER1X,TOWER_2");
    typed = {std::string("RINGER1X"), std::string("ringer1"), std::string("RINGER1 "), std::nullopt,
             std::string("TOWER_2")};
    ASSERT_TRUE(Open());
    EXPECT_EQ(doc.pendingSeen.back(), "RINGER1X");
    EXPECT_FALSE(Open());
    EXPECT_FALSE(Open());
    EXPECT_EQ(prompter.Ids(), (std::vector<unsigned>{0x8007, 0x8007}));
    EXPECT_FALSE(Open());  // cancelled: no message
    EXPECT_EQ(prompter.Ids().size(), 2u);
    EXPECT_EQ(doc.opened.size(), 1u);
    EXPECT_EQ(doc.path, JoinPath("/logs", "RINGER1X.CBL"));  // the open log stayed open

    ASSERT_TRUE(Open());
    EXPECT_EQ(doc.opened.back(), JoinPath("/logs", "TOWER_2.CBL"));
    EXPECT_EQ(dialogs, 5);
    EXPECT_TRUE(pending.empty());
}

TEST_F(LogOpenerTest, SaveQuestionAndReadOnlyLogs) {
    settings.WriteString("Users", "RegisterOfNames", "RINGER1");
    const std::string path = JoinPath("/logs", "RINGER1.CBL");

    // A log that came from outside opens read-only, with no user handed over...
    ASSERT_TRUE(OpenLogFromOutside(doc, path));
    EXPECT_EQ(doc.pendingSeen, std::vector<std::string>{""});
    EXPECT_TRUE(doc.readOnly);
    // ...and File Open of that very file opens it again, now for editing.
    ASSERT_TRUE(Open());
    EXPECT_EQ(doc.pendingSeen, (std::vector<std::string>{"", "RINGER1"}));
    EXPECT_FALSE(doc.readOnly);

    // Cancelling the save question abandons the open and leaves no user pending.
    doc.path = "/elsewhere/OTHER.CBL";
    doc.saveAllowed = false;
    EXPECT_FALSE(Open());
    EXPECT_EQ(doc.opened.size(), 2u);
    EXPECT_TRUE(pending.empty());
    EXPECT_FALSE(OpenLogFromOutside(doc, path));

    // A stale pending ID never reaches an outside open.
    doc.saveAllowed = true;
    pending = "RINGER1";
    ASSERT_TRUE(OpenLogFromOutside(doc, "/elsewhere/DROPPED.CBL"));
    EXPECT_EQ(doc.pendingSeen.back(), "");
}

// The rule against the real document: editable with the long name, or read-only with the
// file name.
TEST(LogOpenerDocumentTest, FileOpenAndOutsideOpensOfTheRealDocument) {
    TempDir programs;
    programs.WriteLines("DoveData.CB0",
                        {std::string(kTowerFieldNames),
                         "Zeal\\St Mary\\Devon\\SX123456\\50.7\\-3.8\\6\\1260\\101"});
    TempDir logs;
    const std::string header(kVersion2Header);
    logs.WriteLines("RINGER1.CBL", {header, "Zeal\\\\\\\\\\\\\\\\101\\32961\\0\\0\\"});
    logs.WriteLines("TOWER_2.CBL", {header});
    MemorySettings settings;
    settings.WriteString("Users", "RegisterOfNames", "RINGER1,TOWER_2");
    settings.WriteString("Users", "DataFolder", logs.Path());
    settings.WriteString("Users", "RINGER1", "Ringer One");
    FakePrompter prompter;
    CChimesetDoc document(programs.Path(), prompter, settings, [] {
        return LocalDate{2026, 12, 7};
    });
    ASSERT_TRUE(document.IsDatabaseLoaded());
    LogDocumentAdapter<CChimesetDoc> doc(document);
    std::string pending;

    ASSERT_TRUE(
        OpenUserLog(doc, settings, prompter, pending, [] { return std::string("RINGER1"); }));
    EXPECT_FALSE(document.IsReadOnly());
    EXPECT_EQ(document.UserName(), "Ringer One");
    EXPECT_EQ(document.EntryCount(), 1);

    ASSERT_TRUE(
        OpenUserLog(doc, settings, prompter, pending, [] { return std::string("TOWER_2"); }));
    EXPECT_FALSE(document.IsReadOnly());
    EXPECT_EQ(document.UserName(), "Unknown");
    settings.WriteString("Users", "TOWER_2", "");
    ASSERT_TRUE(OpenLogFromOutside(doc, logs.File("RINGER1.CBL")));
    ASSERT_TRUE(
        OpenUserLog(doc, settings, prompter, pending, [] { return std::string("TOWER_2"); }));
    EXPECT_EQ(document.UserName(), "Unknown");

    ASSERT_TRUE(OpenLogFromOutside(doc, logs.File("RINGER1.CBL")));
    EXPECT_TRUE(document.IsReadOnly());
    EXPECT_EQ(document.UserName(), "RINGER1.CBL");
    EXPECT_TRUE(pending.empty());
    EXPECT_TRUE(prompter.Silent());
}

}  // namespace
}  // namespace chimeset::testing
