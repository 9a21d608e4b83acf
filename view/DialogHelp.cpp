#include "view/DialogHelp.h"

#include <QKeySequence>
#include <QLineEdit>
#include <QShortcut>

#include "common/MessageTable.h"

namespace chimeset {

void InstallDialogHelp(QWidget* dialog, const ShowHelp& showHelp, std::uint32_t dialogId) {
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), dialog);
    f1->setContext(Qt::WindowShortcut);
    QObject::connect(f1, &QShortcut::activated, dialog, [showHelp, dialogId] {
        if (showHelp) showHelp(kDialogHelpBase + dialogId);
    });
}

void RefuseField(Prompter& prompter, const Notice& refusal, QWidget* field) {
    prompter.Show(refusal);
    if (!field) return;
    field->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->selectAll();
}

}  // namespace chimeset
