#pragma once

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace velto::bench {

// A command run to its end, and what it reported (see ChildReport.h).
struct ChildRun {
    double started = 0;     // on the monotonic clock, just before the process was made
    double ended = 0;       // once it had ended
    bool succeeded = false; // it ran, exited with 0 and every reported line could be read
    std::map<std::string, double> figures;

    // The figure reported under name, or 0 when the child did not report it.
    double figure(const std::string& name) const {
        const auto found = figures.find(name);
        return found == figures.end() ? 0 : found->second;
    }
};

ChildRun RunChild(const std::vector<std::string>& command);

template <typename T> T Median(std::vector<T> values) {
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

} // namespace velto::bench
