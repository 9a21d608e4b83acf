// Copy to Clipboard: the list's text onto the system clipboard, then the count message.
#pragma once

#include <cstdint>

#include "output/PrintSettings.h"

namespace chimeset {

class CChimesetDoc;
class Prompter;

// Returns the number of records written.
std::int32_t CopyListToClipboard(const CChimesetDoc& doc, const ColumnWidths& widths,
                                 Prompter& prompter);

}  // namespace chimeset
