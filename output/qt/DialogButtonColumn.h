// OK, Cancel and Help stacked at a dialog's right, as the dialogs of the program have them.
#pragma once

#include <QString>

class QDialog;
class QPushButton;
class QVBoxLayout;

namespace chimeset {

struct DialogButtonColumn {
    QPushButton* ok = nullptr;      // the default button; accepts the dialog
    QPushButton* cancel = nullptr;  // rejects the dialog
    QPushButton* help = nullptr;    // not connected: each dialog opens its own topic
    QVBoxLayout* layout = nullptr;  // the three buttons over a stretch
};

DialogButtonColumn MakeDialogButtonColumn(QDialog* dialog, const QString& helpText);

}  // namespace chimeset
