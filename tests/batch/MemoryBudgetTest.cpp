// The memory budget the workers share: a reservation waits until it fits, and what a worker
// that died held is freed by releasing its slot.
#include "MemoryBudget.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using VelBatch::TMemoryBudget;
using namespace std::chrono_literals;

// Waits (at most 10 s) until the condition holds.
template <class TCondition> bool Eventually(TCondition condition) {
    for (int i = 0; i < 1000 && !condition(); ++i)
        std::this_thread::sleep_for(10ms);
    return condition();
}

TEST(BatchMemoryBudget, AReservationWaitsUntilItFits) {
    TMemoryBudget budget(100);
    EXPECT_EQ(budget.Bytes(), 100u);
    budget.Reserve(0, 60);
    std::atomic<bool> reserved = false;
    std::thread second([&] {
        budget.Reserve(1, 60);
        reserved = true;
    });
    ASSERT_TRUE(Eventually([&] { return budget.Blocked(1); }));
    EXPECT_FALSE(reserved);
    EXPECT_FALSE(budget.Blocked(0));
    budget.Release(0);
    second.join();
    EXPECT_TRUE(reserved);
    EXPECT_FALSE(budget.Blocked(1));
    // What fits beside the others' share does not wait.
    budget.Reserve(2, 40);
    budget.Release(1);
    budget.Release(2);
}

// A worker process that dies holding memory: the run releases its slot, and the waiting
// worker goes on.
TEST(BatchMemoryBudget, TheSlotOfADeadWorkerIsReleased) {
    TMemoryBudget budget(100);
    int reserved90[2];
    ASSERT_EQ(pipe(reserved90), 0);
    const pid_t worker = fork();
    ASSERT_GE(worker, 0);
    if (worker == 0) {
        TMemoryBudget attached = TMemoryBudget::Attach(budget.Fd());
        attached.Reserve(5, 90);
        (void)!write(reserved90[1], "r", 1);
        pause(); // killed here, holding its 90 bytes
        _exit(0);
    }
    char told = 0;
    ASSERT_EQ(read(reserved90[0], &told, 1), 1);
    close(reserved90[0]);
    close(reserved90[1]);
    std::atomic<bool> reserved = false;
    std::thread waiting([&] {
        budget.Reserve(6, 50);
        reserved = true;
    });
    ASSERT_TRUE(Eventually([&] { return budget.Blocked(6); }));
    kill(worker, SIGKILL);
    waitpid(worker, nullptr, 0);
    std::this_thread::sleep_for(100ms);
    EXPECT_FALSE(reserved) << "the dead worker's memory is held until its slot is released";
    budget.Release(5);
    waiting.join();
    EXPECT_TRUE(reserved);
    budget.Release(6);
}

} // namespace
