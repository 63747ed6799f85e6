// The memory budget of a run's pictures, shared by its workers, threads or processes: a worker
// reserves a picture's memory before decoding it and waits while that would exceed the budget.
// The state lives in shared memory that worker processes map through Fd(), with a process-
// shared mutex and condition variable, and a slot per worker, so that the run can free what a
// worker that died held.
#pragma once

#include <cstdint>

namespace VelBatch {

struct TBudgetState;

class TMemoryBudget {
public:
    static constexpr unsigned MaxSlots = 256;

    // A new budget of the bytes, nothing reserved.
    explicit TMemoryBudget(std::uint64_t bytes);
    // The budget another process made, mapped from its file descriptor (which it keeps).
    static TMemoryBudget Attach(int fd);

    TMemoryBudget(TMemoryBudget&& other) noexcept;
    TMemoryBudget& operator=(TMemoryBudget&&) = delete;
    ~TMemoryBudget();

    // The shared memory's file descriptor, closed on exec: a worker process gets a copy.
    int Fd() const { return FFd; }
    std::uint64_t Bytes() const;

    // Holds the bytes for the slot (below MaxSlots, holding nothing), first waiting until they
    // fit beside what the other slots hold. The bytes must not exceed Bytes().
    void Reserve(unsigned slot, std::uint64_t bytes);
    // Frees what the slot holds, if anything, and stops its waiting.
    void Release(unsigned slot);
    // Whether the slot's worker waits for memory that the other slots hold, so that it could
    // not go on if it ran. False for a worker that waits although its memory is free (it
    // does not run: stopped), and when the budget's lock is not had within a moment (a
    // worker stopped while it held the lock): such a worker is not waiting for memory.
    bool Blocked(unsigned slot);

private:
    TMemoryBudget(int fd, TBudgetState* state) : FFd(fd), FState(state) {}

    int FFd;
    TBudgetState* FState;
};

} // namespace VelBatch
