// Posters: a PNG with the right colours in the right places, a well-formed SVG, a PDF, and
// nothing half-written when a file cannot be written; the command line that makes them.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QXmlStreamReader>
#include <sstream>

#include "map/MapScene.h"
#include "map/qt/MapCommandLine.h"
#include "map/qt/MapExport.h"
#include "map/qt/QtMapPainter.h"
#include "tests/map/MapFixture.h"

using namespace chimeset;
using namespace chimeset::testing;

namespace {

class MapExportTest : public MapFixture {
  protected:
    MapExportRequest Request(const std::string& name, MapFileFormat format) {
        MapExportRequest request;
        request.path = QString::fromStdString(dir.File(name));
        request.format = format;
        request.pixels = QSize(600, 900);
        const MapPosterText text = PosterTextOf(*doc);
        request.options.title = text.title;
        request.options.subtitle = text.subtitle;
        request.options.credit = text.credit;
        request.options.labels = false;
        return request;
    }
    void Build() { towers.Build(doc->Database(), CategoriesOf(*doc), BuiltInMap().Bounds()); }
    MapTowers towers;
};

QRgb Rgb(MapColour colour) {
    return qRgb(colour.red, colour.green, colour.blue);
}

}  // namespace

TEST_F(MapExportTest, APngShowsEachTowerInItsColourOnLandAndTheSeaAround) {
    OpenLog();
    Build();
    const MapExportRequest request = Request("poster.png", MapFileFormat::Png);
    QString error;
    ASSERT_TRUE(ExportMap(BuiltInMap(), towers, request, error)) << error.toStdString();
    QImage image(request.path);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(600, 900));
    const MapViewport view = PosterViewport(BuiltInMap(), request, QSizeF(600, 900));
    const auto pixelAt = [&](std::int32_t tower) {
        const MapTower& t = towers.Towers()[static_cast<std::size_t>(towers.Find(tower))];
        const ScreenPoint p = view.ToScreen(t.point.easting, t.point.northing);
        return image.pixel(qRound(p.x - 0.5), qRound(p.y - 0.5));
    };
    const double scale = view.Scale();
    EXPECT_EQ(pixelAt(0), Rgb(StyleOfDot({DotCategory::Visited, false}, scale).fill)) << "London";
    EXPECT_EQ(pixelAt(1), Rgb(StyleOfDot({DotCategory::Pealed, false}, scale).fill)) << "Dublin";
    EXPECT_EQ(pixelAt(2), Rgb(StyleOfDot({DotCategory::Quartered, false}, scale).fill))
        << "Douglas";
    EXPECT_EQ(pixelAt(10), Rgb(StyleOfDot({DotCategory::NotVisited, false}, scale).fill))
        << "Norwich";
    // The Irish Sea, and land in the Midlands away from any tower.
    const auto at = [&](double lat, double lon) {
        const GridPoint g = *ProjectWgs84(lat, lon);
        const ScreenPoint p = view.ToScreen(g.easting, g.northing);
        return image.pixel(qRound(p.x), qRound(p.y));
    };
    EXPECT_EQ(at(53.8, -5.2), Rgb(kSeaColour));
    EXPECT_EQ(at(52.5, -1.9), Rgb(kLandColour));
    // The title: dark ink at the top middle.
    int ink = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 200; x < 400; ++x) ink += qGray(image.pixel(x, y)) < 80;
    EXPECT_GT(ink, 30);
}

TEST_F(MapExportTest, AnSvgIsWellFormedWithADotForEveryTower) {
    OpenLog();
    Build();
    const MapExportRequest request = Request("poster.svg", MapFileFormat::Svg);
    QString error;
    ASSERT_TRUE(ExportMap(BuiltInMap(), towers, request, error)) << error.toStdString();
    QFile file(request.path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    int circles = 0;
    int polygons = 0;
    QStringList texts;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == QLatin1String("circle")) ++circles;
        if (xml.name() == QLatin1String("polygon")) ++polygons;
        if (xml.name() == QLatin1String("text")) texts << xml.readElementText();
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_GE(circles, 6 + 4);  // the towers and the legend's dots
    EXPECT_GT(polygons, 100);
    EXPECT_TRUE(texts.contains(QStringLiteral("Ringer One")));
    EXPECT_TRUE(texts.contains(QStringLiteral("4 towers visited")));
    EXPECT_TRUE(texts.contains(QStringLiteral("5 towers not on the map")));
}

TEST_F(MapExportTest, APdfIsWritten) {
    Build();
    MapExportRequest request = Request("poster.pdf", MapFileFormat::Pdf);
    request.paper = QPageSize(QPageSize::A4);
    QString error;
    ASSERT_TRUE(ExportMap(BuiltInMap(), towers, request, error)) << error.toStdString();
    const std::string bytes = ReadBytes(request.path.toStdString());
    ASSERT_GT(bytes.size(), 10000u);
    EXPECT_EQ(bytes.substr(0, 5), "%PDF-");
    EXPECT_NE(bytes.rfind("%%EOF"), std::string::npos);
}

