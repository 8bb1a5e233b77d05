// velto-conf diff of two full configurations against reading both, its floor: matching the records
// and describing each changed field must not cost more than the reading.
#include "BenchFiles.h"
#include "ConfReader.h"
#include "ConfWriter.h"
#include "Differences.h"

#include <benchmark/benchmark.h>
#include <memory>

namespace velto::bench {
namespace {

// Two full configurations that differ in every text but the keys: every record changed.
struct TwoFiles {
    std::string then = WriteConfig(MaximalModel(0));
    std::string now = WriteConfig(MaximalModel(1));
};

void Read(const std::string& bytes, ConfigModel& model) {
    std::string version;
    LoadConfigBytes(bytes, model, version, [](const Notice&) {});
}

void diff_floor(benchmark::State& state) {
    const TwoFiles files;
    auto then = std::make_unique<ConfigModel>(), now = std::make_unique<ConfigModel>();
    for (auto _ : state) {
        Read(files.then, *then);
        Read(files.now, *now);
        benchmark::DoNotOptimize(then.get());
        benchmark::DoNotOptimize(now.get());
    }
}

void diff_ours(benchmark::State& state) {
    const TwoFiles files;
    auto then = std::make_unique<ConfigModel>(), now = std::make_unique<ConfigModel>();
    for (auto _ : state) {
        Read(files.then, *then);
        Read(files.now, *now);
        const Differences differences = CompareConfigurations(*then, *now, false);
        benchmark::DoNotOptimize(DifferencesText(differences, false));
    }
}

BENCHMARK(diff_floor)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(diff_ours)->Repetitions(7)->ReportAggregatesOnly(true);

} // namespace
} // namespace velto::bench
