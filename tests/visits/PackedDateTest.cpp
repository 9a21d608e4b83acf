#include <gtest/gtest.h>

#include "visits/PackedDate.h"

using namespace chimeset;

TEST(FormatPackedDate, EveryForm) {
    EXPECT_EQ(FormatPackedDate(0), "");
    EXPECT_EQ(FormatPackedDate(-1), "");
    EXPECT_EQ(FormatPackedDate(1), "- Yes -");
    EXPECT_EQ(FormatPackedDate(2010 * 16384 + 1), "2010");
    EXPECT_EQ(FormatPackedDate(2010 * 16384 + 3 * 1024 + 7 * 32), "07/03/2010");
    EXPECT_EQ(FormatPackedDate(2010 * 16384 + 3 * 1024 + 7 * 32 + 2), "07/03/2010 #2");
    EXPECT_EQ(FormatPackedDate(MakePackedDate(31, 12, 4095, 31)), "31/12/4095 #31");
}

TEST(PackedDate, UnsignedOrderIsChronological) {
    const std::vector<PackedDate> ordered = {kUnknownDate,
                                             MakeYearOnlyDate(2010),
                                             MakePackedDate(1, 3, 2010),
                                             MakePackedDate(1, 3, 2010, 1),
                                             MakePackedDate(2, 3, 2010),
                                             MakeYearOnlyDate(2011)};
    for (std::size_t i = 1; i < ordered.size(); ++i)
        EXPECT_LT(static_cast<std::uint32_t>(ordered[i - 1]),
                  static_cast<std::uint32_t>(ordered[i]));
    const DateParts parts = SplitPackedDate(MakePackedDate(7, 3, 2010, 2));
    EXPECT_EQ(parts.day, 7);
    EXPECT_EQ(parts.month, 3);
    EXPECT_EQ(parts.year, 2010);
    EXPECT_EQ(parts.sequence, 2);
    EXPECT_TRUE(IsYearOnly(MakeYearOnlyDate(1999)));
    EXPECT_FALSE(IsYearOnly(kUnknownDate));
    EXPECT_TRUE(IsFullDate(MakePackedDate(7, 3, 2010)));
}
