// What a later start finds of the recovery files: whose they are, and which process still owns them.
#include "RecoveryFile.h"

#include "CoreTestSupport.h"
#include "Process.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace velto {
namespace {

// A process counts as the owner only while it runs and is the one that began at the start time in the
// name: a number taken over by another process, or a process ended and not yet reaped, leaves the files
// to be offered.
TEST(RecoveryFile, OfferedUnlessTheirOwnProcessStillRuns) {
    const struct {
        const char* what;
        bool ended;
        long long startShift; // from the process's real start
        bool offered;
    } cases[] = {{"running", false, 0, false},
                 {"number reused", false, -60'000, true},
                 {"ended, unreaped", true, 0, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const test::TempFolder folder;
        const pid_t child = ::fork(); // runs until it is killed, or ends and is left unreaped
        if (child == 0) {
            if (!c.ended)
                ::pause();
            ::_exit(0);
        }
        siginfo_t info{};
        if (c.ended)
            ::waitid(P_PID, id_t(child), &info, WEXITED | WNOWAIT);
        const long long start = ProcessStartTime(child);
        EXPECT_GT(start, 0);
        std::string error;
        EXPECT_TRUE(RecoveryFile(folder.path, child, start + c.startShift).write(ConfigModel{}, "", error))
            << error;
        test::Lines offered;
        for (const Leftover& leftover : FindLeftovers(RecoveryFile(folder.path, CurrentProcessId(), 1)))
            offered.push_back(leftover.file.filename().string());
        const std::string name =
            std::to_string(child) + '-' + std::to_string(start + c.startShift) + ".1.xml";
        EXPECT_EQ(offered, c.offered ? test::Lines{name} : test::Lines{});
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
    }
}

// This process's own start, as the name carries it, is within moments of now.
TEST(RecoveryFile, OwnFileIsNamedAfterThisProcessStart) {
    const long long start = ProcessStartTime(CurrentProcessId());
    EXPECT_TRUE(ProcessRunning(CurrentProcessId(), start));
    EXPECT_EQ(OwnRecoveryFile().name(), std::to_string(CurrentProcessId()) + '-' + std::to_string(start));
}

} // namespace
} // namespace velto
#endif
