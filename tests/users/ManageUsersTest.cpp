#include <gtest/gtest.h>

#include <filesystem>

#include "common/FileFormats.h"
#include "common/TextFile.h"
#include "tests/support/FakePrompter.h"
#include "tests/support/MemorySettings.h"
#include "tests/support/TempDir.h"
#include "tests/users/UsersFakes.h"
#include "users/ManageUsers.h"

namespace chimeset::testing {
namespace {

const std::string kHeader(kVersion2Header);

class ManageUsersTest : public ::testing::Test {
  protected:
    MemorySettings settings;
    FakePrompter prompter;
    TempDir documents;
    FixedDocumentsFolder documentsFolder{documents.Path()};
    FakeIdTable table;
    RecordingView view;
    ManageUsers rules{UsersEnvironment{settings, prompter, documentsFolder, table, "/programs"},
                      view};

    std::string Logs() const { return JoinPath(documents.Path(), "Chimeset"); }

    // A first user, so that the data folder is settled.
    void AddFirstUser() {
        prompter.QueueFileName(JoinPath(documents.Path(), "USERLOG.CBL"));
        ASSERT_TRUE(rules.AddUser(false, "RINGER1", "Ringer One"));
        prompter.Clear();
    }

    std::string Register() const { return settings.GetString("Users", "RegisterOfNames"); }
};

TEST_F(ManageUsersTest, OpeningListsTheRegister) {
    settings.WriteString("Users", "RegisterOfNames", "RINGER1,TOWER_2");
    settings.WriteString("Users", "RINGER1", "Tower Captain");
    rules.Open();
    EXPECT_EQ(view.rows, (std::vector<std::string>{"RINGER1\tTower Captain", "TOWER_2\tNo Name"}));
}

TEST_F(ManageUsersTest, ChecksComeInOrderAndWriteNothing) {
    AddFirstUser();
    const auto before = settings.values;
    struct Case {
        std::string id, longName;
        unsigned message;
    };
    const Case cases[] = {
        {"  RINGER1 ", "Tower Captain", 0x8003},  // duplicate, trimmed before comparing
        {"RINGER1", "x", 0x8003},                 // the duplicate test comes first
        {"RING-1", "Long enough", 0x8004},
        {"R-", "x", 0x8004},  // the character test comes before the lengths
        {"ringer2", "Long enough", 0x8004},
        {"", "Long enough", 0x8002},
        {"RIN", "Long enough", 0x8002},
        {"RINGER123", "Long enough", 0x8002},
        {"RINGER2", "Abc", 0x8002},
        {"RINGER2", std::string(101, 'a'), 0x8002},
        {"RINGER2", "Smith, John", 0x8002},
    };
    for (const auto& c : cases) {
        prompter.Clear();
        EXPECT_FALSE(rules.AddUser(false, c.id, c.longName)) << c.id;
        ASSERT_EQ(prompter.Ids(), std::vector<unsigned>{c.message}) << c.id << "/" << c.longName;
        EXPECT_EQ(prompter.notices[0].icon,
                  c.message == 0x8004 ? NoticeIcon::Stop : NoticeIcon::None);
    }
    EXPECT_EQ(settings.values, before);
    EXPECT_EQ(view.rows.size(), 1u);
    EXPECT_EQ(view.fieldClears, 1);
    EXPECT_EQ(ListFolder(Logs()), std::vector<std::string>{"RINGER1.CBL"});

    // A hand-edited register entry that breaks the rules is still found as a duplicate.
    settings.WriteString("Users", "RegisterOfNames", "RINGER1,old-1");
    rules.Open();
    prompter.Clear();
    EXPECT_FALSE(rules.AddUser(false, "old-1", "x"));
    EXPECT_EQ(prompter.Ids(), std::vector<unsigned>{0x8003});

    // The long name is not trimmed: blanks count towards its length and are kept.
    prompter.Clear();
    ASSERT_TRUE(rules.AddUser(false, "RINGER1X", " Ab "));
    EXPECT_EQ(settings.GetString("Users", "RINGER1X"), " Ab ");
    ASSERT_TRUE(rules.AddUser(false, "CAPT_99", std::string(100, 'a')));
    EXPECT_EQ(Register(), "RINGER1,old-1,RINGER1X,CAPT_99");
}

TEST_F(ManageUsersTest, AnIdThatIsAWindowsDeviceNameIsRefusedAndNothingIsWritten) {
    AddFirstUser();
    for (const std::string id : {"COM1", "LPT9", "com3", "CONIN_"}) {
        prompter.Clear();
        const bool added = rules.AddUser(false, id, "Long enough");
        if (id == "CONIN_") {
            // Only the device names themselves: a name that merely starts like one is fine.
            EXPECT_TRUE(added);
            continue;
        }
        EXPECT_FALSE(added) << id;
        if (id == "com3") {  // lower case fails the character rule first
            EXPECT_EQ(prompter.Ids(), std::vector<unsigned>{0x8004});
            continue;
        }
        ASSERT_EQ(prompter.notices.size(), 1u) << id;
        EXPECT_EQ(prompter.notices[0].icon, NoticeIcon::Stop);
        EXPECT_NE(prompter.notices[0].text.find("The ID Name " + id + " is the name of a device"),
                  std::string::npos);
    }
    EXPECT_EQ(Register(), "RINGER1,CONIN_");
    EXPECT_EQ(ListFolder(Logs()), (std::vector<std::string>{"CONIN_.CBL", "RINGER1.CBL"}));
}

TEST_F(ManageUsersTest, FirstUserChoosesTheFolderAndLaterUsersDoNot) {
    prompter.QueueFileName(JoinPath(documents.Path(), "USERLOG.CBL"));
    ASSERT_TRUE(rules.AddUser(false, " RINGER1 ", "Ringer One"));
    EXPECT_EQ(prompter.Ids(), (std::vector<unsigned>{0x805A, 0x8051}));
    EXPECT_EQ(settings.GetString("Users", "DataFolder"), Logs());
    EXPECT_EQ(Register(), "RINGER1");
    EXPECT_EQ(settings.GetString("Users", "RINGER1"), "Ringer One");
    EXPECT_EQ(view.rows, std::vector<std::string>{"RINGER1\tRinger One"});
    EXPECT_EQ(view.fieldClears, 1);
    EXPECT_EQ(ReadBytes(JoinPath(Logs(), "RINGER1.CBL")), kHeader + "\r\n");

    prompter.Clear();
    ASSERT_TRUE(rules.AddUser(false, "TOWER_2", "Tower Two"));
    EXPECT_EQ(prompter.Ids(), std::vector<unsigned>{0x8051});
    EXPECT_TRUE(prompter.saveRequests.empty());
    EXPECT_EQ(Register(), "RINGER1,TOWER_2");
    EXPECT_EQ(rules.Users().size(), 2u);
}

TEST_F(ManageUsersTest, FailedAdditionsLeaveTheRegisterUnchanged) {
    // Folder choice cancelled: silence, nothing written.
    prompter.QueueFileName(std::nullopt);
    EXPECT_FALSE(rules.AddUser(false, "RINGER1", "Ringer One"));
    EXPECT_EQ(prompter.Ids(), std::vector<unsigned>{0x805A});
    EXPECT_TRUE(settings.values.empty());

    // A data folder that no longer exists: a file error, then 0x8044.
    settings.WriteString("Users", "DataFolder", documents.File("gone"));
    settings.WriteString("Users", "RegisterOfNames", "OLDUSER");
    rules.Open();
    const auto before = settings.values;
    prompter.Clear();
    EXPECT_FALSE(rules.AddUser(false, "RINGER1", "Ringer One"));
    EXPECT_EQ(prompter.Ids(), std::vector<unsigned>{0x8044});
    EXPECT_EQ(prompter.fileErrors.size(), 1u);
    prompter.Clear();
    EXPECT_FALSE(rules.AddUser(true, "RINGER1", "Ringer One"));  // import cancelled
    EXPECT_EQ(prompter.Ids(), (std::vector<unsigned>{0x8059, 0x8044}));
    EXPECT_EQ(settings.values, before);
    EXPECT_EQ(view.rows, std::vector<std::string>{"OLDUSER\tNo Name"});
    EXPECT_EQ(view.fieldClears, 0);
}

TEST_F(ManageUsersTest, ReadOnlyDataFolderRefusesNewAndImportedLogs) {
    TempDir readOnly;
    settings.WriteString("Users", "RegisterOfNames", "RINGER1");
    settings.WriteString("Users", "DataFolder", UnwritableFolder(readOnly));
    rules.Open();
    TempDir outside;
    const std::string source = outside.WriteLines("in.cbl", {kHeader});
    const auto before = settings.values;

    EXPECT_FALSE(rules.AddUser(false, "TOWER_2", "Tower Two"));
    prompter.QueueFileName(source);
    EXPECT_FALSE(rules.AddUser(true, "TOWER_2", "Tower Two"));
    EXPECT_EQ(prompter.Ids(), (std::vector<unsigned>{0x8044, 0x8059, 0x8044}));
    EXPECT_EQ(prompter.fileErrors.size(), 2u);
    EXPECT_EQ(settings.values, before);
    EXPECT_EQ(view.rows.size(), 1u);
    EXPECT_TRUE(ListFolder(readOnly.Path()).empty());
}

TEST_F(ManageUsersTest, AddNewAsksAboutAnExistingLogButImportReplacesIt) {
    AddFirstUser();
    const std::string existing = JoinPath(Logs(), "TOWER_2.CBL");
    FileError error;
    ASSERT_TRUE(WriteTextLines(existing, {kHeader, "old record"}, error));

    prompter.QueueAnswer(Answer::Ok);  // 0x8059
    TempDir outside;
    prompter.QueueFileName(outside.WriteLines("in.cbl", {kHeader, "imported record"}));
    ASSERT_TRUE(rules.AddUser(true, "TOWER_2", "Tower Two"));
    EXPECT_EQ(prompter.Ids(), (std::vector<unsigned>{0x8059, 0x8051}));
    EXPECT_EQ(ReadBytes(existing), kHeader + "\r\nimported record\r\n");

    const std::string third = JoinPath(Logs(), "CAPT99.CBL");
    ASSERT_TRUE(WriteTextLines(third, {kHeader, "kept record"}, error));
    prompter.Clear();
    prompter.QueueAnswer(Answer::Yes);
    ASSERT_TRUE(rules.AddUser(false, "CAPT99", "Captain"));
    EXPECT_EQ(prompter.Ids(), (std::vector<unsigned>{0x8009, 0x8051}));
    EXPECT_EQ(ReadBytes(third), kHeader + "\r\nkept record\r\n");
    EXPECT_EQ(Register(), "RINGER1,TOWER_2,CAPT99");
}

TEST_F(ManageUsersTest, RefusedImportLeavesNoHalfWrittenLog) {
    AddFirstUser();
    TempDir outside;
    prompter.QueueFileName(outside.Write("binary.cbl", std::string("\x7F"
                                                                   "ELF\x02\x01",
                                                                   6)));
    EXPECT_FALSE(rules.AddUser(true, "TOWER_2", "Tower Two"));
    EXPECT_EQ(prompter.Ids(), (std::vector<unsigned>{0x8059, 0x8012, 0x8044}));
    EXPECT_EQ(ListFolder(Logs()), std::vector<std::string>{"RINGER1.CBL"});

    // The library is missing from the program folder.
    prompter.Clear();
    table.loadSucceeds = false;
    prompter.QueueFileName(
        outside.WriteLines("old.cbl", {std::string(kVersion1MagicLine), "A\\1\\1"}));
    EXPECT_FALSE(rules.AddUser(true, "TOWER_2", "Tower Two"));
    EXPECT_EQ(prompter.Ids(), (std::vector<unsigned>{0x8059, 0x8013, 0x805B, 0x8044}));
    EXPECT_EQ(ListFolder(Logs()), std::vector<std::string>{"RINGER1.CBL"});
    EXPECT_EQ(Register(), "RINGER1");
}

TEST_F(ManageUsersTest, RemoveAndExportEndWithTheButtonsOff) {
    AddFirstUser();
    ASSERT_TRUE(rules.AddUser(false, "TOWER_2", "Tower Two"));
    prompter.Clear();

    rules.SelectionChanged(1);
    EXPECT_TRUE(view.buttonsEnabled);
    EXPECT_TRUE(prompter.Silent());
    rules.SelectionChanged(-1);  // deselecting is no completed task
    EXPECT_FALSE(view.buttonsEnabled);
    EXPECT_TRUE(prompter.Silent());

    // Export, cancelled: nothing changes, the buttons stay on.
    rules.SelectionChanged(1);
    prompter.QueueFileName(std::nullopt);
    rules.Export(1);
    EXPECT_TRUE(view.buttonsEnabled);
    EXPECT_EQ(view.selectionClears, 0);
    EXPECT_TRUE(prompter.notices.empty());

    TempDir outside;
    prompter.QueueFileName(outside.File("t2.cbl"));
    rules.Export(1);
    EXPECT_EQ(ReadBytes(outside.File("t2.cbl")), kHeader + "\r\n");
    EXPECT_FALSE(view.buttonsEnabled);
    EXPECT_EQ(view.selectionClears, 1);
    EXPECT_EQ(prompter.Ids(), std::vector<unsigned>{0x8051});

    prompter.Clear();
    rules.Remove(0);
    EXPECT_EQ(view.rows, std::vector<std::string>{"TOWER_2\tTower Two"});
    EXPECT_EQ(Register(), "TOWER_2");
    EXPECT_FALSE(settings.HasEntry("Users", "RINGER1"));
    EXPECT_EQ(prompter.Ids(), std::vector<unsigned>{0x8051});
    EXPECT_EQ(view.selectionClears, 2);

    rules.Remove(0);
    EXPECT_TRUE(view.rows.empty());
    EXPECT_TRUE(settings.values.empty());
    EXPECT_TRUE(FileExists(JoinPath(Logs(), "RINGER1.CBL")));
    EXPECT_TRUE(FileExists(JoinPath(Logs(), "TOWER_2.CBL")));

    // Without a selection, only the closing step runs.
    prompter.Clear();
    rules.Remove(-1);
    rules.Export(-1);
    EXPECT_EQ(prompter.Ids(), (std::vector<unsigned>{0x8051, 0x8051}));
    EXPECT_TRUE(prompter.saveRequests.empty());

    // With nobody left, the next user asks for a folder again.
    prompter.Clear();
    prompter.QueueFileName(std::nullopt);
    EXPECT_FALSE(rules.AddUser(false, "RINGER3", "Ringer Three"));
    EXPECT_EQ(prompter.Ids(), std::vector<unsigned>{0x805A});
}

// A message about settings that were not saved, and no "Task Completed." with it.
bool ToldNotSaved(const FakePrompter& prompter, const std::string& consequence) {
    for (const auto& notice : prompter.notices) {
        if (notice.id == 0x8051) return false;
    }
    for (const auto& notice : prompter.notices) {
        if (notice.text.find("could not be saved in the test settings") != std::string::npos &&
            notice.text.find(consequence) != std::string::npos)
            return true;
    }
    return false;
}

TEST_F(ManageUsersTest, UnwritableSettingsAddNobodyAndSaySo) {
    // Nothing can be written: the first user's folder is chosen and the log made, then the
    // register refuses them. The empty log goes again, so that a later try starts afresh.
    settings.refuses = [](const std::string&) { return true; };
    prompter.QueueFileName(JoinPath(documents.Path(), "USERLOG.CBL"));
    EXPECT_FALSE(rules.AddUser(false, "RINGER1", "Ringer One"));
    EXPECT_TRUE(ToldNotSaved(prompter, "The user RINGER1 was not added."));
    EXPECT_TRUE(settings.values.empty());
    EXPECT_TRUE(view.rows.empty());
    EXPECT_EQ(view.fieldClears, 0);
    EXPECT_TRUE(rules.Users().empty());
    EXPECT_TRUE(ListFolder(Logs()).empty());

    // Only the register itself refuses: the entries written before it are taken back.
    settings.refuses = [](const std::string& entry) { return entry == "RegisterOfNames"; };
    prompter.Clear();
    prompter.QueueFileName(JoinPath(documents.Path(), "USERLOG.CBL"));
    EXPECT_FALSE(rules.AddUser(false, "RINGER1", "Ringer One"));
    EXPECT_TRUE(ToldNotSaved(prompter, "The user RINGER1 was not added."));
    EXPECT_TRUE(settings.values.empty());
    EXPECT_TRUE(ListFolder(Logs()).empty());

    // Once the settings can be written the same user is added without further questions.
    settings.refuses = nullptr;
    prompter.Clear();
    prompter.QueueFileName(JoinPath(documents.Path(), "USERLOG.CBL"));
    ASSERT_TRUE(rules.AddUser(false, "RINGER1", "Ringer One"));
    EXPECT_EQ(prompter.Ids(), (std::vector<unsigned>{0x805A, 0x8051}));
    EXPECT_EQ(Register(), "RINGER1");
}

TEST_F(ManageUsersTest, UnwritableSettingsNeverTakeALogThatHoldsData) {
    AddFirstUser();
    const auto before = settings.values;
    settings.refuses = [](const std::string&) { return true; };

    // A log that was already there, kept on the question.
    const std::string kept = JoinPath(Logs(), "CAPT99.CBL");
    FileError error;
    ASSERT_TRUE(WriteTextLines(kept, {kHeader, "kept record"}, error));
    prompter.QueueAnswer(Answer::Yes);
    EXPECT_FALSE(rules.AddUser(false, "CAPT99", "Captain"));
    EXPECT_TRUE(ToldNotSaved(prompter, "The log file " + kept + " was kept"));
    EXPECT_EQ(ReadBytes(kept), kHeader + "\r\nkept record\r\n");

    // An imported log.
    prompter.Clear();
    TempDir outside;
    prompter.QueueAnswer(Answer::Ok);  // 0x8059
    prompter.QueueFileName(outside.WriteLines("in.cbl", {kHeader, "imported record"}));
    EXPECT_FALSE(rules.AddUser(true, "TOWER_2", "Tower Two"));
    const std::string imported = JoinPath(Logs(), "TOWER_2.CBL");
    EXPECT_TRUE(ToldNotSaved(prompter, "The log file " + imported + " was kept"));
    EXPECT_EQ(ReadBytes(imported), kHeader + "\r\nimported record\r\n");

    // A log name that is the user's own link to a file yet to be made: the link stays.
    if (!SymbolicLinksWork()) return;
    prompter.Clear();
    const std::string target = outside.File("linked.cbl");
    const std::string link = JoinPath(Logs(), "LINKED.CBL");
    std::filesystem::create_symlink(target, link);
    EXPECT_FALSE(rules.AddUser(false, "LINKED", "Linked"));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadBytes(target), kHeader + "\r\n");

