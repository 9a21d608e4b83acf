#include "output/qt/TowerSearchCommand.h"

#include <QApplication>
#include <QCursor>

#include "common/MessageTable.h"
#include "common/Prompter.h"
#include "output/TowerSearch.h"
#include "output/qt/CSearchLocationDlg.h"

namespace chimeset {
bool RunFindDialog(TowerSearch& search, const std::string& listEditText, QWidget* parent,
                   ShowHelp showHelp) {
    const std::string proposal = listEditText.empty() ? search.SearchText() : listEditText;
    CSearchLocationDlg dialog(proposal, std::move(showHelp), parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    search.Start(dialog.SearchText());
    return true;
}

std::int32_t RunFindNext(const CChimesetDoc& doc, TowerSearch& search, Prompter& prompter) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::int32_t found = search.FindNext(doc);
    QApplication::restoreOverrideCursor();
    if (found < 0) prompter.Show(MessageTable::Chimeset().Make(msg::kNameNotFound));
    return found;
}

}  // namespace chimeset
