#include <gtest/gtest.h>

#include "visits/CommentCodec.h"

using namespace chimeset;

TEST(CommentCodec, StandardBase64RoundTripsAnyBytes) {
    EXPECT_EQ(EncodeComment(""), "");
    EXPECT_EQ(EncodeComment("a"), "YQ==");
    EXPECT_EQ(EncodeComment("ab"), "YWI=");
    EXPECT_EQ(EncodeComment("abc"), "YWJj");
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    all += "multi\r\nline\\comment";
    const std::string encoded = EncodeComment(all);
    EXPECT_EQ(encoded.find_first_of("\\\r\n"), std::string::npos);
    EXPECT_EQ(DecodeComment(encoded), all);
}

TEST(CommentCodec, DecodingStopsAtTheFirstForeignCharacter) {
    EXPECT_EQ(DecodeComment(""), "");
    EXPECT_EQ(DecodeComment("YQ== YWJj"), "a");
    EXPECT_EQ(DecodeComment("YQ YWJj"), "a");
    EXPECT_EQ(DecodeComment("YQ=YWJj"), "a");
    EXPECT_EQ(DecodeComment("YWJj\r\nYWJj"), "abc");
    EXPECT_EQ(DecodeComment("Y"), "");  // leftover bits are dropped
    EXPECT_EQ(DecodeComment("!!!"), "");
}
