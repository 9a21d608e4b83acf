// Copies a user's log in from anywhere (import, converting a Version 1 log on the way) or
// out to a file of the user's choice (export).
#pragma once

#include <string>
#include <string_view>

#include "common/Prompter.h"
#include "users/DocumentsFolderProvider.h"
#include "users/IdTableLibrary.h"

namespace chimeset {

enum class TransferMode { Import, Export };

// Whether the line holds all 13 Version 2 field names, anywhere and in any order.
bool HasVersion2Header(std::string_view line);
// Whether the line is the Version 1 magic line, as a whole and in any letter case.
bool IsVersion1MagicLine(std::string_view line);
// The Version 2 record of a Version 1 record; a tower outside the library's table becomes an
// additional tower with only its place name (number 0), reported record by record.
std::string UpgradeVersion1Record(std::string_view line, IdTableLibrary& library,
                                  Prompter& prompter);

class LogTransfer {
  public:
    // The library is looked for in the program folder. The file dialog opens in the folder
    // of the log, or in the documents folder when that folder is not there.
    LogTransfer(Prompter& prompter, IdTableLibrary& library, std::string programFolder,
                const DocumentsFolderProvider& documents);

    // Import: from a file the user picks to the log path. Export: from the log path to a file
    // the user picks. The target is replaced only by a complete copy, so a failure leaves
    // whatever stood there before.
    bool TransferLog(const std::string& id, const std::string& logPath, TransferMode mode);

  private:
    Prompter& prompter_;
    IdTableLibrary& library_;
    std::string programFolder_;
    const DocumentsFolderProvider& documents_;
};

}  // namespace chimeset
