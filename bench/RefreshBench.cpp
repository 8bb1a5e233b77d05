// RefreshAllViews on full tables against putting the same cells into the same grids directly.
#include "BenchFiles.h"
#include "Form1.h"
#include "GridRows.h"
#include "GridView.h"

#include <benchmark/benchmark.h>

namespace velto::bench {
namespace {

// A toolkit that is never asked anything while the views refresh.
class SilentToolkit final : public Toolkit {
public:
    int messageBox(QWidget*, const QString&, const QString&, Buttons, Icon) override { return kAnswerOk; }
    QString fileDialog(const FileDialogRequest&) override { return {}; }
    QString setting(const QString&, const QString&, const QString& defaultValue) override {
        return defaultValue;
    }
    void putSetting(const QString&, const QString&, const QString&) override {}
};

struct FullWindow {
    FullWindow() : window(toolkit) {
        window.model() = MaximalModel();
        window.show();
    }
    SilentToolkit toolkit;
    Form1 window;
};

void refresh_floor(benchmark::State& state) {
    FullWindow full;
    const std::array<GridRows, 5> rows{
        DeviceRows(full.window.model()), LoadRows(full.window.model()), ProbeRows(full.window.model()),
        CameraRows(full.window.model(), full.window.texts()), ScenarioRows(full.window.model())};
    const std::array<const char*, 5> grids{"Fl_dev", "Fl_gru", "Fl_prob", "Fl_cam", "Fl_sce"};
    for (auto _ : state) {
        for (std::size_t tab = 0; tab < grids.size(); ++tab) {
            auto* grid = full.window.findChild<GridView*>(grids[tab]);
            grid->clearContents();
            grid->setRowCount(int(rows[tab].size()));
            for (int row = 0; row < rows[tab].size(); ++row)
                for (int column = 0; column < rows[tab][row].size(); ++column)
                    grid->setItem(row, column, new QTableWidgetItem(rows[tab][row][column]));
        }
    }
}

void refresh_ours(benchmark::State& state) {
    FullWindow full;
    for (auto _ : state)
        full.window.RefreshAllViews();
}

BENCHMARK(refresh_floor)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(refresh_ours)->Repetitions(7)->ReportAggregatesOnly(true);

} // namespace
} // namespace velto::bench
