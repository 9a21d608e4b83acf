#include "shell/CMainFrame.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QUrl>

#include "common/MessageTable.h"
#include "common/qt/Codec.h"
#include "common/qt/HelpWindow.h"
#include "grabs/qt/CStatisticsDlg.h"
#include "grabs/qt/CTowersNearDlg.h"
#include "grabs/qt/TowerSelection.h"
#include "map/qt/MapResource.h"
#include "shell/CChimesetApp.h"
#include "shell/LogFileWatcher.h"
#include "shell/MapWindowHost.h"
#include "users/ManageUsers.h"
#include "users/qt/CManageUsersDlg.h"
#include "view/CommandIds.h"
#include "view/TowerListBox.h"
#include "visits/CChimesetDoc.h"

namespace chimeset {
namespace {

const char* const kWindowTitle = "Clangbook Log";
const char* const kIdleText = "For Help, press F1";
const char* const kContextHelpText = "Select an object on which to get Help";

}  // namespace

CMainFrame::CMainFrame(CChimesetApp& app, CChimesetDoc& doc, Prompter& prompter, ShowHelp showHelp)
    : app_(app),
      doc_(doc),
      prompter_(prompter),
      showHelp_(std::move(showHelp)),
      view_(new CChimesetView(doc, prompter, showHelp_, this)),
      logWatcher_(new LogFileWatcher(doc, this)) {
    setObjectName(QStringLiteral("mainFrame"));
    setCentralWidget(view_);
    view_->SetPrintSettingsStore(app_.Services().settings);
    mapHost_ = new MapWindowHost(doc_, *view_, &BuiltInMap, this);
    BuildMenus();
    BuildStatusBar();
    setAcceptDrops(true);
    qApp->installEventFilter(this);
    // A file dropped on the list's edit field is meant for the window, not as typed text.
    view_->TowerList()->Edit()->setAcceptDrops(false);

    connect(view_, &CChimesetView::statusPaneTextChanged, statusPane_, &QLabel::setText);
    connect(view_, &CChimesetView::commandStateChanged, this, &CMainFrame::UpdateCommandStates);
    connect(view_, &CChimesetView::fitFrameRequested, this, &CMainFrame::FitToForm);
    doc_.AddListener(this);
    UpdateCaption();
}

CMainFrame::~CMainFrame() {
    doc_.RemoveListener(this);
    if (contextHelp_) QApplication::restoreOverrideCursor();
}

QAction* CMainFrame::AddCommand(QMenu* menu, int command, const QString& text,
                                const QString& prompt, const QKeySequence& shortcut) {
    auto* action = new QAction(text, this);
    action->setObjectName(QStringLiteral("command%1").arg(command));
    action->setData(command);
    action->setStatusTip(prompt);
    if (!shortcut.isEmpty()) action->setShortcut(shortcut);
    connect(action, &QAction::triggered, this, [this, command] { OnCommand(command); });
    if (menu)
        menu->addAction(action);
    else
        addAction(action);  // an accelerator without a menu item
    actions_[command] = action;
    return action;
}

void CMainFrame::BuildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    AddCommand(file, kCmdFileOpen, QStringLiteral("&Open Visit Logfile...\tCtrl+O"),
               QStringLiteral("Open an existing document"), QKeySequence(Qt::CTRL | Qt::Key_O));
    AddCommand(file, kCmdFileSave, QStringLiteral("&Save Changes\tCtrl+S"),
               QStringLiteral("Save the active Visit Log"), QKeySequence(Qt::CTRL | Qt::Key_S));
    AddCommand(file, kCmdFileClose, QStringLiteral("&Close Current Logfile"),
               QStringLiteral("Close the current Users visit Logfile"));
    file->addSeparator();
    AddCommand(file, kCmdUpdateTowerData,
               QStringLiteral("&Update Tower Data from Dove's Guide Download..."),
               QStringLiteral("Replace the tower list with one from a Dove's Guide CSV download"));
    file->addSeparator();
    AddCommand(file, kCmdFilePrintPreview, QStringLiteral("Print Pre&view"),
               QStringLiteral("Display full pages"));
    AddCommand(file, kCmdFilePrint, QStringLiteral("&Print...\tCtrl+P"),
               QStringLiteral("Print the active document"), QKeySequence(Qt::CTRL | Qt::Key_P));
    AddCommand(file, kCmdExportMap, QStringLiteral("Export &Map..."),
               QStringLiteral("Write the tower map as a PNG, SVG or PDF poster"));
    file->addSeparator();
    AddCommand(file, kCmdAppExit, QStringLiteral("E&xit"),
               QStringLiteral("Quit the application; prompts to save documents"));