TEST_F(MapExportTest, AFailedExportLeavesNothingHalfWritten) {
    Build();
    QString error;
    // A folder that does not exist.
    MapExportRequest request = Request("missing/poster.png", MapFileFormat::Png);
    EXPECT_FALSE(ExportMap(BuiltInMap(), towers, request, error));
    EXPECT_FALSE(error.isEmpty());
    // A size that cannot be drawn keeps the old file as it was.
    const std::string old = dir.Write("old.png", "an older poster");
    request = Request("old.png", MapFileFormat::Png);
    request.pixels = QSize(0, 10);
    error.clear();
    EXPECT_FALSE(ExportMap(BuiltInMap(), towers, request, error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(ReadBytes(old), "an older poster");
    // A damaged map draws no poster at all.
    MapData damaged;
    damaged.Parse("not a map");
    request = Request("none.svg", MapFileFormat::Svg);
    EXPECT_FALSE(ExportMap(damaged, towers, request, error));
    EXPECT_FALSE(QFile::exists(request.path));
    // Nothing but the old file is in the folder: no temporary file left behind.
    EXPECT_EQ(QDir(QString::fromStdString(dir.Path())).entryList(QDir::Files),
              (QStringList{QStringLiteral("DoveData.CB0"), QStringLiteral("old.png")}));
}

TEST(MapCommandLineTest, ReadsTheSwitches) {
    const auto parse = [](const QStringList& arguments) { return ParseMapCommand(arguments); };
    MapCommand command =
        parse({QStringLiteral("--map"), QStringLiteral("out.png"), QStringLiteral("--size"),
               QStringLiteral("2000x3000"), QStringLiteral("LOG.CBL")});
    EXPECT_EQ(command.kind, MapCommand::Kind::Map);
    EXPECT_EQ(command.outPath, QStringLiteral("out.png"));
    EXPECT_EQ(command.logPath, QStringLiteral("LOG.CBL"));
    EXPECT_EQ(command.pixels, QSize(2000, 3000));
    command = parse({QStringLiteral("LOG.CBL"), QStringLiteral("--map"), QStringLiteral("a.PDF"),
                     QStringLiteral("--size"), QStringLiteral("a3")});
    EXPECT_EQ(command.kind, MapCommand::Kind::Map);
    EXPECT_EQ(command.paper.id(), QPageSize::A3);
    command = parse({QStringLiteral("--map"), QStringLiteral("a.svg")});
    EXPECT_EQ(command.kind, MapCommand::Kind::Map);
    EXPECT_TRUE(command.logPath.isEmpty());
    EXPECT_EQ(parse({QStringLiteral("LOG.CBL")}).kind, MapCommand::Kind::None);
    for (const QStringList& bad : std::vector<QStringList>{
             {QStringLiteral("--map")},
             {QStringLiteral("--map"), QStringLiteral("a.gif"), QStringLiteral("L")},
             {QStringLiteral("--map"), QStringLiteral("a.png"), QStringLiteral("--size"),
              QStringLiteral("big")},
             {QStringLiteral("--map"), QStringLiteral("a.png"), QStringLiteral("--size"),
              QStringLiteral("0x100")},
             {QStringLiteral("--map"), QStringLiteral("a.png"), QStringLiteral("--size"),
              QStringLiteral("30000x100")},
             {QStringLiteral("--map"), QStringLiteral("a.pdf"), QStringLiteral("--size"),
              QStringLiteral("B7")},
             {QStringLiteral("--map"), QStringLiteral("a.png"), QStringLiteral("L1"),
              QStringLiteral("L2")},
             {QStringLiteral("--map"), QStringLiteral("a.png"), QStringLiteral("--pdf"),
              QStringLiteral("x.pdf")},
             {QStringLiteral("--map"), QStringLiteral("a.png"), QStringLiteral("--map"),
              QStringLiteral("b.png")}}) {
        const MapCommand c = parse(bad);
        EXPECT_EQ(c.kind, MapCommand::Kind::Invalid) << bad.join(QLatin1Char(' ')).toStdString();
        EXPECT_FALSE(c.problem.isEmpty());
    }
}

TEST_F(MapExportTest, TheCommandLineWritesThePosterOrSaysWhyNot) {
    OpenLog();
    std::ostringstream err;
    MapCommand command = ParseMapCommand(
        {QStringLiteral("--map"), QString::fromStdString(dir.File("cli.png")),
         QStringLiteral("--size"), QStringLiteral("300x400"), QString::fromStdString(logPath)});
    const auto today = [] { return LocalDate{2026, 12, 7}; };
    ASSERT_EQ(RunMapCommand(command, dir.Path(), settings, today, err), 0) << err.str();
    EXPECT_EQ(QImage(QString::fromStdString(dir.File("cli.png"))).size(), QSize(300, 400));

    command.logPath = QString::fromStdString(dir.File("absent.CBL"));
    EXPECT_EQ(RunMapCommand(command, dir.Path(), settings, today, err), 1);
    EXPECT_NE(err.str().find("absent.CBL"), std::string::npos);

    command = ParseMapCommand({QStringLiteral("--map"), QString::fromStdString(dir.File("x.png")),
                               QString::fromStdString(logPath)});
    TempDir empty;
    EXPECT_EQ(RunMapCommand(command, empty.Path(), settings, today, err), 1);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(dir.File("x.png"))));

    command = ParseMapCommand({QStringLiteral("--map"), QStringLiteral("x.bmp")});
    err.str({});
    EXPECT_EQ(RunMapCommand(command, dir.Path(), settings, today, err), 2);
    EXPECT_NE(err.str().find("Usage"), std::string::npos);
}
