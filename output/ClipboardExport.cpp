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

void AppendClipboardLine(const ListRow& row, const ColumnWidths& widths, std::string& text) {
    text += row.Location();
    text += kTab;
    text += row.Dedication();
    for (int c = kColumnCounty; c <= kColumnVisitDate; ++c) {
        if (!Taken(widths, c)) continue;
        text += kTab;
        text += PrintCellText(row, c);
    }
    // The date fields keep their tabs when empty, so later fields stay in their columns.
    if (Taken(widths, kColumnQuartered)) {
        text += kTab;
        if (IsDateSet(row.QuarterDate())) text += FormatPackedDate(row.QuarterDate());
    }
    if (Taken(widths, kColumnPealed)) {
        text += kTab;
        if (IsDateSet(row.PealDate())) text += FormatPackedDate(row.PealDate());
    }
    if (Taken(widths, kColumnComment)) {
        const std::string comment = row.Comment();
        if (!comment.empty()) {
            text += kTab;
            AppendOneLine(comment, text);
        }
    }
    text += "\r\n";
}

std::string BuildClipboardText(const CChimesetDoc& doc, const ColumnWidths& widths,
                               std::int32_t* recordCount) {
    const std::int32_t n = doc.GetListCount();
    std::string text;
    text.reserve(static_cast<std::size_t>(n) * 96);
    for (std::int32_t i = 0; i < n; ++i) AppendClipboardLine(doc.GetListRow(i), widths, text);
    if (recordCount) *recordCount = n;
    return text;
}

}  // namespace chimeset
