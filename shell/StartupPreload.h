// What the main window needs from disk at start-up, read on a thread of its own while the
// window is being made: the tower database, and the image decoders Qt looks for the first time
// it paints. With two processors the window is ready sooner by the time both take.
#pragma once

#include <QThread>
#include <memory>
#include <string>

#include "common/FileResult.h"
#include "towerdata/TowerDatabase.h"

namespace chimeset {

class StartupPreload {
  public:
    // Starts reading DoveData.CB0 from the folder.
    explicit StartupPreload(std::string databaseFolder);
    ~StartupPreload();
    StartupPreload(const StartupPreload&) = delete;
    StartupPreload& operator=(const StartupPreload&) = delete;

    // Waits for the reading and hands over the database, with what the user is to be told
    // about it. Once only.
    TowerDatabase TakeDatabase(FileResult& loaded);

  private:
    void Wait();

    TowerDatabase database_;
    FileResult loaded_;
    std::unique_ptr<QThread> thread_;
};

}  // namespace chimeset
