// Start-up to the first frame and teardown from the close request to the process's end: the window
// against a bare main window, and for reference against a bare QWidget. The three run in turn, each
// run beginning with the next of them, so that a slow spell of the machine weighs on all alike; each
// figure is the median of its runs.
#include "ChildProcess.h"
#include "Figures.h"

#include <cstdio>

namespace velto::bench {
namespace {

constexpr int kRuns = 21;

struct Samples {
    std::vector<double> firstFrameMs, peakMegabytes, teardownMs;

    void add(const ChildRun& run) {
        firstFrameMs.push_back((run.figure("first-frame") - run.started) * 1e3);
        peakMegabytes.push_back(run.figure("first-frame-peak-kb") / 1024.0);
        teardownMs.push_back((run.ended - run.figure("close-request")) * 1e3);
    }
};

bool Reported(const ChildRun& run) {
    return run.succeeded && run.figures.contains("first-frame") &&
           run.figures.contains("first-frame-peak-kb") && run.figures.contains("close-request");
}

} // namespace

bool PrintStartupFigures(const char* probe) {
    const std::vector<std::vector<std::string>> commands = {
        {probe}, {probe, "--main-window"}, {probe, "--bare"}};
    RunChild(commands[0]); // a first run warms the caches for all three
    std::vector<Samples> samples(commands.size());
    for (int run = 0; run < kRuns; ++run) {
        for (std::size_t i = 0; i < commands.size(); ++i) {
            const std::size_t which = (std::size_t(run) + i) % commands.size();
            const ChildRun child = RunChild(commands[which]);
            if (!Reported(child)) {
                std::printf("start-up: %s %s did not report its first frame and close\n", probe,
                            commands[which].size() > 1 ? commands[which][1].c_str() : "");
                return false;
            }
            samples[which].add(child);
        }
    }
    const Samples& window = samples[0];
    const Samples& mainWindow = samples[1];
    const Samples& bare = samples[2];
    PrintReference("first frame vs QWidget", Median(window.firstFrameMs), Median(bare.firstFrameMs), "ms");
    PrintReference("  (peak memory)", Median(window.peakMegabytes), Median(bare.peakMegabytes), "MB");
    bool met = PrintRatio("first frame (time)", Median(window.firstFrameMs), Median(mainWindow.firstFrameMs),
                          1.3, "ms");
    met &= PrintRatio("first frame (memory)", Median(window.peakMegabytes), Median(mainWindow.peakMegabytes),
                      1.3, "MB");
    met &= PrintRatio("teardown (time)", Median(window.teardownMs), Median(mainWindow.teardownMs), 1.5, "ms");
    return met;
}

} // namespace velto::bench
