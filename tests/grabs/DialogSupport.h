// What the grabs dialogs' tests read and keep of a dialog.
#pragma once

#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QStringList>
#include <QTableView>
#include <QWidget>
#include <cstdlib>

namespace chimeset::testing {

// Saves a picture of the dialog at its own size when CHIMESET_SCREENSHOT_DIR names a folder.
inline void Picture(QWidget& widget, const char* name) {
    const char* folder = std::getenv("CHIMESET_SCREENSHOT_DIR");
    if (!folder || !*folder) return;
    widget.show();
    QCoreApplication::processEvents();
    widget.grab().save(QString::fromLocal8Bit(folder) + QLatin1Char('/') +
                       QString::fromLatin1(name));
}

// The texts of one column of a table, top to bottom, as shown.
inline QStringList Column(const QTableView& view, int column) {
    QStringList texts;
    for (int row = 0; row < view.model()->rowCount(); ++row)
        texts << view.model()->index(row, column).data().toString();
    return texts;
}

}  // namespace chimeset::testing
