#include "ChildProcess.h"

#include "ChildReport.h"

#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace velto::bench {
namespace {

bool ReadFigures(const std::string& output, std::map<std::string, double>& figures) {
    std::istringstream lines(output);
    std::string name;
    double value = 0;
    while (lines >> name) {
        if (!(lines >> value))
            return false;
        figures[name] = value;
    }
    return true;
}

} // namespace

ChildRun RunChild(const std::vector<std::string>& command) {
    std::vector<char*> argv;
    for (const std::string& argument : command)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    int output[2];
    if (::pipe(output) != 0)
        return {};

    ChildRun run;
    run.started = MonotonicSeconds();
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(output[1], STDOUT_FILENO);
        ::close(output[0]);
        ::close(output[1]);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(output[1]);
    std::string reported;
    char buffer[512];
    for (long count; (count = ::read(output[0], buffer, sizeof buffer)) > 0;)
        reported.append(buffer, std::size_t(count));
    ::close(output[0]);
    int status = 0;
    const bool waited = child > 0 && ::waitpid(child, &status, 0) == child;
    run.ended = MonotonicSeconds();
    run.succeeded =
        waited && WIFEXITED(status) && WEXITSTATUS(status) == 0 && ReadFigures(reported, run.figures);
    return run;
}

} // namespace velto::bench
