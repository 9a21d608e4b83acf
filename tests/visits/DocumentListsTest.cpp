#include "tests/visits/DocFixture.h"

using namespace chimeset;
using namespace chimeset::testing;

using DocumentLists = DocFixture;

TEST_F(DocumentLists, AllTowersInFileOrderUntilAnAdditionalTowerArrives) {
    ASSERT_TRUE(doc->IsDatabaseLoaded());
    EXPECT_TRUE(doc->SetFilter(kFilterAllTowers));
    EXPECT_FALSE(doc->SetFilter(kFilterAllTowers));
    ASSERT_EQ(doc->GetListCount(), 5);
    MapPoint point = 99;
    EXPECT_EQ(doc->GetListItem(0, &point), "Zeal - St Mary");
    EXPECT_EQ(point, 0u);  // the all-towers list gives no map points
    EXPECT_EQ(doc->SelectListItem(4), -1);
    EXPECT_EQ(doc->CurrentTower(), 4);
    EXPECT_EQ(doc->CurrentLocation(), "Ely");

    // Out of range positions select nothing rather than reading past the end.
    EXPECT_EQ(doc->SelectListItem(5), -1);
    EXPECT_EQ(doc->CurrentTower(), -1);
    EXPECT_EQ(doc->SelectListItem(-3), -1);
    EXPECT_EQ(doc->CurrentLocation(), "");
    EXPECT_EQ(doc->CurrentIndexNo(), -1);

    ASSERT_TRUE(OpenLog({kLogHeader, "Mill\\St Ann\\Kent\\\\\\\\6\\0\\0\\1\\0\\0\\"}));
    // The additional tower sorts in by name; equal names keep collection order.
    EXPECT_EQ(ListTexts(),
              (std::vector<std::string>{"Aston - St Peter", "aston - St Peter", "Bray - St Michael",
                                        "Ely - Cathedral", "Mill - St Ann", "Zeal - St Mary"}));
}

TEST_F(DocumentLists, LogListsFilterByTheirDateAndSortByNameOrDate) {
    ASSERT_TRUE(OpenLog(
        {kLogHeader, "\\\\\\\\\\\\\\\\101\\" + std::to_string(Day(5, 5, 2001, 2)) + "\\0\\0\\",
         "\\\\\\\\\\\\\\\\102\\" + std::to_string(Day(5, 5, 2001, 1)) + "\\" +
             std::to_string(Day(1, 1, 2000)) + "\\0\\",
         "\\\\\\\\\\\\\\\\103\\-1\\5\\0\\", "\\\\\\\\\\\\\\\\104\\0\\0\\7\\",
         "\\\\\\\\\\\\\\\\105\\" + std::to_string(Day(5, 5, 2001, 1)) + "\\0\\0\\"}));
    EXPECT_TRUE(doc->SetFilter(kFilterVisited));
    EXPECT_EQ(ListTexts(),
              (std::vector<std::string>{"Aston - St Peter", "Ely - Cathedral", "Zeal - St Mary"}));
    MapPoint point = 0;
    doc->GetListItem(0, &point);
    EXPECT_EQ(point, MakeMapPoint(4081, 2895));
    EXPECT_TRUE(doc->SetOrder(kOrderDate));
    // Same date: log order; sequence 1 before 2.
    EXPECT_EQ(ListTexts(),
              (std::vector<std::string>{"Aston - St Peter", "Ely - Cathedral", "Zeal - St Mary"}));
    EXPECT_EQ(doc->SelectListItem(2), 0);
    EXPECT_EQ(doc->CurrentTower(), 0);

    // The order stays in force across filters: quarter peals by date.
    EXPECT_TRUE(doc->SetFilter(kFilterQuartered));
    EXPECT_EQ(ListTexts(), (std::vector<std::string>{"Bray - St Michael", "Aston - St Peter"}));
    EXPECT_TRUE(doc->SetFilter(kFilterPealed));
    EXPECT_EQ(ListTexts(), (std::vector<std::string>{"aston - St Peter"}));

    // In the all-towers list a tower's entry becomes the current entry.
    doc->SetFilter(kFilterAllTowers);
    EXPECT_EQ(doc->SelectListItem(4), 4);
    EXPECT_EQ(doc->SelectListItem(2), 2);
    EXPECT_EQ(doc->EntryVisitDate(), -1);
    EXPECT_EQ(doc->EntryQuarterDate(), 5);
}

TEST_F(DocumentLists, WithoutADatabaseNothingIsSelectedAndNoLogOpens) {
    dir.Write("DoveData.CB0", "not a database\r\n");
    Reopen();
    EXPECT_FALSE(doc->IsDatabaseLoaded());
    EXPECT_FALSE(doc->CanOpenLog());
    doc->SetFilter(kFilterAllTowers);
    EXPECT_EQ(doc->GetListCount(), 0);
    EXPECT_EQ(doc->SelectListItem(0), -1);
    EXPECT_EQ(doc->CurrentTower(), -1);
    prompter.Clear();
    EXPECT_FALSE(OpenLog({kLogHeader}));
    EXPECT_TRUE(prompter.Silent());
}

