#include "converter/LogConverter.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "common/ConflictCopyName.h"
#include "common/MessageTable.h"
#include "common/NativeFile.h"
#include "common/PathText.h"
#include "common/Text.h"
#include "common/TextFile.h"
#include "converter/ConvertLogs.h"
#include "converter/Version1Log.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace chimeset {
namespace {

const char* const kUsers = "Users";

bool HasLogExtension(const std::string& fileName) {
    return fileName.size() >= 4 && ToUpperAscii(fileName.substr(fileName.size() - 4)) == ".CBL";
}

// The "Chimeset" folder inside the documents folder may be used only when it is a plain
// folder; on Windows that means no attribute besides the folder one.
bool IsPlainFolder(const std::string& path) {
#ifdef _WIN32
    return GetFileAttributesA(path.c_str()) == FILE_ATTRIBUTE_DIRECTORY;
#else
    return IsDirectory(path);
#endif
}

}  // namespace

LogConverter::LogConverter(SettingsStore& settings, Prompter& prompter, ConverterView& view,
                           std::string programFolder, std::function<std::string()> documentsFolder)
    : settings_(settings),
      prompter_(prompter),
      view_(view),
      programFolder_(std::move(programFolder)),
      documentsFolder_(std::move(documentsFolder)) {}

std::string LogConverter::Banner() {
    return MessageTable::Chimemove().Text(chimemove::kBanner);
}

void LogConverter::OnGatherData() {
    if (gathered_) return;  // once per run
    gathered_ = true;
    view_.EnableGather(false);
    NeedsNewLocation_ = false;
    const MessageTable& messages = MessageTable::Chimemove();

    const std::string names = settings_.GetString(kUsers, "RegisterOfNames");
    if (names.empty()) {
        prompter_.Show(messages.Make(chimemove::kNoLogsForUser));
        view_.SetMessageArea(messages.Text(chimemove::kNoLogsForUser));
        return;
    }

    DataFolder_ = NativePath::FromText(settings_.GetString(kUsers, "DataFolder"));
    if (DataFolder_.empty()) {
        DataFolder_ = NativePath(programFolder_);
        NeedsNewLocation_ = true;
    } else if (SamePathIgnoringCase(DataFolder_.Native(), programFolder_)) {
        NeedsNewLocation_ = true;
    }

    // An empty piece ends the register; a blank after a comma stays part of the name.
    for (const std::string& piece : SplitFields(names, ',')) {
        if (piece.empty()) break;
        RegisteredUsers_.push_back(ToUpperAscii(piece));
    }

    view_.AddListLine("Searching Folder");
    view_.AddListLine(DataFolder_.Text());
    FindLogFiles();

    const bool walkFound = FoundLogs_.size() > RegisteredUsers_.size();
    const std::vector<std::string>& walked = walkFound ? FoundLogs_ : RegisteredUsers_;
    const std::vector<std::string>& other = walkFound ? RegisteredUsers_ : FoundLogs_;
    for (const std::string& name : walked) {
        std::string line = name;
        if (std::find(other.begin(), other.end(), name) == other.end()) {
            if (!walkFound)
                line += " has a PROBLEM, No LogFile";
            else if (name.compare(0, 4, "OLD_") == 0)
                line += "\tis a backup copy";
            else
                line += "\tis not associated with a User";
        } else if (NeedsConversion(name)) {
            LogsToConvert_.push_back(name);
            line += "\t- Requires Conversion";
        } else {
            line += "\t- has been converted";
        }
        view_.AddListLine(line);
    }
    for (const std::string& copy : ConflictCopies_)
        view_.AddListLine(copy + "\tis a sync service's conflict copy, not a log");

    const int count = static_cast<int>(LogsToConvert_.size());
    if (count == 0) {
        view_.SetMessageArea(messages.Text(chimemove::kNothingToConvert));
        return;
    }
    const auto id = NeedsNewLocation_ ? chimemove::kReadyNewLocation : chimemove::kReadyInPlace;
    view_.SetMessageArea(Format(messages.Text(id).c_str(), count));
    view_.EnableConversion(true);
}

void LogConverter::FindLogFiles() {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::directory_iterator it(FsPath(DataFolder_.Native()), error);
    if (error) {
        // A data folder that has gone or cannot be read is not the same as one without logs.
        prompter_.ShowFileError(FileError{DataFolder_, error == std::errc::no_such_file_or_directory
                                                           ? "The folder does not exist."
                                                           : error.message()});
        return;
    }
    for (; it != fs::directory_iterator(); it.increment(error)) {
        if (error) break;
        std::error_code typeError;
        if (it->is_directory(typeError)) continue;
        std::string fileName;
        try {
            fileName = NativeOf(it->path().filename());
        } catch (const std::exception&) {
            continue;  // a name the narrow code page cannot spell cannot be opened either
        }
        if (!HasLogExtension(fileName)) continue;
        if (IsConflictCopyName(fileName)) {
            ConflictCopies_.push_back(TextFromNativePath(fileName));
            continue;
        }
        const std::string title =
            ToUpperAscii(TextFromNativePath(fileName.substr(0, fileName.size() - 4)));
        FoundLogs_.push_back(title);
        fileNames_.emplace(title, fileName);
    }
}

