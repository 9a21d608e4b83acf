#include "grabs/qt/GrabsCommandLine.h"

#include <QCoreApplication>
#include <QDate>
#include <iostream>
#include <string>
#include <vector>

#include "common/qt/Codec.h"
#include "common/qt/DataFolders.h"
#include "common/qt/Platform.h"
#include "common/qt/QtSettingsStore.h"
#include "grabs/GrabsCommand.h"

namespace chimeset {

bool IsGrabsCommandLine(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    return ParseGrabsCommand(arguments).kind != GrabsCommand::Kind::None;
}

int RunGrabsCommandLine(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Hollowmere"));
    QCoreApplication::setApplicationName(QStringLiteral("Chimeset"));
    // The arguments as the platform gives them in Unicode, turned into native paths.
    std::vector<std::string> arguments;
    const QStringList all = QCoreApplication::arguments();
    for (qsizetype i = 1; i < all.size(); ++i) arguments.push_back(ToNativePath(all.at(i)));
    const QtSettingsStore settings(QStringLiteral("Hollowmere"), QStringLiteral("Chimeset"));
    const auto today = [] {
        const QDate date = QDate::currentDate();
        return LocalDate{date.year(), date.month(), date.day()};
    };
    return RunGrabsCommand(ParseGrabsCommand(arguments),
                           ProgramDataPaths(UserDataFolder()).DatabaseFolder(), settings, today,
                           std::cout, std::cerr);
}

}  // namespace chimeset
