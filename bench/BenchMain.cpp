// Runs every benchmark and prints each figure as a ratio to its floor measured in the same run.
#include "ChildProcess.h"
#include "ChildReport.h"
#include "Figures.h"
#include "HostileFile.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

using namespace velto::bench;

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

// The window against the tables alone on a file of very long names, each the median of three runs.
bool PrintLongNamesFigures(const std::string& self) {
    QTemporaryDir folder;
    const std::string file = QDir(folder.path()).filePath(QStringLiteral("long-names.xml")).toStdString();
    WriteLongNamesFile(file);
    std::map<std::string, std::vector<double>> seconds, kilobytes;
    for (int run = 0; run < 3; ++run) {
        for (const std::string form : {"--read-long-names", "--open-long-names"}) {
            const ChildRun child = RunChild({self, form, file});
            if (!child.succeeded) {
                std::printf("long names: %s failed\n", form.c_str());
                return false;
            }
            seconds[form].push_back(child.figure("seconds"));
            kilobytes[form].push_back(child.figure("peak-kb"));
        }
    }
    const auto median = [](std::map<std::string, std::vector<double>>& runs, const char* form) {
        return Median(runs[form]);
    };
    const bool fast = PrintRatio("long names, window (time)", median(seconds, "--open-long-names") * 1e3,
                                 median(seconds, "--read-long-names") * 1e3, 3.0, "ms");
    const bool small =
        PrintRatio("long names, window (memory)", median(kilobytes, "--open-long-names") / 1024.0,
                   median(kilobytes, "--read-long-names") / 1024.0, 3.0, "MB");
    return fast && small;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir settingsHome, stateHome;
    qputenv("XDG_CONFIG_HOME", settingsHome.path().toLocal8Bit());
    qputenv("XDG_STATE_HOME", stateHome.path().toLocal8Bit());
    if (argc > 1 &&
        std::string(argv[1]) == "--read-hostile") { // the weighed child of the hostile-size figure
        const bool read = ReadHostileFile() > 0;
        ReportFigure("peak-kb", double(PeakResidentKilobytes()));
        return read ? 0 : 1;
    }
    if (argc > 1 && std::string(argv[1]) == "--import-one-line-csv") { // and of the CSV one
        const bool imported = ImportOneLineCsv();
        ReportFigure("peak-kb", double(PeakResidentKilobytes()));
        return imported ? 0 : 1;
    }
    if (argc > 2 && std::string(argv[1]) == "--read-long-names")
        return ReadLongNames(argv[2]) ? 0 : 1;
    if (argc > 2 && std::string(argv[1]) == "--open-long-names") {
        QApplication application(argc, argv);
        return OpenLongNamesInWindow(argv[2]) ? 0 : 1;
    }

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

    std::printf("\n%-26s %s\n", "figure", "ours vs floor (ratio, goal)");
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
    pair("writer vs one flush", "writer", 0, "ours", "flush");
    // The writer's goal is set against the least that a save surviving a power cut does.
    pair("writer vs durable replace", "writer", 1.2);
    pair("save keeping a version", "versions", 1.3);
    pair("refresh", "refresh", 1.5);
    pair("committed change", "commit", 1.5);
    // The commands on many records against a refresh of the same tables.
    pair("select all, delete", "refresh", 1.5, "deleteall", "ours");
    pair("paste 1,000 rows", "refresh", 1.5, "paste", "ours");
    pair("paste a whole table", "refresh", 1.5, "pastetable", "ours");
    pair("duplicate a selection", "refresh", 1.5, "duplicate", "ours");
    pair("hostile size (time)", "hostile", 2.0);
    pair("diff vs reading both", "diff", 2.0);
    // Twice the report's length in twice the time (a square would be four times).
    pair("report, double length", "report", 2.5, "double", "single");

    const std::string probe =
        QDir(QCoreApplication::applicationDirPath()).filePath("startup_probe").toStdString();
    allMet &= PrintStartupFigures(probe.c_str());

    const double fileMegabytes =
        double(QFileInfo(QString::fromStdString(HostileFilePath())).size()) / (1024.0 * 1024.0);
    const std::string self =
        QFileInfo(QCoreApplication::applicationFilePath()).absoluteFilePath().toStdString();
    const ChildRun reading = RunChild({self, "--read-hostile"});
    if (!reading.succeeded) {
        std::printf("hostile size (memory): reading the file failed\n");
        return 1;
    }
    allMet &=
        PrintRatio("hostile size (memory)", reading.figure("peak-kb") / 1024.0, fileMegabytes, 4.0, "MB");
    // The file is held by the importer's caller: a few times its size is the bound.
    const ChildRun importing = RunChild({self, "--import-one-line-csv"});
    if (!importing.succeeded) {
        std::printf("CSV one line (memory): importing the file failed\n");
        return 1;
    }
    allMet &= PrintRatio("CSV one line (memory)", importing.figure("peak-kb") / 1024.0,
                         double(OneLineCsvSize()) / (1024.0 * 1024.0), 4.0, "MB");
    allMet &= PrintLongNamesFigures(self);
    return allMet ? 0 : 1;
}
