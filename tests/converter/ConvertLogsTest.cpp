#include <chrono>
#include <filesystem>
#include <string>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "common/MessageTable.h"
#include "converter/CrossRefTable.h"
#include "converter/ExtraTowerList.h"
#include "tests/converter/ConverterFixture.h"

namespace chimeset::testing {
namespace {

namespace fs = std::filesystem;

using ConvertLogsTest = ConverterFixture;

TEST_F(ConvertLogsTest, WritesTableTowersInFormAAndOthersInFormB) {
    WriteLog("data", "ANN.CBL",
             {kMagic + " written by hand", "Little Snoring\\12\\2027530\\0\\0\\Q0lORE=",
              "  Padded  \\ 13 \\ 2027531 \\ 2 \\ 3 \\ note \\ignored\\too",
              "Last Entry\\6105\\1\\\\\\", "Unlisted\\500\\5\\\\\\", "",
              "Kent Tower\\6106x\\7\\8\\9\\c",  // not in CB1 under 6106: details missing
              "Extra\\7000\\10\\\\\\", "Huge\\99999999999999999999999\\11\\\\\\"});
    ASSERT_TRUE(Convert({"ANN"}, destination));

    EXPECT_EQ(ReadBytes(DestinationFile("ANN.CBL")),
              Crlf({kHeader, "Little Snoring\\\\\\\\\\\\\\\\12\\2027530\\0\\0\\Q0lORE=",
                    "Padded\\\\\\\\\\\\\\\\6132\\2027531\\2\\3\\note",
                    "Last Entry\\\\\\\\\\\\\\\\6005\\1\\\\\\", "Unlisted\\\\\\\\\\\\\\\\0\\5\\\\\\",
                    "Kent Tower\\\\\\\\0\\0\\\\\\0\\7\\8\\9\\c",
                    "Upton\\S Mary\\Kent\\TQ123456\\0\\0\\6\\1200\\0\\10\\\\\\",
                    "Huge\\\\\\\\0\\0\\\\\\0\\11\\\\\\"}));
    // One box per record whose tower is known nowhere, naming the place.
    ASSERT_EQ(prompter.notices.size(), 2u);
    EXPECT_EQ(prompter.notices[0].id, chimemove::kMissingDetails);
    EXPECT_EQ(prompter.notices[0].icon, NoticeIcon::Stop);
    EXPECT_EQ(prompter.notices[0].text,
              "The tower record for Kent Tower will be missing the correct location details. "
              "Please add these manually after upgrade.");
    EXPECT_NE(prompter.notices[1].text.find("for Huge will"), std::string::npos);
    EXPECT_EQ(list,
              (std::vector<std::string>{"Starting to Process Log Files.", "ANN",
                                        "\t7 Records Written", "Finished Processing Log Files."}));
    EXPECT_EQ(messageArea, "Finished Processing Log Files.");
    EXPECT_EQ(ListFolder(destination), std::vector<std::string>{"ANN.CBL"});
}

TEST_F(ConvertLogsTest, NoRecordIsWrittenAsACommentLine) {
    // A place name that begins with ";" would make the record a comment line to every reader.
    WriteLog("data", "ANN.CBL",
             {kMagic, ";Semi\\12\\1\\\\\\", " ;Padded\\500\\2\\\\\\", "Plain\\12\\3\\\\\\"});
    ASSERT_TRUE(Convert({"ANN"}, destination));
    EXPECT_EQ(ReadBytes(DestinationFile("ANN.CBL")),
              Crlf({kHeader, " ;Semi\\\\\\\\\\\\\\\\12\\1\\\\\\",
                    " ;Padded\\\\\\\\\\\\\\\\0\\2\\\\\\", "Plain\\\\\\\\\\\\\\\\12\\3\\\\\\"}));
    EXPECT_EQ(list[2], "\t3 Records Written");
}

TEST_F(ConvertLogsTest, ExtraTowersAreOptionalAndOnlyTheirFirstEntryCounts) {
    WriteLog("data", "ANN.CBL", {kMagic, "X\\7000\\1\\\\\\"});
    ASSERT_TRUE(Convert({"ANN"}, destination));
    EXPECT_NE(ReadBytes(DestinationFile("ANN.CBL")).find("Upton\\S Mary\\"), std::string::npos);

    // Without Chimeset.CB1 the run goes on; the tower keeps only its place name.
    fs::remove(program + "/Chimeset.CB1");
    prompter.Clear();
    ASSERT_TRUE(Convert({"ANN"}, destination));
    EXPECT_EQ(ReadBytes(DestinationFile("ANN.CBL")),
              Crlf({kHeader, "X\\\\\\\\0\\0\\\\\\0\\1\\\\\\"}));
    EXPECT_EQ(prompter.Ids(), std::vector<unsigned>{chimemove::kMissingDetails});
}

TEST_F(ConvertLogsTest, EmptyLogGivesTheHeaderAlone) {
    WriteLog("data", "ANN.CBL", {kMagic});
    ASSERT_TRUE(Convert({"ANN"}, destination));
    EXPECT_EQ(ReadBytes(DestinationFile("ANN.CBL")), Crlf({kHeader}));
    EXPECT_EQ(list[2], "\t0 Records Written");
    EXPECT_TRUE(prompter.Silent());
}

TEST_F(ConvertLogsTest, UpgradeInPlaceKeepsTheVersion1LogAsItsBackup) {
    const std::string version1 = Crlf({kMagic, "Here\\12\\1\\\\\\"});
    root.Write("data/ANN.CBL", version1);
    root.Write("data/BOB.CBL", version1);
    root.Write("data/OLD_BOB.CBL", "an older backup");
    // The temporary file of a failed run is emptied and then used.
    root.Write("data/Temporary.TXT", "left over");
    // A file of the user's that the backup's copy once went through.
    root.Write("data/Backup.TXT", "the user's");

    ASSERT_TRUE(Convert({"ANN", "BOB"}, data));
    const std::string converted = Crlf({kHeader, "Here\\\\\\\\\\\\\\\\12\\1\\\\\\"});
    EXPECT_EQ(ReadBytes(DataFile("ANN.CBL")), converted);
    EXPECT_EQ(ReadBytes(DataFile("OLD_ANN.CBL")), version1);
    // An existing backup is never replaced; the log itself is.
    EXPECT_EQ(ReadBytes(DataFile("BOB.CBL")), converted);
    EXPECT_EQ(ReadBytes(DataFile("OLD_BOB.CBL")), "an older backup");
    EXPECT_EQ(ReadBytes(DataFile("Backup.TXT")), "the user's");
    EXPECT_EQ(ListFolder(data), (std::vector<std::string>{"ANN.CBL", "BOB.CBL", "Backup.TXT",
                                                          "OLD_ANN.CBL", "OLD_BOB.CBL"}));
}

TEST_F(ConvertLogsTest, AnUpgradeInPlaceStoppedBeforeItsLastStepLeavesTheUserALog) {
    const std::string version1 = Crlf({kMagic, "Here\\12\\1\\\\\\"});
    root.Write("data/ANN.CBL", version1);
    const auto written = fs::last_write_time(DataFile("ANN.CBL")) - std::chrono::hours(24);
    fs::last_write_time(DataFile("ANN.CBL"), written);
    ConvertInputs inputs;
    inputs.DataFolder = data;
    inputs.DestinationFolder = data;
    inputs.LogsToConvert = {"ANN"};
    inputs.programFolder = program;
    // The last step fails as a crash or a full disk would stop it there.
    std::vector<std::string> seenAtLastStep;
    inputs.replaceFile = [&](const std::string&, const std::string& to, FileError& error) {
        seenAtLastStep = ListFolder(data);
        error = FileError{NativePath(to), "Stopped."};
        return false;
    };
    const ConvertOutputs outputs{[] {}, [](const std::string&) {}, [](const std::string&) {},
                                 prompter};
    EXPECT_FALSE(ConvertLogs(inputs, outputs));
    EXPECT_EQ(prompter.fileErrors.size(), 1u);
    // At the last step and after it, the user's log is there under its own name.
    EXPECT_EQ(seenAtLastStep,
              (std::vector<std::string>{"ANN.CBL", "OLD_ANN.CBL", "Temporary.TXT"}));
    EXPECT_EQ(ListFolder(data), (std::vector<std::string>{"ANN.CBL", "OLD_ANN.CBL"}));
    EXPECT_EQ(ReadBytes(DataFile("ANN.CBL")), version1);
    EXPECT_EQ(ReadBytes(DataFile("OLD_ANN.CBL")), version1);
    // The backup is the old log as it was, down to its time.
    EXPECT_EQ(fs::last_write_time(DataFile("OLD_ANN.CBL")), written);

    // Another try finishes the job and keeps that backup.
    inputs.replaceFile = nullptr;
    ASSERT_TRUE(ConvertLogs(inputs, outputs));
    EXPECT_EQ(ListFolder(data), (std::vector<std::string>{"ANN.CBL", "OLD_ANN.CBL"}));
    EXPECT_EQ(ReadBytes(DataFile("ANN.CBL")), Crlf({kHeader, "Here\\\\\\\\\\\\\\\\12\\1\\\\\\"}));
    EXPECT_EQ(ReadBytes(DataFile("OLD_ANN.CBL")), version1);
}

TEST_F(ConvertLogsTest, UpgradeInPlaceOfALogWhoseNameDiffersInCase) {
#ifdef _WIN32
    GTEST_SKIP() << "letter case does not tell files apart on Windows";
#endif
    const std::string version1 = Crlf({kMagic, "Here\\12\\1\\\\\\"});
    root.Write("data/ann.cbl", version1);
    ConvertInputs inputs;
    inputs.DataFolder = data;
    inputs.DestinationFolder = data;
    inputs.LogsToConvert = {"ANN"};
    inputs.programFolder = program;
    inputs.sourceFileNames = {{"ANN", "ann.cbl"}};
    ASSERT_TRUE(ConvertLogs(inputs, ConvertOutputs{[] {}, [](const std::string&) {},
                                                   [](const std::string&) {}, prompter}));
    EXPECT_EQ(ListFolder(data), (std::vector<std::string>{"ANN.CBL", "OLD_ANN.CBL"}));
    EXPECT_EQ(ReadBytes(DataFile("OLD_ANN.CBL")), version1);

    // With a backup already there, the Version 1 log goes, as it would where case is ignored.
    root.Write("data/ann.cbl", version1);
    fs::remove(DataFile("ANN.CBL"));
    root.Write("data/OLD_ANN.CBL", "older");
    ASSERT_TRUE(ConvertLogs(inputs, ConvertOutputs{[] {}, [](const std::string&) {},
                                                   [](const std::string&) {}, prompter}));
    EXPECT_EQ(ListFolder(data), (std::vector<std::string>{"ANN.CBL", "OLD_ANN.CBL"}));
    EXPECT_EQ(ReadBytes(DataFile("OLD_ANN.CBL")), "older");

    // Another file under the log's own name is not lost to the converted log.
    fs::remove(DataFile("OLD_ANN.CBL"));
    root.Write("data/ann.cbl", version1);
    root.Write("data/ANN.CBL", "somebody else's");
    EXPECT_FALSE(ConvertLogs(inputs, ConvertOutputs{[] {}, [](const std::string&) {},
                                                    [](const std::string&) {}, prompter}));
    ASSERT_EQ(prompter.fileErrors.size(), 1u);
    EXPECT_EQ(prompter.fileErrors[0].path.Native(), DataFile("ANN.CBL"));
    EXPECT_EQ(ListFolder(data), (std::vector<std::string>{"ANN.CBL", "ann.cbl"}));
    EXPECT_EQ(ReadBytes(DataFile("ANN.CBL")), "somebody else's");
    EXPECT_EQ(ReadBytes(DataFile("ann.cbl")), version1);
}

TEST_F(ConvertLogsTest, ExportLeavesTheDataFolderAloneAndReplacesTheDestinationFile) {
    const std::string ann = Crlf({kMagic, "A\\12\\1\\\\\\"});
    const std::string bob = Crlf({kMagic, "B\\13\\2\\\\\\"});
    root.Write("data/ANN.CBL", ann);
    root.Write("data/BOB.CBL", bob);
    root.Write("destination/ANN.CBL", "an earlier export");

    ASSERT_TRUE(Convert({"ANN", "BOB"}, destination));
    EXPECT_EQ(ListFolder(data), (std::vector<std::string>{"ANN.CBL", "BOB.CBL"}));
    EXPECT_EQ(ReadBytes(DataFile("ANN.CBL")), ann);
    EXPECT_EQ(ReadBytes(DataFile("BOB.CBL")), bob);
    EXPECT_EQ(ListFolder(destination), (std::vector<std::string>{"ANN.CBL", "BOB.CBL"}));
    EXPECT_EQ(ReadBytes(DestinationFile("ANN.CBL")),
              Crlf({kHeader, "A\\\\\\\\\\\\\\\\12\\1\\\\\\"}));
    EXPECT_EQ(ReadBytes(DestinationFile("BOB.CBL")),
              Crlf({kHeader, "B\\\\\\\\\\\\\\\\6132\\2\\\\\\"}));
}

TEST_F(ConvertLogsTest, BadDataFilesStopTheRunBeforeAnythingIsWritten) {
    WriteLog("data", "ANN.CBL", {kMagic, "A\\12\\1\\\\\\"});
    const std::string ann = ReadBytes(DataFile("ANN.CBL"));
    struct Case {
        std::vector<std::string> crossRef;
        std::vector<std::string> extraTowers;
        unsigned message;
    };
    const std::vector<Case> cases = {
        {{"vlog\\tb", "12\\12"}, {kMagic}, chimemove::kCrossRefFormat},
        {{"VLog\\T", "12\\12"}, {kMagic}, chimemove::kCrossRefFormat},
        {{}, {kMagic}, chimemove::kCrossRefFormat},
        // An index past the table refuses the whole file rather than losing a line.
        {{"VLog\\TB", "12\\12", "6106\\7000"}, {kMagic}, chimemove::kCrossRefFormat},
        {{"VLog\\TB", "99999999999999999999\\1"}, {kMagic}, chimemove::kCrossRefFormat},
        {{"VLog\\TB", "12\\99999999999"}, {kMagic}, chimemove::kCrossRefFormat},
        {{"VLog\\TB"}, {"[CLANGBOOKIST KRW-1"}, chimemove::kExtraTowerFormat},
        {{"VLog\\TB"}, {}, chimemove::kExtraTowerFormat},
    };
    for (const auto& c : cases) {
        prompter.Clear();
        list.clear();
        WriteCrossRef(c.crossRef);
        WriteExtraTowers(c.extraTowers);
        EXPECT_FALSE(Convert({"ANN"}, data));
        EXPECT_EQ(prompter.Ids(), std::vector<unsigned>{c.message});
        EXPECT_EQ(prompter.notices[0].icon, NoticeIcon::Stop);
        EXPECT_TRUE(list.empty());
        EXPECT_EQ(ListFolder(data), std::vector<std::string>{"ANN.CBL"});
        EXPECT_EQ(ReadBytes(DataFile("ANN.CBL")), ann);
    }

    // A missing translation file is a file error naming it.
    prompter.Clear();
    fs::remove(program + "/CrossRef.txt");
    EXPECT_FALSE(Convert({"ANN"}, data));
    ASSERT_EQ(prompter.fileErrors.size(), 1u);
    EXPECT_NE(prompter.fileErrors[0].path.Native().find("CrossRef.txt"), std::string::npos);
    EXPECT_TRUE(prompter.notices.empty());
}

TEST_F(ConvertLogsTest, ATranslationFileWithRepeatsAndGapsKeepsTheLastWord) {
    WriteCrossRef({"VLog\\TB extra text", "12\\40", "12\\41", " 13\\9", "14\\ 9", "", "15\\77\\x"});
    WriteLog("data", "ANN.CBL", {kMagic, "a\\12", "b\\13", "c\\14", "d\\15", "e\\16"});
    ASSERT_TRUE(Convert({"ANN"}, destination));
    // " 13" and " 9" do not begin with a digit, so they read as 0.
    EXPECT_EQ(ReadBytes(DestinationFile("ANN.CBL")),
              Crlf({kHeader, "a\\\\\\\\\\\\\\\\41\\\\\\\\", "b\\\\\\\\\\\\\\\\0\\\\\\\\",
                    "c\\\\\\\\\\\\\\\\0\\\\\\\\", "d\\\\\\\\\\\\\\\\77\\\\\\\\",
                    "e\\\\\\\\\\\\\\\\0\\\\\\\\"}));
}

TEST_F(ConvertLogsTest, ABadLogStopsTheRunAndLeavesItAndEarlierLogsAsTheyAre) {
    WriteLog("data", "ANN.CBL", {kMagic, "A\\12\\1\\\\\\"});
    root.Write("data/BOB.CBL", std::string("\0\x01\x02binary\xff", 10));
    WriteLog("data", "CAROL.CBL", {kMagic});
    const std::string bob = ReadBytes(DataFile("BOB.CBL"));

    EXPECT_FALSE(Convert({"ANN", "BOB", "CAROL"}, data));
    EXPECT_EQ(prompter.Ids(), std::vector<unsigned>{chimemove::kLogFormat});
    // The run says it has stopped, after the last log it reached.
    EXPECT_EQ(list, (std::vector<std::string>{"Starting to Process Log Files.", "ANN",
                                              "\t1 Records Written", "BOB",
                                              "Stopped Processing Log Files."}));
    EXPECT_EQ(messageArea, "Stopped Processing Log Files.");
    EXPECT_EQ(ReadBytes(DataFile("BOB.CBL")), bob);
    EXPECT_EQ(ListFolder(data),
              (std::vector<std::string>{"ANN.CBL", "BOB.CBL", "CAROL.CBL", "OLD_ANN.CBL"}));
    EXPECT_EQ(ReadBytes(DataFile("ANN.CBL")).substr(0, kHeader.size()), kHeader);

    // A log that has gone since discovery: the file error, nothing else.
    prompter.Clear();
    EXPECT_FALSE(Convert({"DAVE"}, destination));
    ASSERT_EQ(prompter.fileErrors.size(), 1u);
    EXPECT_NE(prompter.fileErrors[0].path.Native().find("DAVE.CBL"), std::string::npos);
}

TEST_F(ConvertLogsTest, EveryLineEndOfTheOldSystemsSeparatesRecords) {
    const std::string empty7(8, '\\');  // seven empty tower fields
    // The blank line is no record.
    const std::string converted =
        Crlf({kHeader, "A" + empty7 + "12\\1\\\\\\", "B" + empty7 + "6132\\2\\\\\\"});
    for (const std::string end : {"\r\n", "\n", "\r"}) {
        SCOPED_TRACE(end == "\r" ? "CR" : end == "\n" ? "LF" : "CR LF");
        root.Write("data/ANN.CBL",
                   kMagic + end + "A\\12\\1\\\\\\" + end + "B\\13\\2\\\\\\" + end + end);
        const std::string version1 = ReadBytes(DataFile("ANN.CBL"));
        fs::remove(DataFile("OLD_ANN.CBL"));
        list.clear();
        ASSERT_TRUE(Convert({"ANN"}, data));
        EXPECT_EQ(ReadBytes(DataFile("ANN.CBL")), converted);
        EXPECT_EQ(ReadBytes(DataFile("OLD_ANN.CBL")), version1);
        EXPECT_EQ(list[2], "\t2 Records Written");
    }
    // Mixed within one file, and a last record without its line end.
    root.Write("data/BOB.CBL", kMagic + "\rA\\12\\1\\\\\\\nB\\13\\2\\\\\\\r\n\r");
    ASSERT_TRUE(Convert({"BOB"}, destination));
    EXPECT_EQ(ReadBytes(DestinationFile("BOB.CBL")), converted);
    root.Write("data/BOB.CBL", kMagic + "\rA\\12\\1\\\\\\");
    ASSERT_TRUE(Convert({"BOB"}, destination));
    EXPECT_EQ(ReadBytes(DestinationFile("BOB.CBL")), Crlf({kHeader, "A" + empty7 + "12\\1\\\\\\"}));
    EXPECT_TRUE(prompter.Silent());
}

TEST_F(ConvertLogsTest, TextThatYieldsNoRecordIsAProblemNotAnEmptyLog) {
    // Records glued to the magic line by a separator that ends no line: converting would
    // keep none of them.
    for (const std::string& bytes :
         {kMagic + "\fA\\12\\1\\\\\\\fB\\13\\2\\\\\\", kMagic + "A\\12\\1\\\\\\",
          kMagic + std::string("\0\0\0\r\n", 5)}) {
        prompter.Clear();
        list.clear();
        root.Write("data/ANN.CBL", bytes);
        EXPECT_FALSE(Convert({"ANN"}, data));
        ASSERT_EQ(prompter.Ids(), std::vector<unsigned>{chimemove::kLogFormat});
        EXPECT_EQ(prompter.notices[0].icon, NoticeIcon::Stop);
        EXPECT_EQ(ListFolder(data), std::vector<std::string>{"ANN.CBL"});
        EXPECT_EQ(ReadBytes(DataFile("ANN.CBL")), bytes);
    }
    // White space after the magic line is no record to lose.
    prompter.Clear();
    root.Write("data/ANN.CBL", kMagic + " \t\r\n");
    ASSERT_TRUE(Convert({"ANN"}, destination));
    EXPECT_EQ(ReadBytes(DestinationFile("ANN.CBL")), Crlf({kHeader}));
    EXPECT_TRUE(prompter.Silent());
}

TEST_F(ConvertLogsTest, BinaryRecordsAndVeryLongLinesCarryAcrossByteForByte) {
    const std::string comment(1024 * 1024, 'x');
    const std::string binary = std::string("Odd\0Place", 9) + "\\12\\\x01\x02\xff\\\\\\";
    root.Write("data/ANN.CBL", Crlf({kMagic, binary, "Long\\12\\1\\\\\\" + comment}));
    ASSERT_TRUE(Convert({"ANN"}, destination));
    EXPECT_EQ(
        ReadBytes(DestinationFile("ANN.CBL")),
        Crlf({kHeader, std::string("Odd\0Place", 9) + "\\\\\\\\\\\\\\\\12\\\x01\x02\xff\\\\\\",
              "Long\\\\\\\\\\\\\\\\12\\1\\\\\\" + comment}));
}

TEST_F(ConvertLogsTest, AnUnwritableDestinationIsReportedAndChangesNothing) {
    WriteLog("data", "ANN.CBL", {kMagic, "A\\12\\1\\\\\\"});
    const std::string ann = ReadBytes(DataFile("ANN.CBL"));

    EXPECT_FALSE(Convert({"ANN"}, root.File("no such folder")));
    ASSERT_EQ(prompter.fileErrors.size(), 1u);
    EXPECT_NE(prompter.fileErrors[0].path.Native().find("Temporary.TXT"), std::string::npos);
    EXPECT_EQ(ReadBytes(DataFile("ANN.CBL")), ann);

    // The target's name taken by a folder: the rename fails, the source stays, and no
    // temporary file is left behind.
    prompter.Clear();
    fs::create_directory(DestinationFile("ANN.CBL"));
    EXPECT_FALSE(Convert({"ANN"}, destination));
    EXPECT_EQ(prompter.fileErrors.size(), 1u);
    EXPECT_EQ(ListFolder(destination), std::vector<std::string>{"ANN.CBL"});
    EXPECT_EQ(ReadBytes(DataFile("ANN.CBL")), ann);

#ifndef _WIN32
    if (::geteuid() != 0) {  // permissions do not bind root
        prompter.Clear();
        fs::remove(DestinationFile("ANN.CBL"));
        fs::permissions(destination, fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_FALSE(Convert({"ANN"}, destination));
        EXPECT_EQ(prompter.fileErrors.size(), 1u);
        EXPECT_TRUE(ListFolder(destination).empty());
    }
#endif
}

TEST(CrossRefTableTest, IndicesOutsideTheTableAreRecognisedWithoutWrapping) {
    EXPECT_TRUE(CrossRefTable::Contains(0));
    EXPECT_TRUE(CrossRefTable::Contains(6105));
    EXPECT_FALSE(CrossRefTable::Contains(6106));
    EXPECT_FALSE(CrossRefTable::Contains(-1));
    EXPECT_FALSE(CrossRefTable::Contains(std::int64_t{1} << 32));
    // 4294967296 + 12 would wrap to 12 in 32 bits.
    CrossRefTable table;
    ASSERT_EQ(table.Load({"VLog\\TB", "12\\12"}), CrossRefTable::Result::Loaded);
    ExtraTowerList none;
    EXPECT_EQ(ConvertRecordLine("W\\4294967308\\1", table, none, nullptr),
              "W\\\\\\\\0\\0\\\\\\0\\1\\\\\\");
}

}  // namespace
}  // namespace chimeset::testing
