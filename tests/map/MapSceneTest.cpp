// What the scene draws: the dots in view in their styles, names that never overlap, the
// legend's count of towers not drawn; and the SVG it can be written as.
#include <gtest/gtest.h>

#include <algorithm>

#include "common/FileFormats.h"
#include "common/XmlText.h"
#include "map/MapScene.h"
#include "map/SvgMapPainter.h"
#include "towerdata/TowerDatabase.h"

using namespace chimeset;

namespace {

struct TextBox {
    std::string text;
    double left, top, right, bottom;
};

// Keeps what it is asked to draw.
class RecordingPainter : public MapPainter {
  public:
    void Clear(MapColour) override { ++clears; }
    void Polygon(const std::vector<ScreenPoint>& points, MapColour fill, MapColour,
                 double) override {
        polygons.push_back({points, fill});
    }
    void Polyline(const std::vector<ScreenPoint>&, MapColour, double) override { ++lines; }
    void Dots(const std::vector<ScreenPoint>& centres, const DotStyle& style) override {
        dots.push_back({centres, style});
    }
    void Ring(ScreenPoint centre, double, MapColour, double) override { rings.push_back(centre); }
    void Rectangle(double, double, double, double, MapColour, MapColour) override {}
    void Text(double x, double y, const std::string& text, double size, bool, MapColour,
              bool) override {
        texts.push_back(
            {text, x, y - size * 0.6, x + TextWidth(text, size, false), y + size * 0.15});
    }
    double TextWidth(const std::string& text, double size, bool) override {
        return static_cast<double>(text.size()) * size * 0.5;
    }

    int clears = 0;
    int lines = 0;
    std::vector<std::pair<std::vector<ScreenPoint>, MapColour>> polygons;
    std::vector<std::pair<std::vector<ScreenPoint>, DotStyle>> dots;
    std::vector<ScreenPoint> rings;
    std::vector<TextBox> texts;
};

// Land from 0 to 100 km square, with a lake (points in 10 m units, the area in metres).
MapData SquareIsland() {
    MapData map;
    EXPECT_TRUE(
        map.Parse("CHIMESET-MAP 1\nB -10000 -10000 110000 110000\n"
                  "A 1 4 0 0 10000 0 0 10000 -10000 0\n"
                  "A 2 3 4000 4000 1000 0 0 1000\nR 2 0 5000 10000 0\nE\n"))
        << map.Error();
    return map;
}

// A grid of towers 2 km apart across the island, names "Tower 0", "Tower 1", ...; the
// last two have no position and an impossible one.
TowerDatabase Towers(int side) {
    std::vector<std::string> lines{std::string(kTowerFieldNames)};
    int n = 0;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x, ++n) {
            // Grid references of SV (the grid's origin square): 100 m digits.
            char reference[32];
            std::snprintf(reference, sizeof reference, "SV%03d%03d", 10 + x * 20, 10 + y * 20);
            lines.push_back("Tower " + std::to_string(n) + "\\S\\C\\" + reference +
                            "\\\\\\6\\500\\" + std::to_string(n + 1));
        }
    lines.push_back("Lost\\S\\C\\\\\\\\6\\500\\90001");
    lines.push_back("Odd\\S\\C\\\\95\\1\\6\\500\\90002");
    TowerDatabase database;
    EXPECT_TRUE(database.Parse(lines).ok);
    return database;
}

}  // namespace

