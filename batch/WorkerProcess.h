// A worker process seen from the run: it scans the files sent to it one at a time. When it
// crashes, or a page takes longer than the time limit, that page (or the file, before its
// first page is done) gets an error naming the signal or the limit, the pages done before
// are kept, and a new process goes on with the file's later pages or the next file.
#pragma once

#include "MemoryBudget.h"
#include "vel/batch/Batch.h"
#include "vel/batch/Inputs.h"
#include "vel/batch/PageSelection.h"
#include "vel/batch/Result.h"

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace VelBatch {

// The running program's file, held open from the start of a run: worker processes started
// during the run (when they cannot be forked without exec) are started from it, not from its
// name, so that the program file replaced (an upgrade) or removed during a run costs nothing.
class TProgramFile {
public:
    // Opens /proc/self/exe; throws ERunError when it cannot.
    TProgramFile();
    ~TProgramFile();
    TProgramFile(TProgramFile&& other) noexcept;
    TProgramFile& operator=(TProgramFile&&) = delete;

    // A descriptor of the file (O_PATH, closed on exec), for fexecve.
    int Fd() const { return FFd; }

private:
    int FFd;
};

// What every worker process of a run is started with.
struct TWorkerLaunch {
    TProgramFile Program;    // the running program's own file
    std::string ProgramName; // the worker's argv[0]
    TScanSettings Settings;  // sent to each worker as it starts
    TBatchHooks Hooks;       // a worker forked without exec runs with these
    std::shared_ptr<TMemoryBudget> Budget;
    std::chrono::milliseconds Timeout; // per page; 0: no limit
};

class TWorkerProcess {
public:
    // Starts the process for the budget's slot: a fork of this one in worker mode while it
    // runs one thread, else the program itself started in worker mode. Throws ERunError when it
    // cannot be started.
    TWorkerProcess(std::shared_ptr<const TWorkerLaunch> launch, unsigned slot);
    // Tells the process the run is over: it ends at once, or when the run's process ends
    // (the parent-death signal), whichever comes first. The run does not wait for the
    // kernel to take the process down, since its results are all in by then.
    ~TWorkerProcess();
    TWorkerProcess(const TWorkerProcess&) = delete;
    TWorkerProcess& operator=(const TWorkerProcess&) = delete;

    // The file's results from the process; every failure of the process becomes the file's
    // error. Throws ERunError when a new process cannot be started: that is no result of
    // the file's. Used by one thread at a time.
    TFileResult Scan(const TInput& input);

private:
    // Throws ERunError.
    void Start();
    // The file's results; throws std::runtime_error with the reason when a process failed
    // the file before its first page was done.
    TFileResult Exchange(const TInput& input);
    // Sends the input and adds the pages' results as they come; the reason when the process
    // failed before the file was done.
    std::optional<std::string> Receive(const TInput& input, TFileResult& results);
    // Whether the reply came within the time limit. Time the worker spends waiting for memory
    // that other workers hold does not count; any other time does, whatever the worker's
    // state (a stopped worker waiting for memory that is free, or holding the budget's lock).
    bool AwaitReply();
    // Ends the process (killing it if need be), frees its slot, and tells how it ended.
    std::string Stop();

    std::shared_ptr<const TWorkerLaunch> FLaunch;
    const unsigned FSlot;
    pid_t FPid = -1;
    int FSocket = -1;
};

} // namespace VelBatch
