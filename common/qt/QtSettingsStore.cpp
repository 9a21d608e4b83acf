#include "common/qt/QtSettingsStore.h"

#include <QStringList>
#include <QVariant>

#include "common/qt/Codec.h"

namespace chimeset {
namespace {

QString KeyOf(const std::string& section, const std::string& entry) {
    return FromWindows1252(section) + QLatin1Char('/') + FromWindows1252(entry);
}

}  // namespace

QtSettingsStore::QtSettingsStore(const QString& organisation, const QString& application)
    : settings_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                            organisation, application)) {}

QtSettingsStore::QtSettingsStore(const QString& iniFile)
    : settings_(std::make_unique<QSettings>(iniFile, QSettings::IniFormat)) {}

std::string QtSettingsStore::GetString(const std::string& section, const std::string& entry,
                                       const std::string& defaultValue) const {
    const QVariant value = settings_->value(KeyOf(section, entry));
    if (!value.isValid()) return defaultValue;
    // An INI value with unquoted commas (edited by hand) comes back as a list; it is still
    // one text, for example the register of names.
    if (value.typeId() == QMetaType::QStringList)
        return ToWindows1252(value.toStringList().join(QLatin1Char(',')));
    return ToWindows1252(value.toString());
}

void QtSettingsStore::WriteString(const std::string& section, const std::string& entry,
                                  const std::string& value) {
    settings_->setValue(KeyOf(section, entry), FromWindows1252(value));
    // Settings are written when they change, not at exit.
    settings_->sync();
}

void QtSettingsStore::DeleteEntry(const std::string& section, const std::string& entry) {
    settings_->remove(KeyOf(section, entry));
    settings_->sync();
}

bool QtSettingsStore::HasEntry(const std::string& section, const std::string& entry) const {
    return settings_->contains(KeyOf(section, entry));
}

}  // namespace chimeset
