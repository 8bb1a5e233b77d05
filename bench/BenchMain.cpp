// Runs every benchmark and prints each figure as a ratio to its floor measured in the same run.
#include "HostileFile.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct Goal {
    const char* figure;
    double limit;
};

// Keeps the median time per iteration of each benchmark's repetitions.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (!run.error_occurred && run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                const std::string& name = run.run_name.function_name;
                seconds[name.substr(0, name.find('/'))] =
                    run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> seconds;
};

struct ProcessCost {
    double seconds;
    long peakKilobytes;
};

// Runs a command to its end: its wall time and its peak resident memory.
ProcessCost RunProcess(const std::vector<std::string>& command) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        std::vector<char*> argv;
        for (const std::string& argument : command)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    return {elapsed.count(), usage.ru_maxrss};
}

template <typename T> T Median(std::vector<T> values) {
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

// The median costs of two commands run in turn, so that a slow spell of the machine weighs on both.
std::pair<ProcessCost, ProcessCost> MedianCosts(const std::vector<std::string>& first,
                                                const std::vector<std::string>& second, int runs) {
    std::array<std::vector<double>, 2> times;
    std::array<std::vector<long>, 2> peaks;
    for (int i = 0; i < runs; ++i) {
        for (int which = 0; which < 2; ++which) {
            const ProcessCost cost = RunProcess(which == 0 ? first : second);
            times[which].push_back(cost.seconds);
            peaks[which].push_back(cost.peakKilobytes);
        }
    }
    return {{Median(times[0]), Median(peaks[0])}, {Median(times[1]), Median(peaks[1])}};
}

bool PrintRatio(const char* figure, double ours, double floor, double goal, const char* unit) {
    const double ratio = ours / floor;
    const bool met = ratio <= goal;
    std::printf("%-22s %10.3f %s vs floor %10.3f %s   %5.2fx  (goal <= %.1fx) %s\n", figure, ours, unit,
                floor, unit, ratio, goal, met ? "ok" : "MISSED");
    return met;
}

// A figure with no goal, shown to explain another.
void PrintReference(const char* figure, double measured, double floor, const char* unit) {
    std::printf("%-22s %10.3f %s vs floor %10.3f %s   %5.2fx  (for reference)\n", figure, measured, unit,
                floor, unit, measured / floor);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir settingsHome, stateHome;
    qputenv("XDG_CONFIG_HOME", settingsHome.path().toLocal8Bit());
    qputenv("XDG_STATE_HOME", stateHome.path().toLocal8Bit());
    const bool childReader = argc > 1 && std::string(argv[1]) == "--read-hostile";
    if (childReader) // the weighed child of the hostile-size figure
        return velto::bench::ReadHostileFile() > 0 ? 0 : 1;
    if (argc > 1 && std::string(argv[1]) == "--import-one-line-csv") // and of the CSV one
        return velto::bench::ImportOneLineCsv() ? 0 : 1;

    QApplication application(argc, argv);
    // Repetitions of all benchmarks run shuffled, so that a slow spell of the machine weighs on a
    // figure and its floor alike.
    std::vector<char*> arguments(argv, argv + argc);
    std::string interleave = "--benchmark_enable_random_interleaving=true";
    arguments.insert(arguments.begin() + 1, interleave.data());
    int count = int(arguments.size());
    benchmark::Initialize(&count, arguments.data());
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::printf("\n%-22s %s\n", "figure", "ours vs floor (ratio, goal)");
    bool allMet = true;
    const auto pair = [&](const char* figure, const char* name, double goal, const char* measured = "ours",
                          const char* against = "floor") {
        const auto ours = reporter.seconds.find(std::string(name) + '_' + measured);
        const auto floor = reporter.seconds.find(std::string(name) + '_' + against);
        if (ours == reporter.seconds.end() || floor == reporter.seconds.end())
            return;
        if (goal > 0)
            allMet &= PrintRatio(figure, ours->second * 1e6, floor->second * 1e6, goal, "us");
        else
            PrintReference(figure, ours->second * 1e6, floor->second * 1e6, "us");
    };
    pair("reader, visits only", "reader", 0, "visit");
    pair("reader vs bare parse", "reader", 0);
    // The reader's goal is set against the least that any reader of the records does.
    pair("reader vs visits only", "reader", 1.5, "ours", "visit");
    pair("writer", "writer", 1.5);
    pair("refresh", "refresh", 1.5);
    pair("committed change", "commit", 1.5);
    pair("hostile size (time)", "hostile", 2.0);

    const std::string self =
        QFileInfo(QCoreApplication::applicationFilePath()).absoluteFilePath().toStdString();
    const std::string probe =
        QDir(QCoreApplication::applicationDirPath()).filePath("startup_probe").toStdString();
    RunProcess({probe}); // a first run warms the caches for all three
    const auto [bare, window] = MedianCosts({probe, "--bare"}, {probe}, 21);
    const auto [mainWindow, windowAgain] = MedianCosts({probe, "--main-window"}, {probe}, 21);
    PrintReference("start-up vs QWidget", window.seconds * 1e3, bare.seconds * 1e3, "ms");
    PrintReference("  (peak memory)", window.peakKilobytes / 1024.0, bare.peakKilobytes / 1024.0, "MB");
    allMet &= PrintRatio("start-up (time)", windowAgain.seconds * 1e3, mainWindow.seconds * 1e3, 1.3, "ms");
    allMet &= PrintRatio("start-up (peak memory)", windowAgain.peakKilobytes / 1024.0,
                         mainWindow.peakKilobytes / 1024.0, 1.3, "MB");

    const double fileMegabytes =
        double(QFileInfo(QString::fromStdString(velto::bench::HostileFilePath())).size()) / (1024.0 * 1024.0);
    const ProcessCost reading = RunProcess({self, "--read-hostile"});
    allMet &= PrintRatio("hostile size (memory)", reading.peakKilobytes / 1024.0, fileMegabytes, 4.0, "MB");
    // The file is held by the importer's caller: a few times its size is the bound.
    const ProcessCost importing = RunProcess({self, "--import-one-line-csv"});
    allMet &= PrintRatio("CSV one line (memory)", importing.peakKilobytes / 1024.0,
                         double(velto::bench::OneLineCsvSize()) / (1024.0 * 1024.0), 4.0, "MB");
    return allMet ? 0 : 1;
}
