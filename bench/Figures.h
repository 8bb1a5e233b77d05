#pragma once

namespace velto::bench {

// One line of the summary: a figure against its floor, the ratio and the goal; true when the goal is met.
bool PrintRatio(const char* figure, double ours, double floor, double goal, const char* unit);
// A figure with no goal, shown to explain another.
void PrintReference(const char* figure, double measured, double floor, const char* unit);

// The start-up figures, from runs of the probe at the given path alternating with runs of its floors;
// true when every goal is met.
bool PrintStartupFigures(const char* probe);

} // namespace velto::bench
