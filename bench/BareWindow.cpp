// The baseline of the start-up timing: a bare Qt main window, shown and painted, after
// which the program ends at once, as chimeset does with CHIMESET_QUIT_WHEN_SHOWN set.
#include <QApplication>
#include <QMainWindow>
#include <QTimer>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QMainWindow window;
    window.resize(800, 600);
    window.show();
    window.repaint();
    QTimer::singleShot(0, &application, &QCoreApplication::quit);
    return QApplication::exec();
}
