// The program from start-up to its end: the command line, the menu and its availability,
// the caption, the status bar, dropped files, help and the save question at the end.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QDoubleSpinBox>
#include <QDropEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <QTextBrowser>
#include <QUrl>
#include <memory>

#include "common/qt/HelpWindow.h"
#include "grabs/qt/CStatisticsDlg.h"
#include "grabs/qt/CTowersNearDlg.h"
#include "shell/CChimesetApp.h"
#include "shell/CMainFrame.h"
#include "tests/support/FakePrompter.h"
#include "tests/support/MemorySettings.h"
#include "tests/users/UsersFakes.h"
#include "tests/view/GuiSupport.h"
#include "view/CommandIds.h"
#include "view/FieldLabel.h"

using namespace chimeset;
using namespace chimeset::testing;

namespace {

const std::string kAshbyRecord = "Ashby\\St Mary\\Leics\\SK359167\\52.74\\-1.47\\8\\1456\\1001\\" +
                                 std::to_string(MakePackedDate(3, 4, 2005)) + "\\0\\0\\";

class App : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteTestDatabase(dir);
        helpFolder = QString::fromStdString(dir.File("help"));
    }

    void TearDown() override { app.reset(); }

    bool Start(const QStringList& arguments = {}) {
        app = std::make_unique<CChimesetApp>(
            AppServices{dir.Path(), helpFolder, prompter, settings, documents, idTable, [] {
                            return LocalDate{2026, 12, 7};
                        }});
        return app->InitInstance(arguments);
    }

    void RegisterUser(const std::string& id, const std::string& name) {
        settings.WriteString("Users", "RegisterOfNames", id);
        settings.WriteString("Users", "DataFolder", dir.Path());
        settings.WriteString("Users", id, name);
    }

    void WriteHelp() {
        QDir().mkpath(helpFolder);
        dir.Write("help/topics.map",
                  "; test topics\ndefault index.html\n0x20080 main.html\n0x1E101 "
                  "open.html\n0x1E102 close.html\n");
        for (const char* page : {"index.html", "main.html", "open.html", "close.html"})
            dir.Write(std::string("help/") + page, "<p>x</p>");
    }

    CMainFrame& Frame() { return *app->MainFrame(); }
    bool Enabled(int command) { return Frame().Action(command)->isEnabled(); }
    QString ShownTopic() {
        if (!app->Help() || !app->Help()->isVisible()) return {};
        return app->Help()->Browser()->source().fileName();
    }

    std::vector<int> EnabledOf(std::initializer_list<int> commands) {
        Frame().UpdateCommandStates();
        std::vector<int> enabled;
        for (const int command : commands)
            if (Enabled(command)) enabled.push_back(command);
        return enabled;
    }

    TempDir dir;
    QString helpFolder;
    FakePrompter prompter;
    MemorySettings settings;
    FixedDocumentsFolder documents;
    FakeIdTable idTable;
    std::unique_ptr<CChimesetApp> app;
};

// The commands whose availability follows the document's state.
const std::initializer_list<int> kDocumentCommands = {
    kCmdFileOpen,          kCmdFileSave,           kCmdFileClose,       kCmdManageUsers,
    kCmdBackupInformation, kCmdAddAdditionalTower, kCmdTenorInKilograms};

}  // namespace

TEST_F(App, StartsWithoutALogAndShowsTheWindow) {
    ASSERT_TRUE(Start());
    EXPECT_TRUE(Frame().isVisible());
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("Untitled - Clangbook Log"));
    EXPECT_EQ(Frame().MessagePane()->text(), QStringLiteral("For Help, press F1"));
    EXPECT_EQ(Frame().StatusPane()->text(), QStringLiteral("Dove Id= 1001"));
    EXPECT_EQ(EnabledOf(kDocumentCommands),
              (std::vector<int>{kCmdFileOpen, kCmdManageUsers, kCmdTenorInKilograms}));
    // Printing needs a log; Ctrl+N does nothing.
    EXPECT_FALSE(Enabled(kCmdFilePrint));
    EXPECT_FALSE(Enabled(kCmdFilePrintPreview));
    EXPECT_FALSE(Enabled(kCmdCopyToClipboard));
    EXPECT_FALSE(Enabled(kCmdFileNew));
    EXPECT_TRUE(Enabled(kCmdHelpTopics));
    EXPECT_TRUE(Enabled(kCmdAppAbout));
    EXPECT_TRUE(Enabled(kCmdAppExit));
    EXPECT_TRUE(prompter.Silent());
}

