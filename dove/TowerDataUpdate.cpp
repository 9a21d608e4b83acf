#include "dove/TowerDataUpdate.h"

#include <filesystem>
#include <system_error>

#include "common/PathText.h"
#include "common/Text.h"
#include "common/TextFile.h"

namespace chimeset {
namespace {

constexpr const char* kNotChanged = "The tower database was not changed.";

bool Tell(const UpdateProgress& progress, UpdateStage stage, std::size_t done, std::size_t total) {
    return !progress || progress(stage, done, total);
}

// The user's data folder does not exist before the first update.
bool MakeFolder(const std::string& folder, DoveImportError& error) {
    if (folder.empty() || IsDirectory(folder)) return true;
    std::error_code code;
    std::filesystem::create_directories(folder, code);
    if (!code && IsDirectory(folder)) return true;
    error = {0, "Cannot make the folder " + TextFromNativePath(folder) +
                    " for the tower database. " +
                    (code ? FolderErrorCause(code.value())
                          : std::string("A file of that name is in the way."))};
    return false;
}

}  // namespace

TowerDataUpdate UpdateTowerDatabase(const std::string& csvPath, const std::string& databasePath,
                                    const UpdateProgress& progress) {
    TowerDataUpdate update;
    const auto stop = [&update] {
        update.stopped = true;
        update.error = {0, kDoveImportStopped};
        return update;
    };
    if (!Tell(progress, UpdateStage::kReading, 0, 1)) return stop();
    std::string csv;
    FileError readError;
    if (!ReadFileBytes(csvPath, csv, readError)) {
        update.error = {0, "Cannot read the file. " + readError.cause, TextFromNativePath(csvPath)};
        return update;
    }

    DoveImportOptions options;
    options.progress = [&progress](std::size_t done, std::size_t total) {
        return Tell(progress, UpdateStage::kConverting, done, total);
    };
    std::vector<std::string> lines;
    if (!ConvertDoveCsv(csv, options, lines, update.summary, update.error)) {
        if (update.error.message == kDoveImportStopped) return stop();
        update.error.file = TextFromNativePath(csvPath);
        return update;
    }
    csv = std::string();
    if (!Tell(progress, UpdateStage::kWriting, 0, 1)) return stop();

    // Loaded before it is written: what cannot be loaded must not replace what can.
    const FileResult loaded = update.database.Parse(lines);
    if (!loaded.ok) {
        update.error = {0, "The converted tower list cannot be loaded.",
                        TextFromNativePath(csvPath)};
        return update;
    }
    if (!MakeFolder(FolderOf(databasePath), update.error)) return update;
    FileError writeError;
    if (!WriteTextLines(databasePath, lines, writeError)) {
        update.error = {0, "Cannot write the file. " + writeError.cause,
                        TextFromNativePath(databasePath)};
        return update;
    }
    Tell(progress, UpdateStage::kLoading, 1, 1);
    update.ok = true;
    return update;
}

std::string DescribeUpdateFailure(const TowerDataUpdate& update) {
    return update.error.Describe() + "\r\n\r\n" + kNotChanged;
}

std::vector<std::string> DescribeUpdate(const TowerDataUpdate& update,
                                        const std::string& databasePath,
                                        const CChimesetDoc::DatabaseReplacement* log) {
    std::vector<std::string> lines = DescribeSummary(update.summary, databasePath);
    if (!log) return lines;
    lines.emplace_back();  // the log apart from the conversion
    if (log->onAdditional == 0) {
        lines.push_back(
            Format("Every one of the open log's %d visits is on a tower of the new "
                   "list.",
                   log->entries));
    } else {
        const bool one = log->onAdditional == 1;
        lines.push_back(Format(one ? "%d of the open log's %d visits is on a tower that the new "
                                     "list lacks; the log keeps it as an additional tower."
                                   : "%d of the open log's %d visits are on towers that the new "
                                     "list lacks; the log keeps them as additional towers.",
                               log->onAdditional, log->entries));
        if (log->leftDatabase > 0)
            lines.push_back(
                Format("%d of those visits were on towers of the old list.", log->leftDatabase));
    }
    return lines;
}

}  // namespace chimeset
