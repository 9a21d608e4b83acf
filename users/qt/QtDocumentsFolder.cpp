#include "users/qt/QtDocumentsFolder.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace chimeset {

std::string QtDocumentsFolder::DocumentsFolder() const {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty()) return {};
    // Native separators and the file system's own encoding: the core hands it to fopen.
    return QFile::encodeName(QDir::toNativeSeparators(folder)).toStdString();
}

}  // namespace chimeset
