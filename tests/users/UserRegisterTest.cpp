#include <gtest/gtest.h>
#include <sys/stat.h>

#include "common/FileFormats.h"
#include "common/PathText.h"
#include "common/TextFile.h"
#include "tests/support/FakePrompter.h"
#include "tests/support/MemorySettings.h"
#include "tests/support/TempDir.h"
#include "tests/users/UsersFakes.h"
#include "users/UserRegister.h"

namespace chimeset::testing {
namespace {

const std::string kHeader(kVersion2Header);

class UserRegisterTest : public ::testing::Test {
  protected:
    MemorySettings settings;
    FakePrompter prompter;
    TempDir dir;
    FixedDocumentsFolder documents{dir.Path()};
    UserRegister users{settings, prompter, documents};

    void SetRegister(const std::string& names) {
        settings.WriteString("Users", "RegisterOfNames", names);
    }
};

TEST_F(UserRegisterTest, LoadsInRegisterOrderStoppingAtTheFirstEmptyItem) {
    SetRegister("RINGER1,TOWER_2");
    settings.WriteString("Users", "RINGER1", "Tower Captain");
    const auto& loaded = users.Load();
    ASSERT_EQ(loaded.size(), 2u);
    EXPECT_EQ(loaded[0].id, "RINGER1");
    EXPECT_EQ(loaded[0].longName, "Tower Captain");
    EXPECT_EQ(loaded[1].id, "TOWER_2");
    EXPECT_EQ(loaded[1].longName, "No Name");
    // Loading repairs nothing.
    EXPECT_FALSE(settings.HasEntry("Users", "TOWER_2"));
    // An entry emptied by hand counts as missing.
    settings.WriteString("Users", "TOWER_2", "");
    EXPECT_EQ(users.Load()[1].longName, "No Name");
    EXPECT_EQ(settings.GetString("Users", "TOWER_2", "x"), "");
    settings.DeleteEntry("Users", "TOWER_2");

    SetRegister("RINGER1,,TOWER_2");
    ASSERT_EQ(users.Load().size(), 1u);
    EXPECT_EQ(users.Users()[0].id, "RINGER1");

    SetRegister(",RINGER1");
    EXPECT_TRUE(users.Load().empty());
    SetRegister("RINGER1,");
    EXPECT_EQ(users.Load().size(), 1u);
    SetRegister("");
    EXPECT_TRUE(users.Load().empty());
    settings.DeleteEntry("Users", "RegisterOfNames");
    EXPECT_TRUE(users.Load().empty());

    // Hand-edited spaces stay part of the name: such an ID simply has no long name.
    SetRegister(" RINGER1 ,TOWER_2");
    ASSERT_EQ(users.Load().size(), 2u);
    EXPECT_EQ(users.Users()[0].id, " RINGER1 ");
    EXPECT_EQ(users.Users()[0].longName, "No Name");
}

TEST_F(UserRegisterTest, SavesIdsJoinedByCommas) {
    users.Save({"RINGER1", "TOWER_2"});
    EXPECT_EQ(settings.GetString("Users", "RegisterOfNames"), "RINGER1,TOWER_2");
    users.Save({"RINGER1"});
    EXPECT_EQ(settings.GetString("Users", "RegisterOfNames"), "RINGER1");
    users.Save({});
    EXPECT_TRUE(settings.HasEntry("Users", "RegisterOfNames"));
    EXPECT_EQ(settings.GetString("Users", "RegisterOfNames", "absent"), "");
}

TEST_F(UserRegisterTest, RemovingUsersKeepsTheRestAndTheLastOneEmptiesTheSection) {
    SetRegister("RINGER1,TOWER_2");
    settings.WriteString("Users", "RINGER1", "Ringer One");
    settings.WriteString("Users", "TOWER_2", "Tower Two");
    settings.WriteString("Users", "DataFolder", dir.Path());
    const std::string log = dir.WriteLines("RINGER1.CBL", {kHeader});
    users.Load();

    EXPECT_FALSE(users.Remove(2));
    ASSERT_TRUE(users.Remove(0));
    EXPECT_EQ(settings.GetString("Users", "RegisterOfNames"), "TOWER_2");
    EXPECT_FALSE(settings.HasEntry("Users", "RINGER1"));
    EXPECT_TRUE(settings.HasEntry("Users", "DataFolder"));

    ASSERT_TRUE(users.Remove(0));
    EXPECT_TRUE(settings.values.empty());
    EXPECT_EQ(ReadBytes(log), kHeader + "\r\n");  // the log stays on disk
}

TEST_F(UserRegisterTest, LogPathIsTheDataFolderAndTheIdWithCbl) {
    settings.WriteString("Users", "DataFolder", "/home/ringer/Logs");
    EXPECT_EQ(users.LogPathFor("RINGER1"), JoinPath("/home/ringer/Logs", "RINGER1.CBL"));
    EXPECT_EQ(users.DataFolder().Native(), "/home/ringer/Logs");
}

TEST_F(UserRegisterTest, DataFolderIsStoredAsTextAndUsedAsAFileName) {
    // The converter reads the same entry: both must agree on a folder with an accent.
    const std::string native = NativePathFromText("/home/ringer/Caf\xE9");
    users.SetDataFolder(NativePath(native));
    EXPECT_EQ(settings.GetString("Users", "DataFolder"), "/home/ringer/Caf\xE9");
    EXPECT_EQ(users.DataFolder().Native(), native);
    EXPECT_EQ(users.LogPathFor("RINGER1"), JoinPath(native, "RINGER1.CBL"));
}

TEST_F(UserRegisterTest, AcceptingTheDocumentsFolderChoosesItsChimesetSubFolder) {
    prompter.QueueFileName(JoinPath(dir.Path(), "USERLOG.CBL"));
    const auto chosen = users.ChooseDataFolder();
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->Native(), JoinPath(dir.Path(), "Chimeset"));
    EXPECT_TRUE(IsDirectory(chosen->Native()));
    EXPECT_EQ(prompter.Ids(), std::vector<unsigned>{0x805A});
    ASSERT_EQ(prompter.saveRequests.size(), 1u);
    const auto& request = prompter.saveRequests[0];
    EXPECT_EQ(request.initialPath.Native(), JoinPath(dir.Path(), "USERLOG.CBL"));
    EXPECT_EQ(request.defaultExtension, "CBL");
    EXPECT_EQ(request.filter, "Tower Logs (*.CBL)|*.cbl||");
    EXPECT_TRUE(request.mustExist);
    EXPECT_FALSE(request.promptOverwrite);
    EXPECT_TRUE(ListFolder(chosen->Native()).empty());  // no file written under the vehicle name

