// The worker mode: a process the run starts (forked from the run with ZBar loaded, or the
// program started again, which loads it), which takes the scan settings, then scans the
// pictures the run sends it one at a time and sends each result back, until the run ends. A
// worker never outlives its run: the kernel kills it when the run's process ends, and a send
// to a run that is gone ends it.
#pragma once

#include "vel/batch/Batch.h"

#include <span>

namespace VelBatch {

// The first argument of a worker process; the slot follows.
inline constexpr char WorkerModeFlag[] = "--scan-worker";
// The worker's end of its socket to the run, and the memory budget's shared memory.
inline constexpr int WorkerChannelFd = 3;
inline constexpr int WorkerBudgetFd = 4;

// Runs the worker on the arguments after WorkerModeFlag; its exit status (0 at the run's
// end, 1 when it cannot start, with the reason on standard error after the program's name).
int RunWorker(const char* program, std::span<const char* const> args, const TBatchHooks& hooks);

} // namespace VelBatch
