// Updating the tower data from the current Dove's Guide download (dove48.csv, 15,633 rows)
// under an open log of 3,000 visits, to a loaded list: read, convert, write, load, carry
// the log over, rebuild the list. Skipped when the download is not beside the project.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "bench/BenchData.h"
#include "common/TextFile.h"
#include "dove/TowerDataUpdate.h"
#include "tests/support/FakePrompter.h"
#include "tests/support/MemorySettings.h"
#include "tests/support/TempDir.h"
#include "visits/CChimesetDoc.h"

using namespace chimeset;

namespace {

std::string Download() {
    const char* shared = std::getenv("CHIMESET_SHARED_DATA");
    return JoinPath(shared ? shared : CHIMESET_SHARED_DATA_DIR, "dove48.csv");
}

struct Fixture {
    Fixture() {
        bench::WriteDatabase(program.Path(), 8000);
        logPath = bench::WriteLog(program.Path(), 3000, 8000, 20);
        doc = std::make_unique<CChimesetDoc>(program.Path(), prompter, settings, [] {
            return LocalDate{2026, 12, 7};
        });
        std::string ringer = "RINGER1";
        doc->OpenLog(logPath, ringer);
    }
    testing::TempDir program;
    testing::TempDir user;
    testing::FakePrompter prompter;
    testing::MemorySettings settings;
    std::string logPath;
    std::unique_ptr<CChimesetDoc> doc;
};

void BM_UpdateFromDownload(benchmark::State& state) {
    Fixture data;
    const std::string csv = Download();
    const std::string database = data.user.File("DoveData.CB0");
    for (auto _ : state) {
        TowerDataUpdate update = UpdateTowerDatabase(csv, database);
        if (!update.ok) {
            state.SkipWithError(update.error.Describe().c_str());
            return;
        }
        const auto carried = data.doc->ReplaceDatabase(std::move(update.database));
        data.doc->SetFilter(kFilterVisited);
        data.doc->SetFilter(kFilterAllTowers);
        benchmark::DoNotOptimize(data.doc->GetListItem(data.doc->GetListCount() - 1));
        state.counters["towers"] = data.doc->Database().GetDatabaseCount();
        state.counters["visits"] = carried.entries;
    }
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (!FileExists(Download())) {
        std::printf("tower_update_bench: %s is not there; nothing to measure.\n",
                    Download().c_str());
        return 0;
    }
    benchmark::RegisterBenchmark("BM_UpdateFromDownload", BM_UpdateFromDownload)
        ->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
