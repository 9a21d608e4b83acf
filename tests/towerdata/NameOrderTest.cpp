#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "towerdata/NameOrder.h"

using namespace chimeset;

namespace {

// The bubble sort with a shrinking bound that the lists have always been sorted with.
template <typename Greater>
std::vector<std::uint32_t> BubbleOrder(std::size_t n, Greater greater) {
    std::vector<std::uint32_t> order(n);
    for (std::size_t i = 0; i < n; ++i) order[i] = static_cast<std::uint32_t>(i);
    std::size_t bound = n;
    while (bound > 1) {
        std::size_t lastSwap = 0;
        for (std::size_t i = 0; i + 1 < bound; ++i) {
            if (greater(order[i], order[i + 1])) {
                std::swap(order[i], order[i + 1]);
                lastSwap = i + 1;
            }
        }
        if (lastSwap == 0) break;
        bound = lastSwap;
    }
    return order;
}

}  // namespace

TEST(SortByName, MatchesTheBubbleSortOnShuffledDataWithTies) {
    std::mt19937 random(42);
    const std::vector<std::string> stems = {"Ely",     "ELY",  "ely",    "Aston",
                                            "aston",   "Bray", "_under", "\xC9tal",
                                            "\xE9tal", "Zeal", "[x",     "Z"};
    for (int round = 0; round < 20; ++round) {
        std::vector<std::string> names;
        for (int i = 0; i < 200; ++i) names.push_back(stems[random() % stems.size()]);
        const auto expected = BubbleOrder(names.size(), [&](std::uint32_t a, std::uint32_t b) {
            return CompareNoCase(names[a], names[b]) > 0;
        });
        EXPECT_EQ(SortByName(names), expected);
    }
}

TEST(SortByName, LettersOfEitherCaseAreEqualOtherBytesByValue) {
    EXPECT_EQ(CompareNoCase("ABC", "abc"), 0);
    EXPECT_EQ(CompareNoCase("\xC9", "\xE9"), 0);  // E acute in both cases
    EXPECT_LT(CompareNoCase("ab", "abc"), 0);
    EXPECT_LT(CompareNoCase("Z", "\xC9"), 0);
    const std::vector<std::string> names = {"b", "A", "a", "B"};
    EXPECT_EQ(SortByName(names), (std::vector<std::uint32_t>{1, 2, 0, 3}));
}

TEST(SortByDate, UnsignedChronologicalStableOrder) {
    std::mt19937 random(7);
    const std::vector<std::int32_t> pool = {
        1,  2010 * 16384 + 1, 2010 * 16384 + 3 * 1024 + 32, 2010 * 16384 + 3 * 1024 + 33,
        -1, 5 * 16384};
    for (int round = 0; round < 20; ++round) {
        std::vector<std::int32_t> keys;
        for (int i = 0; i < 150; ++i) keys.push_back(pool[random() % pool.size()]);
        const auto expected = BubbleOrder(keys.size(), [&](std::uint32_t a, std::uint32_t b) {
            return static_cast<std::uint32_t>(keys[a]) > static_cast<std::uint32_t>(keys[b]);
        });
        EXPECT_EQ(SortByDate(keys), expected);
    }
}
