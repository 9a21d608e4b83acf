// The document's work with a full-sized database and a long log.
#include <benchmark/benchmark.h>

#include <memory>

#include "bench/BenchData.h"
#include "tests/support/FakePrompter.h"
#include "tests/support/MemorySettings.h"
#include "tests/support/TempDir.h"
#include "visits/CChimesetDoc.h"

using namespace chimeset;

namespace {

constexpr int kTowers = 8000;
constexpr int kEntries = 5000;

struct Fixture {
    Fixture() {
        fileBytes = bench::WriteDatabase(dir.Path(), kTowers);
        logPath = bench::WriteLog(dir.Path(), kEntries, kTowers, 20);
    }
    std::unique_ptr<CChimesetDoc> MakeDoc() {
        return std::make_unique<CChimesetDoc>(dir.Path(), prompter, settings, [] {
            return LocalDate{2026, 12, 7};
        });
    }
    testing::TempDir dir;
    testing::FakePrompter prompter;
    testing::MemorySettings settings;
    std::size_t fileBytes = 0;
    std::string logPath;
};

Fixture& Data() {
    static Fixture fixture;
    return fixture;
}

void BM_Load(benchmark::State& state) {
    auto& data = Data();
    for (auto _ : state) {
        TowerDatabase db;
        benchmark::DoNotOptimize(db.Load(data.dir.Path()).ok);
        state.counters["bytes_per_file_byte"] =
            static_cast<double>(db.DatabaseBytes()) / static_cast<double>(data.fileBytes);
    }
}
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond);

void BM_OnOpenDocument(benchmark::State& state) {
    auto& data = Data();
    auto doc = data.MakeDoc();
    for (auto _ : state) {
        std::string user = "RINGER1";
        benchmark::DoNotOptimize(doc->OnOpenDocument(data.logPath, user));
    }
}
BENCHMARK(BM_OnOpenDocument)->Unit(benchmark::kMillisecond);

void BM_OnSaveDocument(benchmark::State& state) {
    auto& data = Data();
    auto doc = data.MakeDoc();
    std::string user = "RINGER1";
    doc->OnOpenDocument(data.logPath, user);
    const std::string target = data.dir.File("SAVED.CBL");
    for (auto _ : state) benchmark::DoNotOptimize(doc->OnSaveDocument(target));
}
BENCHMARK(BM_OnSaveDocument)->Unit(benchmark::kMillisecond);

void BM_RebuildAllListWithAdditionalTowers(benchmark::State& state) {
    auto& data = Data();
    auto doc = data.MakeDoc();
    std::string user = "RINGER1";
    doc->OnOpenDocument(data.logPath, user);
    doc->SetFilter(kFilterAllTowers);
    for (auto _ : state) doc->RebuildAllList();
    state.counters["additional"] = doc->Database().GetAdditionalCount();
}
BENCHMARK(BM_RebuildAllListWithAdditionalTowers)->Unit(benchmark::kMillisecond);

void BM_RebuildLogListDateOrder(benchmark::State& state) {
    auto& data = Data();
    auto doc = data.MakeDoc();
    std::string user = "RINGER1";
    doc->OnOpenDocument(data.logPath, user);
    doc->SetFilter(kFilterVisited);
    doc->SetOrder(kOrderDate);
    for (auto _ : state) doc->RebuildLogList();
    state.counters["listed"] = doc->GetListCount();
}
BENCHMARK(BM_RebuildLogListDateOrder)->Unit(benchmark::kMillisecond);

void BM_RebuildLogListNameOrder(benchmark::State& state) {
    auto& data = Data();
    auto doc = data.MakeDoc();
    std::string user = "RINGER1";
    doc->OnOpenDocument(data.logPath, user);
    doc->SetFilter(kFilterVisited);
    for (auto _ : state) doc->RebuildLogList();
}
BENCHMARK(BM_RebuildLogListNameOrder)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
