// The page layout against a device of fixed, round metrics: 100 dots per inch, a
// printable area of 850 x 1100, each character 5 dots wide.
#include <algorithm>

#include "output/PrintLayout.h"
#include "tests/output/OutputFixture.h"

using namespace chimeset;
using namespace chimeset::testing;

namespace {

struct Drawn {
    std::string text;
    PrintRect box;
    TextAlign align;
    TextPlace place;
    bool inverse;
};

class FakeCanvas : public PrintCanvas {
  public:
    int DpiX() const override { return 100; }
    int DpiY() const override { return 100; }
    PrintRect PrintableArea() const override { return {0, 0, 850, 1100}; }
    void SelectFont(PrintFont font) override { title_ = font == PrintFont::Title; }
    int LineHeight() const override { return title_ ? 20 : bodyHeight; }
    int TextWidth(const std::string& text) override { return 5 * static_cast<int>(text.size()); }
    void DrawLine(const std::string& text, const PrintRect& box, TextAlign align, TextPlace place,
                  bool inverse) override {
        lines.push_back({text, box, align, place, inverse});
    }
    int MeasureWrapped(const std::string& text, int width) override {
        const int perLine = std::max(1, width / 5);
        int count = 0;
        std::size_t start = 0;
        for (;;) {
            const std::size_t end = text.find("\r\n", start);
            const std::size_t length = (end == std::string::npos ? text.size() : end) - start;
            count += std::max<int>(1, static_cast<int>((length + perLine - 1) / perLine));
            if (end == std::string::npos) break;
            start = end + 2;
        }
        return count * bodyHeight;
    }
    void DrawWrapped(const std::string& text, const PrintRect& box) override {
        wrapped.push_back({text, box, {}, {}, false});
    }
    void FillBlack(const PrintRect& box) override { bars.push_back(box); }

    const Drawn* Find(const std::string& text) const {
        for (const auto& line : lines)
            if (line.text == text) return &line;
        return nullptr;
    }
    void Clear() {
        lines.clear();
        wrapped.clear();
        bars.clear();
    }

    int bodyHeight = 10;
    std::vector<Drawn> lines;
    std::vector<Drawn> wrapped;
    std::vector<PrintRect> bars;

  private:
    bool title_ = false;
};

class PrintLayoutTest : public OutputFixture {
  protected:
    PrintSettings settings;
    FakeCanvas canvas;
};

}  // namespace

TEST_F(PrintLayoutTest, PageBreaksHeaderFooterAndTitleRow) {
    settings.pageHeader = "Change Ringing & Locations";
    doc->SetFilter(kFilterAllTowers);
    // Title row 80..230, then rows of 150 down to the usable bottom 1050 - 300 = 750:
    // three records a page.
    canvas.bodyHeight = 150;
    PrintLayout layout(*doc, settings);
    ASSERT_EQ(layout.CountPages(canvas), PrintLayout::CountResult::Ok);
    EXPECT_EQ(layout.PageCount(), 2);
    EXPECT_EQ(layout.PageStarts(), (PageStartTable{0, 3}));
    EXPECT_TRUE(canvas.lines.empty());  // counting draws nothing

    EXPECT_FALSE(layout.PrintPage(canvas, 1, 2));
    const Drawn* header = canvas.Find("Change Ringing & Locations");
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->align, TextAlign::Centre);
    EXPECT_EQ(header->box.left, 50);
    EXPECT_EQ(header->box.top, 50);
    EXPECT_EQ(header->box.right, 800);
    EXPECT_EQ(header->box.bottom, 70);
    const Drawn* footer = canvas.Find("Page No 1 of 2");
    ASSERT_NE(footer, nullptr);
    EXPECT_EQ(footer->place, TextPlace::Bottom);
    EXPECT_EQ(footer->box.top, 750);
    EXPECT_EQ(footer->box.bottom, 1050);

    // Titles of the default columns, white on black, from the top of the row at 80.
    std::vector<std::string> titles;
    for (const auto& line : canvas.lines)
        if (line.inverse) {
            titles.push_back(line.text);
            EXPECT_EQ(line.box.top, 80);
        }
    EXPECT_EQ(titles, (std::vector<std::string>{"Location", "Dedication", "Weight", "No",
                                                "Visit Date", "Quartered", "Pealed", "Comment"}));
    ASSERT_NE(canvas.Find("Zeal"), nullptr);
    EXPECT_EQ(canvas.Find("Zeal")->box.top, 230);
    EXPECT_EQ(canvas.Find("Bray")->box.top, 530);
    EXPECT_EQ(canvas.Find("Hampton Lucy"), nullptr);
    EXPECT_EQ(canvas.Find("11-1-0")->box.left, 300);  // 50 + 1.5" + 1.0"

    canvas.Clear();
    EXPECT_TRUE(layout.PrintPage(canvas, 2, 2));
    EXPECT_NE(canvas.Find("Page No 2 of 2"), nullptr);
    EXPECT_EQ(canvas.Find("Hampton Lucy")->box.top, 230);
    EXPECT_NE(canvas.Find("\xC9vreux"), nullptr);
    EXPECT_EQ(canvas.Find("Zeal"), nullptr);
    EXPECT_EQ(layout.PageStarts(), (PageStartTable{0, 3}));
}

