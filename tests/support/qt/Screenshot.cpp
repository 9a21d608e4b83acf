#include "tests/support/qt/Screenshot.h"

#include <QWidget>
#include <cstdlib>

namespace chimeset::testing {

void SaveScreenshot(QWidget& widget, const QString& name) {
    const char* folder = std::getenv("CHIMESET_SCREENSHOT_DIR");
    if (!folder || !*folder) return;
    widget.adjustSize();
    widget.grab().save(QString::fromLocal8Bit(folder) + QLatin1Char('/') + name);
}

}  // namespace chimeset::testing
