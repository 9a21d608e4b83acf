#include "users/LogOpener.h"

#include "common/MessageTable.h"
#include "users/UserRegister.h"

namespace chimeset {

std::optional<std::string> ChooseUserToOpen(const SettingsStore& settings, Prompter& prompter,
                                            const AskIdName& askIdName) {
    const MessageTable& messages = MessageTable::Chimeset();
    // A register starting with an empty item holds nobody either.
    const auto ids = SplitRegisterOfNames(settings.GetString(kUsersSection, kRegisterOfNamesEntry));
    if (ids.empty()) {
        prompter.Show(messages.Make(msg::kNoUsers));
        return std::nullopt;
    }
    if (ids.size() == 1) return ids.front();

    const auto typed = askIdName();
    if (!typed) return std::nullopt;
    for (const auto& id : ids) {
        if (id == *typed) return id;
    }
    prompter.Show(messages.Make(msg::kNotRegistered));
    return std::nullopt;
}

bool OpenUserLog(LogDocument& doc, const SettingsStore& settings, Prompter& prompter,
                 std::string& pendingUserId, const AskIdName& askIdName) {
    pendingUserId.clear();
    const auto id = ChooseUserToOpen(settings, prompter, askIdName);
    if (!id) return false;
    const std::string path = UserRegister::LogPathIn(UserRegister::DataFolderIn(settings), *id);

    // Reopening the log already open for editing would throw away nothing but the work of
    // reading it; the same file open read-only is opened again, now for editing.
    if (doc.IsLogOpen() && !doc.IsReadOnly() && doc.GetPathName() == path) return true;
    if (!doc.SaveModified()) return false;

    pendingUserId = *id;
    const bool opened = doc.OpenLog(path, pendingUserId);
    // Left set, the ID would turn the next log that arrives from outside into an editable one.
    pendingUserId.clear();
    return opened;
}

bool OpenLogFromOutside(LogDocument& doc, const std::string& path) {
    if (doc.IsLogOpen() && doc.GetPathName() == path) return true;
    if (!doc.SaveModified()) return false;
    std::string noUser;
    return doc.OpenLog(path, noUser);
}

}  // namespace chimeset
