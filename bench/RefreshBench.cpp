// RefreshAllViews on full tables against putting the same cells into the same grids directly. Two full
// configurations are shown in turn, so that every refresh rewrites every cell but the keys; only the
// refresh itself is timed. Then a committed change with its history step against its refresh alone.
#include "BenchFiles.h"
#include "Form1.h"
#include "GridRows.h"
#include "GridView.h"
#include "SilentToolkit.h"

#include <benchmark/benchmark.h>
#include <chrono>

namespace velto::bench {
namespace {

struct FullWindow {
    FullWindow() : window(toolkit) {
        window.document().putInPlace(std::make_unique<ConfigModel>(MaximalModel(0)), {},
                                     Document::Arrival::AsSaved);
        window.RefreshAllViews();
        window.show();
    }
    SilentToolkit toolkit;
    Form1 window;
};

// Times only the second step of each iteration.
template <typename Untimed, typename Timed>
void TimeEach(benchmark::State& state, Untimed untimed, Timed timed) {
    for (auto _ : state) {
        untimed();
        const auto start = std::chrono::steady_clock::now();
        timed();
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
}

void refresh_floor(benchmark::State& state) {
    FullWindow full;
    const std::array<const char*, kTabCount> names{"Fl_dev", "Fl_gru", "Fl_prob", "Fl_cam", "Fl_sce"};
    std::array<GridView*, kTabCount> grids{};
    for (int tab = 0; tab < kTabCount; ++tab)
        grids[tab] = full.window.findChild<GridView*>(names[tab]);
    std::array<std::array<GridRows, kTabCount>, 2> rows;
    for (int variant = 0; variant < 2; ++variant) {
        const ConfigModel model = MaximalModel(variant);
        rows[variant] = {DeviceRows(model), LoadRows(model), ProbeRows(model),
                         CameraRows(model, full.window.texts()), ScenarioRows(model)};
    }
    int shown = 0;
    TimeEach(
        state, [&] { shown = 1 - shown; },
        [&] {
            for (int tab = 0; tab < kTabCount; ++tab) {
                const GridRows& cells = rows[shown][tab];
                grids[tab]->clearContents();
                grids[tab]->setRowCount(int(cells.size()));
                for (int row = 0; row < cells.size(); ++row) {
                    for (int column = 0; column < cells[row].size(); ++column)
                        grids[tab]->setItem(row, column, new QTableWidgetItem(cells[row][column]));
                }
            }
        });
}

void refresh_ours(benchmark::State& state) {
    FullWindow full;
    auto other = std::make_unique<ConfigModel>(MaximalModel(1));
    TimeEach(
        state, [&] { std::swap(full.window.model(), *other); }, [&] { full.window.RefreshAllViews(); });
}

// A committed change on the maximal configuration: one device renamed, the views refreshed, then (ours)
// the step of the history and the recovery file written, against the refresh alone.
void Commit(benchmark::State& state, bool withHistory) {
    FullWindow full;
    int renamed = 0;
    TimeEach(
        state,
        [&] { full.window.model().DeviceTable[50].name = "Device 50 renamed " + std::to_string(++renamed); },
        [&] {
            full.window.RefreshAllViews();
            if (withHistory)
                full.window.commitChange(
                    NoteOf(StepKind::Modify, Subject::Device, 50, 50, QStringLiteral("Device 50")));
        });
}

void commit_floor(benchmark::State& state) {
    Commit(state, false);
}

void commit_ours(benchmark::State& state) {
    Commit(state, true);
}

BENCHMARK(refresh_floor)->UseManualTime()->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(refresh_ours)->UseManualTime()->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(commit_floor)->UseManualTime()->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(commit_ours)->UseManualTime()->Repetitions(7)->ReportAggregatesOnly(true);

} // namespace
} // namespace velto::bench
