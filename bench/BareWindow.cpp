// The baseline of the start-up timing: a bare Qt main window, shown, after which the program
// ends once the window has been painted for the first time, as chimeset does with
// CHIMESET_QUIT_WHEN_SHOWN set.
#include <QApplication>
#include <QMainWindow>
#include <QTimer>

namespace {

class QuitAfterFirstPaint : public QObject {
  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !quitting_) {
            quitting_ = true;
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    bool quitting_ = false;
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QuitAfterFirstPaint quitWhenShown;
    application.installEventFilter(&quitWhenShown);
    QMainWindow window;
    window.resize(800, 600);
    window.show();
    return QApplication::exec();
}