TEST_F(App, MenuItemsCarryTheirPromptsAndAccelerators) {
    ASSERT_TRUE(Start());
    const struct {
        int command;
        const char* text;
        const char* prompt;
        QKeySequence keys;
    } items[] = {
        {kCmdFileOpen, "&Open Visit Logfile...\tCtrl+O", "Open an existing document",
         QKeySequence(Qt::CTRL | Qt::Key_O)},
        {kCmdFileSave, "&Save Changes\tCtrl+S", "Save the active Visit Log",
         QKeySequence(Qt::CTRL | Qt::Key_S)},
        {kCmdFilePrint, "&Print...\tCtrl+P", "Print the active document",
         QKeySequence(Qt::CTRL | Qt::Key_P)},
        {kCmdFind, "&Find...\tAlt+F3", "Find the First Occurrence",
         QKeySequence(Qt::ALT | Qt::Key_F3)},
        {kCmdFindNext, "&Find Next\tF3", "Find the Next Occurrence if any",
         QKeySequence(Qt::Key_F3)},
        {kCmdCheckForUpdate,
         "Chec&k for Database Update",
         "Check to see if an update for Dove database update",
         {}},
        {kCmdAppExit, "E&xit", "Quit the application; prompts to save documents", {}},
        {kCmdHelp, "", "", QKeySequence(Qt::Key_F1)},
        {kCmdContextHelp, "", "", QKeySequence(Qt::SHIFT | Qt::Key_F1)},
        {kCmdFileNew, "", "", QKeySequence(Qt::CTRL | Qt::Key_N)},
    };
    for (const auto& item : items) {
        QAction* action = Frame().Action(item.command);
        ASSERT_NE(action, nullptr) << item.command;
        EXPECT_EQ(action->text(), QString::fromLatin1(item.text)) << item.command;
        EXPECT_EQ(action->statusTip(), QString::fromLatin1(item.prompt)) << item.command;
        EXPECT_EQ(action->shortcut(), item.keys) << item.command;
    }
    QStringList menus;
    for (QAction* menu : Frame().menuBar()->actions()) menus << menu->text();
    EXPECT_EQ(menus, (QStringList{"&File", "&Actions", "&Help"}));
}

TEST_F(App, CommandLineLogOpensReadOnly) {
    const std::string path = dir.WriteLines("RINGER1.CBL", {kLogHeader, kAshbyRecord});
    ASSERT_TRUE(Start({QString::fromStdString(path)}));
    CChimesetDoc& doc = *app->Document();
    EXPECT_TRUE(doc.IsLogOpen());
    EXPECT_TRUE(doc.IsReadOnly());
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("RINGER1.CBL - Clangbook Log"));
    EXPECT_EQ(EnabledOf(kDocumentCommands),
              (std::vector<int>{kCmdFileOpen, kCmdFileClose, kCmdBackupInformation,
                                kCmdTenorInKilograms}));
    EXPECT_EQ(Frame().findChild<FieldLabel*>(QStringLiteral("userNameField"))->text(),
              QStringLiteral("RINGER1.CBL"));

    // Close: back to no log, the caption of a new document.
    Frame().OnCommand(kCmdFileClose);
    EXPECT_FALSE(doc.IsLogOpen());
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("Untitled - Clangbook Log"));
}

TEST_F(App, RejectedCommandLineLogEndsTheProgram) {
    const std::string path = dir.WriteLines("NOTALOG.CBL", {"Name,Town,County", "x,y,z"});
    EXPECT_FALSE(Start({QString::fromStdString(path)}));
    EXPECT_EQ(prompter.Ids(), std::vector<unsigned>{0x8005});
    EXPECT_FALSE(Frame().isVisible());

    prompter.Clear();
    EXPECT_FALSE(Start({QString::fromStdString(dir.File("MISSING.CBL"))}));
    EXPECT_EQ(prompter.fileErrors.size(), 1u);
}

