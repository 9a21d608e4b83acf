// Pictures of widgets for looking at, when CHIMESET_SCREENSHOT_DIR names a folder.
#pragma once

#include <QString>

class QWidget;

namespace chimeset::testing {

// Saves the widget, first fitted to its contents, as the named file in that folder.
void SaveScreenshot(QWidget& widget, const QString& name);

}  // namespace chimeset::testing
