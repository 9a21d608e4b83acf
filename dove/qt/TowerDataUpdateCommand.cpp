#include "dove/qt/TowerDataUpdateCommand.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <algorithm>

#include "common/PathText.h"
#include "common/TextFile.h"
#include "dove/TowerDataUpdate.h"
#include "visits/CChimesetDoc.h"

namespace chimeset {
namespace {

// Where each stage of the update starts on the progress bar (of 100); converting is most
// of the work.
int ProgressAt(UpdateStage stage, std::size_t done, std::size_t total) {
    int from = 0;
    int to = 0;
    switch (stage) {
        case UpdateStage::kReading:
            from = 0, to = 5;
            break;
        case UpdateStage::kConverting:
            from = 5, to = 85;
            break;
        case UpdateStage::kWriting:
            from = 85, to = 95;
            break;
        case UpdateStage::kLoading:
            from = 95, to = 100;
            break;
    }
    if (total == 0) return from;
    const double part = static_cast<double>(std::min(done, total)) / static_cast<double>(total);
    return from + static_cast<int>(part * (to - from));
}

}  // namespace

bool RunTowerDataUpdate(const TowerDataUpdateRequest& request) {
    FileDialogRequest dialog;
    dialog.title = "Update Tower Data from Dove's Guide Download";
    dialog.initialPath = NativePath(request.downloadsFolder);
    dialog.filter = "Dove's Guide Downloads (*.csv)|*.csv|All Files (*)|*||";
    dialog.mustExist = true;
    const std::optional<std::string> chosen = request.prompter.AskOpenFileName(dialog);
    if (!chosen) return false;

    QProgressDialog progress(
        QCoreApplication::translate("TowerDataUpdate", "Updating the tower data..."),
        QCoreApplication::translate("TowerDataUpdate", "Cancel"), 0, 100, request.parent);
    progress.setObjectName(QStringLiteral("towerDataProgress"));
    progress.setWindowTitle(QStringLiteral("Chimeset"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(request.progressDelayMs);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setValue(0);
    bool writing = false;
    TowerDataUpdate result = UpdateTowerDatabase(
        *chosen, request.databasePath,
        [&progress, &writing](UpdateStage stage, std::size_t done, std::size_t total) {
            // Once the old database is being replaced, the work goes to its end.
            if (stage >= UpdateStage::kWriting && !writing) {
                writing = true;
                progress.setCancelButton(nullptr);
            }
            progress.setValue(ProgressAt(stage, done, total));
            return writing || !progress.wasCanceled();
        });
    if (!result.ok) {
        progress.close();
        if (result.stopped) return false;
        Notice notice;
        notice.text = DescribeUpdateFailure(result);
        notice.icon = NoticeIcon::Stop;
        notice.helpContext = request.helpContext;
        request.prompter.Show(notice);
        return false;
    }

    const bool logOpen = request.doc.IsLogOpen();
    const CChimesetDoc::DatabaseReplacement carried =
        request.doc.ReplaceDatabase(std::move(result.database));
    progress.setValue(100);
    progress.close();

    Notice notice;
    notice.icon = NoticeIcon::Information;
    notice.helpContext = request.helpContext;
    notice.text = "The tower data was updated from " + TextFromNativePath(*chosen) + ".\r\n";
    for (const std::string& line : DescribeUpdate(result, TextFromNativePath(request.databasePath),
                                                  logOpen ? &carried : nullptr))
        notice.text += "\r\n" + line;
    request.prompter.Show(notice);
    return true;
}

}  // namespace chimeset
