// "About Chimeset": the program's name, version and credits.
#pragma once

#include <QDialog>

#include "users/qt/ShowHelp.h"

namespace chimeset {

class CAboutDlg : public QDialog {
    Q_OBJECT

  public:
    explicit CAboutDlg(ShowHelp showHelp, QWidget* parent = nullptr);

    static QString VersionText();
};

}  // namespace chimeset
