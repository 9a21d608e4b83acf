// File / Update Tower Data from Dove's Guide Download... and "chimeset --update-towers":
// the user's database replaced from a download, under an open log, or refused untouched.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/wait.h>
#endif

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressDialog>
#include <QStringList>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>

#include "common/MessageTable.h"
#include "common/TextFile.h"
#include "common/qt/QtPrompter.h"
#include "dove/qt/TowerDataUpdateCommand.h"
#include "dove/qt/UpdateTowersCommandLine.h"
#include "shell/CChimesetApp.h"
#include "shell/CMainFrame.h"
#include "tests/support/FakePrompter.h"
#include "tests/support/MemorySettings.h"
#include "tests/support/qt/ModalDialog.h"
#include "tests/support/qt/Screenshot.h"
#include "tests/users/UsersFakes.h"
#include "tests/view/GuiSupport.h"
#include "view/CommandIds.h"

using namespace chimeset;
using namespace chimeset::testing;

namespace {

const std::string kCsvHeader =
    "\xEF\xBB\xBFTowerID,RingID,RingType,Place,Dedicn,County,NG,Lat,Long,Bells,Wt,TowerBase\n";

// Ashby (1001) and Zennor (1004) of the test database stay, the others go; two are new.
std::string Download(int extraRings = 0) {
    std::string csv = kCsvHeader +
                      "1,1,Full-circle ring,Ashby de la Zouch,St Helen,Leics,SK359167,52.74,-1.47,"
                      "8,1456,1001\n"
                      "2,2,Full-circle ring,Zennor,St Senara,Cornwall,SW454384,50.19,-5.57,3,300,"
                      "1004\n"
                      "3,3,Full-circle ring,Yatton,St Mary,Somerset,ST431654,51.39,-2.82,8,1900,"
                      "2001\n"
                      "4,4,Chime,Yeovil,St John,Somerset,,,,8,500,\n";
    for (int i = 0; i < extraRings; ++i)
        csv += std::to_string(10 + i) + ",x,Full-circle ring,Place " + std::to_string(i) +
               ",S Mary,Kent,,,,6,600," + std::to_string(3000 + i) + "\n";
    return csv;
}

std::string Record(int identity, PackedDate visit) {
    return "Old\\St Old\\Shire\\\\\\\\6\\600\\" + std::to_string(identity) + "\\" +
           std::to_string(visit) + "\\0\\0\\";
}

class TowerDataUpdateGui : public ::testing::Test {
  protected:
    void SetUp() override { WriteTestDatabase(program); }
    void TearDown() override { app.reset(); }

    void Start(const std::string& userFolder) {
        app.reset();
        app = std::make_unique<CChimesetApp>(AppServices{program.Path(), QString(), prompter,
                                                         settings, documents, idTable,
                                                         [] {
                                                             return LocalDate{2026, 12, 7};
                                                         },
                                                         userFolder, downloads.Path()});
        ASSERT_TRUE(app->InitInstance({}));
    }
    std::string UserDatabase() const { return user.File("DoveData.CB0"); }
    CMainFrame& Frame() { return *app->MainFrame(); }
    CChimesetDoc& Doc() { return *app->Document(); }

    void OpenUsersLog(const std::vector<std::string>& records) {
        settings.WriteString("Users", "RegisterOfNames", "RINGER1");
        settings.WriteString("Users", "DataFolder", logs.Path());
        settings.WriteString("Users", "RINGER1", "Ringer One");
        std::vector<std::string> lines = {kLogHeader};
        lines.insert(lines.end(), records.begin(), records.end());
        logs.WriteLines("RINGER1.CBL", lines);
        Frame().OnCommand(kCmdFileOpen);
        ASSERT_TRUE(Doc().IsLogOpen());
    }

    // Runs the menu command on the file named.
    void Update(const std::string& csvPath) {
        prompter.QueueFileName(csvPath);
        Frame().UpdateCommandStates();
        Frame().OnCommand(kCmdUpdateTowerData);
    }

