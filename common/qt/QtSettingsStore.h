// The per-user settings store on QSettings in native format: the registry key
// HKEY_CURRENT_USER\Software\<organisation>\<application> on Windows,
// ~/.config/<organisation>/<application>.conf here. Sections are groups.
#pragma once

#include <QSettings>
#include <QString>
#include <memory>

#include "common/SettingsStore.h"

namespace chimeset {

class QtSettingsStore : public SettingsStore {
  public:
    QtSettingsStore(const QString& organisation, const QString& application);
    // A store kept in one file, for tools and tests that must not touch the user's settings.
    explicit QtSettingsStore(const QString& iniFile);

    std::string GetString(const std::string& section, const std::string& entry,
                          const std::string& defaultValue = {}) const override;
    void WriteString(const std::string& section, const std::string& entry,
                     const std::string& value) override;
    void DeleteEntry(const std::string& section, const std::string& entry) override;
    bool HasEntry(const std::string& section, const std::string& entry) const override;

    // QSettings::NoError unless the last write could not be stored.
    QSettings::Status Status() const { return settings_->status(); }

  private:
    std::unique_ptr<QSettings> settings_;
};

}  // namespace chimeset
