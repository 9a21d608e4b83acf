// Whole dates typed into Set Date, read as British users write them.
#include <gtest/gtest.h>

#include "visits/TypedDate.h"

using namespace chimeset;

namespace {

std::string Read(std::string_view text) {
    const TypedDate date = ReadTypedDate(text);
    if (!date.IsRead()) return "refused";
    return std::to_string(date.day) + "/" + std::to_string(date.month) + "/" +
           std::to_string(date.year);
}

}  // namespace

TEST(TypedDate, ReadsDayMonthYearMonthNamesAndIso) {
    for (const char* text :
         {"12/05/2004", "12/5/2004", " 12-05-2004 ", "12.05.2004", "12 5 2004", "12 May 2004",
          "12 may 2004", "12 MAY, 2004", "12th May 2004", "May 12, 2004", "2004 May 12",
          "2004-05-12", "2004/5/12", "Wednesday 12 May 2004", "Wed 12th May 2004"})
        EXPECT_EQ(Read(text), "12/5/2004") << text;

    // British order: the day comes first, never the American month first.
    EXPECT_EQ(Read("05/12/2004"), "5/12/2004");
    EXPECT_EQ(Read("1st Sept 2010"), "1/9/2010");
    EXPECT_EQ(Read("2nd Feb 2010"), "2/2/2010");
    EXPECT_EQ(Read("23rd dec 1899"), "23/12/1899");
    EXPECT_EQ(Read("29/02/2000"), "29/2/2000");  // a leap year, though a century
    EXPECT_EQ(Read("1/1/1"), "refused");         // the year in full, not its last digit
    EXPECT_EQ(Read("31/12/4095"), "31/12/4095");
}

TEST(TypedDate, RefusesWhatIsNotADateAndSaysWhy) {
    for (const char* text :
         {"", "   ", "12/05", "May 2004", "12/05/2004/1", "tomorrow", "12 Maybe 2004", "12 Ma 2004",
          "12 May June", "12:05:2004", "12/005/2004", "123/05/2004", "12/05/20041",
          "12 May 2004 #2", "12xy May 2004", "\xE9t\xE9"})
        EXPECT_EQ(ReadTypedDate(text).problem,
                  "This is not read as a date. Type it as 12/05/2004, 12 May 2004 or "
                  "2004-05-12.")
            << text;

    EXPECT_EQ(ReadTypedDate("31/02/2004").problem,
              "There is no day 31 in February 2004: it has 29 days.");
    EXPECT_EQ(ReadTypedDate("29 Feb 1900").problem,
              "There is no day 29 in February 1900: it has 28 days.");
    EXPECT_EQ(ReadTypedDate("0/05/2004").problem, "There is no day 0 in May 2004: it has 31 days.");
    EXPECT_EQ(ReadTypedDate("12/13/2004").problem, "There is no month 13.");
    EXPECT_EQ(ReadTypedDate("2004-00-12").problem, "There is no month 0.");
    EXPECT_EQ(ReadTypedDate("12/05/04").problem, "Type the year in full, as in 12/05/2004.");
    EXPECT_EQ(ReadTypedDate("12 May 04").problem, "Type the year in full, as in 12/05/2004.");
    EXPECT_EQ(ReadTypedDate("12/05/4096").problem, "The year must be from 1 to 4095.");
    EXPECT_EQ(ReadTypedDate("12/05/0000").problem, "The year must be from 1 to 4095.");
}
