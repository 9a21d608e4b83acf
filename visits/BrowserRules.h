// The browser form's texts that follow from the document's state.
#pragma once

#include <cstdint>
#include <string>

namespace chimeset {

class CChimesetDoc;

// The status pane under each list: the Dove identity of the tower shown under All Dove,
// "Rec n of m" under the others. Empty when the pane keeps its default text (no database).
std::string StatusPaneText(const CChimesetDoc& doc, std::int32_t currentIndex,
                           std::int32_t listCount);

// The tool tip of the location and dedication fields: the field's whole text, so that a
// name too long for the field can be read; "&" doubled and cut to 78 characters.
std::string DetailToolTipText(const std::string& fieldText);

// The tool tips of the other detail fields, by control number; empty for none.
const char* DetailToolTip(int controlId);

// The position of a tower in the document's shown list; -1 when the list does not hold it.
std::int32_t ListPositionOfTower(const CChimesetDoc& doc, std::int32_t tower);

// The page header of the printout: the user's records or the plain list.
std::string PageHeaderFor(const CChimesetDoc& doc);

}  // namespace chimeset
