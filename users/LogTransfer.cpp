#include "users/LogTransfer.h"

#include <utility>
#include <vector>

#include "common/FileFormats.h"
#include "common/MessageTable.h"
#include "common/RecordLine.h"
#include "common/Text.h"
#include "common/TextFile.h"
#include "users/UserRegister.h"

namespace chimeset {
namespace {

// Releases the library however the transfer ends.
class LibraryGuard {
  public:
    explicit LibraryGuard(IdTableLibrary& library) : library_(library) {}
    ~LibraryGuard() { library_.Release(); }
    LibraryGuard(const LibraryGuard&) = delete;
    LibraryGuard& operator=(const LibraryGuard&) = delete;

  private:
    IdTableLibrary& library_;
};

std::string ReplacePlaceholder(std::string text, const std::string& value) {
    const auto at = text.find("%s");
    if (at != std::string::npos) text.replace(at, 2, value);
    return text;
}

}  // namespace

bool HasVersion2Header(std::string_view line) {
    for (const auto& name : SplitFields(kVersion2Header)) {
        if (line.find(name) == std::string_view::npos) return false;
    }
    return true;
}

bool IsVersion1MagicLine(std::string_view line) {
    return ToUpperAscii(line) == ToUpperAscii(kVersion1MagicLine);
}

std::string UpgradeVersion1Record(std::string_view line, IdTableLibrary& library,
                                  Prompter& prompter) {
    const std::string location = GetField(line, 0);
    const std::int64_t index = ReadLeadingNumber(GetField(line, 1));

    const std::int32_t range = library.GetCBLRange();
    const std::int32_t number =
        index < range ? library.ConvertID(static_cast<std::int32_t>(index)) : -1;

    std::string record = location;
    if (number >= 0) {
        record += "\\\\\\\\\\\\\\\\";  // seven empty tower fields
        record += std::to_string(number);
    } else {
        // A Version 1 index outside the table names no tower of the database, and taken as a
        // number it would name an unrelated one. The record becomes an additional tower that
        // has only its place name, for the user to complete.
        record += "\\\\\\\\0\\0\\\\\\0";
        Notice notice = MessageTable::Chimeset().Make(msg::kTowerOutsideTable);
        notice.text = ReplacePlaceholder(notice.text, location);
        prompter.Show(notice);
    }
    for (std::size_t field = 2; field <= 5; ++field) {
        record += '\\';
        record += GetField(line, field);
    }
    return record;
}

LogTransfer::LogTransfer(Prompter& prompter, IdTableLibrary& library, std::string programFolder,
                         const DocumentsFolderProvider& documents)
    : prompter_(prompter),
      library_(library),
      programFolder_(std::move(programFolder)),
      documents_(documents) {}

bool LogTransfer::TransferLog(const std::string& id, const std::string& logPath,
                              TransferMode mode) {
    library_.Release();
    LibraryGuard guard(library_);
    const bool importing = mode == TransferMode::Import;
    const MessageTable& messages = MessageTable::Chimeset();

    FileDialogRequest request;
    // A bare name would open the dialog in whatever folder the program was started from.
    std::string startFolder = FolderOf(logPath);
    if (startFolder.empty() || !IsDirectory(startFolder))
        startFolder = documents_.DocumentsFolder();
    request.initialPath = NativePath(startFolder.empty() ? id : JoinPath(startFolder, id));
    request.defaultExtension = "CBL";
    request.filter = "Tower Logs (*.CBL)|*.cbl||";
    request.mustExist = importing;
    request.promptOverwrite = false;
    const auto chosen =
        importing ? prompter_.AskOpenFileName(request) : prompter_.AskSaveFileName(request);
    if (!chosen) return false;
    const std::string& source = importing ? *chosen : logPath;
    const std::string& destination = importing ? logPath : *chosen;

    std::vector<std::string> lines;
    FileError error;
    // A log brought from elsewhere may end its lines as another system does.
    const bool read = importing ? ReadTextLinesAnyLineEnd(source, lines, error)
                                : ReadTextLines(source, lines, error);
    if (!read) {
        prompter_.ShowFileError(error);
        return false;
    }

    bool upgrade = false;
    if (importing) {
        const std::string firstLine = lines.empty() ? std::string() : lines.front();
        if (IsVersion1MagicLine(firstLine)) {
            const Answer answer = prompter_.Show(
                messages.Make(msg::kVersion1Import, NoticeIcon::None, NoticeButtons::YesNo, true));
            if (answer != Answer::Yes) return false;
            if (!library_.Load(JoinPath(programFolder_, IdTableLibraryFileName()))) {
                prompter_.Show(messages.Make(msg::kIdTableNotLoaded, NoticeIcon::Stop));
                return false;
            }
            if (!library_.FindEntryPoints()) return false;
            upgrade = true;
        } else if (!HasVersion2Header(firstLine)) {
            prompter_.Show(messages.Make(msg::kUnknownLogFormat, NoticeIcon::Stop));
            return false;
        }
    }

    const std::string folder = FolderOf(destination);
    if (!folder.empty() && !IsDirectory(folder)) {
        prompter_.ShowFileError({NativePath(folder), "The folder does not exist."});
        return false;
    }
    AtomicTextWriter writer(destination);
    if (!writer.Open(error)) {
        prompter_.ShowFileError(error);
        return false;
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!upgrade) {
            writer.WriteLine(lines[i]);
        } else if (i == 0) {
            writer.WriteLine(kVersion2Header);
        } else if (!IsVersion1BlankLine(lines, i)) {
            writer.WriteLine(SafeRecordLine(UpgradeVersion1Record(lines[i], library_, prompter_)));
        }
    }
    if (!writer.Commit(error)) {
        prompter_.ShowFileError(error);
        return false;
    }
    return true;
}

}  // namespace chimeset
