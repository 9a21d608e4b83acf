#include "shell/CChimesetApp.h"

#include <QDir>
#include <QFileInfo>

#include "common/MessageTable.h"
#include "common/TextFile.h"
#include "common/qt/Codec.h"
#include "common/qt/HelpWindow.h"
#include "common/qt/QtMachineSettings.h"
#include "dove/qt/TowerDataUpdateCommand.h"
#include "grabs/qt/StatisticsCharts.h"
#include "shell/CAboutDlg.h"
#include "shell/CCheckUpdatesDlg.h"
#include "shell/CMainFrame.h"
#include "users/LogDocument.h"
#include "users/LogOpener.h"
#include "users/qt/COpenLogDlg.h"
#include "view/CChimesetView.h"
#include "view/CommandIds.h"

namespace chimeset {

CChimesetApp::CChimesetApp(AppServices services, QObject* parent)
    : QObject(parent),
      services_(std::move(services)),
      paths_(FindDataPaths(services_.programFolder, services_.userDataFolder, &FileExists)) {}

CChimesetApp::~CChimesetApp() = default;

bool CChimesetApp::InitInstance(const QStringList& arguments) {
    // The first argument that is not a switch names a log; switches are for others.
    QString logPath;
    for (const QString& argument : arguments) {
        if (argument.startsWith(QLatin1Char('-'))) continue;
        logPath = argument;
        break;
    }

    SetStatisticsChartsFolder(FromNativePath(paths_.libraryFolder));
    doc_ = std::make_unique<CChimesetDoc>(paths_.DatabaseFolder(), services_.prompter,
                                          services_.settings, services_.today);
    // The log opens before the window exists, so that the window is built and its tower list
    // filled once, for the log, rather than once without it and again with it. The window
    // reads the document as it is when made; its initial update fits it and loads the print
    // settings, as an opened log's would.
    const bool opened = logPath.isEmpty() || OpenFromOutside(logPath);
    if (services_.beforeWindow) services_.beforeWindow();
    frame_ = std::make_unique<CMainFrame>(*this, *doc_, services_.prompter, HelpFunction());
    frame_->View()->OnInitialUpdate();
    if (!opened) return false;

    frame_->UpdateCommandStates();
    frame_->show();
    frame_->repaint();
    return true;
}

bool CChimesetApp::OpenFromOutside(const QString& path) {
    LogDocumentAdapter<CChimesetDoc> document(*doc_);
    const bool opened =
        OpenLogFromOutside(document, ToNativePath(QFileInfo(path).absoluteFilePath()));
    if (opened && frame_) OnLogOpened();
    return opened;
}

// What the view's initial update does for each log: fit the frame, and print settings
// from the profile again (the font back to Arial 8).
void CChimesetApp::OnLogOpened() {
    frame_->FitToForm();
    if (PrintController* printing = frame_->View()->Printing()) printing->LoadSettings();
}

ShowHelp CChimesetApp::HelpFunction() {
    return [this](std::uint32_t context) { WinHelp(context, kHelpContext); };
}

void CChimesetApp::WinHelp(std::uint32_t context, int command) {
    if (helpState_ == HelpState::Unbound) {
        // Looked for once: help that was missing at the first request stays off for the run.
        const bool present =
            QFileInfo(QDir(services_.helpFolder).filePath(QStringLiteral("topics.map"))).isFile();
        helpState_ = present ? HelpState::Bound : HelpState::Missing;
        if (present)
            help_ =
                std::make_unique<HelpWindow>(services_.helpFolder, QStringLiteral("Chimeset Help"));
    }
    if (helpState_ != HelpState::Bound) return;
    if (command == kHelpContext)
        help_->ShowContext(context);
    else if (command == kHelpFinder)
        help_->ShowDefault();
}

void CChimesetApp::OnAppAbout() {
    CAboutDlg dialog(TowerDataCredit(doc_ ? doc_->Database() : TowerDatabase()), HelpFunction(),
                     frame_.get());
    dialog.exec();
}

void CChimesetApp::OnFileOpen() {
    LogDocumentAdapter<CChimesetDoc> document(*doc_);
    const bool opened = OpenUserLog(document, services_.settings, services_.prompter, PendingUserId,
                                    COpenLogDlg::Asker(frame_.get(), HelpFunction()));
    if (opened && frame_) OnLogOpened();
}

// The database installer's records, machine-wide.
void CChimesetApp::OnCheckForUpdates() {
    const QtMachineSettings machine(QStringLiteral("Hollowmere"), QStringLiteral("Chimeroll"));
    RunCheckForUpdates(machine, HelpFunction(), frame_.get());
}

void CChimesetApp::OnUpdateTowerData() {
    if (!doc_ || !CanUpdateTowerData()) return;
    const TowerDataUpdateRequest request{*doc_,
                                         services_.prompter,
                                         paths_.userDatabase,
                                         services_.downloadsFolder,
                                         kCommandHelpBase + kCmdUpdateTowerData,
                                         frame_.get()};
    // From now on the user's own database is the one read.
    if (RunTowerDataUpdate(request)) paths_.database = paths_.userDatabase;
}

void CChimesetApp::OnHelpTopics() {
    WinHelp(0, kHelpFinder);
}

void CChimesetApp::OnHelp() {
    WinHelp(kDialogHelpBase + kMainWindowResource, kHelpContext);
}

void CChimesetApp::OnContextHelp() {
    if (frame_) frame_->EnterContextHelp();
}

}  // namespace chimeset