    EXPECT_EQ(settings.values, before);
    EXPECT_EQ(view.rows, std::vector<std::string>{"RINGER1\tRinger One"});
    EXPECT_EQ(rules.Users().size(), 1u);
}

TEST_F(ManageUsersTest, RemovalThatCannotBeSavedKeepsTheUser) {
    AddFirstUser();
    ASSERT_TRUE(rules.AddUser(false, "TOWER_2", "Tower Two"));
    rules.SelectionChanged(0);
    const auto before = settings.values;
    const int clearsBefore = view.selectionClears;
    prompter.Clear();

    settings.refuses = [](const std::string&) { return true; };
    rules.Remove(0);
    EXPECT_TRUE(ToldNotSaved(prompter, "The user RINGER1 was not removed."));
    EXPECT_EQ(view.rows.size(), 2u);
    EXPECT_TRUE(view.buttonsEnabled);
    EXPECT_EQ(view.selectionClears, clearsBefore);
    EXPECT_EQ(settings.values, before);

    // The long name goes but the register refuses: the long name comes back.
    settings.refuses = [](const std::string& entry) { return entry == "RegisterOfNames"; };
    prompter.Clear();
    rules.Remove(0);
    EXPECT_TRUE(ToldNotSaved(prompter, "The user RINGER1 was not removed."));
    EXPECT_EQ(settings.values, before);
    EXPECT_EQ(rules.Users().size(), 2u);

    // The last user goes, but the data folder cannot be forgotten.
    settings.refuses = nullptr;
    rules.Remove(0);
    ASSERT_EQ(rules.Users().size(), 1u);
    settings.refuses = [](const std::string& entry) { return entry == "DataFolder"; };
    prompter.Clear();
    rules.Remove(0);
    EXPECT_TRUE(ToldNotSaved(prompter, "The user TOWER_2 was removed"));
    EXPECT_TRUE(view.rows.empty());
    EXPECT_EQ(Register(), "");
}

TEST(ManageUsersCommandTest, RefusedWhileALogIsOpen) {
    FakePrompter prompter;
    EXPECT_TRUE(MayManageUsers(false, prompter));
    EXPECT_TRUE(prompter.Silent());
    EXPECT_FALSE(MayManageUsers(true, prompter));
    ASSERT_EQ(prompter.Ids(), std::vector<unsigned>{0x8043});
    EXPECT_EQ(prompter.notices[0].icon, NoticeIcon::Stop);
}

}  // namespace
}  // namespace chimeset::testing
