#include "common/qt/QtMachineSettings.h"

#include <QStringList>
#include <QVariant>

#include "common/qt/Codec.h"

namespace chimeset {

QtMachineSettings::QtMachineSettings(const QString& organisation, const QString& application)
    : settings_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::SystemScope,
                                            organisation, application)) {}

QtMachineSettings::QtMachineSettings(const QString& iniFile)
    : settings_(std::make_unique<QSettings>(iniFile, QSettings::IniFormat)) {}

std::string QtMachineSettings::GetString(const std::string& entry,
                                         const std::string& defaultValue) const {
    const QVariant value = settings_->value(FromWindows1252(entry));
    if (!value.isValid()) return defaultValue;
    if (value.typeId() == QMetaType::QStringList)
        return ToWindows1252(value.toStringList().join(QLatin1Char(',')));
    return ToWindows1252(value.toString());
}

}  // namespace chimeset
