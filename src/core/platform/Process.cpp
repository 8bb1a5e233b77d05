#include "Process.h"

#include <algorithm>
#include <csignal>

namespace velto {

std::vector<std::string> ProgramArguments(int argc, char* argv[]) {
    return std::vector<std::string>(argv + std::min(argc, 1), argv + argc);
}

void PrepareStandardStreams() {
    std::signal(SIGPIPE, SIG_IGN);
}

std::tm LocalTime(std::time_t moment) {
    std::tm local{};
    ::localtime_r(&moment, &local);
    return local;
}

} // namespace velto
