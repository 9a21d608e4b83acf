// Loading the real tower database with the details a ringer checks before going, against
// the same database with the nine columns alone, and reading the details back. The real
// database is converted from the Dove's Guide download beside the project (the environment
// variable CHIMESET_SHARED_DATA, or ../shared/data); without it the benchmarks are skipped.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "common/Text.h"
#include "common/TextFile.h"
#include "dove/DoveImport.h"
#include "tests/support/TempDir.h"
#include "towerdata/TowerDatabase.h"

using namespace chimeset;

namespace {

std::string DownloadPath() {
    const char* dir = std::getenv("CHIMESET_SHARED_DATA");
    return JoinPath(dir ? dir : "../shared/data", "dove48.csv");
}

struct RealDatabases {
    RealDatabases() {
        const std::string csv = DownloadPath();
        if (!FileExists(csv)) return;
        DoveImportSummary summary;
        DoveImportError error;
        withDetails = dir.File("with.CB0");
        if (!ImportDoveFile(csv, withDetails, {}, summary, error)) return;
        // The same towers, cut back to the nine columns a database had before the details.
        std::vector<std::string> lines;
        FileError fileError;
        if (!ReadTextLines(withDetails, lines, fileError)) return;
        for (std::string& line : lines) {
            if (line.empty() || line[0] == ';') continue;
            std::size_t cut = 0;
            for (int f = 0; f < kTowerFieldCount && cut != std::string::npos; ++f)
                cut = line.find('\\', cut + (f > 0 ? 1 : 0));
            if (cut != std::string::npos) line.erase(cut);
        }
        nineOnly = dir.File("nine.CB0");
        ready = WriteTextLines(nineOnly, lines, fileError);
    }
    testing::TempDir dir;
    std::string withDetails;
    std::string nineOnly;
    bool ready = false;
};

RealDatabases& Data() {
    static RealDatabases data;
    return data;
}

void Load(benchmark::State& state, const std::string& path) {
    if (!Data().ready) {
        state.SkipWithError("no Dove's Guide download beside the project");
        return;
    }
    for (auto _ : state) {
        TowerDatabase db;
        const FileResult result = db.LoadFile(path);
        benchmark::DoNotOptimize(result.ok);
        if (!result.ok || db.GetDatabaseCount() == 0) state.SkipWithError("did not load");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(std::filesystem::file_size(path)));
}

void BM_LoadRealNineColumns(benchmark::State& state) {
    Load(state, Data().nineOnly);
}
BENCHMARK(BM_LoadRealNineColumns)->Unit(benchmark::kMillisecond);

void BM_LoadRealWithDetails(benchmark::State& state) {
    Load(state, Data().withDetails);
}
BENCHMARK(BM_LoadRealWithDetails)->Unit(benchmark::kMillisecond);

// The real database with its details; false, with the run skipped, without the download.
bool LoadWithDetails(benchmark::State& state, TowerDatabase& db) {
    if (!Data().ready) {
        state.SkipWithError("no Dove's Guide download beside the project");
        return false;
    }
    db.LoadFile(Data().withDetails);
    return true;
}

// What a filter over every tower costs: "ringable only", "practice on Tuesday".
void BM_RingableAndPracticeFilterOverAll(benchmark::State& state) {
    TowerDatabase db;
    if (!LoadWithDetails(state, db)) return;
    for (auto _ : state) {
        int kept = 0;
        for (std::int32_t t = 0; t < db.GetDatabaseCount(); ++t) {
            if (db.IsUnringable(t)) continue;
            kept += PracticeOnDay(db.GetDetailField(t, kPractice), Weekday::kTuesday);
        }
        benchmark::DoNotOptimize(kept);
    }
}
BENCHMARK(BM_RingableAndPracticeFilterOverAll)->Unit(benchmark::kMillisecond);

// Every tower's details in full, as an export of all towers would read them.
void BM_DetailsOfEveryTower(benchmark::State& state) {
    TowerDatabase db;
    if (!LoadWithDetails(state, db)) return;
    for (auto _ : state) {
        std::size_t length = 0;
        for (std::int32_t t = 0; t < db.GetDatabaseCount(); ++t)
            length += db.DetailsOf(t).remarks.size();
        benchmark::DoNotOptimize(length);
    }
}
BENCHMARK(BM_DetailsOfEveryTower)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