    // Existing sub-folder: taken as it is.
    prompter.QueueFileName(JoinPath(dir.Path(), "anything.cbl"));
    EXPECT_EQ(users.ChooseDataFolder(), NativePath(JoinPath(dir.Path(), "Chimeset")));
}

TEST_F(UserRegisterTest, OtherFoldersPlainFilesAndCancelsInTheFolderChoice) {
    TempDir elsewhere;
    prompter.QueueFileName(JoinPath(elsewhere.Path(), "anything.cbl"));
    EXPECT_EQ(users.ChooseDataFolder(), NativePath(elsewhere.Path()));
    EXPECT_FALSE(FileExists(JoinPath(elsewhere.Path(), "Chimeset")));

    dir.Write("Chimeset", "a plain file");
    prompter.QueueFileName(JoinPath(dir.Path(), "USERLOG.CBL"));
    EXPECT_EQ(users.ChooseDataFolder(), NativePath(dir.Path()));
    EXPECT_EQ(ReadBytes(dir.File("Chimeset")), "a plain file");

    prompter.QueueFileName(std::nullopt);
    EXPECT_EQ(users.ChooseDataFolder(), std::nullopt);

    // Without a documents folder the dialog starts from the bare name, and no folder is
    // mistaken for the documents folder.
    FixedDocumentsFolder none;
    UserRegister noDocuments(settings, prompter, none);
    prompter.Clear();
    prompter.QueueFileName(JoinPath(elsewhere.Path(), "x.cbl"));
    EXPECT_EQ(noDocuments.ChooseDataFolder(), NativePath(elsewhere.Path()));
    EXPECT_EQ(prompter.saveRequests.at(0).initialPath.Native(), "USERLOG.CBL");
}

TEST_F(UserRegisterTest, CreateEmptyLogWritesTheHeaderOrKeepsAnExistingLogOnYes) {
    const std::string fresh = dir.File("NEW1.CBL");
    ASSERT_TRUE(users.CreateEmptyLog(fresh));
    EXPECT_EQ(ReadBytes(fresh), kHeader + "\r\n");
    EXPECT_TRUE(prompter.Silent());

    const std::string existing =
        dir.Write("OLD1.CBL", kHeader + "\r\nZeal\\\\\\\\\\\\\\\\101\\1\\0\\0\\\r\n");
    const std::string before = ReadBytes(existing);
    prompter.QueueAnswer(Answer::Yes);
    ASSERT_TRUE(users.CreateEmptyLog(existing));
    EXPECT_EQ(ReadBytes(existing), before);
    ASSERT_EQ(prompter.Ids(), std::vector<unsigned>{0x8009});
    EXPECT_EQ(prompter.notices[0].buttons, NoticeButtons::YesNo);

    prompter.Clear();
    prompter.QueueAnswer(Answer::No);
    ASSERT_TRUE(users.CreateEmptyLog(existing));
    EXPECT_EQ(ReadBytes(existing), kHeader + "\r\n");
    EXPECT_EQ(prompter.Ids(), std::vector<unsigned>{0x8009});

    // An existing empty file is simply given its header.
    const std::string empty = dir.Write("EMPTY1.CBL", "");
    prompter.Clear();
    ASSERT_TRUE(users.CreateEmptyLog(empty));
    EXPECT_EQ(ReadBytes(empty), kHeader + "\r\n");
    EXPECT_TRUE(prompter.Silent());
    EXPECT_EQ(ListFolder(dir.Path()),
              (std::vector<std::string>{"EMPTY1.CBL", "NEW1.CBL", "OLD1.CBL"}));
}

TEST_F(UserRegisterTest, CreateEmptyLogReportsFileErrors) {
    EXPECT_FALSE(users.CreateEmptyLog(JoinPath(dir.File("gone"), "RINGER1.CBL")));
    ASSERT_EQ(prompter.fileErrors.size(), 1u);
    EXPECT_EQ(prompter.fileErrors[0].path.Native(), dir.File("gone"));

    ASSERT_EQ(MakeFolder(dir.File("RINGER2.CBL")), 0);
    EXPECT_FALSE(users.CreateEmptyLog(dir.File("RINGER2.CBL")));
    EXPECT_EQ(prompter.fileErrors.size(), 2u);

    TempDir readOnly;
    const std::string unwritable = UnwritableFolder(readOnly);
    prompter.Clear();
    EXPECT_FALSE(users.CreateEmptyLog(JoinPath(unwritable, "RINGER3.CBL")));
    EXPECT_EQ(prompter.fileErrors.size(), 1u);
    EXPECT_FALSE(FileExists(JoinPath(unwritable, "RINGER3.CBL")));
    EXPECT_TRUE(ListFolder(readOnly.Path()).empty());

    if (!PermissionsApply()) GTEST_SKIP() << "running as root";
    const std::string locked = dir.Write("LOCKED1.CBL", kHeader + "\r\nrecord\r\n");
    ::chmod(locked.c_str(), 0444);
    prompter.Clear();
    EXPECT_FALSE(users.CreateEmptyLog(locked));
    EXPECT_EQ(prompter.fileErrors.size(), 1u);
    EXPECT_TRUE(prompter.notices.empty());  // refused before the question
    EXPECT_EQ(ReadBytes(locked), kHeader + "\r\nrecord\r\n");
}

}  // namespace
}  // namespace chimeset::testing
