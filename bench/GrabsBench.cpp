// Statistics, towers near a tower and the Statistics dialog on the real tower database
// (Dove's Guide, converted from ../shared/data/dove48.csv) with a log of 5,000 visits; and
// "chimeset --stats" against "chimeset --pdf" of the same one-page log, as whole processes.
// Everything is skipped when the Dove's Guide download is not there.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPixmap>
#include <cstdlib>
#include <memory>
#include <random>

#include "common/FileFormats.h"
#include "common/TextFile.h"
#include "dove/DoveImport.h"
#include "grabs/GrabStatistics.h"
#include "grabs/GrabsTables.h"
#include "grabs/TowerPlaces.h"
#include "grabs/TowerVisits.h"
#include "grabs/TowersNear.h"
#include "grabs/qt/CStatisticsDlg.h"
#include "grabs/qt/StatisticsCharts.h"
#include "tests/support/FakePrompter.h"
#include "tests/support/MemorySettings.h"
#include "tests/support/TempDir.h"
#include "visits/CChimesetDoc.h"
#include "visits/PackedDate.h"

using namespace chimeset;

namespace {

constexpr int kVisits = 5000;
constexpr int kOnePageVisits = 40;

// A log of visits to random towers of the database, some with a quarter peal or a peal.
std::string WriteLog(const TowerDatabase& database, const std::string& path, int visits) {
    std::mt19937 random(5);
    std::vector<std::string> lines{std::string(kVersion2Header)};
    for (int i = 0; i < visits; ++i) {
        const auto tower = static_cast<std::int32_t>(
            random() % static_cast<unsigned>(database.GetDatabaseCount()));
        const PackedDate visit =
            MakePackedDate(1 + random() % 28, 1 + random() % 12, 1975 + random() % 51);
        lines.push_back("x\\y\\z\\\\\\\\6\\0\\" + std::to_string(database.GetIndexNo(tower)) +
                        "\\" + std::to_string(visit) + "\\" +
                        std::to_string(random() % 5 == 0 ? visit : 0) + "\\" +
                        std::to_string(random() % 20 == 0 ? visit : 0) + "\\");
    }
    FileError error;
    WriteTextLines(path, lines, error);
    return path;
}

struct RealData {
    RealData() {
        const char* shared = std::getenv("CHIMESET_SHARED_DATA");
        const std::string csv =
            JoinPath(shared ? shared : CHIMESET_SOURCE_DIR "/../shared/data", "dove48.csv");
        if (!FileExists(csv)) return;
        DoveImportSummary summary;
        DoveImportError error;
        if (!ImportDoveFile(csv, JoinPath(dir.Path(), kDatabaseFileName), {}, summary, error))
            return;
        doc = std::make_unique<CChimesetDoc>(dir.Path(), prompter, settings, [] {
            return LocalDate{2026, 12, 7};
        });
        log = WriteLog(doc->Database(), dir.File("GRAB5000.CBL"), kVisits);
        onePageLog = WriteLog(doc->Database(), dir.File("SHORT.CBL"), kOnePageVisits);
        std::string noUser;
        if (!doc->OpenLog(log, noUser)) doc.reset();
    }
    testing::TempDir dir;
    testing::FakePrompter prompter;
    testing::MemorySettings settings;
    std::unique_ptr<CChimesetDoc> doc;
    std::string log;
    std::string onePageLog;
};

RealData& Data() {
    static RealData data;
    return data;
}

bool Ready(benchmark::State& state) {
    if (Data().doc) return true;
    state.SkipWithError("no Dove's Guide download at ../shared/data/dove48.csv");
    return false;
}

// Every statistic: the visits gathered by tower, the five tables worked out and laid out.
void BM_AllStatistics(benchmark::State& state) {
    if (!Ready(state)) return;
    const CChimesetDoc& doc = *Data().doc;
    for (auto _ : state) {
        const TowerVisits visits(doc);
        const GrabStatistics stats = ComputeGrabStatistics(doc, visits);
        benchmark::DoNotOptimize(StatisticsTables(stats));
    }
    state.counters["towers"] = doc.Database().GetTowerCount();
    state.counters["entries"] = doc.EntryCount();
}
BENCHMARK(BM_AllStatistics)->Unit(benchmark::kMillisecond);

// The towers within 10 miles of one tower, the positions worked out once beforehand (as the
// dialog does when it opens); each round takes the next tower.
void BM_TowersWithin10Miles(benchmark::State& state) {
    if (!Ready(state)) return;
    const CChimesetDoc& doc = *Data().doc;
    const TowerVisits visits(doc);
    const TowerPlaces places(doc.Database());
    NearFilter filter;
    filter.radius = {10, DistanceUnit::Miles};
    std::int32_t tower = 0;
    std::size_t found = 0, rounds = 0;
    for (auto _ : state) {
        do {
            tower = (tower + 97) % places.Count();
        } while (!places.HasPosition(tower));
        const NearResult near =
            FindTowersNear(doc.Database(), visits, places, places.At(tower), filter, tower);
        found += near.towers.size();
        ++rounds;
    }
    state.counters["towers_found"] = rounds ? double(found) / rounds : 0;
}
BENCHMARK(BM_TowersWithin10Miles)->Unit(benchmark::kMicrosecond);

// The positions of every tower, once per Towers Near dialog.
void BM_TowerPlaces(benchmark::State& state) {
    if (!Ready(state)) return;
    for (auto _ : state) benchmark::DoNotOptimize(TowerPlaces(Data().doc->Database()));
}
BENCHMARK(BM_TowerPlaces)->Unit(benchmark::kMillisecond);

// Actions / Statistics: the dialog made, shown and painted with its chart.
void BM_StatisticsDialogOpenAndDrawn(benchmark::State& state) {
    if (!Ready(state)) return;
    SetStatisticsChartsFolder(QStringLiteral(CHIMESET_PROGRAM_DIR));
    for (auto _ : state) {
        CStatisticsDlg dialog(*Data().doc, Data().prompter, nullptr);
        dialog.show();
        benchmark::DoNotOptimize(dialog.grab());
    }
}
BENCHMARK(BM_StatisticsDialogOpenAndDrawn)->Unit(benchmark::kMillisecond);

// The program as a whole process, from a copy beside the real database (it reads the
// database beside itself).
int RunChimeset(const std::string& arguments) {
    return std::system(
        ("\"" + JoinPath(Data().dir.Path(), "chimeset") + "\" " + arguments + " >/dev/null 2>&1")
            .c_str());
}

bool ProgramReady(benchmark::State& state) {
    if (!Ready(state)) return false;
    const std::string copy = JoinPath(Data().dir.Path(), "chimeset");
    if (!FileExists(copy)) {
        const std::string built = JoinPath(CHIMESET_PROGRAM_DIR, "chimeset");
        if (std::system(("cp \"" + built + "\" \"" + copy + "\"").c_str()) != 0) {
            state.SkipWithError("chimeset is not built");
            return false;
        }
    }
    return true;
}

void BM_StatsProcess(benchmark::State& state) {
    if (!ProgramReady(state)) return;
    for (auto _ : state)
        if (RunChimeset("--stats \"" + Data().onePageLog + "\"") != 0)
            state.SkipWithError("--stats failed");
}
BENCHMARK(BM_StatsProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PdfProcess(benchmark::State& state) {
    if (!ProgramReady(state)) return;
    const std::string pdf = Data().dir.File("short.pdf");
    for (auto _ : state)
        if (RunChimeset("--pdf \"" + pdf + "\" \"" + Data().onePageLog + "\"") != 0)
            state.SkipWithError("--pdf failed");
}
BENCHMARK(BM_PdfProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
