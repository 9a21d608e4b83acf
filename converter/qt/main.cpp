// Chimemove: converts the registered users' Version 1 logs, here or for another computer.
#include <QApplication>

#include "common/TextFile.h"
#include "common/qt/Codec.h"
#include "common/qt/DataFolders.h"
#include "common/qt/HelpWindow.h"
#include "common/qt/Platform.h"
#include "common/qt/QtPrompter.h"
#include "common/qt/QtSettingsStore.h"
#include "converter/qt/CChimemoveDlg.h"
#include "converter/qt/ChimemoveIcon.h"

int main(int argc, char** argv) {
    using namespace chimeset;
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Hollowmere"));
    QApplication::setApplicationName(QStringLiteral("Chimemove"));
    QApplication::setWindowIcon(ChimemoveIcon());

    // The main program's settings, not settings of our own: the register of users and
    // the data folder live there.
    QtSettingsStore settings(QStringLiteral("Hollowmere"), QStringLiteral("Chimeset"));
    // CrossRef.txt, Chimeset.CB1 and the help lie beside the program in a build tree, in the
    // shared data folder when installed; the converter reads no tower database.
    const DataPaths paths = ProgramDataPaths({});
    const std::string programFolder = paths.dataFolder;

    HelpWindow help(FromNativePath(paths.HelpFolder("chimemove")),
                    QStringLiteral("Clangbook Log Converter Help"));
    const auto showHelp = [&help](std::uint32_t context) { help.ShowContext(context); };
    QtPrompter prompter(QStringLiteral("Chimemove"), nullptr, showHelp);

    CChimemoveDlg dialog(settings, prompter, programFolder, &DocumentsFolder, LoggedOnUserName(),
                         showHelp);
    prompter.SetParent(&dialog);
    // Shown without a modal loop of its own, so that the help window stays usable beside it;
    // closing the dialog ends the program.
    QObject::connect(&dialog, &QDialog::finished, &app, &QApplication::quit);
    dialog.show();
    return app.exec();
}
