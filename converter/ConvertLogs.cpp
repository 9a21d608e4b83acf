#include "converter/ConvertLogs.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "common/FileFormats.h"
#include "common/MessageTable.h"
#include "common/NativeFile.h"
#include "common/PathText.h"
#include "common/RecordLine.h"
#include "common/Text.h"
#include "common/TextFile.h"
#include "converter/CrossRefTable.h"
#include "converter/ExtraTowerList.h"
#include "converter/Version1Log.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace chimeset {
namespace {

void ShowStop(Prompter& prompter, std::uint32_t id, const std::string& text = {}) {
    Notice notice = MessageTable::Chimemove().Make(id, NoticeIcon::Stop);
    if (!text.empty()) notice.text = text;
    prompter.Show(notice);
}

// Puts the finished file in the target's place in one step, so that a failure leaves
// either the old target or the new one, never neither.
bool ReplaceFile(const std::string& from, const std::string& to, FileError& error) {
#ifdef _WIN32
    if (MoveFileExW(WidePath(from).c_str(), WidePath(to).c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    error = FileError{NativePath(to), FileErrorCause(LastErrorAsErrno())};
    return false;
#else
    if (std::rename(from.c_str(), to.c_str()) == 0) return true;
    error = FileError{NativePath(to), FileErrorCause(errno)};
    return false;
#endif
}

// Renames a file, as std::rename does on each platform (Windows: not over an existing file).
bool MoveNoReplace(const std::string& from, const std::string& to) {
#ifdef _WIN32
    if (MoveFileExW(WidePath(from).c_str(), WidePath(to).c_str(), MOVEFILE_WRITE_THROUGH))
        return true;
    errno = LastErrorAsErrno();
    return false;
#else
    return std::rename(from.c_str(), to.c_str()) == 0;
#endif
}

void AppendField(std::string& line, const std::string& field) {
    line += '\\';
    line += field;
}

// Reads the translation file; false after telling the user.
bool LoadCrossRef(const std::string& programFolder, CrossRefTable& table, Prompter& prompter) {
    std::vector<std::string> lines;
    FileError error;
    if (!ReadTextLinesAnyLineEnd(JoinPath(programFolder, "CrossRef.txt"), lines, error)) {
        prompter.ShowFileError(error);
        return false;
    }
    if (table.Load(lines) != CrossRefTable::Result::Loaded) {
        ShowStop(prompter, chimemove::kCrossRefFormat);
        return false;
    }
    return true;
}

// Reads Chimeset.CB1 when there is one; false after telling the user.
bool LoadExtraTowers(const std::string& programFolder, ExtraTowerList& list, Prompter& prompter) {
    const std::string path = JoinPath(programFolder, "Chimeset.CB1");
    if (!FileExists(path)) return true;
    std::vector<std::string> lines;
    FileError error;
    if (!ReadTextLinesAnyLineEnd(path, lines, error)) {
        prompter.ShowFileError(error);
        return false;
    }
    if (lines.empty() || !HasVersion1MagicLine(lines[0])) {
        ShowStop(prompter, chimemove::kExtraTowerFormat);
        return false;
    }
    lines.erase(lines.begin());
    list.Assign(std::move(lines));
    return true;
}

int SyncToDisk(std::FILE* file) {
#ifdef _WIN32
    return _commit(_fileno(file));
#else
    return ::fsync(::fileno(file));
#endif
}

class TemporaryFile {
  public:
    explicit TemporaryFile(std::string path) : path_(std::move(path)) {}
    ~TemporaryFile() {
        if (file_) std::fclose(file_);
        if (!kept_) RemoveNativeFile(path_);
    }

    bool Create(FileError& error) {
        file_ = OpenNativeFile(path_, "wb");  // empties what a failed run left
        if (!file_) error = FileError{NativePath(path_), FileErrorCause(errno)};
        return file_ != nullptr;
    }
    void WriteBytes(const std::string& bytes) {
        if (failed_) return;
        if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
            failed_ = true;
            errno_ = errno;
        }
    }
    void WriteLine(const std::string& line) {
        if (failed_) return;
        if (std::fwrite(line.data(), 1, line.size(), file_) != line.size() ||
            std::fwrite("\r\n", 1, 2, file_) != 2) {
            failed_ = true;
            errno_ = errno;
        }
    }
    bool Close(FileError& error) {
        // On disk before the rename, so that a crash cannot leave an empty log in its place.
        if ((std::fflush(file_) != 0 || SyncToDisk(file_) != 0) && !failed_) {
            failed_ = true;
            errno_ = errno;
        }
        if (std::fclose(file_) != 0 && !failed_) {
            failed_ = true;
            errno_ = errno;
        }
        file_ = nullptr;
        if (failed_)
            error = FileError{NativePath(path_), FileErrorCause(errno_ != 0 ? errno_ : EIO)};
        return !failed_;
    }
    void Keep() { kept_ = true; }
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
    std::FILE* file_ = nullptr;
    bool failed_ = false;
    int errno_ = 0;
    bool kept_ = false;
};

// Copies a file, with its time, to a name that must not exist yet: whole or not at all.
bool CopyToNewFile(const std::string& from, const std::string& to, FileError& error) {
    std::string bytes;
    if (!ReadFileBytes(from, bytes, error)) return false;
    // Named after the backup, which does not exist yet, so that no file of the user's is emptied.
    TemporaryFile copy(to + ".~copy");
    if (!copy.Create(error)) return false;
    copy.WriteBytes(bytes);
    if (!copy.Close(error)) return false;
    std::error_code ignored;
    const auto time = std::filesystem::last_write_time(FsPath(from), ignored);
    if (!ignored) std::filesystem::last_write_time(FsPath(copy.Path()), time, ignored);
    if (!MoveNoReplace(copy.Path(), to)) {
        error = FileError{NativePath(to), FileErrorCause(errno)};
        return false;
    }
    copy.Keep();
    return true;
}

}  // namespace

std::string ConvertRecordLine(const std::string& version1Line, const CrossRefTable& table,
                              const ExtraTowerList& extraTowers, bool* detailsMissing) {
    const Version1Record record = ReadVersion1Record(version1Line);
    if (detailsMissing) *detailsMissing = false;
    std::string line;
    if (CrossRefTable::Contains(record.index)) {
        // Form A: a tower of the table travels by its TowerBase number alone.
        line = record.location;
        line += "\\\\\\\\\\\\\\\\";
        line += std::to_string(table[record.index]);
    } else {
        // Form B: the tower's own details travel in the record.
        const std::string* tower = extraTowers.Find(record.index);
        if (!tower && detailsMissing) *detailsMissing = true;
        const std::string& text = tower ? *tower : record.location;
        line = GetField(text, 0);
        AppendField(line, GetField(text, 1));
        AppendField(line, GetField(text, 2));
        AppendField(line, GetField(text, 3));
        line += "\\0\\0";
        AppendField(line, GetField(text, 4));
        AppendField(line, GetField(text, 5));
        line += "\\0";
    }
    AppendField(line, record.visitDate);
    AppendField(line, record.quarterDate);
    AppendField(line, record.pealDate);
    AppendField(line, record.comment);
    return line;
}

namespace {

// The logs one by one; false when one stops the run, after telling the user why.
bool ConvertEachLog(const ConvertInputs& inputs, const ConvertOutputs& outputs,
                    const CrossRefTable& table, const ExtraTowerList& extraTowers) {
    Prompter& prompter = outputs.messageBox;
    const bool sameFolder = SamePathIgnoringCase(inputs.DataFolder, inputs.DestinationFolder) ||
                            SameFileOnDisk(inputs.DataFolder, inputs.DestinationFolder);
    const MessageTable& messages = MessageTable::Chimemove();

    for (const std::string& name : inputs.LogsToConvert) {
        outputs.addListLine(name);
        const std::string nativeName = NativePathFromText(name);
        const auto onDisk = inputs.sourceFileNames.find(name);
        const std::string source =
            JoinPath(inputs.DataFolder,
                     onDisk != inputs.sourceFileNames.end() ? onDisk->second : nativeName + ".CBL");
        const std::string target = JoinPath(inputs.DestinationFolder, nativeName + ".CBL");

        std::vector<std::string> lines;
        FileError error;
        if (!ReadTextLinesAnyLineEnd(source, lines, error)) {
            prompter.ShowFileError(error);
            return false;
        }
        if (lines.empty() || !HasVersion1MagicLine(lines[0])) {
            ShowStop(prompter, chimemove::kLogFormat);
            return false;
        }
        // Text beside the magic line with no line of its own holds records that no line end
        // separates; converting would drop them all.
        if (lines.size() == 1 &&
            !Trim(std::string_view(lines[0]).substr(kVersion1MagicLine.size())).empty()) {
            ShowStop(prompter, chimemove::kLogFormat);
            return false;
        }

        const bool inPlace = sameFolder || SamePathIgnoringCase(source, target);
        // Where letter case tells names apart, "ANN.CBL" may be another file beside
        // "ann.cbl"; the converted log must not take its place and lose it.
        if (inPlace && FileNameOf(source) != FileNameOf(target) && FileExists(target) &&
            !SameFileOnDisk(source, target)) {
            prompter.ShowFileError(
                FileError{NativePath(target), "Another file already has this name."});
            return false;
        }

        TemporaryFile temporary(JoinPath(inputs.DestinationFolder, "Temporary.TXT"));
        if (!temporary.Create(error)) {
            // Without a word the user could not tell why nothing happened.
            prompter.ShowFileError(error);
            return false;
        }
        temporary.WriteLine(std::string(kVersion2Header));
        int written = 0;
        for (std::size_t i = 1; i < lines.size(); ++i) {
            if (IsVersion1BlankLine(lines, i)) continue;
            bool detailsMissing = false;
            const std::string line =
                ConvertRecordLine(lines[i], table, extraTowers, &detailsMissing);
            if (detailsMissing) {
                ShowStop(prompter, chimemove::kMissingDetails,
                         Format(messages.Text(chimemove::kMissingDetails).c_str(),
                                GetField(lines[i], 0).c_str()));
            }
            temporary.WriteLine(SafeRecordLine(line));
            ++written;
        }
        if (!temporary.Close(error)) {
            prompter.ShowFileError(error);
            return false;
        }
        outputs.addListLine(Format("\t%i Records Written", written));

        // The old log stays under its name until the converted one replaces it in one step,
        // so that a run stopped at any point leaves the user a log.
        if (inPlace) {
            const std::string backup = JoinPath(inputs.DataFolder, "OLD_" + nativeName + ".CBL");
            if (!FileExists(backup) && !CopyToNewFile(source, backup, error)) {
                prompter.ShowFileError(error);
                return false;
            }
        }
        const bool replaced = inputs.replaceFile
                                  ? inputs.replaceFile(temporary.Path(), target, error)
                                  : ReplaceFile(temporary.Path(), target, error);
        if (!replaced) {
            prompter.ShowFileError(error);
            return false;
        }
        temporary.Keep();
        // Where letter case tells files apart, "ann.cbl" is not replaced by "ANN.CBL" as it
        // would be on Windows; take it away so the user has one log, not two.
        if (inPlace && FileNameOf(source) != FileNameOf(target) &&
            !SameFileOnDisk(source, target)) {
            RemoveNativeFile(source);
        }
    }
    return true;
}

}  // namespace

bool ConvertLogs(const ConvertInputs& inputs, const ConvertOutputs& outputs) {
    Prompter& prompter = outputs.messageBox;
    CrossRefTable table;
    if (!LoadCrossRef(inputs.programFolder, table, prompter)) return false;
    ExtraTowerList extraTowers;
    if (!LoadExtraTowers(inputs.programFolder, extraTowers, prompter)) return false;

    const std::string starting = "Starting to Process Log Files.";
    outputs.clearList();
    outputs.addListLine(starting);
    outputs.setMessageArea(starting);

    const bool finished = ConvertEachLog(inputs, outputs, table, extraTowers);
    // Without a last word the area would still say the run is starting.
    const std::string end =
        finished ? "Finished Processing Log Files." : "Stopped Processing Log Files.";
    outputs.addListLine(end);
    outputs.setMessageArea(end);
    return finished;
}

}  // namespace chimeset