    QMenu* actions = menuBar()->addMenu(QStringLiteral("&Actions"));
    QMenu* search = actions->addMenu(QStringLiteral("Tower &Search"));
    AddCommand(search, kCmdFind, QStringLiteral("&Find...\tAlt+F3"),
               QStringLiteral("Find the First Occurrence"), QKeySequence(Qt::ALT | Qt::Key_F3));
    AddCommand(search, kCmdFindNext, QStringLiteral("&Find Next\tF3"),
               QStringLiteral("Find the Next Occurrence if any"), QKeySequence(Qt::Key_F3));
    actions->addSeparator();
    AddCommand(actions, kCmdTenorInKilograms, QStringLiteral("&Tenor in Kilograms"),
               QStringLiteral("Display Tenor Bell Weight in Kg"))
        ->setCheckable(true);
    AddCommand(actions, kCmdSetPrintContents, QStringLiteral("Set &Print Contents..."),
               QStringLiteral("Set the Items and Column widths when printing"));
    AddCommand(actions, kCmdCopyToClipboard, QStringLiteral("&Copy to Clipboard"),
               QStringLiteral("Copies the Log to the Clipboard for word processing"));
    AddCommand(actions, kCmdStatistics, QStringLiteral("Stat&istics..."),
               QStringLiteral("Towers visited in all, by county, by bells and by year"));
    AddCommand(actions, kCmdTowersNear, QStringLiteral("Towers &Near..."),
               QStringLiteral("The towers within a distance of the current tower"));
    AddCommand(actions, kCmdTowerMap, QStringLiteral("Tower &Map"),
               QStringLiteral("Show every tower on a map of the British Isles"));
    actions->addSeparator();
    AddCommand(actions, kCmdManageUsers, QStringLiteral("Manage &Users..."),
               QStringLiteral("Creates Additional Users"));
    AddCommand(actions, kCmdBackupInformation, QStringLiteral("&Backup Information..."),
               QStringLiteral("Logfile details for backing up data"));
    actions->addSeparator();
    AddCommand(actions, kCmdCheckForUpdate, QStringLiteral("Chec&k for Database Update"),
               QStringLiteral("Check to see if an update for Dove database update"));
    AddCommand(actions, kCmdAddAdditionalTower, QStringLiteral("&Add additional Tower"),
               QStringLiteral("Adds a tower not in this version of Dove"));

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    AddCommand(help, kCmdHelpTopics, QStringLiteral("&Help Topics"),
               QStringLiteral("List Help topics"));
    help->addSeparator();
    AddCommand(help, kCmdAppAbout, QStringLiteral("&About Chimeset..."),
               QStringLiteral("Display program information, version number and copyright"));

    // Accelerators without a menu item.
    AddCommand(nullptr, kCmdFileNew, QString(), QString(), QKeySequence(Qt::CTRL | Qt::Key_N));
    AddCommand(nullptr, kCmdHelp, QString(), QString(), QKeySequence(Qt::Key_F1));
    AddCommand(nullptr, kCmdContextHelp, QString(), QString(),
               QKeySequence(Qt::SHIFT | Qt::Key_F1));

    for (QMenu* menu : {file, actions, search, help}) {
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
    }
}

void CMainFrame::BuildStatusBar() {
    messagePane_ = new QLabel(QString::fromLatin1(kIdleText), this);
    messagePane_->setObjectName(QStringLiteral("messagePane"));
    statusBar()->addWidget(messagePane_, 1);
    statusPane_ = new QLabel(QString::fromLatin1(kStatusPaneDefaultText), this);
    statusPane_->setObjectName(QStringLiteral("statusPane%1").arg(kStatusPaneId));
    statusPane_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    statusPane_->setAlignment(Qt::AlignCenter);
    // Sized for its default text, the longest it shows.
    statusPane_->setMinimumWidth(statusPane_->sizeHint().width() +
                                 statusPane_->fontMetrics().averageCharWidth() * 2);
    statusBar()->addPermanentWidget(statusPane_);
}

QAction* CMainFrame::Action(int command) const {
    const auto it = actions_.find(command);
    return it == actions_.end() ? nullptr : it->second;
}

void CMainFrame::SetEnabled(int command, bool enabled) {
    if (QAction* action = Action(command)) action->setEnabled(enabled || contextHelp_);
}