TEST_F(PrintLayoutTest, ColumnsAreCutAtTheRightEdge) {
    doc->SetFilter(kFilterAllTowers);
    settings.columns = ColumnWidths{5000, 3000, 0, 500, 200, 0, 0, 900, 900, 900, 500};
    PrintLayout layout(*doc, settings);
    ASSERT_EQ(layout.CountPages(canvas), PrintLayout::CountResult::Ok);
    layout.PrintPage(canvas, 1, 1);

    const Drawn* dedicationTitle = canvas.Find("Dedication");
    ASSERT_NE(dedicationTitle, nullptr);
    EXPECT_EQ(dedicationTitle->box.left, 550);
    EXPECT_EQ(dedicationTitle->box.right, 800);  // 300 wide, cut to the page's 250
    EXPECT_EQ(canvas.Find("Weight"), nullptr);
    EXPECT_EQ(canvas.Find("No"), nullptr);

    const Drawn* location = canvas.Find("Aston");
    ASSERT_NE(location, nullptr);
    EXPECT_EQ(location->box.right, 540);  // less the 0.1 inch gutter
    const Drawn* dedication = canvas.Find("St Peter & St Paul");
    ASSERT_NE(dedication, nullptr);
    EXPECT_EQ(dedication->box.left, 550);
    EXPECT_EQ(dedication->box.right, 790);
    EXPECT_EQ(canvas.Find("20-0-0"), nullptr);
    for (const auto& line : canvas.lines) EXPECT_LE(line.box.right, 800) << line.text;
}

TEST_F(PrintLayoutTest, RowsEndAfterAnEmptyVisitDate) {
    ASSERT_TRUE(OpenLog(StandardLog(), ""));  // read-only, as printing from outside does
    doc->SetFilter(kFilterAllTowers);
    settings.columns[kColumnTowerId] = 500;
    PrintLayout layout(*doc, settings);
    ASSERT_EQ(layout.CountPages(canvas), PrintLayout::CountResult::Ok);
    layout.PrintPage(canvas, 1, 1);

    // Bray has no entry: its tower columns, then nothing.
    const int brayTop = canvas.Find("Bray")->box.top;
    std::vector<std::string> brayRow;
    for (const auto& line : canvas.lines)
        if (line.box.top == brayTop) brayRow.push_back(line.text);
    EXPECT_EQ(brayRow, (std::vector<std::string>{"Bray", "St Michael", "13-1-16", "8", "103"}));

    // Zeal has all three dates and the first line of its comment, which runs to the
    // page's right edge; Aston has no quarter peal.
    const int zealTop = canvas.Find("Zeal")->box.top;
    std::vector<std::string> zealRow;
    for (const auto& line : canvas.lines)
        if (line.box.top == zealTop) zealRow.push_back(line.text);
    EXPECT_EQ(zealRow,
              (std::vector<std::string>{"Zeal", "St Mary", "11-1-0", "6", "101", "07/03/2010",
                                        "08/03/2010", "2011", "First line"}));
    EXPECT_EQ(canvas.Find("First line")->box.right, 800);
    EXPECT_NE(canvas.Find("01/05/2001 #2"), nullptr);
    EXPECT_NE(canvas.Find("- Yes -"), nullptr);
    EXPECT_TRUE(canvas.wrapped.empty());
}

