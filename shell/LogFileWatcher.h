// Watches the open log's file for changes made by another program or on another computer
// (a sync service), and lets the document offer to read the log again. Editors and sync
// services replace a file by renaming a new one over it, which ends a watch on the file
// itself; the folder is watched too and the file's watch is taken up again.
#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

#include "common/Document.h"

namespace chimeset {

class CChimesetDoc;

class LogFileWatcher : public QObject, public DocumentListener {
    Q_OBJECT

  public:
    // A change is looked at once the file has been quiet this long: a sync service may
    // write a file in several steps.
    static constexpr int kSettleMilliseconds = 300;

    explicit LogFileWatcher(CChimesetDoc& doc, QObject* parent = nullptr);
    ~LogFileWatcher() override;

    void OnDocumentUpdate(UpdateHint hint) override;
    // Watches the document's file now, after anything that may have changed its path.
    void Retarget();

    const QString& WatchedFile() const { return file_; }
    const QFileSystemWatcher& Watcher() const { return watcher_; }

  private:
    void OnChange();
    void Check();

    CChimesetDoc& doc_;
    QFileSystemWatcher watcher_;
    QTimer settle_;
    QString file_;
    QString folder_;
    bool checking_ = false;
};

}  // namespace chimeset
