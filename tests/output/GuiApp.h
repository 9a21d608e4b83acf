// One QApplication for the whole test program, made on first use and never destroyed
// (tearing it down among the exit handlers crashes inside Qt).
#pragma once

#include <QApplication>
#include <QString>
#include <QWidget>
#include <cstdlib>

namespace chimeset::testing {

inline QApplication& OutputApp() {
    static int argc = 1;
    static char name[] = "output_gui_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

// Saves a picture of the widget when CHIMESET_SCREENSHOT_DIR names a folder, for looking at.
inline void SaveScreenshot(QWidget& widget, const QString& name) {
    const char* folder = std::getenv("CHIMESET_SCREENSHOT_DIR");
    if (!folder || !*folder) return;
    widget.adjustSize();
    widget.grab().save(QString::fromLocal8Bit(folder) + QLatin1Char('/') + name);
}

}  // namespace chimeset::testing