TEST_F(PrintLayoutTest, MultilineCommentIsCutAtTheUsableBottom) {
    std::vector<std::string> log = StandardLog();
    std::string longComment = "Line";
    for (int i = 0; i < 200; ++i) longComment += "\r\nLine";
    log[2] = LogRecord(towers[1], MakePackedDate(1, 5, 2001, 2), 0, MakePackedDate(2, 5, 2001),
                       longComment);
    ASSERT_TRUE(OpenLog(log));
    doc->SetFilter(kFilterVisited);
    doc->SetOrder(kOrderDate);  // Hampton Lucy (unknown date), Aston, Zeal
    settings.multiline = true;
    settings.columns[kColumnComment] = 0;

    PrintLayout layout(*doc, settings);
    ASSERT_EQ(layout.CountPages(canvas), PrintLayout::CountResult::Ok);
    EXPECT_EQ(layout.PageStarts(), (PageStartTable{0, 2}));
    EXPECT_EQ(layout.PageCount(), 2);

    EXPECT_FALSE(layout.PrintPage(canvas, 1, 2));
    ASSERT_EQ(canvas.wrapped.size(), 1u);
    // Rows at 90 (Hampton Lucy) and 100 (Aston); the comment box from Aston's row bottom
    // at the half-inch indent down to the usable bottom 1030.
    const PrintRect box = canvas.wrapped[0].box;
    EXPECT_EQ(box.left, 100);
    EXPECT_EQ(box.top, 110);
    EXPECT_EQ(box.right, 800);
    EXPECT_EQ(box.bottom, 1030);
    ASSERT_EQ(canvas.bars.size(), 1u);
    EXPECT_EQ(canvas.bars[0].top, 110);
    EXPECT_EQ(canvas.bars[0].bottom, 1030);
    EXPECT_EQ(canvas.bars[0].right - canvas.bars[0].left, 5);
    EXPECT_EQ((canvas.bars[0].left + canvas.bars[0].right) / 2, 90);

    EXPECT_EQ(canvas.Find("Zeal"), nullptr);

    // The rest of the comment does not carry over; the next page starts with Zeal.
    canvas.Clear();
    EXPECT_TRUE(layout.PrintPage(canvas, 2, 2));
    ASSERT_EQ(canvas.wrapped.size(), 1u);
    EXPECT_EQ(canvas.wrapped[0].text, "First line\r\n\r\nSecond line");
    EXPECT_EQ(canvas.wrapped[0].box.top, 100);
    EXPECT_EQ(canvas.Find("Zeal")->box.top, 90);
    EXPECT_EQ(canvas.Find("Page No 2 of 2")->text, "Page No 2 of 2");
}

TEST_F(PrintLayoutTest, ShortCommentsAreMeasuredWhole) {
    ASSERT_TRUE(OpenLog(StandardLog()));
    doc->SetFilter(kFilterVisited);
    settings.multiline = true;
    PrintLayout layout(*doc, settings);
    ASSERT_EQ(layout.CountPages(canvas), PrintLayout::CountResult::Ok);
    layout.PrintPage(canvas, 1, 1);
    // Alphabetical: Aston, Hampton Lucy, Zeal. Zeal's three comment lines take 30.
    ASSERT_EQ(canvas.wrapped.size(), 1u);
    EXPECT_EQ(canvas.wrapped[0].text, "First line\r\n\r\nSecond line");
    EXPECT_EQ(canvas.wrapped[0].box.top, 120);
    EXPECT_EQ(canvas.wrapped[0].box.bottom, 150);
}

