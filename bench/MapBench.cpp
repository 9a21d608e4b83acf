// The tower map on the real Dove's Guide database (converted from the download in
// ../shared/data, never committed; the benchmarks skip without it): repainting the window at
// 1600 x 1200, the dot under the pointer, opening the window, a 4000 x 6000 PNG poster, and
// the size of the map data on disk and in memory.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <memory>
#include <random>

#include "common/FileFormats.h"
#include "dove/DoveImport.h"
#include "map/qt/CMapWindow.h"
#include "map/qt/MapCanvas.h"
#include "map/qt/MapExport.h"
#include "map/qt/MapResource.h"
#include "tests/support/FakePrompter.h"
#include "tests/support/MemorySettings.h"
#include "tests/support/TempDir.h"
#include "visits/CChimesetDoc.h"

using namespace chimeset;

namespace {

std::string SharedData() {
    const char* dir = std::getenv("CHIMESET_SHARED_DATA");
    return dir ? dir : "../shared/data";
}

// The real database with a log of a ringer who has been about: every tenth tower visited,
// some quartered and pealed.
struct RealData {
    RealData() {
        const std::string csv = testing::ReadBytes(SharedData() + "/dove48.csv");
        if (csv.empty()) return;
        std::vector<std::string> lines;
        DoveImportSummary summary;
        DoveImportError error;
        if (!ConvertDoveCsv(csv, {}, lines, summary, error)) return;
        dir.WriteLines("DoveData.CB0", lines);
        doc = std::make_unique<CChimesetDoc>(dir.Path(), prompter, settings, [] {
            return LocalDate{2026, 12, 7};
        });
        if (!doc->IsDatabaseLoaded()) return;
        std::vector<std::string> log{std::string(kVersion2Header)};
        for (std::int32_t tower = 0; tower < doc->Database().GetDatabaseCount(); tower += 10) {
            std::string line;
            for (int f = 0; f < kTowerFieldCount; ++f)
                line += doc->Database().GetTowerField(tower, f) + "\\";
            const int date = 7 * 32 + 5 * 1024 + 2015 * 16384;
            line += std::to_string(date) + "\\" + std::to_string(tower % 30 == 0 ? date : 0) +
                    "\\" + std::to_string(tower % 90 == 0 ? date : 0) + "\\";
            log.push_back(line);
        }
        const std::string path = dir.WriteLines("RINGER1.CBL", log);
        std::string user;
        loaded = doc->OpenLog(path, user);
    }
    testing::TempDir dir;
    testing::FakePrompter prompter;
    testing::MemorySettings settings;
    std::unique_ptr<CChimesetDoc> doc;
    bool loaded = false;
};

RealData& Data() {
    static RealData data;
    return data;
}

bool Ready(benchmark::State& state) {
    if (Data().loaded && BuiltInMap().IsLoaded()) return true;
    state.SkipWithError("no Dove's Guide download (dove48.csv) in CHIMESET_SHARED_DATA");
    return false;
}

std::unique_ptr<CMapWindow> OpenWindow(QSize canvasSize) {
    auto window = std::make_unique<CMapWindow>(*Data().doc, BuiltInMap());
    window->Canvas()->setFixedSize(canvasSize);
    window->show();
    QApplication::processEvents();
    return window;
}

void BM_MapRepaint1600x1200(benchmark::State& state) {
    if (!Ready(state)) return;
    auto window = OpenWindow(QSize(1600, 1200));
    MapCanvas* canvas = window->Canvas();
    // Whole islands, or zoomed into the busiest part of England with its names.
    if (state.range(0) == 1) canvas->Viewport().ZoomAt({900, 800}, 6);
    for (auto _ : state) canvas->repaint();
    state.counters["towers"] = window->Towers().Counts().placed;
}
BENCHMARK(BM_MapRepaint1600x1200)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_MapHitTest(benchmark::State& state) {
    if (!Ready(state)) return;
    auto window = OpenWindow(QSize(1600, 1200));
    MapCanvas* canvas = window->Canvas();
    std::mt19937 random(5);
    std::uniform_real_distribution<double> x(0, 1600);
    std::uniform_real_distribution<double> y(0, 1200);
    std::int64_t hits = 0;
    for (auto _ : state) {
        const std::int32_t tower = canvas->TowerAt(QPointF(x(random), y(random)));
        hits += tower >= 0;
        benchmark::DoNotOptimize(tower);
    }
    state.counters["hit share"] = double(hits) / double(state.iterations());
}
BENCHMARK(BM_MapHitTest)->Unit(benchmark::kMicrosecond);

void BM_MapOpenWindow(benchmark::State& state) {
    if (!Ready(state)) return;
    for (auto _ : state) {
        CMapWindow window(*Data().doc, BuiltInMap());
        window.resize(900, 1000);
        window.show();
        window.Canvas()->repaint();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_MapOpenWindow)->Unit(benchmark::kMillisecond);

void BM_MapPoster4000x6000Png(benchmark::State& state) {
    if (!Ready(state)) return;
    MapTowers towers;
    towers.Build(Data().doc->Database(), CategoriesOf(*Data().doc), BuiltInMap().Bounds());
    MapExportRequest request;
    request.path = QString::fromStdString(Data().dir.File("poster.png"));
    request.pixels = QSize(4000, 6000);
    request.options.title = "Ringer One";
    request.options.nameOf = [](std::int32_t tower) {
        return Data().doc->Database().GetTowerField(tower, kLocn);
    };
    for (auto _ : state) {
        QString error;
        if (!ExportMap(BuiltInMap(), towers, request, error))
            state.SkipWithError(error.toStdString().c_str());
    }
    state.counters["bytes"] = double(QFile(request.path).size());
}
BENCHMARK(BM_MapPoster4000x6000Png)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_MapDataLoad(benchmark::State& state) {
    QFile file(QStringLiteral(":/chimeset/isles.map"));
    if (!file.open(QIODevice::ReadOnly)) {
        state.SkipWithError("no map resource");
        return;
    }
    const QByteArray bytes = file.readAll();
    std::size_t memory = 0;
    for (auto _ : state) {
        MapData map;
        map.Parse(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        memory = map.MemoryBytes();
        benchmark::DoNotOptimize(map);
    }
    state.counters["resource MB"] = double(bytes.size()) / 1048576.0;
    state.counters["loaded MB"] = double(memory) / 1048576.0;
}
BENCHMARK(BM_MapDataLoad)->Unit(benchmark::kMillisecond);

}  // namespace
