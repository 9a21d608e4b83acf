#include <gtest/gtest.h>
#include <sys/stat.h>
#ifndef _WIN32
#include <sys/resource.h>
#endif

#include <csignal>

#include "common/FileFormats.h"
#include "common/TextFile.h"
#include "tests/support/FakePrompter.h"
#include "tests/support/TempDir.h"
#include "tests/users/UsersFakes.h"
#include "users/LogTransfer.h"

namespace chimeset::testing {
namespace {

const std::string kHeader(kVersion2Header);
const std::string kMagic(kVersion1MagicLine);

class LogTransferTest : public ::testing::Test {
  protected:
    FakePrompter prompter;
    FakeIdTable table;
    TempDir data;     // the data folder
    TempDir outside;  // where imports come from and exports go
    TempDir documents;
    FixedDocumentsFolder documentsFolder{documents.Path()};
    LogTransfer transfer{prompter, table, "/programs", documentsFolder};

    std::string LogPath() const { return data.File("RINGER1.CBL"); }

    bool Import(const std::string& source) {
        prompter.QueueFileName(source);
        return transfer.TransferLog("RINGER1", LogPath(), TransferMode::Import);
    }
};

TEST(LogFormatTest, RecognisesVersion2HeadersAndTheMagicLine) {
    EXPECT_TRUE(HasVersion2Header(kHeader));
    EXPECT_TRUE(HasVersion2Header(
        "Comment\\PDate\\QDate\\VDate\\IndexNo\\Wt\\Bells\\Lon\\Lat\\OS\\Cnty\\Dedn\\Locn"));
    EXPECT_TRUE(HasVersion2Header("Extra " + kHeader + "\\More"));
    EXPECT_TRUE(HasVersion2Header("LocnDednCntyOSLatLonBellsWtIndexNoVDateQDatePDateComment"));
    EXPECT_FALSE(HasVersion2Header("Locn\\Dedn\\Cnty\\OS\\Lat\\Lon\\Bells\\Wt\\IndexNo"));
    EXPECT_FALSE(HasVersion2Header(
        "locn\\Dedn\\Cnty\\OS\\Lat\\Lon\\Bells\\Wt\\IndexNo\\VDate\\QDate\\PDate\\Comment"));
    EXPECT_FALSE(HasVersion2Header(""));

    EXPECT_TRUE(IsVersion1MagicLine(kMagic));
    EXPECT_TRUE(IsVersion1MagicLine("[clangbookist krw-1]"));
    EXPECT_FALSE(IsVersion1MagicLine(kMagic + " "));
    EXPECT_FALSE(IsVersion1MagicLine(" " + kMagic));
    EXPECT_FALSE(IsVersion1MagicLine("[CLANGBOOKIST KRW-1"));
}

TEST(UpgradeRecordTest, FieldsIndexesAndTowersOutsideTheTable) {
    FakePrompter prompter;
    FakeIdTable table;
    table.range = 100;

    EXPECT_EQ(UpgradeVersion1Record(" Aston \\ 13 \\D1\\ D2\\D3 \\C", table, prompter),
              "Aston\\\\\\\\\\\\\\\\1013\\D1\\D2\\D3\\C");
    // Leading digits only; no digit at the start reads as 0; fields past the sixth dropped.
    EXPECT_EQ(UpgradeVersion1Record("Bray\\12a\\1\\2\\3\\4\\extra\\more", table, prompter),
              "Bray\\\\\\\\\\\\\\\\1012\\1\\2\\3\\4");
    EXPECT_EQ(UpgradeVersion1Record("Ely\\x7\\1", table, prompter),
              "Ely\\\\\\\\\\\\\\\\1000\\1\\\\\\");
    EXPECT_EQ(UpgradeVersion1Record("", table, prompter), "\\\\\\\\\\\\\\\\1000\\\\\\\\");
    EXPECT_EQ(table.converted, (std::vector<std::int32_t>{13, 12, 0, 0}));
    EXPECT_TRUE(prompter.Silent());
    EXPECT_EQ(table.rangeCalls, 4);  // asked anew for every record

    // At or beyond the range, or refused by the table: the old index names no tower of the
    // database, so the record keeps its place name as an additional tower (number 0,
    // latitude and longitude 0) and the user hears of each such record.
    EXPECT_EQ(UpgradeVersion1Record("Zeal 50%s\\100\\1\\\\\\", table, prompter),
              "Zeal 50%s\\\\\\\\0\\0\\\\\\0\\1\\\\\\");
    EXPECT_EQ(UpgradeVersion1Record(" Far \\99999999999\\1\\2\\3\\C", table, prompter),
              "Far\\\\\\\\0\\0\\\\\\0\\1\\2\\3\\C");
    table.unknown = {40};
    EXPECT_EQ(UpgradeVersion1Record("Gone\\40\\5", table, prompter),
              "Gone\\\\\\\\0\\0\\\\\\0\\5\\\\\\");
    ASSERT_EQ(prompter.Ids(), (std::vector<unsigned>{0x8014, 0x8014, 0x8014}));
    EXPECT_EQ(prompter.notices[0].text,
              "The details of bells and location for Zeal 50%s were not recorded in the logfile "
              "and must be edited using Clangbook. Please make a note of this tower for later.");
    EXPECT_EQ(prompter.notices[0].buttons, NoticeButtons::Ok);
    EXPECT_NE(prompter.notices[2].text.find("for Gone were"), std::string::npos);
    EXPECT_EQ(table.converted.size(), 5u);
}

TEST_F(LogTransferTest, Version2ImportCopiesEveryLineAndOnlyNormalisesLineEnds) {
    const std::string source =
        outside.Write("mine.cbl", "Extra\\" + kHeader +
                                      "\r\nZeal\\\\\\\\\\\\\\\\101\\1\\0\\0\\Q29tbWVudA==\n"
                                      "\r\n;note \xE9\\x\r\nlast line without end");
    ASSERT_TRUE(Import(source));
    EXPECT_EQ(ReadBytes(LogPath()), "Extra\\" + kHeader +
                                        "\r\nZeal\\\\\\\\\\\\\\\\101\\1\\0\\0\\Q29tbWVudA==\r\n"
                                        "\r\n;note \xE9\\x\r\nlast line without end\r\n");
    EXPECT_TRUE(prompter.Silent());
    EXPECT_EQ(table.releases, 0);  // a Version 2 log never loads the library
    ASSERT_EQ(prompter.openRequests.size(), 1u);
    const auto& request = prompter.openRequests[0];
    // The dialog starts in the data folder, not wherever the program was started from.
    EXPECT_EQ(request.initialPath.Native(), data.File("RINGER1"));
    EXPECT_EQ(request.defaultExtension, "CBL");
    EXPECT_EQ(request.filter, "Tower Logs (*.CBL)|*.cbl||");
    EXPECT_TRUE(request.mustExist);
    EXPECT_EQ(ReadBytes(source).substr(0, 6), "Extra\\");  // the source is untouched
    EXPECT_EQ(ListFolder(data.Path()), std::vector<std::string>{"RINGER1.CBL"});

    // Importing over an existing log replaces it without asking.
    ASSERT_TRUE(Import(outside.WriteLines("other.cbl", {kHeader})));
    EXPECT_EQ(ReadBytes(LogPath()), kHeader + "\r\n");
    EXPECT_TRUE(prompter.Silent());
}

TEST_F(LogTransferTest, RefusedImportsLeaveTheDataFolderAsItWas) {
    const std::string existing = data.WriteLines("RINGER1.CBL", {kHeader, "kept"});
    const std::string before = ReadBytes(existing);

    // Neither a header nor the magic line: binary, empty, a near-miss of the magic line.
    for (const std::string& bytes :
         {std::string("\x00\x01\xFF\xFE\r\n\x80garbage", 14), std::string(), kMagic + " \r\n",
          std::string("Locn\\Dedn\r\n")}) {
        prompter.Clear();
        EXPECT_FALSE(Import(outside.Write("bad.cbl", bytes)));
        ASSERT_EQ(prompter.Ids(), std::vector<unsigned>{0x8012});
        EXPECT_EQ(prompter.notices[0].icon, NoticeIcon::Stop);
    }

    // A folder, a vanished file: the file error, nothing else.
    prompter.Clear();
    EXPECT_FALSE(Import(outside.Path()));
    EXPECT_EQ(prompter.fileErrors.size(), 1u);
    EXPECT_FALSE(Import(outside.File("missing.cbl")));
    EXPECT_EQ(prompter.fileErrors.size(), 2u);
    EXPECT_TRUE(prompter.notices.empty());

    // Cancelled file dialog: no message at all.
    prompter.Clear();
    prompter.QueueFileName(std::nullopt);
    EXPECT_FALSE(transfer.TransferLog("RINGER1", LogPath(), TransferMode::Import));
    EXPECT_TRUE(prompter.Silent());

    // A Version 1 log the user declines to convert.
    prompter.Clear();
    prompter.QueueAnswer(Answer::No);
    EXPECT_FALSE(Import(outside.WriteLines("old.cbl", {kMagic, "Aston\\13\\1\\\\\\"})));
    ASSERT_EQ(prompter.Ids(), std::vector<unsigned>{0x8013});
    EXPECT_EQ(prompter.notices[0].buttons, NoticeButtons::YesNo);
    EXPECT_EQ(prompter.notices[0].helpContext, 0x30000u + 0x8013u);
    EXPECT_TRUE(table.loadedFrom.empty());

    EXPECT_EQ(ReadBytes(existing), before);
    EXPECT_EQ(ListFolder(data.Path()), std::vector<std::string>{"RINGER1.CBL"});
}

TEST_F(LogTransferTest, Version1ImportLoadsTheLibraryOnlyForTheImport) {
    const std::string source = outside.WriteLines(
        "old.cbl", {"[Clangbookist Krw-1]", "Aston\\13\\D1\\D2\\D3\\C", "", "Far\\150\\D\\\\\\"});
    ASSERT_TRUE(Import(source));
    EXPECT_EQ(table.loadedFrom, JoinPath("/programs", IdTableLibraryFileName()));
    // The blank line is no record: read as one it would be a visit to the tower of index 0.
    EXPECT_EQ(ReadBytes(LogPath()), kHeader + "\r\n" +
                                        "Aston\\\\\\\\\\\\\\\\1013\\D1\\D2\\D3\\C\r\n" +
                                        "Far\\\\\\\\0\\0\\\\\\0\\D\\\\\\\r\n");
    EXPECT_EQ(prompter.Ids(), (std::vector<unsigned>{0x8013, 0x8014}));
    EXPECT_FALSE(table.loaded);
    EXPECT_EQ(table.releases, 1);

    // A library that will not load, or lacks an entry point: nothing is written.
    const std::string before = ReadBytes(LogPath());
    prompter.Clear();
    table.loadSucceeds = false;
    EXPECT_FALSE(Import(source));
    EXPECT_EQ(prompter.Ids(), (std::vector<unsigned>{0x8013, 0x805B}));
    EXPECT_EQ(prompter.notices[1].icon, NoticeIcon::Stop);

    prompter.Clear();
    table.loadSucceeds = true;
    table.hasEntryPoints = false;
    EXPECT_FALSE(Import(source));
    EXPECT_EQ(prompter.Ids(), std::vector<unsigned>{0x8013});
    EXPECT_FALSE(table.loaded);
    EXPECT_EQ(table.releases, 2);
    EXPECT_EQ(ReadBytes(LogPath()), before);
    EXPECT_EQ(ListFolder(data.Path()), std::vector<std::string>{"RINGER1.CBL"});
}

TEST_F(LogTransferTest, ImportsReadLoneCrAndLfLineEndsAsWellAsCrLf) {
    const std::string converted =
        kHeader + "\r\nA\\\\\\\\\\\\\\\\1012\\1\\\\\\\r\n" + "B\\\\\\\\\\\\\\\\1013\\2\\\\\\\r\n";
    for (const std::string end : {"\r\n", "\n", "\r"}) {
        SCOPED_TRACE(end == "\r" ? "CR" : end == "\n" ? "LF" : "CR LF");
        prompter.Clear();
        ASSERT_TRUE(Import(outside.Write(
            "old.cbl", kMagic + end + "A\\12\\1\\\\\\" + end + "B\\13\\2\\\\\\" + end + end)));
        EXPECT_EQ(ReadBytes(LogPath()), converted);
        EXPECT_EQ(prompter.Ids(), std::vector<unsigned>{0x8013});

        // A Version 2 log keeps its records too, rather than becoming one long header.
        prompter.Clear();
        ASSERT_TRUE(Import(outside.Write("new.cbl", kHeader + end + "Zeal\\\\\\\\\\\\\\\\101\\1" +
                                                        end + "Ash\\\\\\\\\\\\\\\\102\\2")));
        EXPECT_EQ(ReadBytes(LogPath()),
                  kHeader + "\r\nZeal\\\\\\\\\\\\\\\\101\\1\r\n" + "Ash\\\\\\\\\\\\\\\\102\\2\r\n");
        EXPECT_TRUE(prompter.Silent());
    }

    // Records glued to the magic line by no line end are no Version 1 log to import.
    const std::string before = ReadBytes(LogPath());
    prompter.Clear();
    EXPECT_FALSE(Import(outside.Write("glued.cbl", kMagic + "\fA\\12\\1\\\\\\")));
    EXPECT_EQ(prompter.Ids(), std::vector<unsigned>{0x8012});
    EXPECT_EQ(ReadBytes(LogPath()), before);
}

TEST_F(LogTransferTest, Version1ImportWritesNoRecordAsACommentLine) {
    // A place name that begins with ";" would make the record a comment line to every reader.
    const std::string source = outside.WriteLines(
        "old.cbl", {kMagic, ";Semi\\13\\D1\\\\\\", " ;Padded\\12\\D2", "Plain\\12\\D3"});
    ASSERT_TRUE(Import(source));
    EXPECT_EQ(ReadBytes(LogPath()), kHeader + "\r\n" + " ;Semi\\\\\\\\\\\\\\\\1013\\D1\\\\\\\r\n" +
                                        " ;Padded\\\\\\\\\\\\\\\\1012\\D2\\\\\\\r\n" +
                                        "Plain\\\\\\\\\\\\\\\\1012\\D3\\\\\\\r\n");
}

TEST_F(LogTransferTest, ExportCopiesTheLogAndReplacesTheDestination) {
    data.WriteLines("RINGER1.CBL", {kHeader, "Zeal\\\\\\\\\\\\\\\\101\\1\\0\\0\\"});
    const std::string destination = outside.Write("copy.cbl", "older contents");
    prompter.QueueFileName(destination);
    ASSERT_TRUE(transfer.TransferLog("RINGER1", LogPath(), TransferMode::Export));
    EXPECT_EQ(ReadBytes(destination), ReadBytes(LogPath()));
    EXPECT_TRUE(prompter.Silent());
    ASSERT_EQ(prompter.saveRequests.size(), 1u);
    EXPECT_FALSE(prompter.saveRequests[0].promptOverwrite);
    EXPECT_EQ(prompter.saveRequests[0].initialPath.Native(), data.File("RINGER1"));
    EXPECT_EQ(ListFolder(outside.Path()), std::vector<std::string>{"copy.cbl"});

    // Exporting a log onto itself leaves it whole.
    const std::string before = ReadBytes(LogPath());
    prompter.QueueFileName(LogPath());
    ASSERT_TRUE(transfer.TransferLog("RINGER1", LogPath(), TransferMode::Export));
    EXPECT_EQ(ReadBytes(LogPath()), before);

    // Export does not look at the first line.
    data.Write("ODD1.CBL", "anything at all");
    prompter.QueueFileName(outside.File("odd.cbl"));
    ASSERT_TRUE(transfer.TransferLog("ODD1", data.File("ODD1.CBL"), TransferMode::Export));
    EXPECT_EQ(ReadBytes(outside.File("odd.cbl")), "anything at all\r\n");
}

TEST_F(LogTransferTest, FileDialogStartsInTheDocumentsFolderWhenTheDataFolderIsGone) {
    const std::string gone = data.File("gone");
    prompter.QueueFileName(std::nullopt);
    EXPECT_FALSE(
        transfer.TransferLog("RINGER1", JoinPath(gone, "RINGER1.CBL"), TransferMode::Import));
    prompter.QueueFileName(std::nullopt);
    EXPECT_FALSE(transfer.TransferLog("RINGER1", "RINGER1.CBL", TransferMode::Export));
    ASSERT_EQ(prompter.openRequests.size(), 1u);
    ASSERT_EQ(prompter.saveRequests.size(), 1u);
    EXPECT_EQ(prompter.openRequests[0].initialPath.Native(), documents.File("RINGER1"));
    EXPECT_EQ(prompter.saveRequests[0].initialPath.Native(), documents.File("RINGER1"));

    // Without a documents folder either, the bare name leaves the start to the dialog.
    documentsFolder.folder.clear();
    prompter.QueueFileName(std::nullopt);
    EXPECT_FALSE(
        transfer.TransferLog("RINGER1", JoinPath(gone, "RINGER1.CBL"), TransferMode::Import));
    EXPECT_EQ(prompter.openRequests.at(1).initialPath.Native(), "RINGER1");
}

TEST_F(LogTransferTest, FailedExportsKeepWhatStoodAtTheDestination) {
    const std::string destination = outside.Write("copy.cbl", "precious");

    // The user's log is missing.
    prompter.QueueFileName(destination);
    EXPECT_FALSE(transfer.TransferLog("RINGER1", LogPath(), TransferMode::Export));
    EXPECT_EQ(prompter.fileErrors.size(), 1u);
    EXPECT_EQ(ReadBytes(destination), "precious");

    // The destination folder refuses new files.
    if (!PermissionsApply()) GTEST_SKIP() << "running as root";
    data.WriteLines("RINGER1.CBL", {kHeader});
    ::chmod(outside.Path().c_str(), 0555);
    prompter.QueueFileName(destination);
    EXPECT_FALSE(transfer.TransferLog("RINGER1", LogPath(), TransferMode::Export));
    EXPECT_EQ(prompter.fileErrors.size(), 2u);
    ::chmod(outside.Path().c_str(), 0755);
    EXPECT_EQ(ReadBytes(destination), "precious");
    EXPECT_EQ(ListFolder(outside.Path()), std::vector<std::string>{"copy.cbl"});
}

#ifndef _WIN32
// Files may not grow past a few kilobytes while it lives: writes beyond fail as on a full disk.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }

