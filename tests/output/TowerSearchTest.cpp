#include "output/TowerSearch.h"
#include "tests/output/OutputFixture.h"

using namespace chimeset;
using namespace chimeset::testing;

using TowerSearchTest = OutputFixture;

TEST_F(TowerSearchTest, LocationOnlyAnyCaseNoWrap) {
    doc->SetFilter(kFilterAllTowers);  // file order: Zeal, Aston, Bray, Hampton Lucy, \xC9vreux
    TowerSearch search;
    search.Start("AsT");
    EXPECT_EQ(search.FindNext(*doc, 0), 1);
    EXPECT_EQ(doc->CurrentLocation(), "Aston");
    EXPECT_EQ(search.FindStartIndex(), 2);

    // The dedication is not searched: "Peter" is only in dedications.
    search.Start("peter");
    EXPECT_EQ(search.FindNext(*doc, 2), -1);
    EXPECT_EQ(doc->CurrentLocation(), "Bray");  // the view's selection restored
    EXPECT_EQ(search.FindStartIndex(), 0);

    // "ham" anywhere; after the last match the next search fails, the one after restarts.
    search.Start("HAM");
    EXPECT_EQ(search.FindNext(*doc, 0), 3);
    EXPECT_EQ(search.FindNext(*doc, 3), -1);
    EXPECT_EQ(doc->CurrentLocation(), "Hampton Lucy");
    EXPECT_EQ(search.FindNext(*doc, 3), 3);

    // Accented capitals fold too.
    search.Start("\xE9vr");
    EXPECT_EQ(search.FindNext(*doc, 0), 4);
    EXPECT_EQ(ToLower1252("\xC9\x8A\x9F\xD7Z"), "\xE9\x9A\xFF\xD7z");
}

TEST_F(TowerSearchTest, EmptyTextStepsThroughTheShownList) {
    ASSERT_TRUE(OpenLog(StandardLog()));
    doc->SetFilter(kFilterVisited);  // Aston, Hampton Lucy, Zeal
    TowerSearch search;              // Find Next before any Find: the empty text
    std::vector<std::int32_t> found;
    for (int i = 0; i < 4; ++i) found.push_back(search.FindNext(*doc, 0));
    EXPECT_EQ(found, (std::vector<std::int32_t>{0, 1, 2, -1}));
    EXPECT_EQ(search.FindNext(*doc, 0), 0);

    // Under My Visits only visited towers are searched; a refill starts at the top.
    search.Start("bray");
    EXPECT_EQ(search.FindNext(*doc, 0), -1);
    search.Start("a");
    EXPECT_EQ(search.FindNext(*doc, 0), 0);
    EXPECT_EQ(search.FindNext(*doc, 0), 1);
    search.ResetStart();
    EXPECT_EQ(search.FindNext(*doc, 0), 0);
    EXPECT_EQ(doc->EntryVisitDate(), MakePackedDate(1, 5, 2001, 2));  // the entry is selected too
}
