#include "shell/LogFileWatcher.h"

#include <QFileInfo>

#include "common/qt/Codec.h"
#include "visits/CChimesetDoc.h"

namespace chimeset {

LogFileWatcher::LogFileWatcher(CChimesetDoc& doc, QObject* parent) : QObject(parent), doc_(doc) {
    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMilliseconds);
    connect(&settle_, &QTimer::timeout, this, &LogFileWatcher::Check);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &LogFileWatcher::OnChange);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &LogFileWatcher::OnChange);
    doc_.AddListener(this);
    Retarget();
}

LogFileWatcher::~LogFileWatcher() {
    doc_.RemoveListener(this);
}

void LogFileWatcher::OnDocumentUpdate(UpdateHint /*hint*/) {
    Retarget();
}

void LogFileWatcher::Retarget() {
    const bool watching = doc_.IsLogOpen() && !doc_.GetPathName().empty();
    const QString file =
        watching ? QFileInfo(FromNativePath(doc_.GetPathName())).absoluteFilePath() : QString();
    const QString folder = watching ? QFileInfo(file).absolutePath() : QString();
    if (file != file_) {
        if (!file_.isEmpty()) watcher_.removePath(file_);
        file_ = file;
    }
    if (folder != folder_) {
        if (!folder_.isEmpty()) watcher_.removePath(folder_);
        folder_ = folder;
        if (!folder_.isEmpty()) watcher_.addPath(folder_);
    }
    // A file replaced by a rename is no longer watched; the new one is, once it is there.
    if (!file_.isEmpty() && !watcher_.files().contains(file_) && QFileInfo::exists(file_))
        watcher_.addPath(file_);
}

void LogFileWatcher::OnChange() {
    Retarget();
    if (!file_.isEmpty()) settle_.start();
}

void LogFileWatcher::Check() {
    // The question is modal: changes while it is shown wait for its answer.
    if (checking_) {
        settle_.start();
        return;
    }
    checking_ = true;
    doc_.OfferReload();
    checking_ = false;
    Retarget();
}

}  // namespace chimeset
