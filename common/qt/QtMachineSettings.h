// Machine-wide values written by the database installer, read only:
// HKEY_LOCAL_MACHINE\Software\<organisation>\<application> on Windows, the system-wide
// configuration (e.g. /etc/xdg/<organisation>/<application>.conf) here.
#pragma once

#include <QSettings>
#include <QString>
#include <memory>

#include "common/SettingsStore.h"

namespace chimeset {

class QtMachineSettings : public MachineSettings {
  public:
    QtMachineSettings(const QString& organisation, const QString& application);
    // Values from one INI file, for tests.
    explicit QtMachineSettings(const QString& iniFile);

    std::string GetString(const std::string& entry,
                          const std::string& defaultValue = {}) const override;

  private:
    std::unique_ptr<QSettings> settings_;
};

}  // namespace chimeset