    TempDir program, user, downloads, logs;
    FakePrompter prompter;
    MemorySettings settings;
    FixedDocumentsFolder documents;
    FakeIdTable idTable;
    std::unique_ptr<CChimesetApp> app;
};

}  // namespace

TEST_F(TowerDataUpdateGui, FileMenuOffersTheUpdateWhenTheUserHasADataFolder) {
    Start(user.Path());
    QAction* action = Frame().Action(kCmdUpdateTowerData);
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->text(), QStringLiteral("&Update Tower Data from Dove's Guide Download..."));
    QMenu* file = Frame().menuBar()->actions().front()->menu();
    EXPECT_TRUE(file->actions().contains(action));
    Frame().UpdateCommandStates();
    EXPECT_TRUE(action->isEnabled());
    SaveScreenshot(*file, QStringLiteral("tower-data-menu.png"));

    Start({});
    Frame().UpdateCommandStates();
    EXPECT_FALSE(Frame().Action(kCmdUpdateTowerData)->isEnabled());
}

TEST_F(TowerDataUpdateGui, DatabaseReplacedUnderAnOpenLogKeepsEveryVisit) {
    Start(user.Path());
    OpenUsersLog({Record(1001, MakePackedDate(1, 2, 2003)),
                  Record(1002, MakePackedDate(2, 3, 2004)),
                  Record(1004, MakePackedDate(3, 4, 2005))});
    EXPECT_EQ(Doc().Database().GetDatabaseCount(), 6);

    Update(downloads.Write("dove.csv", Download()));
    ASSERT_EQ(prompter.notices.size(), 1u);
    const Notice& summary = prompter.notices.front();
    EXPECT_EQ(summary.icon, NoticeIcon::Information);
    EXPECT_NE(summary.text.find("3 towers written"), std::string::npos) << summary.text;
    EXPECT_NE(summary.text.find("1 of the open log's 3 visits is on a tower that the new list "
                                "lacks"),
              std::string::npos)
        << summary.text;
    const auto box = QtPrompter(QStringLiteral("Chimeset")).MakeBox(summary);
    box->show();
    SaveScreenshot(*box, QStringLiteral("tower-data-summary.png"));
    box->close();
    // The file dialog started in the downloads folder.
    ASSERT_EQ(prompter.openRequests.size(), 1u);
    EXPECT_EQ(prompter.openRequests.front().initialPath.Native(), downloads.Path());

    // The new list is loaded; the log stays open, editable, unchanged, each visit on its tower.
    EXPECT_TRUE(IsRegularFile(UserDatabase()));
    EXPECT_EQ(Doc().Database().GetDatabaseCount(), 3);
    EXPECT_TRUE(Doc().IsLogOpen());
    EXPECT_FALSE(Doc().IsReadOnly());
    EXPECT_FALSE(Doc().IsModified());
    ASSERT_EQ(Doc().EntryCount(), 3);
    EXPECT_EQ(Doc().Database().FormatTowerName(Doc().TowerOfEntry(0)),
              "Ashby de la Zouch - St Helen");
    EXPECT_EQ(Doc().Database().GetIndexNo(Doc().TowerOfEntry(1)), 1002);
    EXPECT_GE(Doc().TowerOfEntry(1), Doc().Database().GetDatabaseCount());
    EXPECT_EQ(Doc().Database().FormatTowerName(Doc().TowerOfEntry(1)), "Bampton - St Michael");
    EXPECT_EQ(Doc().Database().FormatTowerName(Doc().TowerOfEntry(2)), "Zennor - St Senara");
    EXPECT_EQ(Doc().VisitDateOf(2), MakePackedDate(3, 4, 2005));
    // The program itself wrote nothing beside itself.
    EXPECT_EQ(ListFolder(program.Path()), std::vector<std::string>{"DoveData.CB0"});

    // The next start reads the user's database.
    Start(user.Path());
    EXPECT_EQ(Doc().Database().GetDatabaseCount(), 3);
    EXPECT_EQ(Doc().Database().FormatTowerName(2), "Yatton - St Mary");
}

