// A SettingsStore held in memory, so that no test touches the real settings.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <utility>

#include "common/SettingsStore.h"

namespace chimeset::testing {

class MemorySettings : public SettingsStore {
  public:
    std::string GetString(const std::string& section, const std::string& entry,
                          const std::string& defaultValue = {}) const override {
        const auto it = values.find({section, entry});
        return it == values.end() ? defaultValue : it->second;
    }
    bool WriteString(const std::string& section, const std::string& entry,
                     const std::string& value) override {
        if (Refuses(entry)) return false;
        values[{section, entry}] = value;
        return true;
    }
    bool DeleteEntry(const std::string& section, const std::string& entry) override {
        if (Refuses(entry)) return false;
        values.erase({section, entry});
        return true;
    }
    bool HasEntry(const std::string& section, const std::string& entry) const override {
        return values.count({section, entry}) != 0;
    }

    std::string Location() const override { return "the test settings"; }

    std::map<std::pair<std::string, std::string>, std::string> values;
    // Which entries cannot be changed, as in a settings folder that turned read-only or a
    // disk that filled up; unset: every change is stored.
    std::function<bool(const std::string& entry)> refuses;

  private:
    bool Refuses(const std::string& entry) const { return refuses && refuses(entry); }
};

class MemoryMachineSettings : public MachineSettings {
  public:
    std::string GetString(const std::string& entry,
                          const std::string& defaultValue = {}) const override {
        const auto it = values.find(entry);
        return it == values.end() ? defaultValue : it->second;
    }
    std::map<std::string, std::string> values;
};

}  // namespace chimeset::testing
