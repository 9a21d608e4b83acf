#include "output/ClipboardExport.h"

#include "visits/CChimesetDoc.h"
#include "visits/PackedDate.h"

namespace chimeset {
namespace {

constexpr char kTab = '\t';
constexpr char kPilcrow = '\xB6';

bool Taken(const ColumnWidths& widths, int column) {
    return widths[static_cast<std::size_t>(column)] != 0;
}

// Each run of CR and LF becomes one pilcrow, so that a comment stays on its line.
void AppendOneLine(const std::string& comment, std::string& text) {
    bool inBreak = false;
    for (const char ch : comment) {
        if (ch == '\r' || ch == '\n') {
            if (!inBreak) text += kPilcrow;
            inBreak = true;
        } else {
            text += ch;
            inBreak = false;
        }
    }
}

}  // namespace

void AppendClipboardLine(const CChimesetDoc& doc, const ColumnWidths& widths, std::string& text) {
    text += doc.CurrentLocation();
    text += kTab;
    text += doc.CurrentDedication();
    for (int c = kColumnCounty; c <= kColumnVisitDate; ++c) {
        if (!Taken(widths, c)) continue;
        text += kTab;
        text += PrintCellText(doc, c);
    }
    // The date fields keep their tabs when empty, so later fields stay in their columns.
    if (Taken(widths, kColumnQuartered)) {
        text += kTab;
        if (IsDateSet(doc.EntryQuarterDate())) text += FormatPackedDate(doc.EntryQuarterDate());
    }
    if (Taken(widths, kColumnPealed)) {
        text += kTab;
        if (IsDateSet(doc.EntryPealDate())) text += FormatPackedDate(doc.EntryPealDate());
    }
    if (Taken(widths, kColumnComment)) {
        const std::string comment = doc.EntryComment();
        if (!comment.empty()) {
            text += kTab;
            AppendOneLine(comment, text);
        }
    }
    text += "\r\n";
}

std::string BuildClipboardText(CChimesetDoc& doc, const ColumnWidths& widths,
                               std::int32_t currentIndex, std::int32_t* recordCount) {
    const std::int32_t n = doc.GetListCount();
    std::string text;
    text.reserve(static_cast<std::size_t>(n) * 96);
    for (std::int32_t i = 0; i < n; ++i) {
        doc.SelectListItem(i);
        AppendClipboardLine(doc, widths, text);
    }
    doc.SelectListItem(currentIndex);
    if (recordCount) *recordCount = n;
    return text;
}

}  // namespace chimeset
