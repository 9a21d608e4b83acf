#include <gtest/gtest.h>

#include "common/FileFormats.h"
#include "common/MessageTable.h"
#include "common/Text.h"

using namespace chimeset;

TEST(ParseNumber, DigitsOnlyOtherwiseMinusOne) {
    EXPECT_EQ(ParseNumber(""), 0);
    EXPECT_EQ(ParseNumber("0"), 0);
    EXPECT_EQ(ParseNumber("1234"), 1234);
    EXPECT_EQ(ParseNumber("007"), 7);
    EXPECT_EQ(ParseNumber(" 1234"), -1);
    EXPECT_EQ(ParseNumber("-5"), -1);
    EXPECT_EQ(ParseNumber("12a"), -1);
    EXPECT_EQ(ParseNumber("2147483647"), 2147483647);
    // Too long for 32 bits: not a number rather than a wrapped value.
    EXPECT_EQ(ParseNumber("2147483648"), -1);
    EXPECT_EQ(ParseNumber("99999999999999999999999"), -1);
}

TEST(Fields, RawAndTrimmedFieldsAndPastTheEnd) {
    const std::string line = " a \\b\\\\ \tc\r";
    EXPECT_EQ(GetRawField(line, 0), " a ");
    EXPECT_EQ(GetRawField(line, 1), "b");
    EXPECT_EQ(GetRawField(line, 2), "");
    EXPECT_EQ(GetRawField(line, 3), " \tc\r");
    EXPECT_EQ(GetRawField(line, 4), "");
    EXPECT_EQ(GetField(line, 0), "a");
    EXPECT_EQ(GetField(line, 3), "c");
    EXPECT_EQ(GetField("x\\", 1), "");
    EXPECT_EQ(GetField("", 0), "");
    EXPECT_EQ(Trim(" \t\r\n\v\fx y\f\v\n\r\t "), "x y");
}

TEST(ReadLeadingNumber, StopsAtFirstNonDigitAndNeverWraps) {
    EXPECT_EQ(ReadLeadingNumber(""), 0);
    EXPECT_EQ(ReadLeadingNumber("123abc"), 123);
    EXPECT_EQ(ReadLeadingNumber(" 123"), 0);
    EXPECT_EQ(ReadLeadingNumber("-4"), 0);
    EXPECT_EQ(ReadLeadingNumber("6105"), 6105);
    EXPECT_EQ(ReadLeadingNumber("4294967296"), kLeadingNumberTooLarge);
    EXPECT_EQ(ReadLeadingNumber("18446744073709551617"), kLeadingNumberTooLarge);
}

TEST(ColumnAt, CountsBackslashesBeforeThePosition) {
    const std::string header = "Dedn\\Locn\\Cnty";
    EXPECT_EQ(ColumnAt(header, header.find("Dedn")), 0u);
    EXPECT_EQ(ColumnAt(header, header.find("Locn")), 1u);
    EXPECT_EQ(ColumnAt(header, header.find("Cnty")), 2u);
}

TEST(MessageTable, KnownTextsAndHelpContexts) {
    const auto& table = MessageTable::Chimeset();
    EXPECT_EQ(table.Text(0x8055), "Locn\\Dedn\\Cnty\\OS\\Lat\\Lon\\Bells\\Wt\\IndexNo");
    EXPECT_EQ(table.Text(0x8053), "\\VDate\\QDate\\PDate\\Comment");
    EXPECT_EQ(table.Text(0x8040), "[CLANGBOOKIST KRW-1]");
    EXPECT_EQ(table.Text(0x7FFF), "");
    const Notice notice = table.Make(0x800F, NoticeIcon::Stop, NoticeButtons::Ok, true);
    EXPECT_EQ(notice.helpContext, 0x30000u + 0x800F);
    EXPECT_EQ(notice.icon, NoticeIcon::Stop);
    EXPECT_EQ(table.Make(0x8001).helpContext, 0u);
}

TEST(FileFormats, HeaderNamesAndFieldNumbers) {
    EXPECT_EQ(kTowerFieldNames, "Locn\\Dedn\\Cnty\\OS\\Lat\\Lon\\Bells\\Wt\\IndexNo");
    EXPECT_EQ(kVisitFieldNames, "\\VDate\\QDate\\PDate\\Comment");
    EXPECT_EQ(kVersion2Header,
              "Locn\\Dedn\\Cnty\\OS\\Lat\\Lon\\Bells\\Wt\\IndexNo\\VDate\\QDate\\PDate\\Comment");
    EXPECT_EQ(kVersion1MagicLine, "[CLANGBOOKIST KRW-1]");
    // Each field number finds its own name in the header.
    const auto names = SplitFields(kVersion2Header);
    ASSERT_EQ(names.size(), static_cast<std::size_t>(kLogFieldCount));
    const std::pair<int, const char*> fields[] = {
        {kLocn, "Locn"},       {kDedn, "Dedn"},   {kCnty, "Cnty"},   {kOS, "OS"},
        {kLat, "Lat"},         {kLon, "Lon"},     {kBells, "Bells"}, {kWt, "Wt"},
        {kIndexNo, "IndexNo"}, {kVDate, "VDate"}, {kQDate, "QDate"}, {kPDate, "PDate"},
        {kComment, "Comment"}};
    for (const auto& [number, name] : fields) EXPECT_EQ(names[number], name) << name;
}

TEST(Format, FormatsLikePrintf) {
    EXPECT_EQ(Format("%i-%i-%i", 11, 1, 0), "11-1-0");
    EXPECT_EQ(Format("%02i/%02i/%04i", 7, 3, 2010), "07/03/2010");
    EXPECT_EQ(Format("%s", ""), "");
}
