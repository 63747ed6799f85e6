// A worker process seen from the run: it scans the files sent to it one at a time. When it
// crashes, or a page takes longer than the time limit, that page (or the file, before its
// first page is done) gets an error naming the signal or the limit, the pages done before
// are kept, and a new process goes on with the file's later pages or the next file.
#pragma once

#include "Inputs.h"
#include "MemoryBudget.h"
#include "PageSelection.h"
#include "ScanResult.h"

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace VelScan {

// What every worker process of a run is started with.
struct TWorkerLaunch {
    std::string Program;                // velscan's own file
    std::vector<std::string> Arguments; // the run's arguments as given
    std::shared_ptr<TMemoryBudget> Budget;
    std::chrono::milliseconds Timeout; // per page; 0: no limit
    TPageSelection Pages;              // the pages each file's results hold
};

// The file of the running program, named once at the start of a run so that a tool that runs
// velscan (such as valgrind) runs its worker processes too. Throws std::system_error.
std::string ThisProgram();

class TWorkerProcess {
public:
    // Starts the process (velscan itself, in worker mode) for the budget's slot. Throws
    // std::system_error when it cannot be started.
    TWorkerProcess(std::shared_ptr<const TWorkerLaunch> launch, unsigned slot);
    // Tells the process the run is over and waits for it to end.
    ~TWorkerProcess();
    TWorkerProcess(const TWorkerProcess&) = delete;
    TWorkerProcess& operator=(const TWorkerProcess&) = delete;

    // The file's results from the process; every failure becomes the file's error. Used by
    // one thread at a time.
    TFileResult Scan(const TInput& input) noexcept;

private:
    void Start();
    // The file's results; throws std::runtime_error with the reason when a process failed
    // the file before its first page was done.
    TFileResult Exchange(const TInput& input);
    // Sends the input and adds the pages' results as they come; the reason when the process
    // failed before the file was done.
    std::optional<std::string> Receive(const TInput& input, TFileResult& results);
    // Whether the reply came within the time limit (time spent waiting for memory aside).
    bool AwaitReply();
    // Ends the process (killing it if need be), frees its slot, and tells how it ended.
    std::string Stop();

    std::shared_ptr<const TWorkerLaunch> FLaunch;
    const unsigned FSlot;
    pid_t FPid = -1;
    int FSocket = -1;
};

} // namespace VelScan
