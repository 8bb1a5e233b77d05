// The reader and the writer against their floors: a bare pugixml parse with the same selections, and
// one write call of the same bytes.
#include "BenchFiles.h"
#include "ConfReader.h"
#include "ConfWriter.h"
#include "SafeSave.h"

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <filesystem>
#include <pugixml.hpp>
#include <unistd.h>

namespace velto::bench {
namespace {

constexpr const char* kSections[] = {"//device", "//group",  "//load",   "//aux",
                                     "//probe",  "//camera", "//scf420", "//scmh200"};

void reader_floor(benchmark::State& state) {
    const std::string bytes = MaximalConfigBytes();
    for (auto _ : state) {
        pugi::xml_document document;
        document.load_buffer(bytes.data(), bytes.size());
        for (const char* section : kSections)
            benchmark::DoNotOptimize(document.select_nodes(section));
    }
}

// The floor plus a visit to every attribute of the selected elements, doing nothing with them: the
// least that any reader of the records adds to the floor.
void reader_visit(benchmark::State& state) {
    const std::string bytes = MaximalConfigBytes();
    for (auto _ : state) {
        pugi::xml_document document;
        document.load_buffer(bytes.data(), bytes.size());
        for (const char* section : kSections) {
            for (const pugi::xpath_node& element : document.select_nodes(section)) {
                for (pugi::xml_attribute attribute : element.node().attributes()) {
                    benchmark::DoNotOptimize(attribute.name());
                    benchmark::DoNotOptimize(attribute.value());
                }
            }
        }
    }
}

void reader_ours(benchmark::State& state) {
    const std::string bytes = MaximalConfigBytes();
    auto model = std::make_unique<ConfigModel>();
    std::size_t notices = 0;
    for (auto _ : state) {
        std::string version;
        LoadConfigBytes(bytes, *model, version, [&](const Notice&) { ++notices; });
    }
    if (notices != 0)
        state.SkipWithError("the maximal file gave notices");
}

std::string TargetPath() {
    return (std::filesystem::temp_directory_path() / "velto-bench-conf.xml").string();
}

// One write call, and the flush to disk that any save that must survive a power cut pays.
void writer_floor(benchmark::State& state) {
    const std::string bytes = WriteConfig(MaximalModel());
    const std::string path = TargetPath();
    for (auto _ : state) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        benchmark::DoNotOptimize(::write(fd, bytes.data(), bytes.size()));
        ::fsync(fd);
        ::close(fd);
    }
}

void writer_ours(benchmark::State& state) {
    const ConfigModel model = MaximalModel();
    const std::string path = TargetPath();
    SaveError error;
    for (auto _ : state) {
        if (!WriteFileAtomically(path, WriteConfig(model), error))
            state.SkipWithError(error.reason.c_str());
    }
}

BENCHMARK(reader_floor)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(reader_visit)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(reader_ours)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(writer_floor)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(writer_ours)->Repetitions(7)->ReportAggregatesOnly(true);

} // namespace
} // namespace velto::bench
