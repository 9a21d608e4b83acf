// Printing from the command line, without a window: "--print LOG" to the default printer,
// "--pdf OUT.pdf LOG" into a PDF file. The log opens read-only.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <ostream>
#include <string>

#include "visits/PackedDate.h"

namespace chimeset {

class CChimesetDoc;
class SettingsStore;

struct PrintCommand {
    enum class Kind { None, Print, Pdf, Invalid };
    Kind kind = Kind::None;
    QString logPath;
    QString pdfPath;
};

// Looks for the switches among the arguments (the program's own name excluded).
PrintCommand ParsePrintCommand(const QStringList& arguments);
bool HasPrintSwitch(int argc, char** argv);

inline constexpr const char* kPrintUsage =
    "Usage: chimeset --print LOG\n       chimeset --pdf OUT.pdf LOG";

// Carries the command out with the program's clock; messages go to err. Returns the process's exit
// code: 0 when the pages were printed, 1 when anything failed, 2 for a command line it cannot read.
int RunPrintCommand(const PrintCommand& command, const std::string& programFolder,
                    SettingsStore& settings, std::function<LocalDate()> today,
                    const std::function<std::string(const CChimesetDoc&)>& pageHeader,
                    std::ostream& err);

}  // namespace chimeset
