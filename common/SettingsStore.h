// Per-user settings: sections of text entries, written at once when they change.
#pragma once

#include <string>

namespace chimeset {

class SettingsStore {
  public:
    virtual ~SettingsStore() = default;

    virtual std::string GetString(const std::string& section, const std::string& entry,
                                  const std::string& defaultValue = {}) const = 0;
    virtual void WriteString(const std::string& section, const std::string& entry,
                             const std::string& value) = 0;
    // Writing "no value": the entry disappears.
    virtual void DeleteEntry(const std::string& section, const std::string& entry) = 0;
    virtual bool HasEntry(const std::string& section, const std::string& entry) const = 0;
};

// Read-only access to machine-wide values (the database installer's records).
class MachineSettings {
  public:
    virtual ~MachineSettings() = default;
    virtual std::string GetString(const std::string& entry,
                                  const std::string& defaultValue = {}) const = 0;
};

}  // namespace chimeset
