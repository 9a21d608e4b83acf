#include "users/ManageUsers.h"

#include "common/MessageTable.h"
#include "common/Text.h"
#include "users/UsersMessages.h"

namespace chimeset {

ManageUsers::ManageUsers(const UsersEnvironment& environment, ManageUsersView& view)
    : environment_(environment),
      view_(view),
      register_(environment.settings, environment.prompter, environment.documents),
      transfer_(environment.prompter, environment.idTable, environment.programFolder) {}

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
            prompter.Show(messages.Make(usermsg::kDuplicateId));
            return false;
        }
    }
    if (!HasOnlyIdCharacters(id)) {
        prompter.Show(messages.Make(usermsg::kBadIdCharacter, NoticeIcon::Stop));
        return false;
    }
    if (id.size() < 4 || id.size() > 8 || longName.size() < 4 || longName.size() > 100 ||
        longName.find(',') != std::string::npos) {
        prompter.Show(messages.Make(usermsg::kBadLength));
        return false;
    }

    std::string folder = register_.DataFolder();
    if (folder.empty()) {
        const auto chosen = register_.ChooseDataFolder();
        if (!chosen) return false;
        folder = *chosen;
    }
    const std::string logPath = UserRegister::LogPathIn(folder, id);

    bool made;
    if (imported) {
        prompter.Show(messages.Make(usermsg::kPickImportFile));
        made = transfer_.TransferLog(id, logPath, TransferMode::Import);
    } else {
        made = register_.CreateEmptyLog(logPath);
    }
    if (!made) {
        prompter.Show(messages.Make(usermsg::kLogNotCreated));
        return false;
    }

    view_.AppendRow(RowText({id, longName}));
    register_.Add(id, longName);
    register_.SetDataFolder(folder);
    register_.Save(register_.Ids());
    view_.ClearEntryFields();
    prompter.Show(messages.Make(usermsg::kTaskCompleted));
    return true;
}

bool ManageUsers::ValidRow(int row) const {
    return row >= 0 && static_cast<std::size_t>(row) < register_.Users().size();
}

void ManageUsers::Remove(int selectedRow) {
    if (ValidRow(selectedRow)) {
        register_.Remove(static_cast<std::size_t>(selectedRow));
        view_.DeleteRow(static_cast<std::size_t>(selectedRow));
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
        environment_.prompter.Show(MessageTable::Chimeset().Make(usermsg::kTaskCompleted));
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
    prompter.Show(MessageTable::Chimeset().Make(usermsg::kCloseFirst, NoticeIcon::Stop));
    return false;
}

}  // namespace chimeset
