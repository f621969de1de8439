// Tests of platform/ProcessId.h.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/ProcessId.h"

using namespace vemo;

TEST(ProcessId, TellsRunningEndedAndUnseenProcesses) {
    const ProcessId self = ThisProcess();
    EXPECT_EQ(self.pid, static_cast<long>(::getpid()));
    EXPECT_FALSE(self.host.empty());
    EXPECT_EQ(LocalProcess(self.pid), self);

    // A child is another process; once it has ended (and while it is a zombie) it is gone.
    int answerPipe[2], holdPipe[2];
    ASSERT_EQ(::pipe(answerPipe), 0);
    ASSERT_EQ(::pipe(holdPipe), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        const bool sameAsParent = ThisProcess() == self;
        char answer = sameAsParent ? 'S' : 'D';
        (void)!::write(answerPipe[1], &answer, 1);
        ::close(holdPipe[1]);
        char c;
        while (::read(holdPipe[0], &c, 1) < 0) {
        }
        ::_exit(0);
    }
    char answer = 0;
    ::close(answerPipe[1]);
    ::close(holdPipe[0]);
    ASSERT_EQ(::read(answerPipe[0], &answer, 1), 1);
    ::close(answerPipe[0]);
    EXPECT_EQ(answer, 'D') << "a forked child names itself";
    const std::optional<ProcessId> childId = LocalProcess(child);
    ASSERT_TRUE(childId.has_value());
    EXPECT_EQ(CheckProcess(*childId), Liveness::running);
    ProcessId reused = *childId;  // the same pid, started at another time
    reused.start += 1;
    ProcessId otherMachine = *childId;
    otherMachine.host += "-別";
    ProcessId otherSystem = *childId;
    otherSystem.system += "-別";
    ::close(holdPipe[1]);  // lets the child end
    // Waits for the child's end without reaping it: a zombie is gone.
    siginfo_t info{};
    ASSERT_EQ(::waitid(P_PID, static_cast<id_t>(child), &info, WEXITED | WNOWAIT), 0);
    EXPECT_EQ(CheckProcess(*childId), Liveness::gone);
    ASSERT_EQ(::waitpid(child, nullptr, 0), child);

    const struct {
        const ProcessId* id;
        Liveness expected;
    } cases[] = {
        {&self, Liveness::running},
        {&*childId, Liveness::gone},
        {&reused, Liveness::gone},
        {&otherMachine, Liveness::unknown},
        {&otherSystem, Liveness::unknown},
    };
    for (const auto& c : cases) EXPECT_EQ(CheckProcess(*c.id), c.expected) << c.id->host << " " << c.id->pid;
    EXPECT_NE(SystemTag(self), SystemTag(otherMachine));
    EXPECT_EQ(SystemTag(self).size(), 16u);
}
