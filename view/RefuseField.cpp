#include "view/RefuseField.h"

#include <QLineEdit>

namespace chimeset {

void RefuseField(Prompter& prompter, const Notice& refusal, QWidget* field) {
    prompter.Show(refusal);
    if (!field) return;
    field->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->selectAll();
}

}  // namespace chimeset
