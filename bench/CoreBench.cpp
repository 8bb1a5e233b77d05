// The reader and the writer against their floors: a bare pugixml parse with the same selections, and
// the same bytes put durably in place of the target.
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

// What a save that survives a power cut cannot do without: a temporary file beside the target, written
// and flushed, renamed over the target, and the folder flushed so that the rename is on the disk too.
void writer_floor(benchmark::State& state) {
    const std::string bytes = WriteConfig(MaximalModel());
    const std::filesystem::path path = TargetPath();
    const std::string temporary = path.string() + ".new";
    for (auto _ : state) {
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        benchmark::DoNotOptimize(::write(fd, bytes.data(), bytes.size()));
        ::fsync(fd);
        ::close(fd);
        ::rename(temporary.c_str(), path.c_str());
        const int folder = ::open(path.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ::fsync(folder);
        ::close(folder);
    }
}

// One write call over the target and its flush: the former floor, shown for reference. A power cut
// between the truncation and the flush loses the file.
void writer_flush(benchmark::State& state) {
    const std::string bytes = WriteConfig(MaximalModel());
    const std::string path = TargetPath();
    for (auto _ : state) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
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
BENCHMARK(writer_flush)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(writer_ours)->Repetitions(7)->ReportAggregatesOnly(true);

} // namespace
} // namespace velto::bench