TEST_F(App, WithoutADatabaseOnlyTheUsersCanBeManaged) {
    TempDir empty;
    app = std::make_unique<CChimesetApp>(
        AppServices{empty.Path(), helpFolder, prompter, settings, documents, idTable, [] {
                        return LocalDate{2026, 12, 7};
                    }});
    ASSERT_TRUE(app->InitInstance({}));
    EXPECT_FALSE(app->Document()->IsDatabaseLoaded());
    EXPECT_EQ(EnabledOf(kDocumentCommands),
              (std::vector<int>{kCmdManageUsers, kCmdTenorInKilograms}));
    EXPECT_EQ(Frame().StatusPane()->text(), QStringLiteral("Dove Data File - Failed to Load"));
}

TEST_F(App, FileOpenEditsTheUsersLogAndExitAsksToSave) {
    RegisterUser("RINGER1", "Ringer One");
    dir.WriteLines("RINGER1.CBL", {kLogHeader});
    ASSERT_TRUE(Start());
    Frame().OnCommand(kCmdFileOpen);  // one user: no dialog
    CChimesetDoc& doc = *app->Document();
    ASSERT_TRUE(doc.IsLogOpen());
    EXPECT_FALSE(doc.IsReadOnly());
    EXPECT_TRUE(app->PendingUserId.empty());
    EXPECT_EQ(Frame().findChild<FieldLabel*>(QStringLiteral("userNameField"))->text(),
              QStringLiteral("Ringer One"));
    EXPECT_EQ(EnabledOf(kDocumentCommands),
              (std::vector<int>{kCmdFileOpen, kCmdFileClose, kCmdBackupInformation,
                                kCmdAddAdditionalTower, kCmdTenorInKilograms}));

    // A change makes Save available; closing the window asks first.
    doc.SelectListItem(0);
    doc.UpdateVisitDate(MakePackedDate(1, 1, 2020));
    EXPECT_TRUE(EnabledOf({kCmdFileSave}).size() == 1);
    prompter.QueueSaveChangesAnswer(Answer::Cancel);
    EXPECT_FALSE(Frame().close());
    EXPECT_TRUE(Frame().isVisible());
    prompter.QueueSaveChangesAnswer(Answer::Yes);
    EXPECT_TRUE(Frame().close());
    EXPECT_EQ(prompter.saveQuestions.size(), 2u);
    EXPECT_NE(ReadBytes(dir.File("RINGER1.CBL")).find(std::to_string(MakePackedDate(1, 1, 2020))),
              std::string::npos);

    // Manage Users is refused while a log is open, however it is asked for.
    prompter.Clear();
    Frame().OnCommand(kCmdManageUsers);
    EXPECT_TRUE(prompter.Silent());
}

TEST_F(App, AltAClicksAllDoveAsTheFormsOwnMnemonic) {
    RegisterUser("RINGER1", "Ringer One");
    dir.WriteLines("RINGER1.CBL", {kLogHeader, kAshbyRecord});
    ASSERT_TRUE(Start());
    Frame().OnCommand(kCmdFileOpen);
    QApplication::setActiveWindow(&Frame());
    QWidget* list = Frame().findChild<QWidget*>(QStringLiteral("towerEdit"));
    list->setFocus();
    QTest::keyClick(list, Qt::Key_M, Qt::AltModifier);
    EXPECT_EQ(app->Document()->GetFilter(), kFilterVisited);
    QTest::keyClick(list, Qt::Key_A, Qt::AltModifier);
    EXPECT_EQ(app->Document()->GetFilter(), kFilterAllTowers);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

TEST_F(App, DroppedFilesOpenReadOnly) {
    RegisterUser("RINGER1", "Ringer One");
    const std::string path = dir.WriteLines("RINGER1.CBL", {kLogHeader, kAshbyRecord});
    ASSERT_TRUE(Start());
    Frame().OnCommand(kCmdFileOpen);
    ASSERT_FALSE(app->Document()->IsReadOnly());

    // A drop arrives after the window accepted the drag's entry.
    const auto dropFile = [this](const std::string& file) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString(file))});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(&Frame(), &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&Frame(), &drop);
    };
    dropFile(path);
    // The same file, already open for editing, stays as it is; another file opens read-only.
    EXPECT_FALSE(app->Document()->IsReadOnly());
    dropFile(dir.WriteLines("OTHER.CBL", {kLogHeader, kAshbyRecord}));
    EXPECT_TRUE(app->Document()->IsReadOnly());
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("OTHER.CBL - Clangbook Log"));
    EXPECT_FALSE(Enabled(kCmdAddAdditionalTower));
    EXPECT_FALSE(Enabled(kCmdManageUsers));
}