TEST_F(PrintLayoutTest, EmptyListPrintsOnePageWithTheNoRecordsText) {
    ASSERT_TRUE(OpenLog({kOutLogHeader}));
    doc->SetFilter(kFilterVisited);
    settings.pageHeader = "Ringing Records for Ringer One";
    PrintLayout layout(*doc, settings);
    ASSERT_EQ(layout.CountPages(canvas), PrintLayout::CountResult::Ok);
    EXPECT_EQ(layout.PageCount(), 1);
    EXPECT_TRUE(layout.PrintPage(canvas, 1, 1));
    EXPECT_NE(canvas.Find("Ringing Records for Ringer One"), nullptr);
    EXPECT_NE(canvas.Find("Page No 1 of 1"), nullptr);
    const Drawn* none = canvas.Find("There are no records currently in this view.");
    ASSERT_NE(none, nullptr);
    EXPECT_EQ(none->align, TextAlign::Centre);
    EXPECT_EQ(none->place, TextPlace::Top);
    EXPECT_EQ(none->box.top, 80);
    EXPECT_EQ(none->box.bottom, 1030);
    EXPECT_EQ(canvas.Find("Location"), nullptr);
}

TEST_F(PrintLayoutTest, PageTooSmallForOneRecordStops) {
    doc->SetFilter(kFilterAllTowers);
    canvas.bodyHeight = 150;
    settings.margins.top = 5000;  // title row 530..680, first row would end at 830 > 750
    PrintLayout layout(*doc, settings);
    EXPECT_EQ(layout.CountPages(canvas), PrintLayout::CountResult::PageTooSmall);

    // The same page holds the empty list's text.
    ASSERT_TRUE(OpenLog({kOutLogHeader}));
    doc->SetFilter(kFilterVisited);
    EXPECT_EQ(layout.CountPages(canvas), PrintLayout::CountResult::Ok);
}

TEST_F(PrintLayoutTest, TextTooWideForItsCellShowsWhatFits) {
    // Five dots a character, the ellipsis included.
    EXPECT_EQ(FitCellText(canvas, "Hampton Lucy", 60), "Hampton Lucy");
    EXPECT_EQ(FitCellText(canvas, "Hampton Lucy", 59), "Hampton Lu\x85");
    // No space before the ellipsis.
    EXPECT_EQ(FitCellText(canvas, "Hampton Lucy", 44), "Hampton\x85");
    EXPECT_EQ(FitCellText(canvas, "Hampton Lucy", 10), "H\x85");
    // Narrower than a character and the ellipsis: the text itself, for the edge to cut.
    EXPECT_EQ(FitCellText(canvas, "Hampton Lucy", 9), "Hampton Lucy");
    EXPECT_EQ(FitCellText(canvas, "12", 6), "12");
    EXPECT_EQ(FitCellText(canvas, "12", 0), "12");
    EXPECT_EQ(FitCellText(canvas, "", 0), "");

    // In the table: Location 0.5 inch (a 40-dot cell), Tower ID 0.2 inch (10 dots),
    // No 0.18 inch (8 dots, too narrow even for a digit and the ellipsis).
    doc->SetFilter(kFilterAllTowers);
    settings.columns = ColumnWidths{500, 0, 0, 0, 180, 0, 200, 0, 0, 0, 0};
    PrintLayout layout(*doc, settings);
    ASSERT_EQ(layout.CountPages(canvas), PrintLayout::CountResult::Ok);
    layout.PrintPage(canvas, 1, 1);
    const Drawn* location = canvas.Find("Hampton\x85");
    ASSERT_NE(location, nullptr);
    EXPECT_EQ(location->box.left, 50);
    EXPECT_EQ(location->box.right, 90);
    EXPECT_NE(canvas.Find("Zeal"), nullptr);
    const Drawn* bells = canvas.Find("8");
    ASSERT_NE(bells, nullptr);
    EXPECT_EQ(bells->box.left, 100);
    EXPECT_EQ(bells->box.right, 108);
    const Drawn* id = canvas.Find("1\x85");
    ASSERT_NE(id, nullptr);
    EXPECT_EQ(id->box.left, 118);
    EXPECT_EQ(id->box.right, 128);
    // Every record shows in every column.
    std::size_t cells = 0;
    for (const auto& line : canvas.lines)
        if (!line.inverse && line.box.top > 80 && line.box.bottom <= 1030) ++cells;
    EXPECT_EQ(cells, 3u * towers.size());
}
