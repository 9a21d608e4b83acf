// Command identifiers of the main menu and accelerators, and the resources that share the
// numbering. Help for a command is topic 0x10000 + its identifier.
#pragma once

#include <cstdint>

namespace chimeset {

enum CommandId : int {
    kCmdFileNew = 57600,  // Ctrl+N: has no handler, so it does nothing
    kCmdFileOpen = 57601,
    kCmdFileClose = 57602,
    kCmdFileSave = 57603,
    kCmdFilePrint = 57607,
    kCmdFilePrintPreview = 57609,
    kCmdAppAbout = 57664,
    kCmdAppExit = 57665,
    kCmdHelpTopics = 57667,
    kCmdContextHelp = 57669,
    kCmdHelp = 57670,
    kCmdDefaultHelp = 57671,
    kCmdFind = 32896,
    kCmdFindNext = 32897,
    kCmdTenorInKilograms = 32898,
    kCmdSetPrintContents = 32899,
    kCmdCopyToClipboard = 32900,
    kCmdManageUsers = 32901,
    kCmdBackupInformation = 32902,
    kCmdCheckForUpdate = 32903,
    kCmdAddAdditionalTower = 32904,
    kCmdStatistics = 32920,
    kCmdTowersNear = 32921,
    kCmdUpdateTowerData = 32930,
    kCmdTowerMap = 32940,
    kCmdExportMap = 32941,
};

// The status-bar pane that the view keeps current.
inline constexpr int kStatusPaneId = 32906;
inline constexpr const char* kStatusPaneDefaultText = "Dove Data File - Failed to Load";

// Dialog numbers; help for a dialog is topic 0x20000 + its number.
enum DialogId : std::uint32_t {
    kAboutDialog = 100,
    kBrowserForm = 101,
    kMainWindowResource = 128,
    kSetDateDialog = 131,
    kCommentsDialog = 132,
    kAdditionalTowersDialog = 137,
    kAddTowerDialog = 138,
    kStatisticsDialog = 160,
    kTowersNearDialog = 161,
};

}  // namespace chimeset