TEST_F(DocumentLists, CurrentTowerFieldsInDisplayForm) {
    dir.WriteLines(
        "DoveData.CB0",
        {kDoveHeader, " Zeal \\St Mary\\Devon\\su123456\\ 50.7\\-3.8 \\ 6\\1260\\101",
         "Nine\\St A\\\\SU1234567\\\\\\8\\\\102", "Blank\\St B\\\\SU 23456\\\\\\8\\x\\103"});
    Reopen();
    doc->SetFilter(kFilterAllTowers);
    doc->SelectListItem(0);
    // Trimmed, as stored otherwise: the reference keeps its case.
    EXPECT_EQ(doc->CurrentLocation(), "Zeal");
    EXPECT_EQ(doc->CurrentOSRef(), "su123456");
    EXPECT_EQ(doc->CurrentMapPoint(), MakeMapPoint(4123, 1456));
    EXPECT_EQ(doc->CurrentLatitude(), "50.7");
    EXPECT_EQ(doc->CurrentLongitude(), "-3.8");
    EXPECT_EQ(doc->CurrentBells(), "6");
    EXPECT_EQ(doc->CurrentWeight(), "11-1-0");
    EXPECT_EQ(doc->CurrentIndexNo(), 101);
    doc->ToggleKilograms();
    EXPECT_EQ(doc->CurrentWeight(), "571 Kg");
    doc->ToggleKilograms();

    doc->SelectListItem(1);  // nine characters: no reference shown, no position
    EXPECT_EQ(doc->CurrentOSRef(), "");
    EXPECT_EQ(doc->CurrentMapPoint(), 0u);
    EXPECT_EQ(doc->CurrentWeight(), "");
    doc->SelectListItem(2);  // eight characters with a blank: shown, but no position
    EXPECT_EQ(doc->CurrentOSRef(), "SU 23456");
    EXPECT_EQ(doc->CurrentMapPoint(), 0u);
    EXPECT_EQ(doc->CurrentWeight(), "x");
}

TEST_F(DocumentLists, ARowReadsAsSelectingItWouldWithoutMovingTheSelection) {
    ASSERT_TRUE(OpenLog(
        {kLogHeader, "\\\\\\\\\\\\\\\\101\\" + std::to_string(Day(5, 5, 2001, 2)) + "\\0\\0\\",
         "\\\\\\\\\\\\\\\\102\\" + std::to_string(Day(5, 5, 2001, 1)) + "\\" +
             std::to_string(Day(1, 1, 2000)) + "\\7\\SGk=",
         "\\\\\\\\\\\\\\\\105\\" + std::to_string(Day(5, 5, 2001, 1)) + "\\0\\0\\"}));
    for (const ListFilter filter : {kFilterAllTowers, kFilterVisited, kFilterQuartered}) {
        doc->SetFilter(filter);
        doc->SelectListItem(1);
        const std::int32_t tower = doc->CurrentTower();
        const std::int32_t entry = doc->CurrentEntry();
        // Every position, one past the end and a negative one included.
        for (std::int32_t p = -1; p <= doc->GetListCount(); ++p) {
            const ListRow row = doc->GetListRow(p);
            EXPECT_EQ(doc->CurrentTower(), tower);
            EXPECT_EQ(doc->CurrentEntry(), entry);
            doc->SelectListItem(p);
            EXPECT_EQ(row.Tower(), doc->CurrentTower()) << filter << " at " << p;
            EXPECT_EQ(row.Entry(), doc->CurrentEntry()) << filter << " at " << p;
            EXPECT_EQ(row.Location(), doc->CurrentLocation());
            EXPECT_EQ(row.Weight(), doc->CurrentWeight());
            EXPECT_EQ(row.OSRef(), doc->CurrentOSRef());
            EXPECT_EQ(row.IndexNo(), doc->CurrentIndexNo());
            EXPECT_EQ(row.VisitDate(), doc->EntryVisitDate());
            EXPECT_EQ(row.QuarterDate(), doc->EntryQuarterDate());
            EXPECT_EQ(row.PealDate(), doc->EntryPealDate());
            EXPECT_EQ(row.Comment(), doc->EntryComment());
            doc->SelectListItem(1);
        }
    }
    // Aston in the all-towers list: its entry's records, the comment decoded.
    doc->SetFilter(kFilterAllTowers);
    const ListRow aston = doc->GetListRow(1);
    EXPECT_EQ(aston.Location(), "Aston");
    EXPECT_EQ(aston.QuarterDate(), Day(1, 1, 2000));
    EXPECT_EQ(aston.PealDate(), 7);
    EXPECT_EQ(aston.Comment(), "Hi");
    // Bray has no entry: the tower's fields without records; its reference has a blank.
    const ListRow bray = doc->GetListRow(2);
    EXPECT_EQ(bray.Entry(), -1);
    EXPECT_EQ(bray.OSRef(), "SU 12345");
    EXPECT_EQ(bray.VisitDate(), 0);
    EXPECT_EQ(bray.Comment(), "");
}
