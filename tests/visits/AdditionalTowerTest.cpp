#include "tests/visits/DocFixture.h"

using namespace chimeset;
using namespace chimeset::testing;

using AdditionalTowers = DocFixture;

TEST_F(AdditionalTowers, AddingATowerRecordsAnUnknownVisit) {
    ASSERT_TRUE(OpenLog({kLogHeader}));
    doc->SetFilter(kFilterAllTowers);
    AdditionalTowerFields fields;
    fields.location = "A";
    fields.dedication = "B";
    fields.bells = 6;
    fields.osReference = "SU 123 456";
    const PackedDate d = Day(7, 12, 2026);
    fields.tbNumber = doc->NextAdditionalTowerId();
    EXPECT_EQ(fields.tbNumber, d + 1);
    listener.hints.clear();
    ASSERT_TRUE(doc->AddNewAdditionalTower(fields));
    EXPECT_EQ(doc->Database().GetTowerField(5, kOS), "SU123456");
    EXPECT_EQ(CChimesetDoc::BuildAdditionalTowerLine({"A", "B", "", "", "", "", 6, 0, d + 1}),
              "A\\B\\\\\\\\\\6\\0\\" + std::to_string(d + 1));
    EXPECT_EQ(doc->CurrentTower(), 5);
    EXPECT_EQ(doc->EntryVisitDate(), kUnknownDate);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(listener.hints.back(), kHintContentsChanged);
    EXPECT_EQ(ListTexts().front(), "A - B");  // sorted into the all-towers list
    doc->SetFilter(kFilterVisited);
    EXPECT_EQ(ListTexts(), std::vector<std::string>{"A - B"});

    // The next tower of the run proposes the next number.
    EXPECT_EQ(doc->NextAdditionalTowerId(), d + 2);
}

TEST_F(AdditionalTowers, DuplicateNumberAsksFirst) {
    ASSERT_TRUE(OpenLog({kLogHeader}));
    AdditionalTowerFields fields{"Dup", "St X", "", "", "", "", 6, 0, 102};
    prompter.QueueAnswer(Answer::No);
    EXPECT_FALSE(doc->AddNewAdditionalTower(fields));
    EXPECT_EQ(doc->Database().GetAdditionalCount(), 0);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(prompter.notices.back().buttons, NoticeButtons::YesNo);

    prompter.QueueAnswer(Answer::Yes);
    ASSERT_TRUE(doc->AddNewAdditionalTower(fields));
    ASSERT_TRUE(doc->Save());
    // Read again, the record maps to the database tower and no additional tower is made.
    std::string user = "RINGER1";
    ASSERT_TRUE(doc->OpenLog(doc->GetPathName(), user));
    EXPECT_EQ(doc->Database().GetAdditionalCount(), 0);
    EXPECT_EQ(doc->TowerOfEntry(0), 1);
}

TEST_F(AdditionalTowers, EditingKeepsPoundsAndSurvivesSaving) {
    ASSERT_TRUE(OpenLog({kLogHeader, "Mill\\St Ann\\Kent\\\\\\\\6\\1260\\555555\\1\\0\\0\\"}));
    SelectTower(5);
    doc->ToggleKilograms();
    EXPECT_EQ(doc->CurrentWeight(), "571 Kg");
    AdditionalTowerFields fields = doc->CurrentTowerFields();
    EXPECT_EQ(fields.weightPounds, 1260);
    EXPECT_EQ(fields.bells, 6);
    EXPECT_EQ(fields.tbNumber, 555555);
    fields.county = "Kent & Sussex";
    doc->ReplaceAdditionalTowerDetails(5, fields);
    // A renamed tower moves to its new place in the sorted list.
    doc->SetFilter(kFilterAllTowers);
    fields.location = "Abbey";
    doc->ReplaceAdditionalTowerDetails(5, fields);
    EXPECT_EQ(ListTexts().front(), "Abbey - St Ann");
    fields.location = "Mill";
    doc->ReplaceAdditionalTowerDetails(5, fields);
    EXPECT_EQ(ListTexts()[4], "Mill - St Ann");
    ASSERT_TRUE(doc->Save());
    EXPECT_NE(
        ReadBytes(doc->GetPathName()).find("Mill\\St Ann\\Kent & Sussex\\\\\\\\6\\1260\\555555\\1"),
        std::string::npos);
}

TEST_F(AdditionalTowers, ANewRunProposesANumberNoTowerHasYet) {
    // A tower added and saved earlier the same day.
    ASSERT_TRUE(OpenLog({kLogHeader}));
    const PackedDate d = Day(7, 12, 2026);
    ASSERT_TRUE(doc->AddNewAdditionalTower(
        {"First", "St A", "", "", "", "", 6, 0, doc->NextAdditionalTowerId()}));
    ASSERT_TRUE(doc->Save());

    // The next run of the program reads that log and adds another tower.
    Reopen();
    std::string user = "RINGER1";
    ASSERT_TRUE(doc->OpenLog(dir.File("RINGER1.CBL"), user));
    const std::int32_t proposed = doc->NextAdditionalTowerId();
    EXPECT_EQ(proposed, d + 2);
    ASSERT_TRUE(doc->AddNewAdditionalTower({"Second", "St B", "", "", "", "", 8, 0, proposed}));
    EXPECT_TRUE(prompter.Silent());  // no question about a duplicate
    ASSERT_TRUE(doc->Save());

    // Both towers come back from the log.
    Reopen();
    user = "RINGER1";
    ASSERT_TRUE(doc->OpenLog(dir.File("RINGER1.CBL"), user));
    ASSERT_EQ(doc->Database().GetAdditionalCount(), 2);
    EXPECT_EQ(doc->Database().FormatTowerName(doc->TowerOfEntry(0)), "First - St A");
    EXPECT_EQ(doc->Database().FormatTowerName(doc->TowerOfEntry(1)), "Second - St B");

    // A number typed in at the very top of the range still leaves a number to propose.
    ASSERT_TRUE(doc->AddNewAdditionalTower({"Top", "St C", "", "", "", "", 5, 0, INT32_MAX}));
    EXPECT_EQ(doc->NextAdditionalTowerId(), d + 3);
}
