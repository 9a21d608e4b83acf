#include <gtest/gtest.h>

#include "output/PrintSettings.h"
#include "output/PrintSettingsEditor.h"
#include "tests/support/MemorySettings.h"

using namespace chimeset;
using namespace chimeset::testing;

namespace {

ColumnWidths Widths(std::initializer_list<std::int32_t> values) {
    ColumnWidths widths{};
    std::size_t i = 0;
    for (const auto v : values) widths[i++] = v;
    return widths;
}

// A4 paper as the PDF printer gives it, in thousandths of an inch.
constexpr std::int32_t kA4Width = 8267;

}  // namespace

TEST(PrintSettings, ColumnsAreReadWithNumberPrefixesAndWrittenPlain) {
    EXPECT_EQ(ParseColumnWidths(kDefaultColumns),
              Widths({1500, 1000, 0, 500, 200, 0, 0, 900, 900, 900, 500}));
    // 0x makes hexadecimal, a leading 0 octal; empty, missing and unreadable pieces are 0.
    EXPECT_EQ(ParseColumnWidths("0x3E8,0144,,7,x,-5"), Widths({1000, 100, 0, 7, 0, 0}));
    EXPECT_EQ(ParseColumnWidths(""), ColumnWidths{});
    // Out of all sense (and beyond 32 bits): not a width at all.
    EXPECT_EQ(ParseColumnWidths("100001,99999999999,100000"), Widths({0, 0, 100000}));
    // A twelfth piece has no column.
    EXPECT_EQ(ParseColumnWidths("1,2,3,4,5,6,7,8,9,10,11,12")[10], 11);

    const ColumnWidths widths = Widths({1500, 0, 0, 500, 200, 0, 0, 900, 900, 900, 2500});
    EXPECT_EQ(FormatColumnWidths(widths), "1500,0,0,500,200,0,0,900,900,900,2500");
    EXPECT_EQ(ParseColumnWidths(FormatColumnWidths(widths)), widths);
}

TEST(PrintSettings, ProfileDefaultsAndWhatIsStored) {
    MemorySettings store;
    PrintSettings settings;
    settings.fontFace = "Courier";
    settings.fontSize = 120;
    settings.pageHeader = "kept";
    LoadPrintSettings(store, settings);
    EXPECT_EQ(settings.margins, PageMargins{});
    EXPECT_EQ(settings.margins.left, 500);
    EXPECT_EQ(settings.fontFace, "Arial");
    EXPECT_EQ(settings.fontSize, 80);
    EXPECT_FALSE(settings.multiline);
    EXPECT_EQ(settings.columns, ParseColumnWidths(kDefaultColumns));
    EXPECT_EQ(settings.pageHeader, "kept");

    store.WriteString("Settings", "MarginT", "300");
    store.WriteString("Settings", "MarginL", "rubbish");
    store.WriteString("Settings", "Multi", "1");
    store.WriteString("Settings", "Columns", "2000,0,0,0,0,0,0,900");
    LoadPrintSettings(store, settings);
    EXPECT_EQ(settings.margins.top, 300);
    EXPECT_EQ(settings.margins.left, 500);
    EXPECT_TRUE(settings.multiline);
    EXPECT_EQ(settings.columns, Widths({2000, 0, 0, 0, 0, 0, 0, 900}));

    settings.multiline = false;
    StoreColumnsAndMulti(store, settings);
    EXPECT_EQ(store.GetString("Settings", "Columns"), "2000,0,0,0,0,0,0,900,0,0,0");
    EXPECT_EQ(store.GetString("Settings", "Multi"), "0");

    StoreMargins(store, PageMargins{100, 200, 300, 400});
    EXPECT_EQ(store.GetString("Settings", "MarginL"), "100");
    EXPECT_EQ(store.GetString("Settings", "MarginT"), "200");
    EXPECT_EQ(store.GetString("Settings", "MarginR"), "300");
    EXPECT_EQ(store.GetString("Settings", "MarginB"), "400");

    // A store that takes some entries but not others: the failure is reported, and the
    // entries that could be written still are.
    store.refuses = [](const std::string& entry) { return entry == "Multi" || entry == "MarginB"; };
    settings.multiline = true;
    EXPECT_FALSE(StoreColumnsAndMulti(store, settings));
    EXPECT_EQ(store.GetString("Settings", "Multi"), "0");
    EXPECT_FALSE(StoreMargins(store, PageMargins{500, 600, 700, 800}));
    EXPECT_EQ(store.GetString("Settings", "MarginR"), "700");
    EXPECT_EQ(store.GetString("Settings", "MarginB"), "400");
    store.refuses = nullptr;
    EXPECT_TRUE(StoreColumnsAndMulti(store, settings));
    EXPECT_TRUE(StoreMargins(store, PageMargins{500, 600, 700, 800}));
}

