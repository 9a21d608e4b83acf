// A Version 1 import end to end, through the CB2TB library built beside the programs.
#include <gtest/gtest.h>

#include "common/FileFormats.h"
#include "common/TextFile.h"
#include "tests/support/FakePrompter.h"
#include "tests/support/TempDir.h"
#include "tests/users/UsersFakes.h"
#include "users/LogTransfer.h"
#include "users/qt/QtIdTableLibrary.h"

namespace chimeset::testing {
namespace {

const std::string kHeader(kVersion2Header);
const std::string kMagic(kVersion1MagicLine);

TEST(Version1ImportTest, TranslatesThroughTheRealLibrary) {
    const std::string programs = ProgramDir();
    if (!FileExists(JoinPath(programs, IdTableLibraryFileName())))
        GTEST_SKIP() << "the CB2TB library is not built in " << programs;

    FakePrompter prompter;
    QtIdTableLibrary library;
    TempDir data;
    TempDir outside;
    const FixedDocumentsFolder documents;
    LogTransfer transfer(prompter, library, programs, documents);

    const std::string source = outside.WriteLines(
        "OLD.CBL", {kMagic, "Aston\\13\\32961\\0\\0\\Q29tbWVudA==", "Last\\6105\\1\\2\\3\\",
                    "Beyond\\6106\\4\\5\\6\\C", "None\\46\\7\\\\\\"});
    prompter.QueueFileName(source);
    ASSERT_TRUE(transfer.TransferLog("RINGER1", data.File("RINGER1.CBL"), TransferMode::Import));

    EXPECT_EQ(ReadBytes(data.File("RINGER1.CBL")),
              kHeader + "\r\n" + "Aston\\\\\\\\\\\\\\\\6132\\32961\\0\\0\\Q29tbWVudA==\r\n" +
                  "Last\\\\\\\\\\\\\\\\6005\\1\\2\\3\\\r\n" +
                  "Beyond\\\\\\\\0\\0\\\\\\0\\4\\5\\6\\C\r\n" +
                  "None\\\\\\\\\\\\\\\\0\\7\\\\\\\r\n");
    ASSERT_EQ(prompter.Ids(), (std::vector<unsigned>{0x8013, 0x8014}));
    EXPECT_NE(prompter.notices[1].text.find("for Beyond were"), std::string::npos);
    EXPECT_TRUE(prompter.fileErrors.empty());
    // Released when the import ended: nothing answers any more.
    EXPECT_EQ(library.GetCBLRange(), 0);
}

TEST(Version1ImportTest, MissingLibraryHaltsTheImport) {
    FakePrompter prompter;
    QtIdTableLibrary library;
    TempDir programs;  // holds no library
    TempDir data;
    TempDir outside;
    const std::string log = data.WriteLines("RINGER1.CBL", {kHeader, "kept"});
    const FixedDocumentsFolder documents;
    LogTransfer transfer(prompter, library, programs.Path(), documents);

    prompter.QueueFileName(outside.WriteLines("OLD.CBL", {kMagic, "A\\1\\1\\\\\\"}));
    EXPECT_FALSE(transfer.TransferLog("RINGER1", log, TransferMode::Import));
    EXPECT_EQ(prompter.Ids(), (std::vector<unsigned>{0x8013, 0x805B}));
    EXPECT_EQ(prompter.notices[1].text,
              "A component of this program CB2TB.DLL failed to load properly. Import halted.");
    EXPECT_EQ(ReadBytes(log), kHeader + "\r\nkept\r\n");
    EXPECT_EQ(ListFolder(data.Path()), std::vector<std::string>{"RINGER1.CBL"});

    // A file of that name that is no library at all.
    programs.Write(IdTableLibraryFileName(), "not a library");
    prompter.Clear();
    prompter.QueueFileName(outside.File("OLD.CBL"));
    EXPECT_FALSE(transfer.TransferLog("RINGER1", log, TransferMode::Import));
    EXPECT_EQ(prompter.Ids(), (std::vector<unsigned>{0x8013, 0x805B}));
    EXPECT_EQ(ReadBytes(log), kHeader + "\r\nkept\r\n");
}

}  // namespace
}  // namespace chimeset::testing
