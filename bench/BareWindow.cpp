// The baseline of the start-up timing: a bare Qt main window, shown, after which the program
// ends once the window has been painted for the first time, as chimeset does with
// CHIMESET_QUIT_WHEN_SHOWN set.
#include <QApplication>
#include <QMainWindow>

#include "common/qt/QuitAfterFirstPaint.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    chimeset::QuitAfterFirstPaint quitWhenShown;
    application.installEventFilter(&quitWhenShown);
    QMainWindow window;
    window.resize(800, 600);
    window.show();
    return QApplication::exec();
}
