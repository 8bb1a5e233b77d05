// RefreshAllViews on full tables against putting the same cells into the same grids directly. Two full
// configurations are shown in turn, so that every refresh rewrites every cell but the keys; only the
// refresh itself is timed. Then a committed change with its history step against its refresh alone, and
// the commands on many records (select all and delete, paste, duplicate) against that same refresh.
#include "BenchFiles.h"
#include "Form1.h"
#include "GridRows.h"
#include "GridView.h"
#include "RecordBatch.h"
#include "SilentToolkit.h"

#include <QApplication>
#include <QClipboard>
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
    UiTexts texts;
    texts.load(true);
    for (int variant = 0; variant < 2; ++variant) {
        const ConfigModel model = MaximalModel(variant);
        rows[variant] = {DeviceRows(model), LoadRows(model), ProbeRows(model), CameraRows(model, texts),
                         ScenarioRows(model)};
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
                full.window.document().commit(
                    NoteOf(StepKind::Modify, Subject::Device, 50, 50, QStringLiteral("Device 50")));
        });
}

void commit_floor(benchmark::State& state) {
    Commit(state, false);
}

void commit_ours(benchmark::State& state) {
    Commit(state, true);
}

// The full configuration with the devices at the keys given only, marked changed already, as after the
// first change: the title then stays as it is. Each command timed is then undone untimed, so that the
// history and the recovery file go on as they do while the user works.
template <typename Keep> void PutDevices(FullWindow& full, Keep keep) {
    auto model = std::make_unique<ConfigModel>(MaximalModel(0));
    for (int address = 1; address <= kMaxDeviceAddress; ++address)
        if (!keep(address))
            FreeDeviceSlot(model->DeviceTable[address]);
    full.window.document().putInPlace(std::move(model), {}, Document::Arrival::AsSaved);
    full.window.document().markModified();
    full.window.RefreshAllViews();
}

void refresh_deleteall(benchmark::State& state) {
    FullWindow full;
    PutDevices(full, [](int) { return true; });
    TimeEach(
        state, [&] { full.window.mUndo_Click(); },
        [&] {
            full.window.mSelectAll_Click();
            full.window.Cdel_Click(); // the silent toolkit answers the question with OK, not No
        });
}

// 1,000 rows more than any table holds: every row is read and placed, and the paste refused for want of
// free addresses.
void refresh_paste(benchmark::State& state) {
    FullWindow full;
    PutDevices(full, [](int) { return false; });
    std::string rows = "point\tname\ttype\tgroup\r\n";
    for (int row = 0; row < 1000; ++row)
        rows += std::to_string(row % 9 + 1) + "\tPasted " + std::to_string(row) + "\t1d\t3\r\n";
    QApplication::clipboard()->setText(QString::fromStdString(rows));
    TimeEach(
        state, [] {}, [&] { full.window.mPaste_Click(); });
}

// Every device a table can hold pasted at once into an empty table, from a full table's copy.
void refresh_pastetable(benchmark::State& state) {
    FullWindow full;
    PutDevices(full, [](int) { return false; });
    std::vector<int> keys;
    for (int address = 1; address <= kMaxDeviceAddress; ++address)
        if (address % 10 != 0) // the addresses the device rules give
            keys.push_back(address);
    const ConfigModel maximal = MaximalModel(0);
    QApplication::clipboard()->setText(QString::fromStdString(CopiedText(maximal, TableId::Devices, keys)));
    TimeEach(
        state, [&] { full.window.mUndo_Click(); }, [&] { full.window.mPaste_Click(); });
}

// The devices of the lower half selected whole and duplicated into the upper half.
void refresh_duplicate(benchmark::State& state) {
    FullWindow full;
    PutDevices(full, [](int address) { return address < 50; });
    TimeEach(
        state,
        [&] {
            full.window.mUndo_Click();
            full.window.mSelectAll_Click();
        },
        [&] { full.window.mDuplicate_Click(); });
}

BENCHMARK(refresh_floor)->UseManualTime()->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(refresh_ours)->UseManualTime()->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(commit_floor)->UseManualTime()->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(commit_ours)->UseManualTime()->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(refresh_deleteall)->UseManualTime()->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(refresh_paste)->UseManualTime()->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(refresh_pastetable)->UseManualTime()->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(refresh_duplicate)->UseManualTime()->Repetitions(7)->ReportAggregatesOnly(true);

} // namespace
} // namespace velto::bench
