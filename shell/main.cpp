// chimeset: the change ringer's log of tower visits, quarter peals and peals.
#include <QApplication>
#include <QDate>
#include <iostream>

#include "common/qt/Codec.h"
#include "common/qt/DataFolders.h"
#include "common/qt/FontConfigWarmUp.h"
#include "common/qt/Platform.h"
#include "common/qt/QtPrompter.h"
#include "common/qt/QtSettingsStore.h"
#include "common/qt/QuitAfterFirstPaint.h"
#include "dove/qt/UpdateTowersCommandLine.h"
#include "grabs/qt/GrabsCommandLine.h"
#include "map/qt/MapCommandLine.h"
#include "output/qt/PrintCommandLine.h"
#include "shell/CChimesetApp.h"
#include "shell/CMainFrame.h"
#include "users/qt/QtDocumentsFolder.h"
#include "users/qt/QtIdTableLibrary.h"
#include "view/BuiltInImages.h"
#include "view/ProgramStyle.h"
#include "visits/BrowserRules.h"

int main(int argc, char* argv[]) {
    // Statistics, GPX and --help answer on the terminal before any window exists.
    if (chimeset::IsGrabsCommandLine(argc, argv)) return chimeset::RunGrabsCommandLine(argc, argv);
    // Printing, map posters and the tower update from the command line show no window, so
    // they need no display either.
    if ((chimeset::HasPrintSwitch(argc, argv) || chimeset::HasMapSwitch(argc, argv) ||
         chimeset::HasUpdateTowersSwitch(argc, argv)) &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    // Begun once Qt has loaded its plugins, which it slows, to run beside the reading of the
    // tower database and the log.
    chimeset::FontConfigWarmUp fontConfig;
    QApplication::setOrganizationName(QStringLiteral("Hollowmere"));
    QApplication::setApplicationName(QStringLiteral("Chimeset"));
    QApplication::setApplicationVersion(QStringLiteral("2.05"));
    // Window sizes only: the desktop's launchers take the larger icons from the installed
    // icon theme.
    QApplication::setWindowIcon(chimeset::ProgramIcon());
    QApplication::setStyle(new chimeset::ProgramStyle(QApplication::style()));

    chimeset::QtSettingsStore settings(QStringLiteral("Hollowmere"), QStringLiteral("Chimeset"));
    chimeset::QtPrompter prompter(QStringLiteral("Chimeset"));
    chimeset::QtDocumentsFolder documents;
    chimeset::QtIdTableLibrary idTable;
    const chimeset::DataPaths paths = chimeset::ProgramDataPaths(chimeset::UserDataFolder());
    const QString helpFolder = chimeset::FromNativePath(paths.HelpFolder("chimeset"));
    // The one clock of the program, for the window and the command-line print alike.
    const chimeset::CChimesetDoc::Clock today = [] {
        const QDate date = QDate::currentDate();
        return chimeset::LocalDate{date.year(), date.month(), date.day()};
    };
    chimeset::CChimesetApp app({chimeset::ProgramFolder(), helpFolder, prompter, settings,
                                documents, idTable, today, paths.userFolder,
                                chimeset::DownloadsFolder(), [&fontConfig] { fontConfig.Wait(); }});
    prompter.SetHelp(app.HelpFunction());

    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    if (const chimeset::MapCommand map = chimeset::ParseMapCommand(arguments);
        map.kind != chimeset::MapCommand::Kind::None)
        return chimeset::RunMapCommand(map, paths.DatabaseFolder(), settings, today, std::cerr);
    if (const chimeset::PrintCommand print = chimeset::ParsePrintCommand(arguments);
        print.kind != chimeset::PrintCommand::Kind::None)
        return chimeset::RunPrintCommand(print, paths.DatabaseFolder(), settings, today,
                                         chimeset::PageHeaderFor, std::cerr);
    if (const auto update = chimeset::ParseUpdateTowersCommand(arguments);
        update.kind != chimeset::UpdateTowersCommand::Kind::None)
        return chimeset::RunUpdateTowersCommand(update, paths.userDatabase, std::cout, std::cerr);
    if (!app.InitInstance(arguments)) return 1;
    prompter.SetParent(app.MainFrame());
    // For timing the start-up: the program ends once its window has been painted for the first
    // time, as the bare window it is timed against does.
    chimeset::QuitAfterFirstPaint quitWhenShown;
    if (qEnvironmentVariableIsSet("CHIMESET_QUIT_WHEN_SHOWN"))
        application.installEventFilter(&quitWhenShown);
    return QApplication::exec();
}
