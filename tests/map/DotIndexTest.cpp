// Finding the dot under the pointer among thousands.
#include <gtest/gtest.h>

#include <random>

#include "map/DotIndex.h"

using namespace chimeset;

namespace {

std::int32_t BruteForce(const std::vector<GridPoint>& points, double x, double y, double r) {
    std::int32_t best = -1;
    double bestDistance = r * r;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const double dx = points[i].easting - x;
        const double dy = points[i].northing - y;
        const double d = dx * dx + dy * dy;
        if (d < bestDistance || (d == bestDistance && best < 0)) {
            bestDistance = d;
            best = static_cast<std::int32_t>(i);
        }
    }
    return best;
}

std::vector<GridPoint> RandomDots(int count, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> east(-200000, 700000);
    std::uniform_real_distribution<double> north(-60000, 1200000);
    std::vector<GridPoint> points;
    for (int i = 0; i < count; ++i) points.push_back({east(random), north(random)});
    // Clusters as in towns, and a few towers sharing one spot.
    for (int i = 0; i < 300; ++i)
        points.push_back({530000.0 + i * 7 % 900, 180000.0 + i * 13 % 700});
    for (int i = 0; i < 3; ++i) points.push_back({400000, 300000});
    return points;
}

}  // namespace

TEST(DotIndexTest, FindsTheSameDotAsASearchOfEveryDot) {
    const std::vector<GridPoint> points = RandomDots(8000, 7);
    DotIndex index;
    index.Build(points);
    ASSERT_EQ(index.Size(), points.size());
    std::mt19937 random(11);
    std::uniform_real_distribution<double> east(-250000, 750000);
    std::uniform_real_distribution<double> north(-100000, 1250000);
    int found = 0;
    for (int i = 0; i < 3000; ++i) {
        const double x = east(random);
        const double y = north(random);
        // From a few metres (close in) to kilometres (the whole islands).
        for (const double radius : {5.0, 300.0, 6000.0, 25000.0}) {
            const std::int32_t expected = BruteForce(points, x, y, radius);
            const std::int32_t got = index.Find(x, y, radius);
            if (expected < 0) {
                EXPECT_EQ(got, -1);
            } else {
                ASSERT_GE(got, 0);
                // An equally near dot will do.
                const auto d = [&](std::int32_t k) {
                    return std::hypot(points[k].easting - x, points[k].northing - y);
                };
                EXPECT_DOUBLE_EQ(d(got), d(expected));
                ++found;
            }
        }
    }
    EXPECT_GT(found, 3000);
    // Dots on one spot: the first of them.
    EXPECT_EQ(index.Find(400000, 300000, 1), 8300);
    // In a town of dots every one can be hit.
    EXPECT_EQ(index.Find(points[8005].easting, points[8005].northing, 0.5), 8005);
}

TEST(DotIndexTest, CollectsExactlyTheDotsInABox) {
    const std::vector<GridPoint> points = RandomDots(2000, 3);
    DotIndex index;
    index.Build(points, 5000);
    const GridBox box{100000, 200000, 260000, 450000};
    std::vector<std::int32_t> got;
    index.Collect(box, got);
    std::sort(got.begin(), got.end());
    std::vector<std::int32_t> expected;
    for (std::size_t i = 0; i < points.size(); ++i)
        if (box.Contains(points[i].easting, points[i].northing))
            expected.push_back(static_cast<std::int32_t>(i));
    EXPECT_EQ(got, expected);
    got.clear();
    index.Collect({5e6, 5e6, 6e6, 6e6}, got);
    EXPECT_TRUE(got.empty());
}

TEST(DotIndexTest, NothingToFindIsNoFault) {
    DotIndex index;
    index.Build({});
    EXPECT_EQ(index.Find(0, 0, 1e9), -1);
    index.Build({{10, 10}});
    EXPECT_EQ(index.Find(10, 10, 0), 0);
    EXPECT_EQ(index.Find(20, 10, 9.9), -1);
    EXPECT_EQ(index.Find(20, 10, -1), -1);
    // Far outside the dots' spread, with a radius that reaches back in.
    EXPECT_EQ(index.Find(1e6, 10, 1e6), 0);
}
