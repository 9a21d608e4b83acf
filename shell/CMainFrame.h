// The main window: the menu with its status prompts, the accelerators, the status bar with
// the view's pane, dropped log files, the caption, and the end of the program.
#pragma once

#include <QMainWindow>
#include <map>

#include "common/Document.h"
#include "common/Prompter.h"
#include "common/qt/HelpKey.h"
#include "view/CChimesetView.h"

class QAbstractButton;
class QAction;
class QKeyEvent;
class QLabel;
class QMenu;

namespace chimeset {

class CChimesetApp;
class CChimesetDoc;
class MapWindowHost;
class LogFileWatcher;

class CMainFrame : public QMainWindow, public DocumentListener {
    Q_OBJECT

  public:
    CMainFrame(CChimesetApp& app, CChimesetDoc& doc, Prompter& prompter, ShowHelp showHelp);
    ~CMainFrame() override;

    CChimesetView* View() const { return view_; }
    MapWindowHost* MapHost() const { return mapHost_; }
    LogFileWatcher* LogWatcher() const { return logWatcher_; }
    // The action of a command identifier (menu item or accelerator), or nullptr.
    QAction* Action(int command) const;
    QLabel* StatusPane() const { return statusPane_; }
    QLabel* MessagePane() const { return messagePane_; }

    // Runs a command as its menu item or accelerator does; in context-help mode it asks
    // for the command's help instead.
    void OnCommand(int command);
    void UpdateCommandStates();
    void UpdateCaption();
    // Fits the window to the form (not while maximised or full screen).
    void FitToForm();

    // Shift+F1: the next click on a menu item or in the window asks for its help.
    void EnterContextHelp();
    void LeaveContextHelp();
    bool InContextHelp() const { return contextHelp_; }

    void OnDocumentUpdate(UpdateHint hint) override;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QAction* AddCommand(QMenu* menu, int command, const QString& text, const QString& prompt,
                        const QKeySequence& shortcut = {});
    void BuildMenus();
    void BuildStatusBar();
    void ManageUsers();
    void SetEnabled(int command, bool enabled);
    QAbstractButton* FormButtonFor(QObject* receiver, const QKeyEvent& key) const;

    CChimesetApp& app_;
    CChimesetDoc& doc_;
    Prompter& prompter_;
    ShowHelp showHelp_;
    CChimesetView* view_;
    MapWindowHost* mapHost_ = nullptr;
    std::map<int, QAction*> actions_;
    QLabel* messagePane_ = nullptr;
    QLabel* statusPane_ = nullptr;
    bool contextHelp_ = false;
    LogFileWatcher* logWatcher_;
};

}  // namespace chimeset
