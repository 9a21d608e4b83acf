// Bringing a Dove's Guide download into the user's tower database: converted by the rules
// of chimedove, written in one atomic step, loaded at once.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "dove/DoveImport.h"
#include "towerdata/TowerDatabase.h"
#include "visits/CChimesetDoc.h"

namespace chimeset {

// The stages of an update, for a progress bar.
enum class UpdateStage { kReading, kConverting, kWriting, kLoading };

// Told how far the update has come (done of total within the stage); returning false stops
// it, which it can only be until the writing begins.
using UpdateProgress = std::function<bool(UpdateStage stage, std::size_t done, std::size_t total)>;

struct TowerDataUpdate {
    bool ok = false;
    bool stopped = false;  // the progress callback stopped it: nothing to tell the user
    DoveImportSummary summary;
    DoveImportError error;   // what went wrong, when not ok
    TowerDatabase database;  // the new database, loaded, when ok
};

// Converts the download at csvPath and replaces databasePath with the result, making its
// folder when missing. When anything fails, the file at databasePath is as it was and no
// other file is left behind.
TowerDataUpdate UpdateTowerDatabase(const std::string& csvPath, const std::string& databasePath,
                                    const UpdateProgress& progress = {});

// "The tower database was not changed." after what went wrong.
std::string DescribeUpdateFailure(const TowerDataUpdate& update);

// The summary for the user: the conversion's summary, and, when a log is open, where its
// visits now stand.
std::vector<std::string> DescribeUpdate(const TowerDataUpdate& update,
                                        const std::string& databasePath,
                                        const CChimesetDoc::DatabaseReplacement* log);

}  // namespace chimeset
