#include "output/qt/PrintCommandLine.h"

#include <QPrinter>
#include <cstring>
#include <utility>

#include "common/CodePage.h"
#include "common/Prompter.h"
#include "common/StreamPrompter.h"
#include "common/qt/Codec.h"
#include "output/qt/PrintController.h"
#include "visits/CChimesetDoc.h"

namespace chimeset {

PrintCommand ParsePrintCommand(const QStringList& arguments) {
    PrintCommand command;
    const auto print = arguments.indexOf(QStringLiteral("--print"));
    const auto pdf = arguments.indexOf(QStringLiteral("--pdf"));
    if (print < 0 && pdf < 0) return command;
    command.kind = PrintCommand::Kind::Invalid;
    if (print >= 0 && pdf < 0 && arguments.size() == 2 && print == 0) {
        command.kind = PrintCommand::Kind::Print;
        command.logPath = arguments.at(1);
    } else if (pdf == 0 && print < 0 && arguments.size() == 3) {
        command.kind = PrintCommand::Kind::Pdf;
        command.pdfPath = arguments.at(1);
        command.logPath = arguments.at(2);
    }
    if (command.logPath.startsWith(QLatin1String("--")) ||
        command.pdfPath.startsWith(QLatin1String("--")))
        command.kind = PrintCommand::Kind::Invalid;
    return command;
}

bool HasPrintSwitch(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--print") == 0 || std::strcmp(argv[i], "--pdf") == 0) return true;
    return false;
}

int RunPrintCommand(const PrintCommand& command, const std::string& programFolder,
                    SettingsStore& settings, std::function<LocalDate()> today,
                    const std::function<std::string(const CChimesetDoc&)>& pageHeader,
                    std::ostream& err) {
    if (command.kind == PrintCommand::Kind::None || command.kind == PrintCommand::Kind::Invalid) {
        err << kPrintUsage << '\n';
        return 2;
    }
    StreamPrompter prompter(err);
    if (command.kind == PrintCommand::Kind::Print && !PrintController::IsPrinterInstalled()) {
        err << "chimeset: no printer is installed; \"--pdf OUT.pdf LOG\" writes the pages to a "
               "PDF file instead.\n";
        return 1;
    }
    CChimesetDoc doc(programFolder, prompter, settings, std::move(today));
    if (!doc.IsDatabaseLoaded()) {
        err << "chimeset: the tower database " << programFolder
            << "/DoveData.CB0 could not be loaded.\n";
        return 1;
    }
    // An empty user ID opens the log read-only, as a log named on the command line always is.
    std::string noUser;
    if (!doc.OpenLog(ToNativePath(command.logPath), noUser)) {
        err << "chimeset: " << command.logPath.toStdString()
            << " could not be opened as a visit log.\n";
        return 1;
    }
    // As the view shows a log it has just opened; printing then turns to My Visits.
    doc.SetFilter(kFilterAllTowers);
    doc.SetOrder(kOrderAlphabetical);

    PrintController printing(doc, prompter, settings, PrintHost{});
    printing.LoadSettings();
    printing.SetPageHeader(pageHeader ? pageHeader(doc) : std::string());
    if (!printing.Prepare()) return 1;
    bool printed = false;
    if (command.kind == PrintCommand::Kind::Pdf) {
        printed = printing.PrintToPdf(command.pdfPath);
    } else {
        QPrinter& printer = printing.ApplicationPrinter();
        printer.setPrintRange(QPrinter::AllPages);
        printed = printing.RenderJob(printer);
    }
    return printed ? 0 : 1;
}

}  // namespace chimeset
