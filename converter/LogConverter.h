// What the converter dialog does, without the dialog: discovery of the registered users'
// Version 1 logs, the upgrade on this machine and the export to another one.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "common/PathText.h"
#include "common/Prompter.h"
#include "common/SettingsStore.h"

namespace chimeset {

// The controls the logic drives. Texts are Windows-1252.
class ConverterView {
  public:
    virtual ~ConverterView() = default;
    virtual void ClearList() = 0;
    virtual void AddListLine(const std::string& line) = 0;
    virtual void SetMessageArea(const std::string& text) = 0;
    virtual void EnableGather(bool enabled) = 0;
    // "&Upgrade on this machine" and "Upgrade and &Export to another machine" together.
    virtual void EnableConversion(bool enabled) = 0;
};

class LogConverter {
  public:
    // programFolder: native path of the converter's own folder. documentsFolder: the
    // user's documents folder as a native path, empty when there is none.
    LogConverter(SettingsStore& settings, Prompter& prompter, ConverterView& view,
                 std::string programFolder, std::function<std::string()> documentsFolder);

    void OnGatherData();
    void OnUpgradeHere();
    void OnUpgradeExport();

    bool NeedsConversion(const std::string& name);
    bool ChooseDestinationFolder(const std::string& initialFolder);
    std::string GetDocumentsFolder() const;
    bool ConvertLogs();

    // The banner that the message area shows at start.
    static std::string Banner();

    const NativePath& DataFolder() const { return DataFolder_; }
    const std::string& DestinationFolder() const { return DestinationFolder_; }
    const std::vector<std::string>& LogsToConvert() const { return LogsToConvert_; }
    const std::vector<std::string>& FoundLogs() const { return FoundLogs_; }
    // Sync services' conflict copies in the data folder: listed, never taken for logs.
    const std::vector<std::string>& ConflictCopies() const { return ConflictCopies_; }
    const std::vector<std::string>& RegisteredUsers() const { return RegisteredUsers_; }
    bool NeedsNewLocation() const { return NeedsNewLocation_; }

  private:
    void FindLogFiles();
    std::string SourcePath(const std::string& name) const;

    SettingsStore& settings_;
    Prompter& prompter_;
    ConverterView& view_;
    std::string programFolder_;
    std::function<std::string()> documentsFolder_;
    bool gathered_ = false;

    std::string DestinationFolder_;  // native paths, no trailing separator
    NativePath DataFolder_;
    std::vector<std::string> LogsToConvert_;  // upper-case names, Windows-1252
    std::vector<std::string> FoundLogs_;
    std::vector<std::string> ConflictCopies_;  // file names as on disk, Windows-1252
    std::vector<std::string> RegisteredUsers_;
    bool NeedsNewLocation_ = false;
    // Upper-case title to the file's name on disk, where case may differ.
    std::map<std::string, std::string> fileNames_;
};

}  // namespace chimeset
