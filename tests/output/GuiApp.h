// One QApplication for the whole test program, made on first use and never destroyed
// (tearing it down among the exit handlers crashes inside Qt).
#pragma once

#include <QApplication>

namespace chimeset::testing {

inline QApplication& OutputApp() {
    static int argc = 1;
    static char name[] = "output_gui_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

}  // namespace chimeset::testing
