#include <gtest/gtest.h>

#include "common/TextFolding.h"

using namespace chimeset;

TEST(TextFolding, KeepsWhatWindows1252HoldsAndSimplifiesTheRest) {
    FoldingCounts counts;
    // é, the euro sign and the curly quotes have bytes of their own.
    EXPECT_EQ(FoldToWindows1252("Caf\xC3\xA9 \xE2\x82\xAC \xE2\x80\x9Cok\xE2\x80\x9D", &counts),
              "Caf\xE9 \x80 \x93ok\x94");
    EXPECT_EQ(counts.simplified, 0u);
    EXPECT_EQ(counts.unknown, 0u);

    // Welsh w- and y-circumflex, Polish l-stroke, o with double acute.
    counts = {};
    EXPECT_EQ(FoldToWindows1252("Llan\xC5\xB5rtyd \xC5\xB7 \xC5\x81\xC3\xB3"
                                "d\xC5\xBA \xC5\x91",
                                &counts),
              "Llanwrtyd y L\xF3"
              "dz o");
    EXPECT_EQ(counts.simplified, 5u);

    // A letter followed by a combining accent becomes the accented letter when there is one.
    counts = {};
    EXPECT_EQ(FoldToWindows1252("Le\xCC\x81on w\xCC\x82", &counts), "L\xE9on w");
    EXPECT_EQ(counts.simplified, 1u);

    // Script the code page cannot show at all is marked, one "?" per character.
    counts = {};
    EXPECT_EQ(FoldToWindows1252("\xD9\x84\xD8\xA7 \xF0\x9F\x94\x94", &counts), "?? ?");
    EXPECT_EQ(counts.unknown, 3u);

    // Music signs in note names read as letters.
    EXPECT_EQ(FoldToWindows1252("E\xE2\x99\xAD F\xE2\x99\xAF"), "Eb F#");
}

TEST(TextFolding, NeverLetsTheLineFormatBreak) {
    // A backslash would start a new field; line breaks would start a new record.
    EXPECT_EQ(FoldToWindows1252("a\\b"), "a/b");
    EXPECT_EQ(FoldToWindows1252("one\r\ntwo\tthree\nfour"), "one  two three four");
    // Invisible marks and other control characters vanish.
    EXPECT_EQ(FoldToWindows1252("x\xE2\x80\x8E"
                                "y\xE2\x80\x8Bz\x01\x7F\xEF\xBB\xBF"),
              "xyz");
    // Non-breaking space is in the code page; other wide spaces become blanks.
    EXPECT_EQ(FoldToWindows1252("a\xC2\xA0"
                                "b\xE2\x80\x83"
                                "c"),
              "a\xA0"
              "b c");
    // A malformed byte that reached the folding anyway does not pass through.
    EXPECT_EQ(FoldToWindows1252("a\xE9"
                                "b"),
              "a?b");
}

TEST(TextFolding, FindsMalformedUtf8) {
    EXPECT_EQ(FindInvalidUtf8(""), std::string_view::npos);
    EXPECT_EQ(FindInvalidUtf8("plain \xC3\xA9 \xE2\x82\xAC \xF0\x9D\x84\xAB"),
              std::string_view::npos);
    EXPECT_EQ(FindInvalidUtf8("ab\xE9"
                              "cd"),
              2u);                                       // Windows-1252 e-acute
    EXPECT_EQ(FindInvalidUtf8("a\xC0\x80"), 1u);         // overlong NUL
    EXPECT_EQ(FindInvalidUtf8("\xED\xA0\x80"), 0u);      // surrogate half
    EXPECT_EQ(FindInvalidUtf8("ok\xE2\x82"), 2u);        // cut short at the end
    EXPECT_EQ(FindInvalidUtf8("\xF4\x90\x80\x80"), 0u);  // past U+10FFFF
}

TEST(TextFolding, TypedTextKeepsWhatTheCodePageHoldsAndNamesTheRest) {
    // Welsh w- and y-circumflex fold to plain letters; an emoji has no plain form; the
    // line breaks of a comment and the held e-acute and euro stay as typed.
    CodePageFit fit = FitToWindows1252(U"Caerw\u0175s \u0177\u0175 \U0001F600!\r\n\u00e9\u20ac");
    EXPECT_EQ(fit.text, "Caerwws yw !\r\n\xE9\x80");
    EXPECT_EQ(fit.unheld, (std::u32string{U'\u0175', U'\u0177', U'\U0001F600'}));

    // Nothing to ask about: the text is only converted.
    fit = FitToWindows1252(U"St John \u00e1\tx\\y");
    EXPECT_EQ(fit.text, "St John \xE1\tx\\y");
    EXPECT_TRUE(fit.unheld.empty());

    // Invisible marks vanish and wide spaces become blanks without asking; a letter with
    // a combining accent joins when the code page has the accented letter.
    fit = FitToWindows1252(U"a\u200bb\u2003c e\u0301 w\u0302");
    EXPECT_EQ(fit.text, "ab c \xE9 w");
    EXPECT_EQ(fit.unheld, std::u32string{U'\u0302'});

    EXPECT_STREQ(PlainFormOf(U'\u0174'), "W");
    EXPECT_STREQ(PlainFormOf(U'\u2116'), "No");
    EXPECT_EQ(PlainFormOf(U'\U0001F600'), nullptr);
    EXPECT_EQ(PlainFormOf(U'\u00e9'), nullptr);  // held, so not folded
}

TEST(TextFolding, ControlCharactersAreThoseNoSingleLineFieldTakes) {
    for (const char32_t c : {U'\t', U'\n', U'\r', U'\x01', U'\x7f', U'\x85', U'\u2028', U'\u2029'})
        EXPECT_TRUE(IsControlCharacter(c)) << static_cast<unsigned>(c);
    for (const char32_t c : {U' ', U'a', U'\\', U'\u00a0', U'\u0175', U'\U0001F600'})
        EXPECT_FALSE(IsControlCharacter(c)) << static_cast<unsigned>(c);
}
