#include "ChildReport.h"

#include <cstdio>
#include <fstream>
#include <time.h>

namespace velto::bench {

double MonotonicSeconds() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

long PeakResidentKilobytes() {
    // Not getrusage: its peak carries over the forked parent's, which the program replaced.
    std::ifstream status("/proc/self/status");
    std::string field;
    long kilobytes = 0;
    while (status >> field) {
        if (field == "VmHWM:" && status >> kilobytes)
            return kilobytes;
    }
    return 0;
}

void ReportFigure(const std::string& name, double value) {
    std::printf("%s %.9f\n", name.c_str(), value);
    std::fflush(stdout);
}

} // namespace velto::bench
