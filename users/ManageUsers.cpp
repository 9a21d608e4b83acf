#include "users/ManageUsers.h"

#include <cstdio>
#include <filesystem>

#include "common/FileFormats.h"
#include "common/MessageTable.h"
#include "common/NativeFile.h"
#include "common/PathText.h"
#include "common/Text.h"
#include "common/TextFile.h"
#include "common/WindowsFileNames.h"

namespace chimeset {

ManageUsers::ManageUsers(const UsersEnvironment& environment, ManageUsersView& view)
    : environment_(environment),
      view_(view),
      register_(environment.settings, environment.prompter, environment.documents),
      transfer_(environment.prompter, environment.idTable, environment.programFolder,
                environment.documents) {}

std::string ManageUsers::RowText(const RegisteredUser& user) {
    return user.id + "\t" + user.longName;
}

void ManageUsers::Open() {
    for (const auto& user : register_.Load()) view_.AppendRow(RowText(user));
}

bool ManageUsers::AddUser(bool imported, const std::string& idText, const std::string& longName) {
    const MessageTable& messages = MessageTable::Chimeset();
    Prompter& prompter = environment_.prompter;
    const std::string id(Trim(idText));

    for (const auto& user : register_.Users()) {
        if (user.id == id) {
            prompter.Show(messages.Make(msg::kDuplicateId));
            return false;
        }
    }
    if (!HasOnlyIdCharacters(id)) {
        prompter.Show(messages.Make(msg::kBadIdCharacter, NoticeIcon::Stop));
        return false;
    }
    if (id.size() < 4 || id.size() > 8 || longName.size() < 4 || longName.size() > 100 ||
        longName.find(',') != std::string::npos) {
        prompter.Show(messages.Make(msg::kBadLength));
        return false;
    }
    // "COM1.CBL" would be the serial port on Windows, where logs are kept or moved to.
    if (IsWindowsDeviceName(id)) {
        Notice notice = messages.Make(msg::kBadIdCharacter, NoticeIcon::Stop);
        notice.text = "The ID Name " + id +
                      " is the name of a device on Windows and cannot name a log file. Please "
                      "choose another.";
        prompter.Show(notice);
        return false;
    }

    NativePath folder = register_.DataFolder();
    if (folder.empty()) {
        const auto chosen = register_.ChooseDataFolder();
        if (!chosen) return false;
        folder = *chosen;
    }
    const std::string logPath = UserRegister::LogPathIn(folder, id);

    // Whether a failure to register the user may take back the log made for them.
    const bool logWasThere = FileExists(logPath);
    bool made;
    if (imported) {
        prompter.Show(messages.Make(msg::kPickImportFile));
        made = transfer_.TransferLog(id, logPath, TransferMode::Import);
    } else {
        made = register_.CreateEmptyLog(logPath);
    }
    if (!made) {
        prompter.Show(messages.Make(msg::kLogNotCreated));
        return false;
    }

    if (!register_.AddWithFolder(id, longName, folder)) {
        std::string consequence = "The user " + id + " was not added.";
        // The empty log made a moment ago goes with the user; any other log stays.
        const bool logTakenBack = !imported && !logWasThere && RemoveIfOnlyHeader(logPath);
        if (!logTakenBack) {
            consequence += " The log file " + TextFromNativePath(logPath) +
                           " was kept: add the user again once the settings can be saved.";
        }
        prompter.Show(SettingsNotSavedNotice(environment_.settings, consequence));
        return false;
    }
    view_.AppendRow(RowText({id, longName}));
    view_.ClearEntryFields();
    prompter.Show(messages.Make(msg::kTaskCompleted));
    return true;
}

// Only a log that holds the header alone, as made for a new user, is taken away: one with
// records in it is the user's data.
bool ManageUsers::RemoveIfOnlyHeader(const std::string& logPath) {
    // A link was made by the user, not by us: it stays, as does what was written through it.
    std::error_code ec;
    if (std::filesystem::is_symlink(FsPath(logPath), ec)) return false;
    std::vector<std::string> lines;
    FileError error;
    if (!ReadTextLines(logPath, lines, error)) return false;
    if (lines.size() != 1 || lines[0] != kVersion2Header) return false;
    return RemoveNativeFile(logPath);
}

bool ManageUsers::ValidRow(int row) const {
    return row >= 0 && static_cast<std::size_t>(row) < register_.Users().size();
}

void ManageUsers::Remove(int selectedRow) {
    if (ValidRow(selectedRow)) {
        const std::size_t row = static_cast<std::size_t>(selectedRow);
        const std::string id = register_.Users()[row].id;
        const std::size_t before = register_.Users().size();
        const bool saved = register_.Remove(row);
        const bool gone = register_.Users().size() < before;
        if (gone) view_.DeleteRow(row);
        if (!saved) {
            // The row and the buttons stay as the register stands, without "Task Completed.".
            environment_.prompter.Show(SettingsNotSavedNotice(
                environment_.settings, gone ? "The user " + id +
                                                  " was removed, but the settings still name the "
                                                  "data folder."
                                            : "The user " + id + " was not removed."));
            return;
        }
    }
    EnableEntryButtons(false);
}

void ManageUsers::Export(int selectedRow) {
    if (ValidRow(selectedRow)) {
        const std::string& id = register_.Users()[static_cast<std::size_t>(selectedRow)].id;
        if (!transfer_.TransferLog(id, register_.LogPathFor(id), TransferMode::Export)) return;
    }
    EnableEntryButtons(false);
}

void ManageUsers::EnableEntryButtons(bool enabled) {
    view_.SetEntryButtonsEnabled(enabled);
    if (!enabled) {
        view_.ClearSelection();
        environment_.prompter.Show(MessageTable::Chimeset().Make(msg::kTaskCompleted));
    }
}

void ManageUsers::SelectionChanged(int selectedRow) {
    if (ValidRow(selectedRow)) {
        EnableEntryButtons(true);
    } else {
        // Losing the selection is not the end of a task: no "Task Completed." here.
        view_.SetEntryButtonsEnabled(false);
    }
}

bool MayManageUsers(bool logOpen, Prompter& prompter) {
    if (!logOpen) return true;
    prompter.Show(MessageTable::Chimeset().Make(msg::kCloseFirst, NoticeIcon::Stop));
    return false;
}

}  // namespace chimeset
