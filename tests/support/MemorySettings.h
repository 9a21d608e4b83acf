// A SettingsStore held in memory, so that no test touches the real settings.
#pragma once

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
    void WriteString(const std::string& section, const std::string& entry,
                     const std::string& value) override {
        values[{section, entry}] = value;
    }
    void DeleteEntry(const std::string& section, const std::string& entry) override {
        values.erase({section, entry});
    }
    bool HasEntry(const std::string& section, const std::string& entry) const override {
        return values.count({section, entry}) != 0;
    }

    std::map<std::pair<std::string, std::string>, std::string> values;
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