TEST_F(TowerDataUpdateGui, RefusedDownloadLeavesTheDatabaseAndTheListAsTheyWere) {
    Start(user.Path());
    Update(downloads.Write("dove.csv", Download()));
    const std::string before = ReadBytes(UserDatabase());
    OpenUsersLog({Record(2001, MakePackedDate(1, 2, 2003))});
    prompter.Clear();

    Update(downloads.Write("bad.csv", Download() + "9,9,Full-circle ring,\"Unclosed\n"));
    ASSERT_EQ(prompter.notices.size(), 1u);
    const Notice& refusal = prompter.notices.front();
    EXPECT_EQ(refusal.icon, NoticeIcon::Stop);
    EXPECT_NE(refusal.text.find("bad.csv, line 6"), std::string::npos) << refusal.text;
    EXPECT_NE(refusal.text.find("The tower database was not changed."), std::string::npos);
    EXPECT_EQ(refusal.helpContext, kCommandHelpBase + kCmdUpdateTowerData);
    EXPECT_EQ(ReadBytes(UserDatabase()), before);
    EXPECT_EQ(ListFolder(user.Path()), std::vector<std::string>{"DoveData.CB0"});
    EXPECT_EQ(Doc().Database().GetDatabaseCount(), 3);
    EXPECT_TRUE(Doc().IsLogOpen());
    EXPECT_EQ(Doc().Database().FormatTowerName(Doc().TowerOfEntry(0)), "Yatton - St Mary");

    // A cancelled file dialog does nothing at all.
    prompter.Clear();
    prompter.QueueFileName(std::nullopt);
    Frame().OnCommand(kCmdUpdateTowerData);
    EXPECT_TRUE(prompter.Silent());
    EXPECT_EQ(ReadBytes(UserDatabase()), before);
}

TEST_F(TowerDataUpdateGui, AProgramWithoutADatabaseGetsOne) {
    ASSERT_EQ(std::remove(program.File("DoveData.CB0").c_str()), 0);
    Start(user.Path());
    ASSERT_FALSE(Doc().IsDatabaseLoaded());
    Frame().UpdateCommandStates();
    EXPECT_FALSE(Frame().Action(kCmdFileOpen)->isEnabled());
    EXPECT_EQ(Frame().StatusPane()->text(), QStringLiteral("Dove Data File - Failed to Load"));
    prompter.Clear();

    Update(downloads.Write("dove.csv", Download()));
    EXPECT_TRUE(Doc().IsDatabaseLoaded());
    Frame().UpdateCommandStates();
    EXPECT_TRUE(Frame().Action(kCmdFileOpen)->isEnabled());
    EXPECT_NE(Frame().StatusPane()->text(), QStringLiteral("Dove Data File - Failed to Load"));
    EXPECT_EQ(Doc().GetListCount(), 3);
}

TEST_F(TowerDataUpdateGui, CancelInTheProgressDialogStopsBeforeAnythingIsWritten) {
    Start(user.Path());
    const std::string csv = downloads.Write("big.csv", Download(6000));
    prompter.QueueFileName(csv);
    bool shown = false;
    OnNextModalOf<QProgressDialog>([&shown](QProgressDialog* progress) {
        shown = progress->labelText() == QStringLiteral("Updating the tower data...");
        SaveScreenshot(*progress, QStringLiteral("tower-data-progress.png"));
        progress->cancel();
    });
    TowerDataUpdateRequest request{Doc(), prompter, UserDatabase(), downloads.Path(), 0, &Frame()};
    request.progressDelayMs = 0;
    EXPECT_FALSE(RunTowerDataUpdate(request));
    EXPECT_TRUE(shown);
    EXPECT_TRUE(prompter.Silent());
    EXPECT_FALSE(FileExists(UserDatabase()));
    EXPECT_TRUE(ListFolder(user.Path()).empty());
    EXPECT_EQ(Doc().Database().GetDatabaseCount(), 6);
}

