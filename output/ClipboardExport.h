// The current list as tab-separated text for a spreadsheet or word processor. No Qt.
#pragma once

#include <cstdint>
#include <string>

#include "output/PrintSettings.h"

namespace chimeset {

class CChimesetDoc;
class ListRow;

// One CR LF ended line per list item, in list order, fields chosen by the print column
// widths. The text is Windows-1252.
std::string BuildClipboardText(const CChimesetDoc& doc, const ColumnWidths& widths,
                               std::int32_t* recordCount = nullptr);

// The line of one row of the list.
void AppendClipboardLine(const ListRow& row, const ColumnWidths& widths, std::string& text);

}  // namespace chimeset
