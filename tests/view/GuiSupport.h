// What the GUI tests share: one QApplication for the test program, dialogs answered while
// they run modally, and a small tower database in a temporary program folder.
#pragma once

#include <QApplication>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "common/FileFormats.h"
#include "tests/support/TempDir.h"

// Readable QStrings in test failures.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace chimeset::testing {

inline QApplication& GuiApplication() {
    static int argc = 1;
    static char name[] = "chimeset-gui-test";
    static char* argv[] = {name, nullptr};
    static QApplication* application = [] {
        auto* app = new QApplication(argc, argv);
        QApplication::setOrganizationName(QStringLiteral("HollowmereTest"));
        return app;
    }();
    return *application;
}

// Runs the action on the next modal dialog with the object name once it is showing (its
// exec() loop runs the action). The action must close the dialog.
inline void OnNextModal(const QString& objectName, std::function<void(QWidget*)> action) {
    auto* timer = new QTimer;
    timer->setInterval(1);
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, objectName, action, tries] {
        QWidget* modal = QApplication::activeModalWidget();
        const bool found = modal && modal->objectName() == objectName && modal->isVisible();
        if (!found && ++*tries < 3000) return;
        timer->stop();
        timer->deleteLater();
        if (found) action(modal);
    });
    timer->start();
}

inline const std::string kDoveHeader(kTowerFieldNames);
inline const std::string kLogHeader(kVersion2Header);

// Towers in file order: 0 Ashby, 1 Bampton, 2 Ashwell, 3 Zennor, 4 Cambridge, 5 Rock & Roll
// (no grid reference), identity numbers 1001 to 1006.
inline void WriteTestDatabase(const TempDir& dir) {
    dir.WriteLines("DoveData.CB0",
                   {kDoveHeader, "Ashby\\St Mary\\Leics\\SK359167\\52.74\\-1.47\\8\\1456\\1001",
                    "Bampton\\St Michael\\Devon\\SS956222\\50.99\\-3.48\\6\\840\\1002",
                    "Ashwell\\St Mary\\Herts\\TL267397\\52.04\\-0.15\\8\\2100\\1003",
                    "Zennor\\St Senara\\Cornwall\\SW454384\\50.19\\-5.57\\3\\300\\1004",
                    "Cambridge\\Great St Mary\\Cambs\\TL449584\\52.21\\0.12\\12\\3000\\1005",
                    "Rock & Roll\\St Cuthbert\\Durham\\\\\\\\5\\\\1006"});
}

}  // namespace chimeset::testing
