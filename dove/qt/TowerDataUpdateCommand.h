// File / Update Tower Data from Dove's Guide Download...: the user picks a download, which
// replaces the user's tower database and is loaded at once under the open log.
#pragma once

#include <cstdint>
#include <string>

#include "common/Prompter.h"

class QWidget;

namespace chimeset {

class CChimesetDoc;

struct TowerDataUpdateRequest {
    CChimesetDoc& doc;
    Prompter& prompter;
    std::string databasePath;       // the user's DoveData.CB0, native
    std::string downloadsFolder;    // where the file dialog starts, native
    std::uint32_t helpContext = 0;  // of the messages that tell of a failure
    QWidget* parent = nullptr;      // of the progress dialog
    // The progress dialog shows only when the work takes longer than this.
    int progressDelayMs = 400;
};

// True when the database was replaced. Every outcome is told through the prompter.
bool RunTowerDataUpdate(const TowerDataUpdateRequest& request);

}  // namespace chimeset
