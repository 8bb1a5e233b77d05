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

namespace fs = std::filesystem;

class RecoveryFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder =
            fs::temp_directory_path() / ("velto-recovery-" + std::to_string(::getpid()) + '-' +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
    }
    void TearDown() override {
        for (const pid_t child : children) {
            ::kill(child, SIGKILL);
            ::waitpid(child, nullptr, 0);
        }
        fs::remove_all(folder);
    }
    // A child process that runs until it is killed, or one that has ended but that no one has reaped.
    pid_t child(bool ended) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            if (!ended)
                ::pause();
            ::_exit(0);
        }
        children.push_back(pid);
        siginfo_t info{};
        if (ended)
            ::waitid(P_PID, id_t(pid), &info, WEXITED | WNOWAIT); // waits, and leaves it unreaped
        return pid;
    }
    // The processes whose recovery files a start in this folder offers.
    std::vector<std::string> offered() {
        std::vector<std::string> names;
        for (const Leftover& leftover : FindLeftovers(RecoveryFile(folder, CurrentProcessId(), 1)))
            names.push_back(leftover.file.filename().string());
        return names;
    }
    void leave(long pid, long long start) {
        std::string error;
        ASSERT_TRUE(RecoveryFile(folder, pid, start).write(ConfigModel{}, "", error)) << error;
    }

    fs::path folder;
    std::vector<pid_t> children;
};

// A process counts as the owner only while it runs and is the one that began at the start time in the
// name: a number taken over by another process, or a process ended and not yet reaped, leaves the files
// to be offered.
TEST_F(RecoveryFolderTest, OfferedUnlessTheirOwnProcessStillRuns) {
    struct Case {
        const char* what;
        bool ended;
        long long startShift; // from the process's real start
        bool offered;
    };
    for (const Case& c : {Case{"running", false, 0, false}, Case{"number reused", false, -60'000, true},
                          Case{"ended, unreaped", true, 0, true}}) {
        SCOPED_TRACE(c.what);
        fs::remove_all(folder);
        const pid_t pid = child(c.ended);
        const long long start = ProcessStartTime(pid);
        ASSERT_GT(start, 0);
        leave(pid, start + c.startShift);
        const std::string name = std::to_string(pid) + '-' + std::to_string(start + c.startShift) + ".1.xml";
        EXPECT_EQ(offered(), c.offered ? std::vector<std::string>{name} : std::vector<std::string>{});
    }
}

// This process's own start, as the name carries it, is within moments of now.
TEST_F(RecoveryFolderTest, OwnFileIsNamedAfterThisProcessStart) {
    const long long start = ProcessStartTime(CurrentProcessId());
    EXPECT_TRUE(ProcessRunning(CurrentProcessId(), start));
    EXPECT_EQ(OwnRecoveryFile().name(), std::to_string(CurrentProcessId()) + '-' + std::to_string(start));
}

} // namespace
} // namespace velto
#endif
