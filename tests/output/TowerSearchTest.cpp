#include "output/TowerSearch.h"
#include "tests/output/OutputFixture.h"

using namespace chimeset;
using namespace chimeset::testing;

using TowerSearchTest = OutputFixture;

TEST_F(TowerSearchTest, LocationOnlyAnyCaseNoWrap) {
    doc->SetFilter(kFilterAllTowers);  // file order: Zeal, Aston, Bray, Hampton Lucy, \xC9vreux
    doc->SelectListItem(2);
    TowerSearch search;
    search.Start("AsT");
    EXPECT_EQ(search.FindNext(*doc), 1);
    EXPECT_EQ(search.FindStartIndex(), 2);
    EXPECT_EQ(doc->CurrentLocation(), "Bray");  // finding selects nothing: the view does

    // The dedication is not searched: "Peter" is only in dedications.
    search.Start("peter");
    EXPECT_EQ(search.FindNext(*doc), -1);
    EXPECT_EQ(search.FindStartIndex(), 0);

    // "ham" anywhere; after the last match the next search fails, the one after restarts.
    search.Start("HAM");
    EXPECT_EQ(search.FindNext(*doc), 3);
    EXPECT_EQ(search.FindNext(*doc), -1);
    EXPECT_EQ(search.FindNext(*doc), 3);
    EXPECT_EQ(doc->CurrentLocation(), "Bray");

    // Accented capitals fold too.
    search.Start("\xE9vr");
    EXPECT_EQ(search.FindNext(*doc), 4);
    EXPECT_EQ(ToLower1252("\xC9\x8A\x9F\xD7Z"), "\xE9\x9A\xFF\xD7z");
}

TEST_F(TowerSearchTest, EmptyTextStepsThroughTheShownList) {
    ASSERT_TRUE(OpenLog(StandardLog()));
    doc->SetFilter(kFilterVisited);  // Aston, Hampton Lucy, Zeal
    TowerSearch search;              // Find Next before any Find: the empty text
    std::vector<std::int32_t> found;
    for (int i = 0; i < 4; ++i) found.push_back(search.FindNext(*doc));
    EXPECT_EQ(found, (std::vector<std::int32_t>{0, 1, 2, -1}));
    EXPECT_EQ(search.FindNext(*doc), 0);

    // Under My Visits only visited towers are searched; a refill starts at the top.
    search.Start("bray");
    EXPECT_EQ(search.FindNext(*doc), -1);
    search.Start("a");
    EXPECT_EQ(search.FindNext(*doc), 0);
    EXPECT_EQ(search.FindNext(*doc), 1);
    search.ResetStart();
    EXPECT_EQ(search.FindNext(*doc), 0);
    // The row found is the entry, as selecting it would make it current.
    EXPECT_EQ(doc->GetListRow(0).VisitDate(), MakePackedDate(1, 5, 2001, 2));
}