void CMainFrame::UpdateCommandStates() {
    SetEnabled(kCmdFileNew, false);
    SetEnabled(kCmdFileOpen, doc_.CanOpenLog());
    SetEnabled(kCmdFileSave, doc_.CanSave());
    SetEnabled(kCmdFileClose, doc_.CanClose());
    for (const int print : {int(kCmdFilePrint), int(kCmdFilePrintPreview)})
        SetEnabled(print, doc_.CanPrint() && view_->OutputCommandBuilt(print));
    for (const int find : {int(kCmdFind), int(kCmdFindNext)})
        SetEnabled(find, view_->CanFind() && view_->OutputCommandBuilt(find));
    SetEnabled(kCmdSetPrintContents,
               view_->CanSetPrintContents() && view_->OutputCommandBuilt(kCmdSetPrintContents));
    SetEnabled(kCmdCopyToClipboard,
               view_->CanCopyToClipboard() && view_->OutputCommandBuilt(kCmdCopyToClipboard));
    SetEnabled(kCmdManageUsers, doc_.CanManageUsers());
    SetEnabled(kCmdBackupInformation, doc_.CanShowBackupInformation());
    SetEnabled(kCmdCheckForUpdate, app_.CheckForUpdatesBuilt());
    SetEnabled(kCmdAddAdditionalTower, doc_.CanAddAdditionalTower());
    SetEnabled(kCmdUpdateTowerData, app_.CanUpdateTowerData());
    SetEnabled(kCmdStatistics, doc_.IsDatabaseLoaded() && doc_.IsLogOpen());
    SetEnabled(kCmdTowersNear, doc_.IsDatabaseLoaded());
    for (const int map : {int(kCmdTowerMap), int(kCmdExportMap)})
        SetEnabled(map, mapHost_->CanOpenMap());
    Action(kCmdTenorInKilograms)->setChecked(doc_.IsKilograms());
}

void CMainFrame::UpdateCaption() {
    const std::string& title = doc_.GetTitle();
    const QString shown = title.empty() ? QStringLiteral("Untitled") : FromWindows1252(title);
    setWindowTitle(shown + QStringLiteral(" - ") + QString::fromLatin1(kWindowTitle));
}

void CMainFrame::OnDocumentUpdate(UpdateHint /*hint*/) {
    UpdateCaption();
    UpdateCommandStates();
}

void CMainFrame::FitToForm() {
    if (isMaximized() || isFullScreen()) return;
    QSize wanted = sizeHint();
    if (const QScreen* screen = this->screen()) wanted = wanted.boundedTo(screen->availableSize());
    resize(wanted);
}

// ------------------------------------------------------------------ commands

void CMainFrame::OnCommand(int command) {
    if (contextHelp_ && command != kCmdContextHelp) {
        LeaveContextHelp();
        if (showHelp_) showHelp_(kCommandHelpBase + static_cast<std::uint32_t>(command));
        return;
    }
    // A command whose item is greyed does nothing, whichever way it arrives.
    UpdateCommandStates();
    if (QAction* action = Action(command); action && !action->isEnabled()) return;
    switch (command) {
        case kCmdFileOpen:
            app_.OnFileOpen();
            break;
        case kCmdFileSave:
            doc_.Save();
            // Saved under another name, the log has a new file and caption.
            UpdateCaption();
            logWatcher_->Retarget();
            break;
        case kCmdFileClose:
            doc_.CloseLog();
            break;
        case kCmdFilePrintPreview:
            view_->OnFilePrintPreview();
            break;
        case kCmdFilePrint:
            view_->OnFilePrint();
            break;
        case kCmdAppExit:
            close();
            break;
        case kCmdFind:
            view_->OnFind();
            break;
        case kCmdFindNext:
            view_->OnFindNext();
            break;
        case kCmdTenorInKilograms:
            doc_.ToggleKilograms();
            break;
        case kCmdSetPrintContents:
            view_->OnSetPrintContents();
            break;
        case kCmdCopyToClipboard:
            view_->OnCopyToClipboard();
            break;
        case kCmdManageUsers:
            ManageUsers();
            break;
        case kCmdBackupInformation:
            doc_.ShowBackupInformation();
            break;
        case kCmdCheckForUpdate:
            app_.OnCheckForUpdates();
            break;
        case kCmdUpdateTowerData:
            app_.OnUpdateTowerData();
            break;
        case kCmdAddAdditionalTower:
            view_->EditAdditionalTower(-1);
            break;
        case kCmdStatistics: {
            CStatisticsDlg dialog(doc_, prompter_, showHelp_, this);
            dialog.exec();
            break;
        }
        case kCmdTowersNear: {
            CTowersNearDlg dialog(
                doc_, prompter_, showHelp_,
                [this](std::int32_t tower) { SelectTowerInView(*view_, tower); }, this);
            dialog.exec();
            break;
        }
        case kCmdTowerMap:
            mapHost_->OpenMapWindow();
            break;
        case kCmdExportMap:
            mapHost_->ExportMap();
            break;
        case kCmdHelpTopics:
            app_.OnHelpTopics();
            break;
        case kCmdAppAbout:
            app_.OnAppAbout();
            break;
        case kCmdHelp:
            app_.OnHelp();
            break;
        case kCmdContextHelp:
            app_.OnContextHelp();
            break;
        default:
            break;
    }
    UpdateCommandStates();
}

