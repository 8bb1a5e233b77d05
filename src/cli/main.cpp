#include "VeltoConf.h"

#include <csignal>
#include <iostream>

int main(int argc, char* argv[]) {
    std::signal(SIGPIPE, SIG_IGN); // a closed pipe is a failed write, reported and exit status 2
    std::ios::sync_with_stdio(false);
    return velto::RunVeltoConf(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
