#include "output/PrintLayout.h"

#include <algorithm>
#include <optional>

#include "common/Text.h"
#include "visits/CChimesetDoc.h"

namespace chimeset {
namespace {

// Device pixels of a length in thousandths of an inch. 64-bit: a 2400 dpi device and a
// 100-inch setting must not overflow.
int Pixels(int dpi, std::int32_t thousandths) {
    return static_cast<int>(static_cast<std::int64_t>(dpi) * thousandths / 1000);
}

constexpr int kBarOffset = 10;
constexpr int kBarWidth = 5;

}  // namespace

std::string FitCellText(PrintCanvas& canvas, const std::string& text, int width) {
    if (text.empty() || canvas.TextWidth(text) <= width) return text;
    auto cut = [&text](std::size_t length) {
        std::string shown = text.substr(0, length);
        while (!shown.empty() && shown.back() == ' ') shown.pop_back();
        return shown + kEllipsis;
    };
    // The longest start of the text that fits with the ellipsis after it.
    std::size_t fits = 0;
    std::size_t low = 1;
    std::size_t high = text.size() - 1;
    while (low <= high) {
        const std::size_t middle = low + (high - low) / 2;
        if (canvas.TextWidth(cut(middle)) <= width) {
            fits = middle;
            low = middle + 1;
        } else {
            high = middle - 1;
        }
    }
    return fits == 0 ? text : cut(fits);
}

PrintLayout::PrintLayout(const CChimesetDoc& doc, const PrintSettings& settings)
    : doc_(doc), settings_(settings) {}

PrintLayout::CountResult PrintLayout::CountPages(PrintCanvas& canvas) {
    recordCount_ = doc_.GetListCount();
    pageStarts_.assign(1, 0);
    pageCount_ = 0;
    for (int page = 1;; ++page) {
        const bool last = PrintPage(canvas, page, 0, false);
        pageCount_ = page;
        if (last) return CountResult::Ok;
        // The next page would start where this one did: no page ever gets further.
        if (pageStarts_.size() <= static_cast<std::size_t>(page) ||
            pageStarts_[static_cast<std::size_t>(page)] <=
                pageStarts_[static_cast<std::size_t>(page) - 1]) {
            pageStarts_.resize(static_cast<std::size_t>(page));
            return CountResult::PageTooSmall;
        }
    }
}

bool PrintLayout::PrintPage(PrintCanvas& canvas, int page, int maxPage, bool draw) {
    if (page < 1 || static_cast<std::size_t>(page) > pageStarts_.size()) return true;
    const int dx = canvas.DpiX();
    const int dy = canvas.DpiY();
    const PrintRect area = canvas.PrintableArea();
    const PageMargins& margins = settings_.margins;
    const int left = area.left + Pixels(dx, margins.left);
    const int top = area.top + Pixels(dy, margins.top);
    const int right = area.right - Pixels(dx, margins.right);
    const int bottom = area.bottom - Pixels(dy, margins.bottom);

    canvas.SelectFont(PrintFont::Title);
    const int titleHeight = canvas.LineHeight();
    if (draw)
        canvas.DrawLine(settings_.pageHeader, {left, top, right, top + titleHeight},
                        TextAlign::Centre, TextPlace::Top, false);
    int y = top + titleHeight + Pixels(dy, 100);

    canvas.SelectFont(PrintFont::Body);
    const int h = canvas.LineHeight();
    if (draw)
        canvas.DrawLine(Format(kPageFooterFormat, page, maxPage),
                        {left, bottom - 2 * h, right, bottom}, TextAlign::Centre, TextPlace::Bottom,
                        false);
    const int usableBottom = bottom - 2 * h;
    const int gutter = Pixels(dx, 100);
    const int commentIndent = left + Pixels(dx, 500);

    std::int32_t r = pageStarts_[static_cast<std::size_t>(page) - 1];

    if (recordCount_ == 0) {
        if (draw)
            canvas.DrawLine(kNoRecordsText, {left, y, right, usableBottom}, TextAlign::Centre,
                            TextPlace::Top, false);
        return true;
    }

    if (draw) {
        int x = left;
        for (int c = 0; c < kPrintColumnCount && x < right; ++c) {
            const std::int32_t width = settings_.columns[static_cast<std::size_t>(c)];
            if (width == 0) continue;
            const int cellRight = std::min(x + Pixels(dx, width), right);
            canvas.DrawLine(PrintColumnTitle(c), {x, y, cellRight, y + h}, TextAlign::Left,
                            TextPlace::Top, true);
            x = cellRight;
        }
    }

    y += h;
    for (;;) {
        const int rowBottom = y + h;
        if (rowBottom > usableBottom) {
            if (pageStarts_.size() == static_cast<std::size_t>(page)) pageStarts_.push_back(r);
            return false;
        }
        // Counting without multiline comments needs nothing of the record itself.
        std::optional<ListRow> row;
        if (draw || settings_.multiline) row.emplace(doc_.GetListRow(r));

        if (draw) {
            int x = left;
            for (int c = 0; c < kPrintColumnCount && x < right; ++c) {
                const int w = Pixels(dx, settings_.columns[static_cast<std::size_t>(c)]);
                if (w == 0) continue;
                const int cellLeft = x;
                x = std::min(x + w, right);
                const int cellRight = c == kColumnComment ? right : x - gutter;
                if (c == kColumnVisitDate && row->VisitDate() == 0) break;
                const std::string text =
                    FitCellText(canvas, PrintCellText(*row, c), cellRight - cellLeft);
                if (!text.empty())
                    canvas.DrawLine(text, {cellLeft, y, cellRight, rowBottom}, TextAlign::Left,
                                    TextPlace::Top, false);
            }
        }

        y = rowBottom;
        if (settings_.multiline) {
            const std::string comment = row->Comment();
            if (!comment.empty()) {
                PrintRect box{commentIndent, rowBottom, right, usableBottom};
                const int measured = canvas.MeasureWrapped(comment, box.right - box.left);
                box.bottom = std::min(rowBottom + measured, usableBottom);
                if (draw) {
                    canvas.DrawWrapped(comment, box);
                    const int barX = commentIndent - kBarOffset;
                    canvas.FillBlack({barX - kBarWidth / 2, box.top,
                                      barX - kBarWidth / 2 + kBarWidth, box.bottom});
                }
                y = box.bottom;
            }
        }

        ++r;
        if (r >= recordCount_) return true;
    }
}

}  // namespace chimeset
