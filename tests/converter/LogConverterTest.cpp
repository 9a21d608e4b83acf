#include <algorithm>
#include <filesystem>

#include "common/MessageTable.h"
#include "common/Text.h"
#include "common/TextFile.h"
#include "converter/LogConverter.h"
#include "tests/converter/ConverterFixture.h"
#include "tests/support/MemorySettings.h"

namespace chimeset::testing {
namespace {

namespace fs = std::filesystem;

class RecordingView : public ConverterView {
  public:
    void ClearList() override { list.clear(); }
    void AddListLine(const std::string& line) override { list.push_back(line); }
    void SetMessageArea(const std::string& text) override { messageArea = text; }
    void EnableGather(bool enabled) override { gatherEnabled = enabled; }
    void EnableConversion(bool enabled) override { conversionEnabled = enabled; }

    std::vector<std::string> list;
    std::string messageArea;
    bool gatherEnabled = true;
    bool conversionEnabled = false;
};

class LogConverterTest : public ConverterFixture {
  protected:
    LogConverterTest() {
        documents = root.File("documents");
        fs::create_directory(documents);
    }

    LogConverter& Make() {
        converter = std::make_unique<LogConverter>(settings, prompter, view, program,
                                                   [this] { return documents; });
        return *converter;
    }
    void Register(const std::string& names, const std::string& folder) {
        settings.WriteString("Users", "RegisterOfNames", names);
        if (!folder.empty()) settings.WriteString("Users", "DataFolder", folder);
    }
    void Version1(const std::string& folder, const std::string& file) {
        WriteLog(folder, file, {kMagic, "Somewhere\\12\\1\\\\\\"});
    }
    std::vector<std::string> Sorted(std::vector<std::string> lines, std::size_t from) {
        std::sort(lines.begin() + static_cast<std::ptrdiff_t>(from), lines.end());
        return lines;
    }

