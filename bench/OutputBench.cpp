// Printing, the clipboard and the tower search over full-sized lists.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <memory>

#include "bench/BenchData.h"
#include "output/TowerSearch.h"
#include "output/qt/ClipboardExportCommand.h"
#include "output/qt/PrintController.h"
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
        bench::WriteDatabase(dir.Path(), kTowers);
        const std::string log = bench::WriteLog(dir.Path(), kEntries, kTowers, 20);
        settings.WriteString("Users", "RINGER1", "Ringer One");
        doc = std::make_unique<CChimesetDoc>(dir.Path(), prompter, settings, [] {
            return LocalDate{2026, 12, 7};
        });
        std::string user = "RINGER1";
        doc->OpenLog(log, user);
    }
    testing::TempDir dir;
    testing::FakePrompter prompter;
    testing::MemorySettings settings;
    std::unique_ptr<CChimesetDoc> doc;
};

Fixture& Data() {
    static Fixture fixture;
    return fixture;
}

// Print Preview of the 5,000 visits: the counting pass, then every page laid out and drawn
// into the preview, as the preview window does before it shows.
void BM_PrintPreviewOf5000Rows(benchmark::State& state) {
    auto& data = Data();
    data.doc->SetFilter(kFilterVisited);
    PrintController printing(*data.doc, data.prompter, data.settings, PrintHost{});
    printing.LoadSettings();
    printing.SetPageHeader("Ringing Records for Ringer One");
    for (auto _ : state) {
        printing.Prepare();
        QPrintPreviewWidget preview(&printing.ApplicationPrinter());
        QObject::connect(&preview, &QPrintPreviewWidget::paintRequested,
                         [&printing](QPrinter* printer) { printing.RenderJob(*printer); });
        preview.updatePreview();
        benchmark::DoNotOptimize(preview.pageCount());
        state.counters["pages"] = preview.pageCount();
    }
    state.counters["rows"] = data.doc->GetListCount();
}
BENCHMARK(BM_PrintPreviewOf5000Rows)->Unit(benchmark::kMillisecond);

void BM_CopyToClipboard5000Rows(benchmark::State& state) {
    auto& data = Data();
    data.doc->SetFilter(kFilterVisited);
    const PrintSettings settings;
    for (auto _ : state) {
        benchmark::DoNotOptimize(CopyListToClipboard(*data.doc, settings.columns, data.prompter));
        data.prompter.Clear();
    }
    state.counters["rows"] = data.doc->GetListCount();
}
BENCHMARK(BM_CopyToClipboard5000Rows)->Unit(benchmark::kMillisecond);

// Find Next through the whole All Dove list without a match: the longest walk there is.
void BM_FindNextAcross8000Towers(benchmark::State& state) {
    auto& data = Data();
    data.doc->SetFilter(kFilterAllTowers);
    TowerSearch search;
    for (auto _ : state) {
        search.Start("no such place");
        benchmark::DoNotOptimize(search.FindNext(*data.doc));
    }
    state.counters["towers"] = data.doc->GetListCount();
}
BENCHMARK(BM_FindNextAcross8000Towers)->Unit(benchmark::kMillisecond);

}  // namespace
