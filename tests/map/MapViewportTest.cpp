// Zooming and panning arithmetic.
#include <gtest/gtest.h>

#include "map/MapViewport.h"

using namespace chimeset;

namespace {
MapViewport View() {
    MapViewport view;
    view.SetSize(800, 600);
    view.Fit({0, 0, 800000, 1200000});
    return view;
}
}  // namespace

TEST(MapViewportTest, FitShowsTheWholeBoxInTheMiddle) {
    const MapViewport view = View();
    EXPECT_DOUBLE_EQ(view.Scale(), 600.0 / 1200000);
    const ScreenPoint topLeft = view.ToScreen(0, 1200000);
    const ScreenPoint bottomRight = view.ToScreen(800000, 0);
    EXPECT_DOUBLE_EQ(topLeft.y, 0);
    EXPECT_DOUBLE_EQ(bottomRight.y, 600);
    EXPECT_DOUBLE_EQ(topLeft.x, 200);  // 400 pixels wide, centred in 800
    EXPECT_DOUBLE_EQ(bottomRight.x, 600);
    const GridBox visible = view.Visible();
    EXPECT_DOUBLE_EQ(visible.north, 1200000);
    EXPECT_DOUBLE_EQ(visible.west, -400000);
}

TEST(MapViewportTest, ScreenAndGridAreInverse) {
    MapViewport view = View();
    view.ZoomAt({123, 456}, 7.5);
    view.Pan(-31, 12);
    for (const ScreenPoint p : {ScreenPoint{0, 0}, ScreenPoint{800, 600}, ScreenPoint{17.5, 333}}) {
        const GridPoint g = view.ToGrid(p);
        const ScreenPoint back = view.ToScreen(g.easting, g.northing);
        EXPECT_NEAR(back.x, p.x, 1e-9);
        EXPECT_NEAR(back.y, p.y, 1e-9);
    }
}

TEST(MapViewportTest, ZoomKeepsThePointUnderThePointer) {
    MapViewport view = View();
    const ScreenPoint anchor{650, 120};
    const GridPoint before = view.ToGrid(anchor);
    view.ZoomAt(anchor, 4);
    EXPECT_DOUBLE_EQ(view.Scale(), 4 * 600.0 / 1200000);
    const ScreenPoint after = view.ToScreen(before.easting, before.northing);
    EXPECT_NEAR(after.x, anchor.x, 1e-9);
    EXPECT_NEAR(after.y, anchor.y, 1e-9);
    // Out again, back to the start.
    view.ZoomAt(anchor, 0.25);
    EXPECT_NEAR(view.Centre().easting, 400000, 1e-6);
    EXPECT_NEAR(view.Centre().northing, 600000, 1e-6);
}

TEST(MapViewportTest, ZoomStopsAtAVillageAndAtAQuarterOfTheWhole) {
    MapViewport view = View();
    view.ZoomAt({400, 300}, 1e9);
    EXPECT_DOUBLE_EQ(view.Scale(), MapViewport::kMaxScale);
    view.ZoomAt({400, 300}, 1e-12);
    EXPECT_DOUBLE_EQ(view.Scale(), 600.0 / 1200000 / 4);
    // A factor that is no factor changes nothing.
    const double scale = view.Scale();
    view.ZoomAt({400, 300}, 0);
    view.ZoomAt({400, 300}, -2);
    EXPECT_DOUBLE_EQ(view.Scale(), scale);
}

TEST(MapViewportTest, PanMovesThePictureWithThePointer) {
    MapViewport view = View();
    const ScreenPoint before = view.ToScreen(300000, 500000);
    view.Pan(25, -40);
    const ScreenPoint after = view.ToScreen(300000, 500000);
    EXPECT_NEAR(after.x - before.x, 25, 1e-9);
    EXPECT_NEAR(after.y - before.y, -40, 1e-9);
}

TEST(MapViewportTest, RevealMovesOnlyAsFarAsNeeded) {
    MapViewport view = View();
    view.ZoomAt({400, 300}, 8);
    const GridPoint centre = view.Centre();
    // A point already in view: nothing moves.
    view.Reveal(view.ToGrid({500, 200}), 20);
    EXPECT_DOUBLE_EQ(view.Centre().easting, centre.easting);
    // A point beyond the right edge comes in to the margin.
    const GridPoint far = view.ToGrid({1500, 300});
    view.Reveal(far, 20);
    const ScreenPoint now = view.ToScreen(far.easting, far.northing);
    EXPECT_NEAR(now.x, 780, 1e-6);
    EXPECT_NEAR(now.y, 300, 1e-6);
    // Above the top.
    const GridPoint high = view.ToGrid({100, -900});
    view.Reveal(high, 20);
    EXPECT_NEAR(view.ToScreen(high.easting, high.northing).y, 20, 1e-6);
}