TEST(PrintSettings, LengthsShownAndRounded) {
    EXPECT_EQ(FormatInches(1500), "1.5\"");
    EXPECT_EQ(FormatInches(1550), "1.5\"");
    EXPECT_EQ(FormatInches(1599), "1.5\"");
    EXPECT_EQ(FormatInches(-250), "-0.2\"");
    EXPECT_EQ(FormatInches(0), "0.0\"");
    EXPECT_EQ(FormatInches(867), "0.8\"");
    EXPECT_EQ(RoundDownMargin(537), 500);
    EXPECT_EQ(RoundDownMargin(99), 0);
    EXPECT_EQ(RoundDownMargin(1200), 1200);
    EXPECT_EQ(PrintColumnTitle(kColumnLocation), "Location");
    EXPECT_EQ(PrintColumnTitle(kColumnBells), "No");
    EXPECT_EQ(PrintColumnTitle(kColumnTowerId), "Tower ID");
    EXPECT_EQ(PrintColumnTitle(kColumnComment), "Comment");
    EXPECT_EQ(PrintColumnTitle(11), "");
}

TEST(PrintSettingsEditor, OpeningAndColumnBoxes) {
    PrintSettings settings;
    settings.multiline = true;  // cleared: Comments (Min) is printed
    PrintSettingsEditor editor(settings);
    editor.Open(kA4Width);
    EXPECT_EQ(editor.SelectedColumn(), kColumnLocation);
    EXPECT_FALSE(editor.Multiline());
    // 8267 - 6400 of columns - 500 - 500.
    EXPECT_EQ(editor.RemainingSpace(), 867);
    EXPECT_TRUE(editor.CanAccept());

    // Checking a column with under 0.5 inch to spare leaves Remaining Space negative.
    editor.CheckColumn(kColumnCounty);
    EXPECT_EQ(editor.Width(kColumnCounty), 500);
    EXPECT_EQ(editor.SelectedColumn(), kColumnCounty);
    EXPECT_EQ(editor.RemainingSpace(), 367);
    editor.CheckColumn(kColumnOSRef);
    EXPECT_EQ(editor.RemainingSpace(), -133);
    EXPECT_FALSE(editor.CanAccept());

    // Unchecking gives the width back and forgets the selection if it was selected.
    editor.UncheckColumn(kColumnOSRef);
    EXPECT_EQ(editor.SelectedColumn(), -1);
    EXPECT_EQ(editor.Width(kColumnOSRef), 0);
    EXPECT_EQ(editor.RemainingSpace(), 367);
    EXPECT_TRUE(editor.CanAccept());
    EXPECT_FALSE(editor.ClickWidth(kColumnOSRef));  // not printed: a beep
    EXPECT_TRUE(editor.ClickWidth(kColumnWeight));
    EXPECT_EQ(editor.SelectedColumn(), kColumnWeight);

    // Without a printer nothing is computed: only the columns are subtracted.
    PrintSettingsEditor unknown(settings);
    unknown.Open(std::nullopt);
    EXPECT_EQ(unknown.RemainingSpace(), -6400);
}

TEST(PrintSettingsEditor, SpinStepRules) {
    PrintSettings settings;
    PrintSettingsEditor editor(settings);
    editor.Open(kA4Width);
    ASSERT_EQ(editor.RemainingSpace(), 867);

    ASSERT_TRUE(editor.ClickWidth(kColumnBells));  // 200
    EXPECT_TRUE(editor.SpinStep(-1));
    EXPECT_EQ(editor.Width(kColumnBells), 100);
    EXPECT_EQ(editor.RemainingSpace(), 967);
    EXPECT_FALSE(editor.SpinStep(-1));  // under 0.1 inch
    EXPECT_EQ(editor.Width(kColumnBells), 100);

    EXPECT_TRUE(editor.SpinStep(9));
    EXPECT_EQ(editor.Width(kColumnBells), 1000);
    EXPECT_EQ(editor.RemainingSpace(), 67);
    EXPECT_FALSE(editor.SpinStep(1));  // Remaining Space would go negative
    EXPECT_EQ(editor.RemainingSpace(), 67);

    // Once negative (a column checked), narrowing is still allowed.
    editor.CheckColumn(kColumnCounty);
    ASSERT_EQ(editor.RemainingSpace(), -433);
    EXPECT_TRUE(editor.SpinStep(-2));
    EXPECT_EQ(editor.Width(kColumnCounty), 300);
    EXPECT_EQ(editor.RemainingSpace(), -233);

    editor.UncheckColumn(kColumnCounty);
    EXPECT_FALSE(editor.SpinStep(1));  // nothing selected
}

TEST(PrintSettingsEditor, MultilineAndCommentsMinExchange) {
    PrintSettings settings;
    PrintSettingsEditor editor(settings);
    editor.Open(kA4Width);
    ASSERT_EQ(editor.Width(kColumnComment), 500);

    // Multiline unchecks Comments (Min) and gives its width back.
    editor.SetMultiline(true);
    EXPECT_TRUE(editor.Multiline());
    EXPECT_FALSE(editor.IsChecked(kColumnComment));
    EXPECT_EQ(editor.RemainingSpace(), 1367);

    // Comments (Min) checked again clears multiline.
    editor.CheckColumn(kColumnComment);
    EXPECT_FALSE(editor.Multiline());
    EXPECT_EQ(editor.Width(kColumnComment), 500);
    EXPECT_EQ(editor.RemainingSpace(), 867);

    editor.SetMultiline(false);
    EXPECT_TRUE(editor.IsChecked(kColumnComment));

    // Margins take part in Remaining Space when it is computed again.
    editor.SetMargins(PageMargins{1000, 500, 1000, 500});
    editor.ComputeRemainingSpace(kA4Width);
    EXPECT_EQ(editor.RemainingSpace(), -133);
}
