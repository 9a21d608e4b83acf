// The page layout of the printed list: which records go on which page, and the drawing of
// one page. The counting pass and the real job run the same code; the counting pass only
// draws nothing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "output/PrintCanvas.h"
#include "output/PrintSettings.h"

namespace chimeset {

class CChimesetDoc;

// For each page laid out, the list position of its first record; entry 0 is 0.
using PageStartTable = std::vector<std::int32_t>;

inline constexpr const char* kNoRecordsText = "There are no records currently in this view.";
inline constexpr const char* kPageFooterFormat = "Page No %i of %i";
// The ellipsis character of Windows-1252.
inline constexpr char kEllipsis = '\x85';

// The text of a table cell as it shows in the width: whole when it fits, else as much as
// fits followed by the ellipsis; when not even one character and the ellipsis fit, the
// whole text, which the cell's edge then cuts. A non-empty text never shows as nothing.
std::string FitCellText(PrintCanvas& canvas, const std::string& text, int width);

class PrintLayout {
  public:
    PrintLayout(const CChimesetDoc& doc, const PrintSettings& settings);

    enum class CountResult { Ok, PageTooSmall };
    // Lays out every page without drawing: fills the page start table and the page count.
    // A page that cannot hold the title row and one record would never reach the end of
    // the list: that stops the count with PageTooSmall.
    CountResult CountPages(PrintCanvas& canvas);

    // Page n (from 1) of maxPage; its first record comes from the page start table, which
    // must hold it. Appends the start of the next page when the table ends at this page.
    // True when this is the last page of the list.
    bool PrintPage(PrintCanvas& canvas, int page, int maxPage, bool draw = true);

    int PageCount() const { return pageCount_; }
    const PageStartTable& PageStarts() const { return pageStarts_; }
    std::int32_t RecordCount() const { return recordCount_; }

  private:
    const CChimesetDoc& doc_;
    const PrintSettings& settings_;
    PageStartTable pageStarts_{0};
    std::int32_t recordCount_ = 0;
    int pageCount_ = 0;
};

}  // namespace chimeset
