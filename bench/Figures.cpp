#include "Figures.h"

#include <cstdio>

namespace velto::bench {

bool PrintRatio(const char* figure, double ours, double floor, double goal, const char* unit) {
    const double ratio = ours / floor;
    const bool met = ratio <= goal;
    std::printf("%-26s %10.3f %s vs floor %10.3f %s   %5.2fx  (goal <= %.1fx) %s\n", figure, ours, unit,
                floor, unit, ratio, goal, met ? "ok" : "MISSED");
    return met;
}

void PrintReference(const char* figure, double measured, double floor, const char* unit) {
    std::printf("%-26s %10.3f %s vs floor %10.3f %s   %5.2fx  (for reference)\n", figure, measured, unit,
                floor, unit, measured / floor);
}

} // namespace velto::bench
