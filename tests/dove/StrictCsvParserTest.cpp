// The parser of our own, used where libcsv cannot be had, against libcsv itself: the same
// fields, records and refusals for any text fed in any pieces.
#include <csv.h>
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "dove/StrictCsvParser.h"

namespace chimeset {
namespace {

// What a parser made of a text: one entry per field ("F:" text), per record end ("R") and
// where it stopped ("E:" piece and offset, or "U" for an unclosed quote at the end).
using Events = std::vector<std::string>;

void LibcsvField(void* data, std::size_t length, void* events) {
    static_cast<Events*>(events)->push_back(
        "F:" + (data ? std::string(static_cast<const char*>(data), length) : std::string()));
}

void LibcsvRecord(int, void* events) {
    static_cast<Events*>(events)->push_back("R");
}

Events WithLibcsv(const std::vector<std::string>& pieces) {
    Events events;
    csv_parser parser{};
    EXPECT_EQ(csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI), 0);
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const std::size_t taken = csv_parse(&parser, pieces[i].data(), pieces[i].size(),
                                            LibcsvField, LibcsvRecord, &events);
        if (taken != pieces[i].size()) {
            events.push_back("E:" + std::to_string(i));
            csv_free(&parser);
            return events;
        }
    }
    if (csv_fini(&parser, LibcsvField, LibcsvRecord, &events) != 0) events.push_back("U");
    csv_free(&parser);
    return events;
}

Events WithOurs(const std::vector<std::string>& pieces) {
    Events events;
    StrictCsvParser parser;
    const auto field = [&](std::string_view text) { events.push_back("F:" + std::string(text)); };
    const auto record = [&] { events.push_back("R"); };
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (parser.Parse(pieces[i], field, record) != pieces[i].size()) {
            events.push_back("E:" + std::to_string(i));
            return events;
        }
    }
    if (!parser.Finish(field, record)) events.push_back("U");
    return events;
}

TEST(StrictCsvParser, ReadsWhatLibcsvReadsInItsStrictMode) {
    const std::vector<std::vector<std::string>> cases = {
        {"a,b,c\r\n", "\"x, y\",\"say \"\"hi\"\"\",\r\n"},
        {"  spaced  ,\t tabbed\t,\" kept \"  ,last"},
        {"\n\n\r\n  \nrow\n"},
        {"a,\"two\nlines\",b\r", "c,,\n"},
        {"\"never closed"},
        {"\"closed\" then,text"},
        {"quote\"inside"},
        {"\"a\" \"b\""},
        {"\"", "\"\"", "\"", ",x"},
        {",", "", ",\r\n", ","},
        {"ends without a line end"},
        {"\"quoted at the end\""},
        {"\"\"\r\n\"\"\"\"\r\n"},
    };
    for (const auto& pieces : cases) EXPECT_EQ(WithOurs(pieces), WithLibcsv(pieces)) << pieces[0];
}

TEST(StrictCsvParser, AgreesWithLibcsvOnRandomTextInRandomPieces) {
    // Every character that means something to either parser, and a plain one.
    const std::string alphabet = "a ,\"\r\n\t";
    std::mt19937 random(20261207);
    for (int round = 0; round < 20000; ++round) {
        std::string text(random() % 24, ' ');
        for (char& c : text) c = alphabet[random() % alphabet.size()];
        std::vector<std::string> pieces;
        for (std::size_t start = 0; start < text.size();) {
            const std::size_t length = 1 + random() % 6;
            pieces.push_back(text.substr(start, length));
            start += length;
        }
        ASSERT_EQ(WithOurs(pieces), WithLibcsv(pieces))
            << "text: " << ::testing::PrintToString(text);
    }
}

}  // namespace
}  // namespace chimeset
