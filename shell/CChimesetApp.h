// The application: start-up from the command line, the commands that belong to the program
// as a whole (About, File Open, the update check, help), and the help binding.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "common/DataPaths.h"
#include "common/Prompter.h"
#include "common/SettingsStore.h"
#include "common/qt/HelpKey.h"
#include "users/DocumentsFolderProvider.h"
#include "users/IdTableLibrary.h"
#include "visits/CChimesetDoc.h"

namespace chimeset {

class CMainFrame;
class HelpWindow;

// What the program reaches outside itself; main hands in the real ones, tests fakes.
struct AppServices {
    std::string programFolder;  // the program's own folder: its data lie beside it or under it
    QString helpFolder;         // the help topics and their "topics.map"
    Prompter& prompter;
    SettingsStore& settings;
    const DocumentsFolderProvider& documents;
    IdTableLibrary& idTable;
    CChimesetDoc::Clock today;
    // The user's own data: the tower database that an update writes, read in place of the
    // one beside the program (or installed with it). Empty: no update, the program's only.
    std::string userDataFolder = {};
    std::string downloadsFolder = {};  // where the Dove download's file dialog starts
    // Run once the document and its log are read, just before the window is built: the start
    // waits here for what was begun beside it.
    std::function<void()> beforeWindow = {};
};

class CChimesetApp : public QObject {
    Q_OBJECT

  public:
    // The help requests of WinHelp.
    static constexpr int kHelpContext = 1;
    static constexpr int kHelpFinder = 11;

    explicit CChimesetApp(AppServices services, QObject* parent = nullptr);
    ~CChimesetApp() override;

    // Start-up with the command line (without the program's name): makes the document and
    // the main window, opens a log named there read-only, shows the window. False when the
    // program must end (the named log was refused, after its message).
    bool InitInstance(const QStringList& arguments);

    // Help for a context number (kHelpContext) or the help index (kHelpFinder). Without
    // the help files, this and every later request does nothing.
    void WinHelp(std::uint32_t context, int command);
    ShowHelp HelpFunction();

    // The user whose log File Open is opening; empty opens read-only.
    std::string PendingUserId;

    void OnAppAbout();
    void OnFileOpen();
    void OnCheckForUpdates();
    void OnUpdateTowerData();
    bool CanUpdateTowerData() const { return !paths_.userDatabase.empty(); }
    void OnHelpTopics();
    void OnHelp();
    void OnContextHelp();

    // A log that arrives from outside: the command line or a dropped file. Read-only.
    bool OpenFromOutside(const QString& path);
    bool CheckForUpdatesBuilt() const { return true; }

    CChimesetDoc* Document() const { return doc_.get(); }
    CMainFrame* MainFrame() const { return frame_.get(); }
    HelpWindow* Help() const { return help_.get(); }
    const AppServices& Services() const { return services_; }
    const DataPaths& Paths() const { return paths_; }

  private:
    void OnLogOpened();

    AppServices services_;
    DataPaths paths_;
    std::unique_ptr<CChimesetDoc> doc_;
    std::unique_ptr<CMainFrame> frame_;
    std::unique_ptr<HelpWindow> help_;
    enum class HelpState { Unbound, Bound, Missing } helpState_ = HelpState::Unbound;
};

}  // namespace chimeset
