// Updating the tower database from the command line, for scripts:
// "chimeset --update-towers DOWNLOAD.csv". No window, no display needed.
#pragma once

#include <QString>
#include <QStringList>
#include <ostream>
#include <string>

namespace chimeset {

struct UpdateTowersCommand {
    enum class Kind { None, Update, Invalid };
    Kind kind = Kind::None;
    QString csvPath;
};

// Looks for the switch among the arguments (the program's own name excluded).
UpdateTowersCommand ParseUpdateTowersCommand(const QStringList& arguments);
bool HasUpdateTowersSwitch(int argc, char** argv);

inline constexpr const char* kUpdateTowersUsage = "Usage: chimeset --update-towers DOWNLOAD.csv";

// Replaces the database at databasePath (native) with the converted download; the summary
// goes to out, what went wrong to err. Returns the exit code: 0 when the database was
// replaced, 1 when it was not, 2 for a command line it cannot read.
int RunUpdateTowersCommand(const UpdateTowersCommand& command, const std::string& databasePath,
                           std::ostream& out, std::ostream& err);

}  // namespace chimeset
