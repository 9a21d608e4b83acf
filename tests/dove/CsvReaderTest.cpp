#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "dove/CsvReader.h"

using namespace chimeset;

namespace {

struct Records {
    std::vector<std::pair<std::size_t, std::vector<std::string>>> rows;
    CsvReader reader;

    bool Read(std::string_view text) {
        return reader.Read(text, [this](std::size_t line, std::vector<std::string>& fields) {
            rows.emplace_back(line, fields);
            return true;
        });
    }
};

}  // namespace

TEST(CsvReader, ReadsQuotingAndKnowsWhereEachRecordStarts) {
    Records r;
    ASSERT_TRUE(
        r.Read("a,b,c\r\n"
               "\"x, y\",\"say \"\"hi\"\"\",\r\n"
               "\n"
               "\"two\nlines\",,\"end\"\n"
               "last,row,here"));
    ASSERT_EQ(r.rows.size(), 4u);
    EXPECT_EQ(r.rows[0].first, 1u);
    EXPECT_EQ(r.rows[1].first, 2u);
    EXPECT_EQ(r.rows[1].second, (std::vector<std::string>{"x, y", "say \"hi\"", ""}));
    // The blank line is skipped; the record with a line break inside starts on line 4.
    EXPECT_EQ(r.rows[2].first, 4u);
    EXPECT_EQ(r.rows[2].second, (std::vector<std::string>{"two\nlines", "", "end"}));
    EXPECT_EQ(r.rows[3].first, 6u);
    EXPECT_EQ(r.rows[3].second, (std::vector<std::string>{"last", "row", "here"}));
}

TEST(CsvReader, CountsLinesThatEndInALoneCarriageReturn) {
    Records r;
    ASSERT_TRUE(r.Read("a,b\r1,2\r\r\"x\ry\",3\r\nlast,4\n5,6"));
    ASSERT_EQ(r.rows.size(), 5u);
    EXPECT_EQ(r.rows[1].first, 2u);
    EXPECT_EQ(r.rows[2].first, 4u);
    EXPECT_EQ(r.rows[2].second, (std::vector<std::string>{"x\ry", "3"}));
    EXPECT_EQ(r.rows[3].first, 6u);
    EXPECT_EQ(r.rows[4].first, 7u);

    Records stray;
    EXPECT_FALSE(stray.Read("a,b\rok,fine\r\"closed\"then text,x\r"));
    EXPECT_EQ(stray.reader.ErrorLine(), 3u);
    // A CR LF is one line end; the offset of its LF is still on the line it ends.
    EXPECT_EQ(LineOfOffset("a\rb\r\nc\nd", 4), 2u);
    EXPECT_EQ(LineOfOffset("a\rb\r\nc\nd", 5), 3u);
    EXPECT_EQ(LineOfOffset("a\rb\r\nc\nd", 7), 4u);
}

TEST(CsvReader, ReportsTheLineOfBrokenQuoting) {
    Records stray;
    EXPECT_FALSE(stray.Read("a,b\nok,fine\n\"closed\"then text,x\n"));
    EXPECT_EQ(stray.reader.ErrorLine(), 3u);

    Records unclosed;
    EXPECT_FALSE(unclosed.Read("a,b\n1,2\n\"never closed,3\n4,5\n"));
    EXPECT_EQ(unclosed.reader.ErrorLine(), 3u);
    EXPECT_NE(unclosed.reader.ErrorMessage().find("never closed"), std::string::npos);
}

TEST(CsvReader, StopsWhenTheHandlerSaysSo) {
    CsvReader reader;
    int seen = 0;
    EXPECT_FALSE(reader.Read(
        "1\n2\n3\n", [&seen](std::size_t, std::vector<std::string>&) { return ++seen < 2; }));
    EXPECT_EQ(seen, 2);
}
