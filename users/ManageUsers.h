// The rules of the Manage Users screen: adding users with a new or an imported log,
// removing them and exporting their logs. Every change reaches the settings at once.
#pragma once

#include <string>
#include <vector>

#include "common/Prompter.h"
#include "common/SettingsStore.h"
#include "users/DocumentsFolderProvider.h"
#include "users/IdTableLibrary.h"
#include "users/LogTransfer.h"
#include "users/ManageUsersView.h"
#include "users/UserRegister.h"

namespace chimeset {

// What the users screens reach outside themselves.
struct UsersEnvironment {
    SettingsStore& settings;
    Prompter& prompter;
    const DocumentsFolderProvider& documents;
    IdTableLibrary& idTable;
    std::string programFolder;  // where the CB2TB library lies
};

class ManageUsers {
  public:
    ManageUsers(const UsersEnvironment& environment, ManageUsersView& view);

    // Loads the register and fills the list, one row per user in register order.
    void Open();

    // Add New (imported false) and Import && Add (imported true), with the text of the two
    // fields. True when the user was added.
    bool AddUser(bool imported, const std::string& idText, const std::string& longName);
    // The selected row, or -1.
    void Remove(int selectedRow);
    void Export(int selectedRow);
    void EnableEntryButtons(bool enabled);
    void SelectionChanged(int selectedRow);

    const std::vector<RegisteredUser>& Users() const { return register_.Users(); }
    static std::string RowText(const RegisteredUser& user);

  private:
    bool ValidRow(int row) const;
    static bool RemoveIfOnlyHeader(const std::string& logPath);

    UsersEnvironment environment_;
    ManageUsersView& view_;
    UserRegister register_;
    LogTransfer transfer_;
};

// The Manage Users command: refused with a message while a log is open.
bool MayManageUsers(bool logOpen, Prompter& prompter);

}  // namespace chimeset