  private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};

TEST_F(LogTransferTest, WritesThatFailPartWayLeaveTheOldFileWhole) {
    std::vector<std::string> lines{kHeader};
    for (int i = 0; i < 1000; ++i) lines.push_back("Zeal\\101\\1\\0\\0\\" + std::to_string(i));
    const std::string big = outside.WriteLines("big.cbl", lines);
    const std::string log = data.WriteLines("RINGER1.CBL", {kHeader, "old record"});
    const std::string destination = outside.Write("copy.cbl", "precious");
    data.WriteLines("TOWER_2.CBL", {kHeader, std::string(8000, 'x')});
    {
        FileSizeLimit limit(4096);
        EXPECT_FALSE(Import(big));
        prompter.QueueFileName(destination);
        EXPECT_FALSE(
            transfer.TransferLog("TOWER_2", data.File("TOWER_2.CBL"), TransferMode::Export));
    }
    EXPECT_EQ(prompter.fileErrors.size(), 2u);
    EXPECT_TRUE(prompter.notices.empty());
    EXPECT_EQ(ReadBytes(log), kHeader + "\r\nold record\r\n");
    EXPECT_EQ(ReadBytes(destination), "precious");
    EXPECT_EQ(ListFolder(data.Path()), (std::vector<std::string>{"RINGER1.CBL", "TOWER_2.CBL"}));
    EXPECT_EQ(ListFolder(outside.Path()), (std::vector<std::string>{"big.cbl", "copy.cbl"}));
}
#endif

}  // namespace
}  // namespace chimeset::testing
