// The map window under the offscreen platform: towers under the pointer, zoom and pan by
// wheel, keys and buttons, selection both ways with the main window, the shown-list option,
// a damaged map; and the small map panel that grows with the window.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPainter>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include "map/MapScene.h"
#include "map/qt/CMapWindow.h"
#include "map/qt/MapCanvas.h"
#include "shell/MapWindowHost.h"
#include "tests/map/MapFixture.h"
#include "view/CChimesetView.h"
#include "view/CMapPanel.h"

using namespace chimeset;
using namespace chimeset::testing;

namespace {

class MapWindowTest : public MapFixture {
  protected:
    void Open() {
        window = std::make_unique<CMapWindow>(*doc, BuiltInMap());
        window->resize(700, 800);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    QPoint DotOf(std::int32_t tower) const {
        const MapTowers& towers = window->Towers();
        const MapTower& t = towers.Towers()[static_cast<std::size_t>(towers.Find(tower))];
        const ScreenPoint p =
            window->Canvas()->Viewport().ToScreen(t.point.easting, t.point.northing);
        return QPoint(qRound(p.x), qRound(p.y));
    }
    std::unique_ptr<CMapWindow> window;
};

QRgb Rgb(MapColour colour) {
    return qRgb(colour.red, colour.green, colour.blue);
}

}  // namespace

TEST_F(MapWindowTest, ShowsEveryPlacedTowerAndSaysHowManyAreNot) {
    OpenLog();
    Open();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Tower Map"));
    EXPECT_EQ(window->Towers().Counts().placed, 6);
    const QString counts = window->findChild<QLabel*>(QStringLiteral("mapCounts"))->text();
    EXPECT_TRUE(counts.contains(QStringLiteral("6 towers on the map"))) << counts.toStdString();
    EXPECT_TRUE(counts.contains(QStringLiteral("1 beyond the map"))) << counts.toStdString();
    EXPECT_TRUE(counts.contains(QStringLiteral("3 with an impossible position")));
    // What it draws: Dublin's dot in the pealed colour.
    const QImage shot = window->Canvas()->grab().toImage();
    const double ratio = shot.devicePixelRatio();
    const QPoint dublin = DotOf(1);
    EXPECT_EQ(
        shot.pixel(int(dublin.x() * ratio), int(dublin.y() * ratio)) & 0xFFFFFF,
        Rgb(StyleOfDot({DotCategory::Pealed, false}, window->Canvas()->Viewport().Scale()).fill) &
            0xFFFFFF);
}

TEST_F(MapWindowTest, TheTipNamesTheTowerItsBellsAndWeight) {
    Open();
    const QString tip = window->Canvas()->ToolTipAt(DotOf(10));
    EXPECT_TRUE(tip.contains(QStringLiteral("Norwich"))) << tip.toStdString();
    EXPECT_TRUE(tip.contains(QStringLiteral("12 bells"))) << tip.toStdString();
    EXPECT_TRUE(tip.contains(QStringLiteral("tenor"))) << tip.toStdString();
    EXPECT_TRUE(window->Canvas()->ToolTipAt(QPoint(2, 790)).isEmpty());
}

TEST_F(MapWindowTest, WheelKeysAndButtonsZoomAndPan) {
    Open();
    MapCanvas* canvas = window->Canvas();
    MapViewport& view = canvas->Viewport();
    const double fitted = view.Scale();
    // The wheel zooms about the pointer: Douglas stays under it.
    const QPoint douglas = DotOf(2);
    QWheelEvent wheel(douglas, canvas->mapToGlobal(douglas), {}, {0, 240}, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(canvas, &wheel);
    EXPECT_NEAR(view.Scale(), fitted * 1.25 * 1.25, fitted * 1e-9);
    EXPECT_LE((DotOf(2) - douglas).manhattanLength(), 1);
    QTest::keyClick(canvas, Qt::Key_Plus);
    EXPECT_NEAR(view.Scale(), fitted * 1.25 * 1.25 * 1.5, fitted * 1e-9);
    QTest::keyClick(canvas, Qt::Key_Minus);
    QTest::keyClick(canvas, Qt::Key_Minus);
    EXPECT_NEAR(view.Scale(), fitted * 1.25 * 1.25 / 1.5, fitted * 1e-9);
    // Arrow keys move the picture by an eighth.
    const QPoint before = DotOf(2);
    QTest::keyClick(canvas, Qt::Key_Left);
    EXPECT_NEAR(DotOf(2).x() - before.x(), canvas->width() / 8.0, 1);
    QTest::keyClick(canvas, Qt::Key_Down);
    EXPECT_NEAR(DotOf(2).y() - before.y(), -canvas->height() / 8.0, 1);
    // Dragging moves the picture with the pointer.
    const QPoint start(300, 300);
    QTest::mousePress(canvas, Qt::LeftButton, {}, start);
    QMouseEvent move(QEvent::MouseMove, QPointF(start + QPoint(40, 25)),
                     canvas->mapToGlobal(QPointF(start + QPoint(40, 25))), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    const QPoint dotBefore = DotOf(2);
    QApplication::sendEvent(canvas, &move);
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, start + QPoint(40, 25));
    EXPECT_EQ(DotOf(2) - dotBefore, QPoint(40, 25));
    // Fit goes back to the whole map.
    QTest::mouseClick(window->findChild<QToolButton*>(QStringLiteral("fitButton")), Qt::LeftButton);
    EXPECT_DOUBLE_EQ(view.Scale(), fitted);
}

TEST_F(MapWindowTest, SelectionGoesBothWaysWithTheMainWindow) {
    OpenLog();
    CChimesetView view(*doc, prompter, {});
    view.OnInitialUpdate();
    MapWindowHost host(*doc, view, BuiltInMap(), nullptr);
    host.OpenMapWindow();
    CMapWindow* map = host.MapWindow();
    ASSERT_TRUE(map);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(map));
    // A click on Douglas's dot selects Douglas in the list.
    const MapTower& douglas =
        map->Towers().Towers()[static_cast<std::size_t>(map->Towers().Find(2))];
    const ScreenPoint p =
        map->Canvas()->Viewport().ToScreen(douglas.point.easting, douglas.point.northing);
    QTest::mouseClick(map->Canvas(), Qt::LeftButton, {}, QPoint(qRound(p.x), qRound(p.y)));
    EXPECT_EQ(doc->CurrentTower(), 2);
    EXPECT_EQ(map->Canvas()->CurrentTower(), 2);
    // A tower outside the shown list: the list turns to All Dove to show it.
    doc->SetFilter(kFilterPealed);
    view.RefillList();
    EXPECT_TRUE(view.SelectTower(10));
    EXPECT_EQ(doc->CurrentTower(), 10);
    EXPECT_EQ(doc->GetFilter(), kFilterAllTowers);
    // Choosing in the list rings it on the map and brings it into view, however far in.
    MapViewport& viewport = map->Canvas()->Viewport();
    viewport.ZoomAt({10, 10}, 200);
    ASSERT_TRUE(view.SelectTower(3));
    EXPECT_EQ(map->Canvas()->CurrentTower(), 3);
    const MapTower& guernsey =
        map->Towers().Towers()[static_cast<std::size_t>(map->Towers().Find(3))];
    const ScreenPoint g = viewport.ToScreen(guernsey.point.easting, guernsey.point.northing);
    EXPECT_TRUE(g.x >= 0 && g.y >= 0 && g.x <= viewport.Width() && g.y <= viewport.Height());
    // A peal recorded in the main window colours the dot at once.
    ASSERT_TRUE(view.SelectTower(10));
    const auto norwich = [&] {
        return map->Towers()
            .Towers()[static_cast<std::size_t>(map->Towers().Find(10))]
            .look.category;
    };
    EXPECT_EQ(norwich(), DotCategory::NotVisited);
    doc->UpdateVisitDate(Date(2026, 12, 1));
    doc->UpdatePealDate(Date(2026, 12, 1));
    view.ShowVisitorRecords();
    EXPECT_EQ(norwich(), DotCategory::Pealed);
    // A tower that cannot be placed selects nothing on the map.
    ASSERT_TRUE(view.SelectTower(8));
    EXPECT_EQ(map->Canvas()->CurrentTower(), 8);
    EXPECT_EQ(map->Towers().Find(8), -1);
    map->close();
}

TEST_F(MapWindowTest, TheShownListOptionAndLogChangesRedrawTheTowers) {
    OpenLog();
    Open();
    ASSERT_TRUE(doc->SetFilter(kFilterVisited));
    window->ShownListOnly()->setChecked(true);
    EXPECT_EQ(window->Towers().Counts().placed, 4);  // London, Dublin, Douglas, Exeter
    window->ShownListOnly()->setChecked(false);
    EXPECT_EQ(window->Towers().Counts().placed, 6);
    // A new peal shows at the next refresh.
    ASSERT_TRUE(doc->SetFilter(kFilterAllTowers));
    doc->SelectListItem(10);
    const std::int32_t norwich = window->Towers().Find(10);
    EXPECT_EQ(window->Towers().Towers()[static_cast<std::size_t>(norwich)].look.category,
              DotCategory::NotVisited);
}

TEST_F(MapWindowTest, ADamagedMapSaysSoAndNothingElseBreaks) {
    MapData damaged;
    EXPECT_FALSE(damaged.Parse("CHIMESET-MAP 1\nB 0 0 1 1\nA 1 3 0 0"));
    CMapWindow map(*doc, damaged);
    map.resize(500, 500);
    map.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&map));
    const QImage shot = map.Canvas()->grab().toImage();
    int land = 0;
    for (int y = 0; y < shot.height(); y += 3)
        for (int x = 0; x < shot.width(); x += 3)
            land += (shot.pixel(x, y) & 0xFFFFFF) == (Rgb(kLandColour) & 0xFFFFFF);
    EXPECT_EQ(land, 0);
    QTest::keyClick(map.Canvas(), Qt::Key_Plus);
    QTest::mouseClick(map.Canvas(), Qt::LeftButton, {}, QPoint(100, 100));
    EXPECT_EQ(map.Canvas()->TowerAt(QPoint(100, 100)), map.Canvas()->TowerAt(QPoint(100, 100)));
}

