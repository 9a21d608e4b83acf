// The per-user settings store on QSettings in native format: the registry key
// HKEY_CURRENT_USER\Software\<organisation>\<application> on Windows,
// ~/.config/<organisation>/<application>.conf here. Sections are groups.
#pragma once

#include <QSettings>
#include <QString>
#include <functional>
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
    bool WriteString(const std::string& section, const std::string& entry,
                     const std::string& value) override;
    bool DeleteEntry(const std::string& section, const std::string& entry) override;
    bool HasEntry(const std::string& section, const std::string& entry) const override;
    std::string Location() const override;

    // QSettings::AccessError when the last change could not be stored.
    QSettings::Status Status() const { return lastStatus_; }

  private:
    // Writes the change made to the key through; on failure takes it back, so that what is
    // read stays what is stored.
    bool Commit(const QString& key, const QVariant& before);
    void ReopenAfterFailure();

    std::function<std::unique_ptr<QSettings>()> open_;
    std::unique_ptr<QSettings> settings_;
    QSettings::Status lastStatus_ = QSettings::NoError;
    bool reopen_ = false;
};

}  // namespace chimeset
