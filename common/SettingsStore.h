// Per-user settings: sections of text entries, written at once when they change.
#pragma once

#include <string>

#include "common/Prompter.h"

namespace chimeset {

class SettingsStore {
  public:
    virtual ~SettingsStore() = default;

    virtual std::string GetString(const std::string& section, const std::string& entry,
                                  const std::string& defaultValue = {}) const = 0;
    // Both changes report whether they were stored: false when the store cannot be written
    // (a read-only or full settings folder). A change that was not stored is not read back
    // either, so the program and the next start see the same settings.
    virtual bool WriteString(const std::string& section, const std::string& entry,
                             const std::string& value) = 0;
    // Writing "no value": the entry disappears.
    virtual bool DeleteEntry(const std::string& section, const std::string& entry) = 0;
    virtual bool HasEntry(const std::string& section, const std::string& entry) const = 0;

    // Where the settings are kept (a file or registry key), for the user; may be empty.
    virtual std::string Location() const { return {}; }
};

// The message for settings that could not be stored: where they are kept, why that may
// be, and what the failure means for what the user just did.
Notice SettingsNotSavedNotice(const SettingsStore& store, const std::string& consequence);

// Read-only access to machine-wide values (the database installer's records).
class MachineSettings {
  public:
    virtual ~MachineSettings() = default;
    virtual std::string GetString(const std::string& entry,
                                  const std::string& defaultValue = {}) const = 0;
};

}  // namespace chimeset
