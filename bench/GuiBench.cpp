// The main window with a full-sized database and log: start-up, switching lists, and
// repainting the map with every tower of a long list marked.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <memory>
#include <vector>

#include "bench/BenchData.h"
#include "shell/CChimesetApp.h"
#include "shell/CMainFrame.h"
#include "tests/support/FakePrompter.h"
#include "tests/support/MemorySettings.h"
#include "tests/support/TempDir.h"
#include "users/DocumentsFolderProvider.h"
#include "users/qt/QtIdTableLibrary.h"
#include "view/CChimesetView.h"
#include "view/CMapPanel.h"
#include "view/TowerListBox.h"

using namespace chimeset;

namespace {

constexpr int kTowers = 8000;
constexpr int kVisits = 3000;

class NoDocuments : public DocumentsFolderProvider {
  public:
    std::string DocumentsFolder() const override { return {}; }
};

struct Data {
    Data() {
        bench::WriteDatabase(dir.Path(), kTowers);
        log = bench::WriteLog(dir.Path(), kVisits, kTowers, 20);
    }
    testing::TempDir dir;
    std::string log;
};

Data& Files() {
    static Data data;
    return data;
}

struct Program {
    Program() {
        settings.WriteString("Users", "RegisterOfNames", "RINGER1");
        settings.WriteString("Users", "DataFolder", Files().dir.Path());
        settings.WriteString("Users", "RINGER1", "Ringer One");
        app = std::make_unique<CChimesetApp>(
            AppServices{Files().dir.Path(), QString(), prompter, settings, documents, idTable, [] {
                            return LocalDate{2026, 12, 7};
                        }});
    }
    testing::FakePrompter prompter;
    testing::MemorySettings settings;
    NoDocuments documents;
    QtIdTableLibrary idTable;
    std::unique_ptr<CChimesetApp> app;
};

// From nothing to the window shown and painted, with the 3,000-visit log named on the
// command line: the database read, the log read, the list filled.
void BM_StartUpToShownWindow(benchmark::State& state) {
    for (auto _ : state) {
        Program program;
        const bool started = program.app->InitInstance({QString::fromStdString(Files().log)});
        QApplication::processEvents();
        if (!started) state.SkipWithError("start-up failed");
        state.PauseTiming();
        program.app.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartUpToShownWindow)->Unit(benchmark::kMillisecond)->Iterations(5);

// One click on My Visits or All Dove, the list rebuilt and refilled, the window repainted.
void BM_SwitchAllDoveAndMyVisits(benchmark::State& state) {
    Program program;
    program.app->InitInstance({});
    program.app->OnFileOpen();
    CChimesetView& view = *program.app->MainFrame()->View();
    bool visits = false;
    for (auto _ : state) {
        visits = !visits;
        view.OnFilterButton(visits ? kFilterVisited : kFilterAllTowers);
        program.app->MainFrame()->repaint();
    }
    state.counters["visits"] = program.app->Document()->EntryCount();
    state.counters["towers"] = program.app->Document()->Database().GetTowerCount();
}
BENCHMARK(BM_SwitchAllDoveAndMyVisits)->Unit(benchmark::kMillisecond);

// Typing the whole name of the last tower of All Dove: the type-ahead walks every row, naming
// each as it goes, since the list holds towers rather than their names.
void BM_TypeAheadToTheLastTower(benchmark::State& state) {
    Program program;
    program.app->InitInstance({});
    TowerListBox& list = *program.app->MainFrame()->View()->TowerList();
    const QString last = list.ItemText(list.Count() - 1);
    for (auto _ : state) {
        emit list.Edit()->textEdited(last);
        benchmark::DoNotOptimize(list.CurrentRow());
    }
    if (list.ItemText(list.CurrentRow()) != last) state.SkipWithError("the last tower not found");
    state.counters["rows"] = list.Count();
}
BENCHMARK(BM_TypeAheadToTheLastTower)->Unit(benchmark::kMillisecond);

// One repaint of the map panel with every tower of a 3,000-visit list marked.
void BM_MapRepaintWith3000Markers(benchmark::State& state) {
    CMapPanel panel;
    panel.resize(panel.sizeHint());
    panel.show();
    std::vector<MapPoint> points;
    for (int i = 0; i < kVisits; ++i)
        points.push_back(MakeMapPoint(1000 + (i * 37) % 5000, 1000 + (i * 53) % 8000));
    panel.ShowPositions(points);
    QApplication::processEvents();
    for (auto _ : state) panel.repaint();
    state.counters["markers"] = static_cast<double>(panel.Pixels().size());
}
BENCHMARK(BM_MapRepaintWith3000Markers)->Unit(benchmark::kMillisecond);

}  // namespace
