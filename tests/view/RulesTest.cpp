// The rules behind the form and its dialogs, without any window.
#include <gtest/gtest.h>

#include "visits/AdditionalTowerInput.h"
#include "visits/DateProposal.h"
#include "visits/DialogInput.h"

using namespace chimeset;

TEST(DateProposalRules, EmptyFieldAfterASameDayEntryProposesTheNextNumber) {
    const PackedDate second = MakePackedDate(12, 5, 2004, 2);
    DateProposal p = ProposeDate(kNoDate, second);
    EXPECT_EQ(p.option, kRecordFullDate);
    EXPECT_EQ(p.sequence, 3);
    EXPECT_EQ(std::make_tuple(p.year, p.month, p.day), std::make_tuple(2004, 5, 12));

    // A lone tower (0) and the last number (31) are proposed unchanged.
    EXPECT_EQ(ProposeDate(kNoDate, MakePackedDate(12, 5, 2004, 0)).sequence, 0);
    EXPECT_EQ(ProposeDate(kNoDate, MakePackedDate(12, 5, 2004, 31)).sequence, 31);
    EXPECT_EQ(ProposeDate(kNoDate, MakePackedDate(12, 5, 2004, 30)).sequence, 31);

    // A field that holds a date shows it, whatever was entered last.
    p = ProposeDate(MakePackedDate(1, 2, 2003, 4), second);
    EXPECT_EQ(std::make_tuple(p.year, p.month, p.day, p.sequence), std::make_tuple(2003, 2, 1, 4));

    // Nothing entered since the last full update: today, sequence 0.
    p = ProposeDate(kNoDate, kNoDate);
    EXPECT_TRUE(p.KeepsToday());
    EXPECT_EQ(p.sequence, 0);
    EXPECT_EQ(p.option, kRecordFullDate);
    // A date read as -1 from a log counts as none.
    EXPECT_TRUE(ProposeDate(-1, kNoDate).KeepsToday());
}

TEST(DateProposalRules, YearOnlyAndUnknownForms) {
    DateProposal p = ProposeDate(MakeYearOnlyDate(2010), kNoDate);
    EXPECT_EQ(p.option, kRecordYearOnly);
    EXPECT_EQ(std::make_tuple(p.year, p.month, p.day, p.sequence), std::make_tuple(2010, 1, 1, 1));

    p = ProposeDate(kUnknownDate, kNoDate);
    EXPECT_EQ(p.option, kRecordUnknownDate);
    EXPECT_TRUE(p.KeepsToday());
    EXPECT_EQ(p.sequence, 1);

    // A year-only date entered last is proposed as it is: it has no day to count on.
    p = ProposeDate(kNoDate, MakeYearOnlyDate(2010));
    EXPECT_EQ(p.option, kRecordYearOnly);
    EXPECT_EQ(p.sequence, 1);

    EXPECT_EQ(DateFromChoice(kRecordFullDate, 2004, 5, 12, 3), MakePackedDate(12, 5, 2004, 3));
    EXPECT_EQ(DateFromChoice(kRecordYearOnly, 2004, 5, 12, 3), 2004 * 16384 + 1);
    EXPECT_EQ(DateFromChoice(kRecordUnknownDate, 2004, 5, 12, 3), 1);
    EXPECT_EQ(DateFromChoice(kRemoveDate, 2004, 5, 12, 3), 0);
}

TEST(DialogInputRules, WholeNumbersAsTyped) {
    std::int32_t value = 99;
    EXPECT_TRUE(ParseDialogInteger(" 12 ", value));
    EXPECT_EQ(value, 12);
    EXPECT_TRUE(ParseDialogInteger("-7", value));
    EXPECT_EQ(value, -7);
    EXPECT_TRUE(ParseDialogInteger("2147483647", value));
    EXPECT_TRUE(ParseDialogInteger("-2147483648", value));
    EXPECT_EQ(value, INT32_MIN);
    for (const char* bad :
         {"", " ", "-", "1 2", "12a", "2147483648", "99999999999999999999", "0x10"}) {
        value = 5;
        EXPECT_FALSE(ParseDialogInteger(bad, value)) << bad;
        EXPECT_EQ(value, 5) << bad;
    }
}

TEST(AdditionalTowerRules, WeightPartsAndTheOrderOfChecks) {
    const TenorWeightParts parts = SplitPounds(1259);
    EXPECT_EQ(std::make_tuple(parts.cwt, parts.qtr, parts.lbs), std::make_tuple(11, 0, 27));
    EXPECT_EQ(PoundsOf(parts), 1259);
    EXPECT_EQ(WeightPartsText(parts), "11-0-27");
    EXPECT_EQ(PoundsOf({200, 3, 27}), 22511);

    std::int32_t tb = 0;
    std::int32_t bells = 0;
    // The identity number is checked first, then bells, then location and dedication.
    auto refused = CheckAdditionalTowerInput("x", "0", "", "", tb, bells);
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->field, TowerInputField::TbNumber);
    refused = CheckAdditionalTowerInput("5", "0", "", "", tb, bells);
    EXPECT_EQ(refused->field, TowerInputField::Bells);
    EXPECT_EQ(refused->notice.text, "Please enter an integer between 1 and 99.");
    refused = CheckAdditionalTowerInput("5", "99", "", "", tb, bells);
    EXPECT_EQ(refused->field, TowerInputField::Location);
    refused = CheckAdditionalTowerInput("5", "1", " ", "", tb, bells);
    EXPECT_EQ(refused->field, TowerInputField::Dedication);
    EXPECT_EQ(refused->notice.text, "Item must be completed");
    EXPECT_EQ(tb, 0);
    EXPECT_FALSE(CheckAdditionalTowerInput("5", "1", " ", " ", tb, bells));
    EXPECT_EQ(std::make_tuple(tb, bells), std::make_tuple(5, 1));

    TenorWeightParts weight;
    EXPECT_EQ(CheckTenorWeightInput("201", "0", "0", weight)->field, TowerInputField::Cwt);
    EXPECT_EQ(CheckTenorWeightInput("0", "4", "0", weight)->field, TowerInputField::Qtr);
    EXPECT_EQ(CheckTenorWeightInput("0", "0", "28", weight)->field, TowerInputField::Lbs);
    EXPECT_FALSE(CheckTenorWeightInput("12", "3", "27", weight));
    EXPECT_EQ(PoundsOf(weight), 12 * 112 + 3 * 28 + 27);
    EXPECT_FALSE(IsAllowedInTowerField('\\'));
}
