// The report's layout on PDF pages at one length and at twice that length: the time must grow with the
// length, not with its square. The notes, 25,000 and 50,000 short lines, go far beyond what the project
// dialog and velto-conf take (notes of many short lines once took minutes to lay out); the tables are full.
#include "BenchFiles.h"
#include "ReportPages.h"

#include <benchmark/benchmark.h>

namespace velto::bench {
namespace {

void LayOut(benchmark::State& state, int noteLines) {
    std::string notes = "Note";
    for (int line = 1; line < noteLines; ++line)
        notes += "\nline " + std::to_string(line);
    const ConfigModel model = MaximalModel(0);
    ReportDocument report =
        BuildReport(model, {"/jobs/full.xml", "1.0.4", "", {{2026, 12, 7}, 9, 5}, {}}, true);
    report.notes = {"Note", notes, {}};
    for (auto _ : state)
        benchmark::DoNotOptimize(ReportPdf(report, QStringLiteral("full.xml"), QStringLiteral("bench")));
}

void report_single(benchmark::State& state) {
    LayOut(state, 25000);
}

void report_double(benchmark::State& state) {
    LayOut(state, 50000);
}

BENCHMARK(report_single)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(report_double)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

} // namespace
} // namespace velto::bench