TEST(UpdateTowersCommandLine, SwitchNeedsExactlyOneDownload) {
    using Kind = UpdateTowersCommand::Kind;
    EXPECT_EQ(ParseUpdateTowersCommand({}).kind, Kind::None);
    EXPECT_EQ(ParseUpdateTowersCommand({"LOG.CBL"}).kind, Kind::None);
    const UpdateTowersCommand ok = ParseUpdateTowersCommand({"--update-towers", "d.csv"});
    EXPECT_EQ(ok.kind, Kind::Update);
    EXPECT_EQ(ok.csvPath, QStringLiteral("d.csv"));
    for (const QStringList& bad :
         {QStringList{"--update-towers"}, QStringList{"--update-towers", "a.csv", "b.csv"},
          QStringList{"x", "--update-towers", "a.csv"}, QStringList{"--update-towers", "--pdf"}})
        EXPECT_EQ(ParseUpdateTowersCommand(bad).kind, Kind::Invalid) << bad.join(' ').toStdString();
}

TEST(UpdateTowersCommandLine, StatusesAndMessages) {
    TempDir downloads, user;
    const std::string database = user.File("DoveData.CB0");
    std::ostringstream out, err;
    const auto run = [&](const QStringList& arguments) {
        out.str({});
        err.str({});
        return RunUpdateTowersCommand(ParseUpdateTowersCommand(arguments), database, out, err);
    };
    const QString good = QString::fromStdString(downloads.Write("dove.csv", Download()));
    EXPECT_EQ(run({"--update-towers", good}), 0);
    EXPECT_EQ(out.str().rfind("3 towers written to " + database + " (4 rows read).\n", 0), 0u)
        << out.str();
    EXPECT_EQ(err.str(), "");
    const std::string written = ReadBytes(database);

    const QString bad = QString::fromStdString(downloads.Write("bad.csv", "Name,Town\nA,B\n"));
    EXPECT_EQ(run({"--update-towers", bad}), 1);
    EXPECT_EQ(out.str(), "");
    EXPECT_NE(err.str().find("chimeset: " + downloads.File("bad.csv") +
                             ", line 1: The first line lacks the columns"),
              std::string::npos)
        << err.str();
    EXPECT_NE(err.str().find("chimeset: The tower database was not changed.\n"), std::string::npos);
    EXPECT_EQ(ReadBytes(database), written);

    EXPECT_EQ(run({"--update-towers", QString::fromStdString(downloads.File("gone.csv"))}), 1);
    EXPECT_NE(err.str().find("Cannot read the file."), std::string::npos) << err.str();
    EXPECT_EQ(run({"--update-towers"}), 2);
    EXPECT_EQ(err.str(), std::string(kUpdateTowersUsage) + "\n");
    EXPECT_EQ(ReadBytes(database), written);
}

#ifndef _WIN32
// The program itself, as a script runs it: no display, the user's data folder from the
// environment, the status and the messages.
TEST(UpdateTowersCommandLine, ProgramRunsWithoutADisplay) {
    TempDir home, downloads;
    const std::string program = JoinPath(ProgramDir(), "chimeset");
    const std::string env = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME='" +
                            home.Path() + "' XDG_DATA_HOME='" + home.File("data") + "' ";
    const std::string good = downloads.Write("dove.csv", Download());
    const auto status = [&](const std::string& csv, const std::string& errFile) {
        const int raw = std::system(
            (env + "'" + program + "' --update-towers '" + csv + "' >/dev/null 2>'" + errFile + "'")
                .c_str());
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    };
    EXPECT_EQ(status(good, home.File("err1")), 0) << ReadBytes(home.File("err1"));
    const std::string database = home.File("data/Hollowmere/Chimeset/DoveData.CB0");
    ASSERT_TRUE(IsRegularFile(database));
    const std::string written = ReadBytes(database);

    const std::string bad = downloads.Write("empty.csv", "");
    EXPECT_EQ(status(bad, home.File("err2")), 1);
    EXPECT_NE(ReadBytes(home.File("err2")).find("empty.csv: The file is empty."), std::string::npos)
        << ReadBytes(home.File("err2"));
    EXPECT_EQ(ReadBytes(database), written);
}
#endif
