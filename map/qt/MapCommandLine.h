// The poster from the command line, without a window:
// "--map OUT.png|OUT.svg|OUT.pdf [--size 2000x3000] LOG". The log opens read-only; without a
// LOG the map shows the database alone. For a PDF, --size names the paper (A4 to A0, Letter).
#pragma once

#include <QPageSize>
#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>
#include <ostream>
#include <string>

#include "visits/PackedDate.h"

namespace chimeset {

class SettingsStore;

struct MapCommand {
    enum class Kind { None, Map, Invalid };
    Kind kind = Kind::None;
    QString outPath;
    QString logPath;
    QSize pixels{2000, 3000};
    QPageSize paper{QPageSize::A2};
    QString problem;  // why the command line is invalid
};

MapCommand ParseMapCommand(const QStringList& arguments);
bool HasMapSwitch(int argc, char** argv);

inline constexpr const char* kMapUsage =
    "Usage: chimeset --map OUT.png|OUT.svg|OUT.pdf [--size WIDTHxHEIGHT|A4|A3|A2|A1|A0|Letter] "
    "[LOG]";

// Writes the poster; messages go to err. Exit code 0 when written, 1 when anything failed, 2
// for a command line it cannot read.
int RunMapCommand(const MapCommand& command, const std::string& programFolder,
                  SettingsStore& settings, std::function<LocalDate()> today, std::ostream& err);

}  // namespace chimeset