TEST(MapSceneTest, DrawsTheDotsInViewInDrawingOrder) {
    const MapData map = SquareIsland();
    const TowerDatabase database = Towers(10);
    std::vector<DotCategory> categories(100, DotCategory::NotVisited);
    categories[3] = DotCategory::Pealed;
    categories[50] = DotCategory::Visited;
    categories[51] = DotCategory::Quartered;
    MapTowers towers;
    towers.Build(database, categories, map.Bounds());
    ASSERT_EQ(towers.Counts().placed, 100);
    EXPECT_EQ(towers.Counts().noPosition, 1);
    EXPECT_EQ(towers.Counts().impossible, 1);

    MapViewport view;
    view.SetSize(400, 400);
    view.Fit(map.Bounds());
    RecordingPainter painter;
    MapSceneOptions options;
    options.labels = false;
    options.currentTower = 51;
    MapScene::Draw(painter, map, view, towers, options);
    EXPECT_EQ(painter.clears, 1);
    ASSERT_EQ(painter.polygons.size(), 2u);
    EXPECT_EQ(painter.polygons[0].second, kLandColour);
    EXPECT_EQ(painter.polygons[1].second, kSeaColour);  // the lake
    EXPECT_EQ(painter.lines, 1);
    ASSERT_EQ(painter.dots.size(), 4u + 4u);  // four categories, then the legend's four
    std::size_t total = 0;
    for (std::size_t i = 0; i < 4; ++i) total += painter.dots[i].first.size();
    EXPECT_EQ(total, 100u);
    EXPECT_EQ(painter.dots[0].first.size(), 97u);
    EXPECT_EQ(painter.dots[3].second.fill,
              StyleOfDot({DotCategory::Pealed, false}, view.Scale()).fill);
    ASSERT_FALSE(painter.rings.empty());
    const GridPoint quartered = towers.Towers()[static_cast<std::size_t>(towers.Find(51))].point;
    const ScreenPoint expected = view.ToScreen(quartered.easting, quartered.northing);
    EXPECT_DOUBLE_EQ(painter.rings.back().x, expected.x);
    EXPECT_DOUBLE_EQ(painter.rings.back().y, expected.y);
    const auto said = [&](const std::string& text) {
        return std::any_of(painter.texts.begin(), painter.texts.end(),
                           [&](const TextBox& t) { return t.text == text; });
    };
    EXPECT_TRUE(said("2 towers not on the map"));
    EXPECT_TRUE(said("Pealed"));

    // Zoomed into one corner: only the dots there are drawn.
    view.ZoomAt({0, 400}, 5);
    RecordingPainter corner;
    MapScene::Draw(corner, map, view, towers, options);
    total = 0;
    for (std::size_t i = 0; i + 4 < corner.dots.size(); ++i) {
        const double r = corner.dots[i].second.radius;
        for (const ScreenPoint& p : corner.dots[i].first) {
            EXPECT_TRUE(p.x >= -r && p.y >= -r && p.x <= 400 + r && p.y <= 400 + r);
            ++total;
        }
    }
    EXPECT_GT(total, 0u);
    EXPECT_LT(total, 100u);
}

TEST(MapSceneTest, NamesFitWithoutOverlapAndNearThePointerFirst) {
    const MapData map = SquareIsland();
    const TowerDatabase database = Towers(10);
    MapTowers towers;
    towers.Build(database, {}, map.Bounds());
    MapViewport view;
    view.SetSize(500, 500);
    view.Fit(map.Bounds());
    MapSceneOptions options;
    options.legend = false;
    options.nameOf = [&](std::int32_t tower) { return database.GetTowerField(tower, kLocn); };
    options.pointer = view.ToScreen(19050, 19050);  // by the last tower
    RecordingPainter painter;
    MapScene::Draw(painter, map, view, towers, options);
    ASSERT_GT(painter.texts.size(), 10u);
    EXPECT_LT(painter.texts.size(), 100u);  // 100 names do not fit in 500 pixels
    EXPECT_EQ(painter.texts.front().text, "Tower 99");
    for (std::size_t i = 0; i < painter.texts.size(); ++i)
        for (std::size_t j = i + 1; j < painter.texts.size(); ++j) {
            const TextBox& a = painter.texts[i];
            const TextBox& b = painter.texts[j];
            const bool apart =
                a.right <= b.left || b.right <= a.left || a.bottom <= b.top || b.bottom <= a.top;
            EXPECT_TRUE(apart) << a.text << " / " << b.text;
        }
    // With names off there are none.
    options.labels = false;
    RecordingPainter quiet;
    MapScene::Draw(quiet, map, view, towers, options);
    EXPECT_TRUE(quiet.texts.empty());
}

TEST(SvgMapPainterTest, WritesEscapedWellFormedText) {
    EXPECT_EQ(XmlEscape("Rock & Roll <\"x\">\x01"), "Rock &amp; Roll &lt;&quot;x&quot;&gt;");
    SvgMapPainter svg(100, 50);
    svg.Clear({1, 2, 3, 255});
    svg.Dots({{1.25, 2}, {3, 4}}, DotStyle{{255, 0, 0, 255}, {0, 0, 0, 0}, 2.5, DotShape::Circle});
    svg.Dots({{5, 5}}, DotStyle{{0, 0, 255, 255}, {0, 0, 0, 255}, 1, DotShape::Square});
    svg.Text(0, 10, "A & B", 12, true, {0, 0, 0, 255}, false);
    svg.Rectangle(0, 0, 10, 10, {255, 255, 255, 128}, {0, 0, 0, 255});
    const std::string out = svg.Finish();
    EXPECT_NE(out.find("width=\"100\" height=\"50\""), std::string::npos);
    EXPECT_NE(out.find("fill=\"#010203\""), std::string::npos);
    EXPECT_NE(out.find("<circle cx=\"1.2\" cy=\"2\" r=\"2.5\"/>"), std::string::npos);
    EXPECT_NE(out.find("<rect x=\"4\" y=\"4\" width=\"2\" height=\"2\"/>"), std::string::npos);
    EXPECT_NE(out.find(">A &amp; B</text>"), std::string::npos);
    EXPECT_NE(out.find("fill-opacity=\"50.2%\""), std::string::npos);
    EXPECT_EQ(out.substr(out.size() - 7), "</svg>\n");
    // A transparent outline draws no stroke.
    EXPECT_EQ(out.find("stroke=\"#000000\" stroke-width=\"0.8\"><circle"), std::string::npos);
}

