#include "Workers.h"

#include "PictureMemory.h"
#include "RunLimits.h"
#include "WorkerProcess.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <thread>

namespace VelScan {

namespace {

// The number of inputs when the paths given tell it: each path that is no folder (nor "-",
// the paths on standard input) is one input, and so is a picture on standard input.
std::optional<unsigned> KnownInputCount(const TOptions& options) {
    unsigned count = options.StdinPicture ? 1 : 0;
    for (const std::string& path : options.Paths) {
        std::error_code error;
        if (path == "-" || std::filesystem::is_directory(path, error))
            return std::nullopt;
        ++count;
    }
    return count;
}

// One worker per job, but no more than there are inputs: each worker scans a whole file, so
// a run of one picture needs one.
unsigned WorkerCount(const TOptions& options) {
    const unsigned jobs = JobCount(options);
    const auto inputs = KnownInputCount(options);
    return inputs ? std::clamp(*inputs, 1u, jobs) : jobs;
}

} // namespace

unsigned JobCount(const TOptions& options) {
    if (options.Jobs > 0)
        return options.Jobs;
    return std::clamp(std::thread::hardware_concurrency(), 1u, TMemoryBudget::MaxSlots);
}

std::vector<TWorker> MakeWorkers(const TOptions& options) {
    const auto budget =
        std::make_shared<TMemoryBudget>(options.MemoryBudget.value_or(DefaultMemoryBudget()));
    const unsigned count = WorkerCount(options);
    std::vector<TWorker> workers;
    if (!options.Isolation) {
        for (unsigned slot = 0; slot < count; ++slot) {
            auto scanner = std::make_shared<TPictureScanner>(options);
            workers.emplace_back([scanner, budget, slot](const TInput& input) {
                return scanner->Scan(input, *budget, slot);
            });
        }
        return workers;
    }
    // The worker processes parse the same arguments; checking them here stops a run with a
    // setting ZBar refuses as the in-process run does.
    TPictureScanner{options};
    const auto launch = std::make_shared<const TWorkerLaunch>(
        TWorkerLaunch{TProgramFile(), options.Arguments, budget, options.Timeout, options.Pages});
    for (unsigned slot = 0; slot < count; ++slot) {
        auto process = std::make_shared<TWorkerProcess>(launch, slot);
        workers.emplace_back([process](const TInput& input) { return process->Scan(input); });
    }
    return workers;
}

} // namespace VelScan
