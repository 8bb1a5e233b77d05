// A save that keeps the version it replaces against the same save without it, each saving a
// configuration that differs from the one before, as a user's saves do.
#include "BenchFiles.h"
#include "ConfWriter.h"
#include "VersionedSave.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <unistd.h>

namespace velto::bench {
namespace {

namespace fs = std::filesystem;

// The maximal configuration, one load renamed at each save.
class ChangingSaves {
public:
    ChangingSaves()
        : folder_(fs::temp_directory_path() / ("velto-bench-versions-" + std::to_string(::getpid()))) {
        fs::create_directories(folder_);
    }
    ~ChangingSaves() { fs::remove_all(folder_); }
    const ConfigModel& next() {
        model_.LoadTable[1] = "Load " + std::to_string(++saves_);
        return model_;
    }
    std::string path() const { return (folder_ / "conf.xml").string(); }
    fs::path root() const { return folder_ / "versions"; }

private:
    fs::path folder_;
    ConfigModel model_ = MaximalModel();
    long saves_ = 0;
};

void versions_floor(benchmark::State& state) {
    ChangingSaves saves;
    SaveError error;
    for (auto _ : state) {
        if (!WriteFileAtomically(saves.path(), WriteConfig(saves.next()), error))
            state.SkipWithError(error.reason.c_str());
    }
}

void versions_ours(benchmark::State& state) {
    ChangingSaves saves;
    VersionStore store(saves.root());
    SaveError error;
    std::string notKept;
    for (auto _ : state) {
        const ConfigModel& model = saves.next();
        if (!SaveKeepingVersion(store, saves.path(), WriteConfig(model), model, error, notKept) ||
            !notKept.empty())
            state.SkipWithError((error.reason + notKept).c_str());
    }
}

BENCHMARK(versions_floor)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(versions_ours)->Repetitions(7)->ReportAggregatesOnly(true);

} // namespace
} // namespace velto::bench
