// The current list as tab-separated text for a spreadsheet or word processor. No Qt.
#pragma once

#include <cstdint>
#include <string>

#include "output/PrintSettings.h"

namespace chimeset {

class CChimesetDoc;

// One CR LF ended line per list item, in list order, fields chosen by the print column
// widths. Walks the list through the document's selection and restores the selection to
// currentIndex. The text is Windows-1252.
std::string BuildClipboardText(CChimesetDoc& doc, const ColumnWidths& widths,
                               std::int32_t currentIndex, std::int32_t* recordCount = nullptr);

// The line of the document's current item.
void AppendClipboardLine(const CChimesetDoc& doc, const ColumnWidths& widths, std::string& text);

}  // namespace chimeset
