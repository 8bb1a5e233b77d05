// A 50 MB file with a million ignored elements through the reader, against pugixml's bare parse.
#include "BenchFiles.h"
#include "ConfReader.h"
#include "HostileFile.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <pugixml.hpp>

namespace velto::bench {

std::string HostileFilePath() {
    return (std::filesystem::temp_directory_path() / "velto-bench-hostile.xml").string();
}

void WriteHostileFile() {
    std::ofstream(HostileFilePath(), std::ios::binary) << HostileConfigBytes();
}

std::size_t ReadHostileFile() {
    auto model = std::make_unique<ConfigModel>();
    std::string version;
    std::size_t notices = 0;
    LoadConfigFile(HostileFilePath(), *model, version, [&](const Notice&) { ++notices; });
    return notices;
}

namespace {

void hostile_floor(benchmark::State& state) {
    WriteHostileFile();
    for (auto _ : state) {
        pugi::xml_document document;
        benchmark::DoNotOptimize(document.load_file(HostileFilePath().c_str()));
    }
}

void hostile_ours(benchmark::State& state) {
    std::size_t notices = 0;
    for (auto _ : state)
        notices = ReadHostileFile();
    state.counters["notices"] = double(notices);
}

BENCHMARK(hostile_floor)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(hostile_ours)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace
} // namespace velto::bench