TEST(MapSceneTest, AdditionalTowersWithAPositionAreSquares) {
    const MapData map = SquareIsland();
    TowerDatabase database = Towers(2);
    const std::int32_t added =
        database.AddAdditionalTower("Mine\\S\\C\\SV050050\\\\\\6\\500\\90100");
    database.AddAdditionalTower("Nowhere\\S\\C\\\\\\\\6\\500\\90101");
    MapTowers towers;
    towers.Build(database, {}, map.Bounds());
    EXPECT_EQ(towers.Counts().placed, 5);
    EXPECT_EQ(towers.Counts().noPosition, 2);
    const std::int32_t slot = towers.Find(added);
    ASSERT_GE(slot, 0);
    const DotLook look = towers.Towers()[static_cast<std::size_t>(slot)].look;
    EXPECT_TRUE(look.additional);
    EXPECT_EQ(StyleOfDot(look, 0.001).shape, DotShape::Square);
    EXPECT_EQ(StyleOfDot({DotCategory::Visited, false}, 0.001).shape, DotShape::Circle);
}

TEST(DotStyleTest, CategoriesStayApartAndGrowWithTheZoom) {
    std::vector<MapColour> fills;
    double radius = 0;
    for (int c = 0; c < kDotCategoryCount; ++c) {
        const DotStyle style = StyleOfDot({static_cast<DotCategory>(c), false}, 1.0 / 1000);
        for (const MapColour& other : fills) EXPECT_FALSE(other == style.fill) << c;
        fills.push_back(style.fill);
        // A category that means more is drawn no smaller.
        EXPECT_GE(style.radius, radius);
        radius = style.radius;
        EXPECT_FALSE(DotCategoryCaption(static_cast<DotCategory>(c)).empty());
    }
    const DotLook visited{DotCategory::Visited, false};
    EXPECT_LT(StyleOfDot(visited, 1.0 / 3000).radius, StyleOfDot(visited, 1.0 / 50).radius);
    EXPECT_DOUBLE_EQ(StyleOfDot(visited, 1.0 / 50).radius, StyleOfDot(visited, 1.0).radius);
}

namespace {

// Towers(3)'s grid with the details columns: 4 "u/r", 5 "N", 8 not known, the rest "Y".
TowerDatabase TowersWithRingable() {
    std::vector<std::string> lines{std::string(kTowerFieldNames) + "\\Ringable\\Practice"};
    for (int n = 0; n < 9; ++n) {
        char reference[32];
        std::snprintf(reference, sizeof reference, "SV%03d%03d", 10 + (n % 3) * 20,
                      10 + (n / 3) * 20);
        const char* ringable = n == 4 ? "u/r" : n == 5 ? "N" : n == 8 ? "" : "Y";
        lines.push_back("Tower " + std::to_string(n) + "\\S\\C\\" + reference + "\\\\\\6\\500\\" +
                        std::to_string(n + 1) + "\\" + ringable + "\\Tue");
    }
    TowerDatabase database;
    EXPECT_TRUE(database.Parse(lines).ok);
    return database;
}

}  // namespace

TEST(DotStyleTest, UnringableDotsAreHollowWhateverWasDoneThere) {
    const double scale = 1.0 / 1000;
    const double visitedRadius = StyleOfDot({DotCategory::Visited, false, false}, scale).radius;
    for (int c = 0; c < kDotCategoryCount; ++c) {
        for (const bool additional : {false, true}) {
            const auto category = static_cast<DotCategory>(c);
            const DotStyle filled = StyleOfDot({category, additional, false}, scale);
            const DotStyle hollow = StyleOfDot({category, additional, true}, scale);
            EXPECT_EQ(filled.fill.alpha, 255) << c;
            EXPECT_EQ(hollow.fill.alpha, 0) << c;
            EXPECT_EQ(hollow.outline.alpha, 255) << c;
            EXPECT_GT(hollow.outlineWidth, filled.outlineWidth) << c;
            EXPECT_GE(hollow.radius, visitedRadius) << c;
            EXPECT_EQ(hollow.shape, filled.shape) << c;
            // The ring keeps the colour of what was done there.
            if (category != DotCategory::NotVisited) {
                EXPECT_EQ(hollow.outline, filled.fill) << c;
            }
        }
    }
}

