#include <gtest/gtest.h>

#include "common/CodePage.h"

using namespace chimeset;

TEST(CodePage, RoundTripsEveryByteThroughUtf8) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(Utf8ToWindows1252(Windows1252ToUtf8(all)), all);
}

TEST(CodePage, DiffersFromLatin1AndReplacesWhatItCannotHold) {
    EXPECT_EQ(Windows1252ToUtf8("\x80"), "\xE2\x82\xAC");  // euro sign
    EXPECT_EQ(Utf8ToWindows1252("\xE2\x80\x99"), "\x92");  // right quote
    EXPECT_EQ(Utf8ToWindows1252("caf\xC3\xA9"), "caf\xE9");
    std::size_t replaced = 0;
    EXPECT_EQ(Utf8ToWindows1252("\xC5\x81\xC3", '?', &replaced), "??");  // L-stroke, broken tail
    EXPECT_EQ(replaced, 2u);
}