TEST_F(App, HelpOpensTheTopicOfEachContext) {
    WriteHelp();
    ASSERT_TRUE(Start());
    QApplication::setActiveWindow(&Frame());
    QTest::keyClick(&Frame(), Qt::Key_F1);
    EXPECT_EQ(ShownTopic(), QStringLiteral("main.html"));
    app->Help()->close();

    Frame().OnCommand(kCmdHelpTopics);
    EXPECT_EQ(ShownTopic(), QStringLiteral("index.html"));
    app->Help()->close();

    // Context help: the next menu command asks for its topic instead of running.
    Frame().OnCommand(kCmdContextHelp);
    EXPECT_TRUE(Frame().InContextHelp());
    EXPECT_EQ(Frame().statusBar()->currentMessage(),
              QStringLiteral("Select an object on which to get Help"));
    EXPECT_TRUE(Enabled(kCmdFileClose));  // every item can be asked about
    Frame().OnCommand(kCmdFileClose);
    EXPECT_FALSE(Frame().InContextHelp());
    EXPECT_EQ(ShownTopic(), QStringLiteral("close.html"));
    EXPECT_FALSE(Enabled(kCmdFileClose));
    app->Help()->close();

    // ...and a click in the window asks for the window's topic.
    Frame().OnCommand(kCmdContextHelp);
    QTest::mouseClick(Frame().findChild<QWidget*>(QStringLiteral("commentField")), Qt::LeftButton);
    EXPECT_FALSE(Frame().InContextHelp());
    EXPECT_EQ(ShownTopic(), QStringLiteral("main.html"));
    app->Help()->close();

    // F1 on a highlighted menu item.
    QMenu* file = Frame().menuBar()->actions().first()->menu();
    file->popup(QPoint(0, 0));
    file->setActiveAction(Frame().Action(kCmdFileOpen));
    QTest::keyClick(file, Qt::Key_F1);
    EXPECT_EQ(ShownTopic(), QStringLiteral("open.html"));
    EXPECT_FALSE(file->isVisible());

    // Help open beside the window does not keep the program alive after Exit.
    Frame().OnCommand(kCmdAppExit);
    EXPECT_FALSE(Frame().isVisible());
    EXPECT_FALSE(app->Help()->isVisible());
}

TEST_F(App, MissingHelpStaysSilentForTheWholeRun) {
    ASSERT_TRUE(Start());
    app->WinHelp(0x20080, CChimesetApp::kHelpContext);
    EXPECT_EQ(app->Help(), nullptr);
    // Help installed later is not picked up until the program starts again.
    WriteHelp();
    app->WinHelp(0x20080, CChimesetApp::kHelpContext);
    Frame().OnCommand(kCmdHelpTopics);
    EXPECT_EQ(app->Help(), nullptr);
    EXPECT_TRUE(prompter.Silent());
}