TEST(MapSceneTest, UnringableRingsAreDrawnHollowAfterTheirKindAndNamedInTheLegend) {
    const MapData map = SquareIsland();
    const TowerDatabase database = TowersWithRingable();
    std::vector<DotCategory> categories(9, DotCategory::NotVisited);
    categories[5] = DotCategory::Visited;
    categories[6] = DotCategory::Visited;
    MapTowers towers;
    towers.Build(database, categories, map.Bounds());
    ASSERT_EQ(towers.Counts().placed, 9);
    std::vector<std::int32_t> order;
    for (const MapTower& tower : towers.Towers()) order.push_back(tower.tower);
    EXPECT_EQ(order, (std::vector<std::int32_t>{0, 1, 2, 3, 7, 8, 4, 6, 5}));
    EXPECT_TRUE(towers.Towers()[6].look.unringable);
    EXPECT_FALSE(towers.Towers()[5].look.unringable);  // not known counts as ringable

    MapViewport view;
    view.SetSize(400, 400);
    view.Fit(map.Bounds());
    RecordingPainter painter;
    MapSceneOptions options;
    options.labels = false;
    MapScene::Draw(painter, map, view, towers, options);
    ASSERT_EQ(painter.dots.size(), 4u + 5u);  // four looks, then the legend with the hollow one
    EXPECT_EQ(painter.dots[0].first.size(), 6u);
    EXPECT_EQ(painter.dots[1].first.size(), 1u);
    EXPECT_EQ(painter.dots[1].second.fill.alpha, 0);
    EXPECT_EQ(painter.dots[2].second.fill.alpha, 255);
    EXPECT_EQ(painter.dots[3].second.fill.alpha, 0);
    EXPECT_EQ(painter.dots[3].second.outline,
              StyleOfDot({DotCategory::Visited, false, false}, view.Scale()).fill);
    EXPECT_EQ(painter.dots.back().second.fill.alpha, 0);
    EXPECT_TRUE(std::any_of(painter.texts.begin(), painter.texts.end(),
                            [](const TextBox& t) { return t.text == kUnringableCaption; }));

    // The SVG poster draws the ring as wide as the window does.
    SvgMapPainter svg(400, 400);
    MapScene::Draw(svg, map, view, towers, options);
    const std::string out = svg.Finish();
    EXPECT_NE(out.find("fill-opacity=\"0%\""), std::string::npos) << out.substr(0, 2000);
}

TEST(MapTipTest, DetailsComeInLinesWithTheUnringableFirstAndLongTextCut) {
    TowerDetails details;
    EXPECT_TRUE(DetailsTipLines(details).empty());
    details.remarks = "Anticlockwise.";
    EXPECT_EQ(DetailsTipLines(details), (std::vector<std::string>{"Anticlockwise."}));
    details.ringable = DetailAnswer::kNo;
    details.practice = "Tue (2nd & 4th)";
    details.groundFloor = DetailAnswer::kYes;
    details.tenorNote = "F#";
    details.postcode = "not a postcode!!";
    details.webPage = "www.example.org/bells";
    std::string remark = "Line one\r\nline two. ";
    while (remark.size() < 10000) remark += "More words about the tower. ";
    details.remarks = remark;
    const std::vector<std::string> lines = DetailsTipLines(details);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "Unringable");
    EXPECT_EQ(lines[1],
              "Practice Tue (2nd & 4th), Ground floor, Tenor in F#, not a postcode!!, "
              "www.example.org/bells");
    EXPECT_LE(lines[2].size(), kLongestTipText);
    EXPECT_EQ(lines[2].rfind("Line one  line two. More", 0), 0u) << lines[2];
    EXPECT_EQ(lines[2].substr(lines[2].size() - 3), "...");
    // Without remarks the last short detail is not taken for them.
    details.remarks.clear();
    EXPECT_EQ(DetailsTipLines(details).back(),
              "Practice Tue (2nd & 4th), Ground floor, Tenor in F#, not a postcode!!, "
              "www.example.org/bells");
}