std::string LogConverter::SourcePath(const std::string& name) const {
    const auto it = fileNames_.find(name);
    return JoinPath(DataFolder_.Native(),
                    it != fileNames_.end() ? it->second : NativePathFromText(name) + ".CBL");
}

bool LogConverter::NeedsConversion(const std::string& name) {
    FileError error;
    const auto begins = FileBeginsWithVersion1MagicLine(SourcePath(name), error);
    if (!begins) {
        prompter_.ShowFileError(error);
        return false;
    }
    return *begins;
}

std::string LogConverter::GetDocumentsFolder() const {
    return documentsFolder_ ? documentsFolder_() : std::string();
}

bool LogConverter::ChooseDestinationFolder(const std::string& initialFolder) {
    FileDialogRequest request;
    // Without a folder the bare name lets the dialog choose where to start; joined to the
    // empty text it would start in the root folder.
    request.initialPath =
        NativePath(initialFolder.empty() ? std::string("USERLOG.CBL")
                                         : JoinPath(initialFolder, "USERLOG.CBL"));
    request.defaultExtension = "CBL";
    request.filter = "Tower Logs (*.CBL)|*.cbl||";
    request.mustExist = true;
    request.promptOverwrite = false;
    const auto chosen = prompter_.AskSaveFileName(request);
    if (!chosen) return false;
    // Only the folder counts; the file name is a vehicle for picking it.
    DestinationFolder_ = FolderOf(*chosen);
    return true;
}

bool LogConverter::ConvertLogs() {
    ConvertInputs inputs;
    inputs.DataFolder = DataFolder_.Native();
    inputs.DestinationFolder = DestinationFolder_;
    inputs.LogsToConvert = LogsToConvert_;
    inputs.programFolder = programFolder_;
    for (const std::string& name : LogsToConvert_) {
        const auto it = fileNames_.find(name);
        if (it != fileNames_.end()) inputs.sourceFileNames.emplace(name, it->second);
    }
    const ConvertOutputs outputs{
        [this] { view_.ClearList(); }, [this](const std::string& line) { view_.AddListLine(line); },
        [this](const std::string& text) { view_.SetMessageArea(text); }, prompter_};
    return chimeset::ConvertLogs(inputs, outputs);
}

void LogConverter::OnUpgradeHere() {
    const MessageTable& messages = MessageTable::Chimemove();
    if (NeedsNewLocation_) {
        const std::string documents = GetDocumentsFolder();
        prompter_.Show(messages.Make(chimemove::kChooseFolder));
        if (!ChooseDestinationFolder(documents)) return;
        // Without a documents folder the rule would create "Chimeset" in the root folder.
        if (!documents.empty() && DestinationFolder_ == documents) {
            const std::string subFolder = JoinPath(documents, "Chimeset");
            if (!FileExists(subFolder)) {
                std::error_code error;
                if (std::filesystem::create_directory(FsPath(subFolder), error))
                    DestinationFolder_ = subFolder;
            } else if (IsPlainFolder(subFolder)) {
                DestinationFolder_ = subFolder;
            }
        }
    } else {
        DestinationFolder_ = DataFolder_.Native();
    }

    if (!ConvertLogs()) return;
    prompter_.Show(messages.Make(chimemove::kUpgradeCompleted));
    view_.EnableConversion(false);
    const std::string folder = TextFromNativePath(DestinationFolder_);
    if (!settings_.WriteString(kUsers, "DataFolder", folder) &&
        settings_.GetString(kUsers, "DataFolder") != folder) {
        prompter_.Show(SettingsNotSavedNotice(
            settings_, "The converted logs are in " + folder +
                           ", but the settings do not say so: Chimeset will not find them "
                           "there."));
    }
}

void LogConverter::OnUpgradeExport() {
    const MessageTable& messages = MessageTable::Chimemove();
    // The export goes to a transfer medium; the dialog starts among the user's own files,
    // not in the data folder that the export must not write to.
    if (!ChooseDestinationFolder(GetDocumentsFolder())) return;
    // The same folder under another spelling would have the export overwrite the very
    // logs it reads, with no backup made.
    if (SamePathIgnoringCase(DestinationFolder_, DataFolder_.Native()) ||
        SameFileOnDisk(DestinationFolder_, DataFolder_.Native())) {
        prompter_.Show(messages.Make(chimemove::kExportSameFolder));
        return;
    }
    if (!ConvertLogs()) return;
    prompter_.Show(messages.Make(chimemove::kExportCompleted));
    view_.EnableConversion(false);
}

}  // namespace chimeset
