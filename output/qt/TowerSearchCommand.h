// Find and Find Next as the view runs them: the Search Location dialog, the wait cursor
// and the not-found message around the search itself.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "common/qt/HelpKey.h"

class QWidget;

namespace chimeset {

class CChimesetDoc;
class Prompter;
class TowerSearch;

// Find: the dialog opens on the text of the list's edit field when there is one, else on
// the last search text. True on OK, when the caller goes on with Find Next.
bool RunFindDialog(TowerSearch& search, const std::string& listEditText, QWidget* parent,
                   ShowHelp showHelp);

// Find Next: the position found, for the view to select, or -1 after the message.
std::int32_t RunFindNext(const CChimesetDoc& doc, TowerSearch& search, Prompter& prompter);

}  // namespace chimeset
