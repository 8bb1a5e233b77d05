#pragma once

#include <string>

namespace velto::bench {

// What a weighed child process tells the benchmark that started it, one "name value" line each on its
// standard output.

// Seconds on the machine's monotonic clock: one clock for every process, so that a child's instants
// and its parent's can be subtracted.
double MonotonicSeconds();
// The most this process has held in memory so far, in kilobytes. Counted since the program was
// started, so that the memory of the process that started it is not included.
long PeakResidentKilobytes();
void ReportFigure(const std::string& name, double value);

} // namespace velto::bench
