#include "users/UserRegister.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "common/FileFormats.h"
#include "common/MessageTable.h"
#include "common/NativeFile.h"
#include "common/PathText.h"
#include "common/TextFile.h"

namespace chimeset {
namespace {}  // namespace

std::vector<std::string> SplitRegisterOfNames(const std::string& registerOfNames) {
    std::vector<std::string> ids;
    std::size_t start = 0;
    while (start <= registerOfNames.size()) {
        auto comma = registerOfNames.find(',', start);
        if (comma == std::string::npos) comma = registerOfNames.size();
        if (comma == start) break;  // an empty item ends the list
        ids.push_back(registerOfNames.substr(start, comma - start));
        start = comma + 1;
    }
    return ids;
}

bool HasOnlyIdCharacters(const std::string& id) {
    const std::string& allowed = MessageTable::Chimeset().Text(msg::kIdCharacters);
    return id.find_first_not_of(allowed) == std::string::npos;
}

UserRegister::UserRegister(SettingsStore& settings, Prompter& prompter,
                           const DocumentsFolderProvider& documents)
    : settings_(settings), prompter_(prompter), documents_(documents) {}

const std::vector<RegisteredUser>& UserRegister::Load() {
    users_.clear();
    for (auto& id :
         SplitRegisterOfNames(settings_.GetString(kUsersSection, kRegisterOfNamesEntry))) {
        std::string longName = settings_.GetString(kUsersSection, id);
        if (longName.empty()) longName = kNoLongName;
        users_.push_back({std::move(id), std::move(longName)});
    }
    return users_;
}

std::vector<std::string> UserRegister::Ids() const {
    std::vector<std::string> ids;
    ids.reserve(users_.size());
    for (const auto& user : users_) ids.push_back(user.id);
    return ids;
}

bool UserRegister::Save(const std::vector<std::string>& ids) {
    std::string joined;
    for (const auto& id : ids) {
        if (!joined.empty()) joined += ',';
        joined += id;
    }
    return settings_.WriteString(kUsersSection, kRegisterOfNamesEntry, joined);
}

bool UserRegister::Add(const std::string& id, const std::string& longName) {
    if (!settings_.WriteString(kUsersSection, id, longName)) return false;
    users_.push_back({id, longName});
    return true;
}

bool UserRegister::AddWithFolder(const std::string& id, const std::string& longName,
                                 const NativePath& folder) {
    const bool hadFolder = settings_.HasEntry(kUsersSection, kDataFolderEntry);
    if (!Add(id, longName)) return false;
    if (SetDataFolder(folder) && Save(Ids())) return true;
    // "RegisterOfNames" was not changed, so the user is not registered; the entries written
    // for them would only be left over.
    users_.pop_back();
    settings_.DeleteEntry(kUsersSection, id);
    if (!hadFolder) settings_.DeleteEntry(kUsersSection, kDataFolderEntry);
    return false;
}

bool UserRegister::Remove(std::size_t position) {
    if (position >= users_.size()) return false;
    const std::string id = users_[position].id;
    const bool hadLongName = settings_.HasEntry(kUsersSection, id);
    const std::string longName = settings_.GetString(kUsersSection, id);
    if (!settings_.DeleteEntry(kUsersSection, id)) return false;
    const RegisteredUser removed = users_[position];
    users_.erase(users_.begin() + static_cast<std::ptrdiff_t>(position));
    if (!Save(Ids())) {
        // Still registered: give them their long name back.
        users_.insert(users_.begin() + static_cast<std::ptrdiff_t>(position), removed);
        if (hadLongName) settings_.WriteString(kUsersSection, id, longName);
        return false;
    }
    if (users_.empty()) {
        const bool folderGone = settings_.DeleteEntry(kUsersSection, kDataFolderEntry);
        const bool registerGone = settings_.DeleteEntry(kUsersSection, kRegisterOfNamesEntry);
        return folderGone && registerGone;
    }
    return true;
}

NativePath UserRegister::DataFolderIn(const SettingsStore& settings) {
    // Settings hold text in the code page; file names want the file system's encoding.
    return NativePath::FromText(settings.GetString(kUsersSection, kDataFolderEntry));
}

NativePath UserRegister::DataFolder() const {
    return DataFolderIn(settings_);
}

bool UserRegister::SetDataFolder(const NativePath& folder) {
    return settings_.WriteString(kUsersSection, kDataFolderEntry, folder.Text());
}

std::string UserRegister::LogPathFor(const std::string& id) const {
    return LogPathIn(DataFolder(), id);
}

std::string UserRegister::LogPathIn(const NativePath& folder, const std::string& id) {
    return JoinPath(folder.Native(), id + ".CBL");
}

std::optional<NativePath> UserRegister::ChooseDataFolder() {
    const std::string documents = documents_.DocumentsFolder();
    prompter_.Show(MessageTable::Chimeset().Make(msg::kPickDataFolder));

    FileDialogRequest request;
    // Only a vehicle for picking a folder: nothing is written under this name.
    request.initialPath = NativePath(documents.empty() ? std::string("USERLOG.CBL")
                                                       : JoinPath(documents, "USERLOG.CBL"));
    request.defaultExtension = "CBL";
    request.filter = "Tower Logs (*.CBL)|*.cbl||";
    request.mustExist = true;
    request.promptOverwrite = false;
    const auto chosen = prompter_.AskSaveFileName(request);
    if (!chosen) return std::nullopt;

    std::string folder = FolderOf(*chosen);
    // Accepting the documents folder as offered means "put the logs somewhere sensible":
    // its Chimeset sub-folder, made when missing. An unknown documents folder never matches.
    if (!documents.empty() && folder == documents) {
        const std::string sub = JoinPath(documents, "Chimeset");
        std::error_code ignored;
        if (IsDirectory(sub)) {
            folder = sub;
        } else if (!FileExists(sub) && std::filesystem::create_directory(FsPath(sub), ignored)) {
            folder = sub;
        }
    }
    return NativePath(folder);
}

bool UserRegister::CreateEmptyLog(const std::string& logPath) {
    FileError error{NativePath(logPath), {}};
    const std::string folder = FolderOf(logPath);
    if (!folder.empty() && !IsDirectory(folder)) {
        prompter_.ShowFileError({NativePath(folder), "The folder does not exist."});
        return false;
    }
    if (IsDirectory(logPath)) {
        prompter_.ShowFileError({NativePath(logPath), FileErrorCause(EISDIR)});
        return false;
    }
    if (FileExists(logPath)) {
        // Opened for writing as well, so that a log we could not later save is refused now.
        std::FILE* file = OpenNativeFile(logPath, "r+b");
        if (!file) {
            prompter_.ShowFileError({NativePath(logPath), FileErrorCause(errno)});
            return false;
        }
        const bool hasContent = std::fseek(file, 0, SEEK_END) == 0 && std::ftell(file) > 0;
        std::fclose(file);
        if (hasContent) {
            const Answer answer = prompter_.Show(MessageTable::Chimeset().Make(
                msg::kExistingLogFound, NoticeIcon::None, NoticeButtons::YesNo));
            if (answer == Answer::Yes) return true;
        }
    }
    if (!WriteTextLines(logPath, {std::string(kVersion2Header)}, error)) {
        prompter_.ShowFileError(error);
        return false;
    }
    return true;
}

}  // namespace chimeset
