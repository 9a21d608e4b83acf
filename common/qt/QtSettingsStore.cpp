#include "common/qt/QtSettingsStore.h"

#include <QDir>
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
    : open_([organisation, application] {
          return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                             organisation, application);
      }),
      settings_(open_()) {}

QtSettingsStore::QtSettingsStore(const QString& iniFile)
    : open_([iniFile] { return std::make_unique<QSettings>(iniFile, QSettings::IniFormat); }),
      settings_(open_()) {}

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

bool QtSettingsStore::WriteString(const std::string& section, const std::string& entry,
                                  const std::string& value) {
    ReopenAfterFailure();
    const QString key = KeyOf(section, entry);
    const QVariant before = settings_->value(key);
    settings_->setValue(key, FromWindows1252(value));
    return Commit(key, before);
}

bool QtSettingsStore::DeleteEntry(const std::string& section, const std::string& entry) {
    ReopenAfterFailure();
    const QString key = KeyOf(section, entry);
    const QVariant before = settings_->value(key);
    settings_->remove(key);
    return Commit(key, before);
}

bool QtSettingsStore::Commit(const QString& key, const QVariant& before) {
    // Settings are written when they change, not at exit.
    settings_->sync();
    lastStatus_ = settings_->status();
    // A format error is about what was read; the write itself went through.
    if (lastStatus_ != QSettings::AccessError) return true;
    // QSettings keeps the unsaved change in memory. Take it back, so that what is read is
    // what the next start will read, and so that it is not written behind the user's back
    // later on.
    if (before.isValid())
        settings_->setValue(key, before);
    else
        settings_->remove(key);
    reopen_ = true;
    return false;
}

void QtSettingsStore::ReopenAfterFailure() {
    // QSettings keeps its first error for good; a fresh one tells whether the store can be
    // written again.
    if (!reopen_) return;
    settings_ = open_();
    reopen_ = false;
}

bool QtSettingsStore::HasEntry(const std::string& section, const std::string& entry) const {
    return settings_->contains(KeyOf(section, entry));
}

std::string QtSettingsStore::Location() const {
    return ToWindows1252(QDir::toNativeSeparators(settings_->fileName()));
}

}  // namespace chimeset