void CMainFrame::ManageUsers() {
    if (!MayManageUsers(doc_.IsLogOpen(), prompter_)) return;
    const AppServices& services = app_.Services();
    const UsersEnvironment environment{services.settings, services.prompter, services.documents,
                                       services.idTable, app_.Paths().libraryFolder};
    CManageUsersDlg dialog(environment, showHelp_, this);
    dialog.exec();
}

// ------------------------------------------------------------------ context help

void CMainFrame::EnterContextHelp() {
    if (contextHelp_) return;
    contextHelp_ = true;
    QApplication::setOverrideCursor(Qt::WhatsThisCursor);
    statusBar()->showMessage(QString::fromLatin1(kContextHelpText));
    UpdateCommandStates();
}

void CMainFrame::LeaveContextHelp() {
    if (!contextHelp_) return;
    contextHelp_ = false;
    QApplication::restoreOverrideCursor();
    statusBar()->clearMessage();
    UpdateCommandStates();
}

// The form's button whose mnemonic the key is, when the key is pressed in this window.
QAbstractButton* CMainFrame::FormButtonFor(QObject* receiver, const QKeyEvent& key) const {
    if (!(key.modifiers() & Qt::AltModifier) || key.key() == Qt::Key_Alt) return nullptr;
    auto* widget = qobject_cast<QWidget*>(receiver);
    if (!widget || widget->window() != this) return nullptr;
    const QKeySequence pressed(key.modifiers() | key.key());
    for (QAbstractButton* button : view_->findChildren<QAbstractButton*>()) {
        if (button->isVisible() && button->isEnabled() &&
            QKeySequence::mnemonic(button->text()) == pressed)
            return button;
    }
    return nullptr;
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    // "&All Dove" and the "&Actions" menu share Alt+A. As in a dialog, the form's own
    // button takes it; the menu still opens from F10 or Alt alone.
    if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
        if (QAbstractButton* button = FormButtonFor(watched, *static_cast<QKeyEvent*>(event))) {
            event->accept();
            if (event->type() == QEvent::KeyPress) {
                button->setFocus(Qt::ShortcutFocusReason);
                button->click();
            }
            return true;
        }
    }
    // F1 on a highlighted menu item: the help of its command.
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        if (auto* menu = qobject_cast<QMenu*>(watched)) {
            if (QAction* action = menu->activeAction(); action && !action->menu()) {
                const int command = action->data().toInt();
                menuBar()->setActiveAction(nullptr);
                for (QWidget* popup = QApplication::activePopupWidget(); popup;
                     popup = QApplication::activePopupWidget())
                    popup->close();
                if (showHelp_ && command != 0)
                    showHelp_(kCommandHelpBase + static_cast<std::uint32_t>(command));
                return true;
            }
        }
    }
    if (!contextHelp_) return QMainWindow::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        LeaveContextHelp();
        return true;
    }
    // A click in the window itself, outside the menus: the help of the main window.
    if (event->type() == QEvent::MouseButtonPress) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == this && !qobject_cast<QMenuBar*>(widget)) {
            LeaveContextHelp();
            if (showHelp_) showHelp_(kDialogHelpBase + kMainWindowResource);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// ------------------------------------------------------------------ window events

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!doc_.SaveModified()) {
        event->ignore();
        return;
    }
    // The program ends with its main window, even while help is still open beside it.
    if (QWidget* help = app_.Help()) help->close();
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (!event->mimeData()->hasUrls()) return;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            return;
        }
    }
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    event->acceptProposedAction();
    activateWindow();
    for (const QUrl& url : urls) {
        if (url.isLocalFile()) app_.OpenFromOutside(url.toLocalFile());
    }
    UpdateCommandStates();
}

}  // namespace chimeset
