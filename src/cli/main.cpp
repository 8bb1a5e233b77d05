#include "Process.h"
#include "VeltoConf.h"

#include <iostream>

int main(int argc, char* argv[]) {
    velto::PrepareStandardStreams(); // a closed pipe is a failed write, reported and exit status 2
    std::ios::sync_with_stdio(false);
    return velto::RunVeltoConf(velto::ProgramArguments(argc, argv), std::cout, std::cerr);
}
