// The map resource and its reader: known places on land and at sea, and damaged files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "map/GridProjection.h"
#include "map/MapData.h"

using namespace chimeset;

namespace {

std::string ResourcePath() {
    const char* source = std::getenv("CHIMESET_SOURCE_DIR");
    return std::string(source ? source : ".") + "/resources/map/isles.map";
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

const MapData& Isles() {
    static const MapData map = [] {
        MapData data;
        data.Parse(ReadAll(ResourcePath()));
        return data;
    }();
    return map;
}

bool OnLand(double latitude, double longitude) {
    const auto point = ProjectWgs84(latitude, longitude);
    EXPECT_TRUE(point);
    return point && Isles().IsOnLand(point->easting, point->northing);
}

// A square of land 0..1000 m with a lake 200..800 m holding an island 400..600 m.
const char* kNested =
    "CHIMESET-MAP 1\n"
    "; test\n"
    "B -100 -100 200 200\n"
    "A 1 4 0 0 100 0 0 100 -100 0\n"
    "A 2 4 20 20 60 0 0 60 -60 0\n"
    "A 3 4 40 40 20 0 0 20 -20 0\n"
    "R 2 0 0 10 10\n"
    "E\n";

}  // namespace

TEST(MapDataTest, TheResourceIsSmallAndLoadsCompactly) {
    const std::string text = ReadAll(ResourcePath());
    ASSERT_FALSE(text.empty()) << ResourcePath();
    EXPECT_LE(text.size(), 2u * 1024 * 1024);
    ASSERT_TRUE(Isles().IsLoaded()) << Isles().Error();
    EXPECT_LE(Isles().MemoryBytes(), 20u * 1024 * 1024);
    EXPECT_GT(Isles().Areas().size(), 100u);
    EXPECT_FALSE(Isles().Lines().empty());
    bool credited = false;
    for (const std::string& comment : Isles().Comments())
        credited = credited || comment.find("GSHHG") != std::string::npos;
    EXPECT_TRUE(credited);
}

TEST(MapDataTest, KnownPlacesAreOnLandAndTheSeasAreNot) {
    ASSERT_TRUE(Isles().IsLoaded());
    EXPECT_TRUE(OnLand(51.5074, -0.1278)) << "London";
    EXPECT_TRUE(OnLand(53.3438, -6.2546)) << "Dublin";
    EXPECT_TRUE(OnLand(54.1560, -4.4900)) << "Douglas";
    EXPECT_TRUE(OnLand(49.4550, -2.5450)) << "St Peter Port";
    EXPECT_TRUE(OnLand(55.9533, -3.1883)) << "Edinburgh";
    EXPECT_TRUE(OnLand(49.1800, -0.3700)) << "Caen, on the near coast of France";
    EXPECT_FALSE(OnLand(53.8000, -5.2000)) << "the Irish Sea";
    EXPECT_FALSE(OnLand(50.2000, -1.0000)) << "the Channel";
    EXPECT_FALSE(OnLand(54.0000, 2.0000)) << "the North Sea";

    EXPECT_FALSE(OnLand(56.1000, -4.6200)) << "Loch Lomond";
}

TEST(MapDataTest, LakesAndTheirIslandsNest) {
    MapData map;
    ASSERT_TRUE(map.Parse(kNested)) << map.Error();
    EXPECT_TRUE(map.IsOnLand(100, 100));    // land outside the lake
    EXPECT_FALSE(map.IsOnLand(300, 300));   // in the lake
    EXPECT_TRUE(map.IsOnLand(500, 500));    // on the island
    EXPECT_FALSE(map.IsOnLand(1500, 500));  // at sea
    ASSERT_EQ(map.Areas().size(), 3u);
    EXPECT_DOUBLE_EQ(map.Points()[map.Areas()[1].first + 1].easting, 800);
    EXPECT_DOUBLE_EQ(map.Areas()[2].box.north, 600);
    EXPECT_DOUBLE_EQ(map.Bounds().east, 200);
    ASSERT_EQ(map.Lines().size(), 1u);
    EXPECT_EQ(map.Comments(), std::vector<std::string>{"test"});
}

TEST(MapDataTest, DamagedFilesAreRefusedWithAReason) {
    const std::string good = kNested;
    const std::vector<std::string> damaged = {
        "",
        "CHIMESET-MAP 2\nB 0 0 1 1\nA 1 3 0 0 1 0 0 1\nE\n",      // a later format
        "CHIMESET-MAP 1\nA 1 3 0 0 1 0 0 1\nE\n",                 // no area of the map
        "CHIMESET-MAP 1\nB 0 0 1 1\nE\n",                         // no land
        "CHIMESET-MAP 1\nB 0 0 1 1\nA 1 4 0 0 1 0 0 1\nE\n",      // fewer points than counted
        "CHIMESET-MAP 1\nB 0 0 1 1\nA 1 3 0 0 1 0 0 1 5 5\nE\n",  // more
        "CHIMESET-MAP 1\nB 0 0 1 1\nA 4 3 0 0 1 0 0 1\nE\n",      // no such level
        "CHIMESET-MAP 1\nB 0 0 1 1\nA 1 3 0 0 1 x 0 1\nE\n",      // not a number
        "CHIMESET-MAP 1\nB 0 0 1 1\nA 1 3 0 0 1 0 0 99999999999999999999\nE\n",
        "CHIMESET-MAP 1\nB 0 0 1 1\nA 1 -3 0 0\nE\n",
        "CHIMESET-MAP 1\nB 5 0 1 1\nA 1 3 0 0 1 0 0 1\nE\n",  // west beyond east
        "CHIMESET-MAP 1\nB 0 0 1 1\nQ 1\nE\n",
        good.substr(0, good.size() / 2),   // cut off in the middle of a line
        good.substr(0, good.find("R 2")),  // cut off between lines
        good + "A 1 3 0 0 1 0 0 1\n",      // more after the end
    };
    for (const std::string& text : damaged) {
        MapData map;
        EXPECT_FALSE(map.Parse(text)) << text;
        EXPECT_FALSE(map.IsLoaded());
        EXPECT_FALSE(map.Error().empty());
        EXPECT_TRUE(map.Areas().empty());
        EXPECT_FALSE(map.IsOnLand(0, 0));
    }
    // A damaged file after a good one leaves nothing of the good one behind.
    MapData map;
    ASSERT_TRUE(map.Parse(good));
    EXPECT_FALSE(map.Parse(damaged[4]));
    EXPECT_TRUE(map.Points().empty());
    // Windows line ends read the same.
    std::string crlf;
    for (const char c : good) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    EXPECT_TRUE(map.Parse(crlf)) << map.Error();
}