    MemorySettings settings;
    RecordingView view;
    std::unique_ptr<LogConverter> converter;
    std::string documents;
};

TEST_F(LogConverterTest, TwoUsersWithVersion1LogsAreReadyForConversion) {
    Register("ann,bob", data);
    Version1("data", "ANN.CBL");
    Version1("data", "BOB.CBL");
    LogConverter& c = Make();
    c.OnGatherData();
    EXPECT_EQ(view.list,
              (std::vector<std::string>{"Searching Folder", data, "ANN\t- Requires Conversion",
                                        "BOB\t- Requires Conversion"}));
    EXPECT_EQ(view.messageArea,
              Format(MessageTable::Chimemove().Text(chimemove::kReadyInPlace).c_str(), 2));
    EXPECT_EQ(view.messageArea.substr(0, 51),
              "2 Visit Log File(s) are available for conversion.\r\n");
    EXPECT_NE(view.messageArea.find("\r\nIf upgrading on this computer, the previous versions "
                                    "files will be renamed from USERNAME to OLD_USERNAME as a "
                                    "back up.\r\n\r\n++ Please click the appropriate button. ++"),
              std::string::npos);
    EXPECT_FALSE(view.gatherEnabled);
    EXPECT_TRUE(view.conversionEnabled);
    EXPECT_EQ(c.LogsToConvert(), (std::vector<std::string>{"ANN", "BOB"}));
    EXPECT_TRUE(prompter.Silent());

    // Once per run: a second gather changes nothing.
    view.list.clear();
    c.OnGatherData();
    EXPECT_TRUE(view.list.empty());
    EXPECT_EQ(c.LogsToConvert().size(), 2u);
}

TEST_F(LogConverterTest, MoreLogsThanUsersWalksTheFiles) {
    Register("ANN,BOB", data);
    Version1("data", "ANN.CBL");
    Version1("data", "OLD_ANN.CBL");
    Version1("data", "STRAY.cbl");
    root.Write("data/notes.txt", "not a log");
    Make().OnGatherData();
    EXPECT_EQ(Sorted(view.list, 2),
              (std::vector<std::string>{"Searching Folder", data, "ANN\t- Requires Conversion",
                                        "OLD_ANN\tis a backup copy",
                                        "STRAY\tis not associated with a User"}));
    EXPECT_EQ(converter->LogsToConvert(), std::vector<std::string>{"ANN"});
}

TEST_F(LogConverterTest, MoreUsersThanLogsWalksTheRegister) {
    Register("ann,bob,carol", data);
    Version1("data", "ANN.CBL");
    WriteLog("data", "CAROL.CBL", {kHeader});  // already converted
    WriteLog("data", "DAVE.CBL", {kMagic});    // nobody's
    Make().OnGatherData();
    EXPECT_EQ(view.list, (std::vector<std::string>{
                             "Searching Folder", data, "ANN\t- Requires Conversion",
                             "BOB has a PROBLEM, No LogFile", "CAROL\t- has been converted"}));
}

TEST_F(LogConverterTest, SyncConflictCopiesAreListedButNeverTakenForLogs) {
    // Three copies beside two users' logs: counted as logs, they would outnumber the users,
    // and BOB's missing log would go unreported.
    Register("ANN,BOB,CAROL", data);
    Version1("data", "ANN.CBL");
    Version1("data", "CAROL.CBL");
    Version1("data", "ANN (conflicted copy 2024-03-01).CBL");
    Version1("data", "ANN-DESKTOP-ABC.CBL");
    Version1("data", "CAROL.sync-conflict-20240301-101500-ABCDEFG.cbl");
    Make().OnGatherData();
    ASSERT_GE(view.list.size(), 5u);
    EXPECT_EQ(std::vector<std::string>(view.list.begin(), view.list.begin() + 5),
              (std::vector<std::string>{"Searching Folder", data, "ANN\t- Requires Conversion",
                                        "BOB has a PROBLEM, No LogFile",
                                        "CAROL\t- Requires Conversion"}));
    EXPECT_EQ(
        Sorted(view.list, 5),
        (std::vector<std::string>{
            "Searching Folder", data, "ANN\t- Requires Conversion", "BOB has a PROBLEM, No LogFile",
            "CAROL\t- Requires Conversion",
            "ANN (conflicted copy 2024-03-01).CBL\tis a sync service's conflict copy, not a log",
            "ANN-DESKTOP-ABC.CBL\tis a sync service's conflict copy, not a log",
            "CAROL.sync-conflict-20240301-101500-ABCDEFG.cbl\tis a sync service's conflict "
            "copy, not a log"}));
    EXPECT_EQ(converter->LogsToConvert(), (std::vector<std::string>{"ANN", "CAROL"}));
    EXPECT_EQ(converter->FoundLogs().size(), 2u);
}

TEST_F(LogConverterTest, RegisterEndsAtAnEmptyEntryAndKeepsBlanks) {
    Register("ann,,bob", data);
    Version1("data", "ANN.CBL");
    Version1("data", "BOB.CBL");
    LogConverter& c = Make();
    c.OnGatherData();
    EXPECT_EQ(c.RegisteredUsers(), std::vector<std::string>{"ANN"});
    EXPECT_EQ(c.LogsToConvert(), std::vector<std::string>{"ANN"});

    settings.values.clear();
    view = RecordingView();
    Register("ann, bob", data);
    LogConverter& d = Make();
    d.OnGatherData();
    EXPECT_EQ(d.RegisteredUsers(), (std::vector<std::string>{"ANN", " BOB"}));
}

TEST_F(LogConverterTest, EmptyOrConvertedLogsNeedNothing) {
    Register("ann,bob", data);
    root.Write("data/ANN.CBL", "");
    WriteLog("data", "bob.cbl", {kHeader});
    Make().OnGatherData();
    EXPECT_EQ(view.list,
              (std::vector<std::string>{"Searching Folder", data, "ANN\t- has been converted",
                                        "BOB\t- has been converted"}));
    EXPECT_EQ(view.messageArea,
              "The log(s) listed in do not appear to need conversion for the reason shown.\r\n"
              "If you disagree, Click Help or press F1");
    EXPECT_FALSE(view.conversionEnabled);
}

TEST_F(LogConverterTest, NoRegisterSaysSoTwice) {
    Make().OnGatherData();
    EXPECT_EQ(prompter.Ids(), std::vector<unsigned>{chimemove::kNoLogsForUser});
    EXPECT_EQ(view.messageArea,
              "There are no Clangbook Logs found for the current User Name logged into Windows.");
    EXPECT_TRUE(view.list.empty());
    EXPECT_FALSE(view.gatherEnabled);
    EXPECT_FALSE(view.conversionEnabled);
}

TEST_F(LogConverterTest, AMissingDataFolderIsReportedAndItsUsersListed) {
    Register("ann", root.File("gone"));
    Make().OnGatherData();
    ASSERT_EQ(prompter.fileErrors.size(), 1u);
    EXPECT_EQ(prompter.fileErrors[0].path.Native(), root.File("gone"));
    EXPECT_EQ(view.list.back(), "ANN has a PROBLEM, No LogFile");
    EXPECT_FALSE(view.conversionEnabled);
}

TEST_F(LogConverterTest, UpgradeInPlaceBacksUpAndRecordsTheFolder) {
    Register("ann", data);
    Version1("data", "ANN.CBL");
    LogConverter& c = Make();
    c.OnGatherData();
    c.OnUpgradeHere();
    EXPECT_TRUE(prompter.saveRequests.empty());  // no folder question
    EXPECT_EQ(prompter.Ids(), std::vector<unsigned>{chimemove::kUpgradeCompleted});
    EXPECT_EQ(ListFolder(data), (std::vector<std::string>{"ANN.CBL", "OLD_ANN.CBL"}));
    EXPECT_EQ(settings.GetString("Users", "DataFolder"), data);
    EXPECT_FALSE(view.conversionEnabled);
    EXPECT_EQ(view.list,
              (std::vector<std::string>{"Starting to Process Log Files.", "ANN",
                                        "\t1 Records Written", "Finished Processing Log Files."}));
    EXPECT_EQ(view.messageArea, "Finished Processing Log Files.");
}

TEST_F(LogConverterTest, UpgradeKeepsTheVisitsOfALogWithLoneCrLineEndsOrRefusesIt) {
    Register("ann,bob", data);
    root.Write("data/ANN.CBL", kMagic + "\rOne\\12\\1\\\\\\\rTwo\\13\\2\\\\\\\r");
    // Records that no line end parts from the magic line cannot be converted.
    root.Write("data/BOB.CBL", kMagic + "\x85One\\12\\1\\\\\\");
    LogConverter& c = Make();
    c.OnGatherData();
    ASSERT_EQ(c.LogsToConvert(), (std::vector<std::string>{"ANN", "BOB"}));
    c.OnUpgradeHere();
    EXPECT_EQ(ReadBytes(DataFile("ANN.CBL")), Crlf({kHeader, "One\\\\\\\\\\\\\\\\12\\1\\\\\\",
                                                    "Two\\\\\\\\\\\\\\\\6132\\2\\\\\\"}));
    EXPECT_EQ(prompter.Ids(), std::vector<unsigned>{chimemove::kLogFormat});
    EXPECT_EQ(ReadBytes(DataFile("BOB.CBL")).substr(0, 21), kMagic + "\x85");
    EXPECT_EQ(ListFolder(data), (std::vector<std::string>{"ANN.CBL", "BOB.CBL", "OLD_ANN.CBL"}));
    // Not a success: the buttons stay for another try.
    EXPECT_TRUE(view.conversionEnabled);
    EXPECT_EQ(view.messageArea, "Stopped Processing Log Files.");
}

TEST_F(LogConverterTest, UpgradeFromTheProgramFolderAsksWhereAndUsesAChimesetFolder) {
    Register("ann", "");
    Version1("program", "ANN.CBL");
    LogConverter& c = Make();
    c.OnGatherData();
    EXPECT_TRUE(c.NeedsNewLocation());
    EXPECT_EQ(c.DataFolder().Native(), program);
    EXPECT_EQ(view.messageArea,
              Format(MessageTable::Chimemove().Text(chimemove::kReadyNewLocation).c_str(), 1));
    EXPECT_EQ(view.messageArea.substr(0, 146),
              "1 Visit Log File(s) are available for conversion.\r\nIf upgrading on this computer "
              "you will be asked for a new location for storing the Log Files.\r\n");

    // Cancelled: nothing changes and the buttons stay.
    prompter.QueueFileName(std::nullopt);
    c.OnUpgradeHere();
    EXPECT_EQ(prompter.Ids(), std::vector<unsigned>{chimemove::kChooseFolder});
    ASSERT_EQ(prompter.saveRequests.size(), 1u);
    const FileDialogRequest& request = prompter.saveRequests[0];
    EXPECT_EQ(request.initialPath.Native(), JoinPath(documents, "USERLOG.CBL"));
    EXPECT_EQ(request.defaultExtension, "CBL");
    EXPECT_EQ(request.filter, "Tower Logs (*.CBL)|*.cbl||");
    EXPECT_FALSE(request.promptOverwrite);
    EXPECT_TRUE(view.conversionEnabled);
    EXPECT_FALSE(settings.HasEntry("Users", "DataFolder"));

    // The documents folder itself: the logs go to its Chimeset folder, made for them.
    prompter.Clear();
    prompter.QueueFileName(documents + "/whatever.cbl");
    c.OnUpgradeHere();
    const std::string chimeset = JoinPath(documents, "Chimeset");
    EXPECT_EQ(ListFolder(chimeset), std::vector<std::string>{"ANN.CBL"});
    EXPECT_EQ(settings.GetString("Users", "DataFolder"), chimeset);
    // The Version 1 log stays where it was: that was not an upgrade in place.
    EXPECT_EQ(ReadBytes(program + "/ANN.CBL").substr(0, 20), kMagic);
    EXPECT_FALSE(view.conversionEnabled);
}

TEST_F(LogConverterTest, ExportWithoutADocumentsFolderLeavesTheStartToTheDialog) {
    Register("ann", data);
    Version1("data", "ANN.CBL");
    documents.clear();
    LogConverter& c = Make();
    c.OnGatherData();
    prompter.QueueFileName(std::nullopt);
    c.OnUpgradeExport();
    ASSERT_EQ(prompter.saveRequests.size(), 1u);
    EXPECT_EQ(prompter.saveRequests[0].initialPath.Native(), "USERLOG.CBL");
    EXPECT_TRUE(view.conversionEnabled);
}

TEST_F(LogConverterTest, AnUpgradeWhoseFolderCannotBeRecordedSaysWhereTheLogsAre) {
    Register("ann", "");
    Version1("program", "ANN.CBL");
    LogConverter& c = Make();
    c.OnGatherData();
    settings.refuses = [](const std::string&) { return true; };
    prompter.QueueFileName(destination + "/USERLOG.CBL");
    c.OnUpgradeHere();
    EXPECT_EQ(ListFolder(destination), std::vector<std::string>{"ANN.CBL"});
    ASSERT_EQ(prompter.notices.size(), 3u);
    EXPECT_EQ(prompter.notices[1].id, chimemove::kUpgradeCompleted);
    EXPECT_EQ(prompter.notices[2].text,
              "The settings could not be saved in the test settings.\r\nThe settings folder may "
              "be read-only or the disk full.\r\n\r\nThe converted logs are in " +
                  destination +
                  ", but the settings do not say so: Chimeset will not find them there.");
    EXPECT_FALSE(settings.HasEntry("Users", "DataFolder"));

    // In place the folder is already recorded: nothing to tell.
    settings.refuses = nullptr;
    Register("ann", data);
    Version1("data", "ANN.CBL");
    settings.refuses = [](const std::string&) { return true; };
    LogConverter& here = Make();
    here.OnGatherData();
    prompter.Clear();
    here.OnUpgradeHere();
    EXPECT_EQ(prompter.Ids(), std::vector<unsigned>{chimemove::kUpgradeCompleted});
}

TEST_F(LogConverterTest, APlainFileNamedChimesetLeavesTheDocumentsFolderInUse) {
    Register("ann", program);  // the program folder, in the register: a new place is needed
    Version1("program", "ANN.CBL");
    root.Write("documents/Chimeset", "a file, not a folder");
    LogConverter& c = Make();
    c.OnGatherData();
    EXPECT_TRUE(c.NeedsNewLocation());
    prompter.QueueFileName(JoinPath(documents, "USERLOG.CBL"));
    c.OnUpgradeHere();
    EXPECT_EQ(settings.GetString("Users", "DataFolder"), documents);
    EXPECT_TRUE(fs::exists(documents + "/ANN.CBL"));
}

TEST_F(LogConverterTest, ExportRefusesTheDataFolderAndWritesElsewhere) {
    Register("ann,bob", data);
    Version1("data", "ANN.CBL");
    Version1("data", "BOB.CBL");
    LogConverter& c = Make();
    c.OnGatherData();

    // The data folder, in any letter case or spelling, is refused.
    std::string shouted = data;
    std::transform(shouted.begin(), shouted.end(), shouted.begin(),
                   [](char ch) { return static_cast<char>(std::toupper(ch)); });
    for (const std::string& folder : {shouted, data + "/../data"}) {
        prompter.Clear();
        prompter.QueueFileName(folder + "/USERLOG.CBL");
        c.OnUpgradeExport();
        EXPECT_EQ(prompter.Ids(), std::vector<unsigned>{chimemove::kExportSameFolder}) << folder;
        EXPECT_TRUE(view.conversionEnabled);
    }
    EXPECT_EQ(ListFolder(data), (std::vector<std::string>{"ANN.CBL", "BOB.CBL"}));
    // The export starts among the user's own files, not in the root folder.
    EXPECT_EQ(prompter.saveRequests[0].initialPath.Native(), JoinPath(documents, "USERLOG.CBL"));

    prompter.Clear();
    prompter.QueueFileName(destination + "/USERLOG.CBL");
    c.OnUpgradeExport();
    EXPECT_EQ(prompter.Ids(), std::vector<unsigned>{chimemove::kExportCompleted});
    EXPECT_EQ(ListFolder(destination), (std::vector<std::string>{"ANN.CBL", "BOB.CBL"}));
    EXPECT_EQ(ListFolder(data), (std::vector<std::string>{"ANN.CBL", "BOB.CBL"}));
    EXPECT_EQ(ReadBytes(DataFile("ANN.CBL")).substr(0, 20), kMagic);
    EXPECT_EQ(settings.GetString("Users", "DataFolder"), data);
    EXPECT_FALSE(view.conversionEnabled);
}

TEST_F(LogConverterTest, AFailedUpgradeLeavesTheButtonsForAnotherTry) {
    Register("ann", data);
    Version1("data", "ANN.CBL");
    WriteCrossRef({"not a translation file"});
    LogConverter& c = Make();
    c.OnGatherData();
    c.OnUpgradeHere();
    EXPECT_EQ(prompter.Ids(), std::vector<unsigned>{chimemove::kCrossRefFormat});
    EXPECT_TRUE(view.conversionEnabled);
    EXPECT_EQ(ListFolder(data), std::vector<std::string>{"ANN.CBL"});
}

}  // namespace
}  // namespace chimeset::testing