TEST_F(App, AboutCreditsOnlyTheSourceThatTheTowerDatabaseNames) {
    const auto aboutTexts = [this](QString& version, QString& credits) {
        OnNextModal(QStringLiteral("aboutDialog"), [&](QWidget* dialog) {
            EXPECT_EQ(dialog->windowTitle(), QStringLiteral("About Chimeset"));
            version = dialog->findChild<QLabel*>(QStringLiteral("versionLabel"))->text();
            credits = dialog->findChild<QLabel*>(QStringLiteral("creditsLabel"))->text();
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("okButton")),
                              Qt::LeftButton);
        });
        Frame().OnCommand(kCmdAppAbout);
    };
    const std::string ashby = "Ashby\\St Mary\\Leics\\SK359167\\52.74\\-1.47\\8\\1456\\1001";

    // A database converted from a Dove's Guide download carries its credit.
    dir.WriteLines("DoveData.CB0",
                   {kDoveHeader,
                    "; Tower data from Dove's Guide for Church Bell Ringers, (c) the Central "
                    "Council of Church Bell Ringers, licensed CC BY-SA 4.0 "
                    "(https://dove.cccbr.org.uk)",
                    ashby});
    ASSERT_TRUE(Start());
    QString version;
    QString credits;
    aboutTexts(version, credits);
    EXPECT_TRUE(version.contains(QStringLiteral("2.05")));
    EXPECT_TRUE(credits.contains(QStringLiteral(
        "Tower data from Dove's Guide for Church Bell Ringers, (c) the Central Council of "
        "Church Bell Ringers, licensed CC BY-SA 4.0")))
        << credits.toStdString();
    EXPECT_FALSE(credits.contains(QStringLiteral("http")));

    // The invented sample claims no such source.
    app.reset();
    dir.WriteLines("DoveData.CB0", {kDoveHeader,
                                    "; Invented sample data: these towers, places and numbers "
                                    "do not exist.",
                                    ashby});
    ASSERT_TRUE(Start());
    aboutTexts(version, credits);
    EXPECT_TRUE(credits.contains(QStringLiteral("Invented sample data")));
    EXPECT_FALSE(credits.contains(QStringLiteral("Central Council")));

    // Nor does a database that names nothing.
    app.reset();
    dir.WriteLines("DoveData.CB0", {kDoveHeader, ashby});
    ASSERT_TRUE(Start());
    aboutTexts(version, credits);
    EXPECT_TRUE(credits.contains(QStringLiteral("does not name its source")));
    EXPECT_FALSE(credits.contains(QStringLiteral("Dove's Guide")));
}

TEST_F(App, StatisticsNeedALogAndTowersNearShowsTheChosenTower) {
    ASSERT_TRUE(Start());
    EXPECT_EQ(EnabledOf({kCmdStatistics, kCmdTowersNear}), (std::vector<int>{kCmdTowersNear}));
    app.reset();
    const std::string path = dir.WriteLines("RINGER1.CBL", {kLogHeader, kAshbyRecord});
    ASSERT_TRUE(Start({QString::fromStdString(path)}));
    EXPECT_EQ(EnabledOf({kCmdStatistics, kCmdTowersNear}),
              (std::vector<int>{kCmdStatistics, kCmdTowersNear}));
    CChimesetDoc& doc = *app->Document();
    ASSERT_EQ(doc.CurrentTower(), 0);  // Ashby

    int visited = -1;
    OnNextModal(QStringLiteral("statisticsDialog"), [&visited](QWidget* dialog) {
        visited = static_cast<CStatisticsDlg*>(dialog)->Statistics().totals.visited;
        static_cast<QDialog*>(dialog)->reject();
    });
    Frame().OnCommand(kCmdStatistics);
    EXPECT_EQ(visited, 1);

    // Ashwell is about 74 miles from Ashby, Cambridge 77: a double-click on Cambridge shows it.
    OnNextModal(QStringLiteral("towersNearDialog"), [](QWidget* widget) {
        auto* dialog = static_cast<CTowersNearDlg*>(widget);
        dialog->findChild<QDoubleSpinBox*>(QStringLiteral("radiusSpin"))->setValue(80);
        ASSERT_EQ(dialog->List()->model()->rowCount(), 2);
        EXPECT_EQ(dialog->List()->model()->index(1, 1).data().toString(),
                  QStringLiteral("Cambridge - Great St Mary"));
        dialog->OnActivated(1);
        dialog->reject();
    });
    Frame().OnCommand(kCmdTowersNear);
    EXPECT_EQ(doc.CurrentTower(), 4);
    EXPECT_EQ(Frame().StatusPane()->text(), QStringLiteral("Dove Id= 1005"));
}
