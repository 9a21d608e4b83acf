#include <gtest/gtest.h>

#include "towerdata/WeightFormat.h"

using chimeset::FormatWeight;

TEST(FormatWeight, HundredweightQuartersPounds) {
    EXPECT_EQ(FormatWeight("", false), "");
    EXPECT_EQ(FormatWeight("", true), "");
    EXPECT_EQ(FormatWeight("0", false), "0-0-0");
    EXPECT_EQ(FormatWeight("1260", false), "11-1-0");
    EXPECT_EQ(FormatWeight("1259", false), "11-0-27");
    EXPECT_EQ(FormatWeight("112", false), "1-0-0");
    EXPECT_EQ(FormatWeight("22511", false), "200-3-27");
}

TEST(FormatWeight, KilogramsTruncateAndDoNotOverflow) {
    EXPECT_EQ(FormatWeight("0", true), "0 Kg");
    EXPECT_EQ(FormatWeight("1260", true), "571 Kg");
    EXPECT_EQ(FormatWeight("112", true), "50 Kg");
    EXPECT_EQ(FormatWeight("2", true), "0 Kg");
    // 32-bit arithmetic would overflow here.
    EXPECT_EQ(FormatWeight("100000", true), "45359 Kg");
    EXPECT_EQ(FormatWeight("2147483647", true), "974077107 Kg");
}

TEST(FormatWeight, AFieldThatIsNotANumberShowsAsStored) {
    for (const bool kilograms : {false, true}) {
        EXPECT_EQ(FormatWeight("12 cwt", kilograms), "12 cwt");
        EXPECT_EQ(FormatWeight("-5", kilograms), "-5");
        EXPECT_EQ(FormatWeight("99999999999", kilograms), "99999999999");
    }
}