TEST(MapPanelGrowthTest, AtTheStartingSizeThePictureAndWhenGrownTheVectors) {
    CMapPanel panel;
    ASSERT_TRUE(panel.HasImage());
    const int scale = panel.ImageScale();
    // The starting size, and a little more: the picture as ever.
    EXPECT_FALSE(panel.DrawsVectors(QSize(200, 300) * scale));
    EXPECT_FALSE(panel.DrawsVectors(QSize(220, 330) * scale));
    // Grown in one direction only: still the picture, which cannot grow in the other.
    EXPECT_FALSE(panel.DrawsVectors(QSize(600, 300) * scale));
    EXPECT_TRUE(panel.DrawsVectors(QSize(500, 750) * scale));
    // A panel without vectors never draws them.
    CMapPanel plain(QImage(200, 300, QImage::Format_RGB32));
    EXPECT_FALSE(plain.DrawsVectors(QSize(1000, 1500)));

    // London's marker lands in red at the same share of the panel as on the picture, on land.
    const MapPoint london = MakeMapPoint(5300, 1800);
    panel.ShowPosition(london);
    QImage grown(QSize(500, 750), QImage::Format_RGB32);
    grown.fill(Qt::black);
    {
        QPainter painter(&grown);
        panel.Render(painter, grown.rect());
    }
    const MapPixel pixel = CMapPanel::PixelOf(london);
    const double k = 2.5;  // 500 / 200
    const int x = qRound(((pixel & 0xFFFF) + 0.5) * k);
    const int y = qRound(((pixel >> 16) + 0.5) * k);
    EXPECT_EQ(grown.pixel(x, y), qRgb(255, 0, 0));
    int land = 0;
    int red = 0;
    for (int yy = 0; yy < grown.height(); ++yy)
        for (int xx = 0; xx < grown.width(); ++xx) {
            land += grown.pixel(xx, yy) == Rgb(kLandColour);
            red += grown.pixel(xx, yy) == qRgb(255, 0, 0);
        }
    EXPECT_GT(land, 500 * 750 / 5);
    EXPECT_GT(red, 25);  // 5 x 5 picture pixels at 2.5 device pixels each
    EXPECT_LT(red, 250);
}

