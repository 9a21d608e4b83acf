#include "common/qt/DataFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "common/qt/Codec.h"
#include "common/qt/Platform.h"

namespace chimeset {

std::string UserDataFolder() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return folder.isEmpty() ? std::string() : ToNativePath(QDir::cleanPath(folder));
}

std::string DownloadsFolder() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        return ToNativePath(QDir::cleanPath(folder));
    return DocumentsFolder();
}

DataPaths ProgramDataPaths(const std::string& userFolder) {
    return FindDataPaths(ProgramFolder(), userFolder, [](const std::string& path) {
        return QFileInfo::exists(FromNativePath(path));
    });
}

}  // namespace chimeset
