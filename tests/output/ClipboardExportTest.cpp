#include "output/ClipboardExport.h"
#include "tests/output/OutputFixture.h"

using namespace chimeset;
using namespace chimeset::testing;

using ClipboardExport = OutputFixture;

TEST_F(ClipboardExport, DefaultColumnsExactBytes) {
    ASSERT_TRUE(OpenLog(StandardLog()));
    doc->SetFilter(kFilterVisited);  // alphabetical: Aston, Hampton Lucy, Zeal
    doc->SelectListItem(1);
    std::int32_t count = -1;
    const std::string text = BuildClipboardText(*doc, PrintSettings().columns, &count);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(
        text,
        // No quarter peal: its tab stays. No comment: no tab after the peal date.
        "Aston\tSt Peter & St Paul\t17-3-12\t8\t01/05/2001 #2\t\t02/05/2001\r\n"
        "Hampton Lucy\tSt Peter\t8-0-4\t6\t- Yes -\t\t\r\n"
        // The comment's blank line is one run of line breaks: one pilcrow.
        "Zeal\tSt Mary\t11-1-0\t6\t07/03/2010\t08/03/2010\t2011\tFirst line\xB6Second line\r\n");
    // Reading the list leaves the view's selection where it was.
    EXPECT_EQ(doc->CurrentLocation(), "Hampton Lucy");
}

TEST_F(ClipboardExport, ColumnChoiceUnitsAndCodePage) {
    std::vector<std::string> log = StandardLog();
    log.push_back(LogRecord(towers[4], MakePackedDate(14, 7, 1999), 0, 0, "\xC9t\xE9\r\r\n\n"));
    ASSERT_TRUE(OpenLog(log));
    doc->SetFilter(kFilterVisited);
    doc->SetOrder(kOrderDate);  // Hampton Lucy, \xC9vreux, Aston, Zeal
    doc->ToggleKilograms();
    // Location and dedication always; everything else only when its width is not 0.
    ColumnWidths widths{};
    widths[kColumnCounty] = 1;
    widths[kColumnOSRef] = 1;
    widths[kColumnTowerId] = 1;
    widths[kColumnWeight] = 1;
    widths[kColumnComment] = 1;
    EXPECT_EQ(BuildClipboardText(*doc, widths),
              "Hampton Lucy\tSt Peter\tWarks\t408 Kg\tSP257570\t104\r\n"
              "\xC9vreux\tNotre Dame\tFrance\t\t\t105\t\xC9t\xE9\xB6\r\n"
              "Aston\tSt Peter & St Paul\tWarks\t907 Kg\tSP081895\t102\r\n"
              "Zeal\tSt Mary\tDevon\t571 Kg\tSX123456\t101\tFirst line\xB6Second line\r\n");

    // Only the dates, quarter and peal fields keeping their places.
    ColumnWidths dates{};
    dates[kColumnQuartered] = 1;
    dates[kColumnPealed] = 1;
    const std::string text = BuildClipboardText(*doc, dates);
    EXPECT_EQ(text.substr(0, text.find("\r\n")), "Hampton Lucy\tSt Peter\t\t");
}

TEST_F(ClipboardExport, EmptyListAndNoLog) {
    ASSERT_TRUE(OpenLog({kOutLogHeader}));
    doc->SetFilter(kFilterPealed);
    std::int32_t count = -1;
    EXPECT_EQ(BuildClipboardText(*doc, PrintSettings().columns, &count), "");
    EXPECT_EQ(count, 0);
}
