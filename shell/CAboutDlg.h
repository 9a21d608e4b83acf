// "About Chimeset": the program's name, version and credits.
#pragma once

#include <QDialog>
#include <string>

#include "common/qt/HelpKey.h"

namespace chimeset {

class CAboutDlg : public QDialog {
    Q_OBJECT

  public:
    // towerDataCredit: what the loaded tower database says of itself (Windows-1252); the
    // box credits Dove's Guide only through it.
    CAboutDlg(const std::string& towerDataCredit, ShowHelp showHelp, QWidget* parent = nullptr);

    static QString VersionText();
};

}  // namespace chimeset
