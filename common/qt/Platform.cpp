#include "common/qt/Platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "common/qt/Codec.h"

#ifndef _WIN32
#include <pwd.h>
#include <unistd.h>
#endif

namespace chimeset {

std::string DocumentsFolder() {
    // Not every desktop makes a Documents folder; the home folder is then the user's own.
    for (const QString& folder :
         {QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation), QDir::homePath()}) {
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            return ToNativePath(QDir::cleanPath(folder));
    }
    return {};
}

std::string ProgramFolder() {
    return ToNativePath(QCoreApplication::applicationDirPath());
}

std::string LoggedOnUserName() {
    QString name;
#ifdef _WIN32
    name = qEnvironmentVariable("USERNAME");
#else
    if (const passwd* entry = ::getpwuid(::geteuid()); entry && entry->pw_name)
        name = QString::fromLocal8Bit(entry->pw_name);
    if (name.isEmpty()) name = qEnvironmentVariable("USER");
#endif
    // The name field holds at most 256 characters and its terminator.
    return ToWindows1252(name.left(256));
}

}  // namespace chimeset
