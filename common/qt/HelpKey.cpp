#include "common/qt/HelpKey.h"

#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

#include "common/MessageTable.h"

namespace chimeset {

void InstallHelpKey(QWidget* window, std::function<void()> onHelp) {
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), window);
    f1->setContext(Qt::WindowShortcut);
    QObject::connect(f1, &QShortcut::activated, window, std::move(onHelp));
}

void InstallDialogHelp(QWidget* dialog, const ShowHelp& showHelp, std::uint32_t dialogId) {
    InstallHelpKey(dialog, [showHelp, dialogId] {
        if (showHelp) showHelp(kDialogHelpBase + dialogId);
    });
}

}  // namespace chimeset