TEST_F(MapWindowTest, TheSmallMapKeepsItsSizeAtTheStartAndGrowsWithTheWindow) {
    CChimesetView view(*doc, prompter, {});
    view.OnInitialUpdate();
    view.resize(view.sizeHint());
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    CMapPanel* panel = view.MapPanel();
    const QSize start = panel->contentsRect().size() * panel->devicePixelRatio();
    EXPECT_FALSE(panel->DrawsVectors(start)) << start.width() << "x" << start.height();
    EXPECT_EQ(panel->size(), panel->minimumSizeHint().expandedTo(panel->minimumSize()));
    view.resize(1600, 1200);
    QApplication::processEvents();
    const QSize grown = panel->contentsRect().size() * panel->devicePixelRatio();
    EXPECT_GT(grown.width(), start.width() * 2);
    EXPECT_TRUE(panel->DrawsVectors(grown)) << grown.width() << "x" << grown.height();
    // A double-click on it asks for the map window.
    bool asked = false;
    QObject::connect(&view, &CChimesetView::mapWindowRequested, [&] { asked = true; });
    QTest::mouseDClick(panel, Qt::LeftButton, {}, panel->rect().center());
    EXPECT_TRUE(asked);
}

TEST(MapWindowDetailsTest, TheTipShowsTheDetailsEscapedAndCutAndUnringableIsHollow) {
    TempDir dir;
    std::string remark = "<b>Bells & frames</b> ";
    while (remark.size() < 10000) remark += "more words ";
    dir.WriteLines("DoveData.CB0",
                   {std::string(kTowerFieldNames) + "\\" + std::string(kTowerDetailNames),
                    "London\\St Paul\\Greater London\\TQ320811\\51.5138\\-0.0984\\12\\6200\\2001"
                    "\\Y\\\\\\\\\\\\\\\\",
                    "Norwich\\St Peter Mancroft\\Norfolk\\TG229084\\52.6280\\1.2920\\12\\4100\\"
                    "2011\\u/r\\Tue (2nd & 4th)\\Y\\\\\\\\NR2 1QX\\\\" +
                        remark});
    FakePrompter prompter;
    MemorySettings settings;
    CChimesetDoc doc(dir.Path(), prompter, settings, [] { return LocalDate{2026, 12, 7}; });
    ASSERT_TRUE(doc.IsDatabaseLoaded());
    CMapWindow window(doc, BuiltInMap());
    window.resize(700, 800);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const auto dotOf = [&window](std::int32_t tower) {
        const MapTowers& towers = window.Towers();
        const MapTower& t = towers.Towers()[static_cast<std::size_t>(towers.Find(tower))];
        const ScreenPoint p =
            window.Canvas()->Viewport().ToScreen(t.point.easting, t.point.northing);
        return QPoint(qRound(p.x), qRound(p.y));
    };
    const QString tip = window.Canvas()->ToolTipAt(dotOf(1));
    EXPECT_TRUE(tip.contains(QStringLiteral("<b>Unringable</b>"))) << tip.toStdString();
    EXPECT_TRUE(tip.contains(QStringLiteral("Practice Tue (2nd &amp; 4th), Ground floor, NR2 1QX")))
        << tip.toStdString();
    EXPECT_TRUE(tip.contains(QStringLiteral("&lt;b&gt;Bells &amp; frames&lt;/b&gt; more words")))
        << tip.toStdString();
    EXPECT_LT(tip.size(), 400);
    const QString london = window.Canvas()->ToolTipAt(dotOf(0));
    EXPECT_FALSE(london.contains(QStringLiteral("Unringable"))) << london.toStdString();

    // Norwich's dot is a ring: its middle shows the land, London's is filled.
    const QImage shot = window.Canvas()->grab().toImage();
    const double ratio = shot.devicePixelRatio();
    const auto pixel = [&](QPoint p) {
        return shot.pixel(int(p.x() * ratio), int(p.y() * ratio)) & 0xFFFFFF;
    };
    EXPECT_EQ(pixel(dotOf(1)), Rgb(kLandColour) & 0xFFFFFF);
    EXPECT_EQ(pixel(dotOf(0)), Rgb(StyleOfDot({DotCategory::NotVisited, false, false},
                                              window.Canvas()->Viewport().Scale())
                                       .fill) &
                                   0xFFFFFF);
}
