// The users of one installation and the one folder that holds all their logs, kept in the
// settings section "Users" (shared with the converter).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "common/PathText.h"
#include "common/Prompter.h"
#include "common/SettingsStore.h"
#include "users/DocumentsFolderProvider.h"

namespace chimeset {

inline constexpr const char* kUsersSection = "Users";
inline constexpr const char* kRegisterOfNamesEntry = "RegisterOfNames";
inline constexpr const char* kDataFolderEntry = "DataFolder";
// Shown in Manage Users for a user whose long-name entry is missing.
inline constexpr const char* kNoLongName = "No Name";

struct RegisteredUser {
    std::string id;
    std::string longName;
};

// The ID names of "RegisterOfNames", split at commas, up to the first empty item.
std::vector<std::string> SplitRegisterOfNames(const std::string& registerOfNames);
// Whether every character of an ID name is one of the letters A-Z, the digits and "_".
bool HasOnlyIdCharacters(const std::string& id);

class UserRegister {
  public:
    // The prompter and the documents folder are needed only by ChooseDataFolder and
    // CreateEmptyLog.
    UserRegister(SettingsStore& settings, Prompter& prompter,
                 const DocumentsFolderProvider& documents);

    // Reads the register into the list and returns it; a missing or empty long name is
    // "No Name".
    const std::vector<RegisteredUser>& Load();
    const std::vector<RegisteredUser>& Users() const { return users_; }
    std::vector<std::string> Ids() const;

    // Writes "RegisterOfNames" as the IDs joined by commas. False when it was not stored.
    bool Save(const std::vector<std::string>& ids);
    // Writes the user's long-name entry and appends the user to the list; the caller writes
    // "DataFolder" and saves. False, with the list unchanged, when it was not stored.
    bool Add(const std::string& id, const std::string& longName);
    // A new user whose log is in place: Add, "DataFolder", Save. When any of them is not
    // stored, what was stored is taken back as far as the store allows and the list stays
    // as it was: the user is registered either wholly or not at all.
    bool AddWithFolder(const std::string& id, const std::string& longName,
                       const NativePath& folder);
    // Deletes the user's entry, takes them out of the list and saves; with nobody left the
    // "DataFolder" and "RegisterOfNames" entries go too. The log file stays on disk. False
    // for a position outside the list, or when a change was not stored: the list then
    // still holds the user unless the register itself was saved without them.
    bool Remove(std::size_t position);

    // The folder of the logs as "DataFolder" names it; empty when it names none.
    static NativePath DataFolderIn(const SettingsStore& settings);
    NativePath DataFolder() const;
    bool SetDataFolder(const NativePath& folder);
    std::string LogPathFor(const std::string& id) const;
    static std::string LogPathIn(const NativePath& folder, const std::string& id);

    // Asks for the folder of the logs; nullopt when the user cancelled.
    std::optional<NativePath> ChooseDataFolder();
    // Creates a new user's log holding the header alone, or keeps an existing one when the
    // user says so. False after a file error, which has been shown.
    bool CreateEmptyLog(const std::string& logPath);

  private:
    SettingsStore& settings_;
    Prompter& prompter_;
    const DocumentsFolderProvider& documents_;
    std::vector<RegisteredUser> users_;
};

}  // namespace chimeset
