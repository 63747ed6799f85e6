#include "Workers.h"

#include "PictureMemory.h"
#include "RunLimits.h"
#include "WorkerProcess.h"

#include <algorithm>
#include <memory>
#include <thread>

namespace VelScan {

unsigned JobCount(const TOptions& options) {
    if (options.Jobs > 0)
        return options.Jobs;
    return std::clamp(std::thread::hardware_concurrency(), 1u, TMemoryBudget::MaxSlots);
}

std::vector<TWorker> MakeWorkers(const TOptions& options) {
    const auto budget =
        std::make_shared<TMemoryBudget>(options.MemoryBudget.value_or(DefaultMemoryBudget()));
    std::vector<TWorker> workers;
    if (!options.Isolation) {
        for (unsigned slot = 0; slot < JobCount(options); ++slot) {
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
    for (unsigned slot = 0; slot < JobCount(options); ++slot) {
        auto process = std::make_shared<TWorkerProcess>(launch, slot);
        workers.emplace_back([process](const TInput& input) { return process->Scan(input); });
    }
    return workers;
}

} // namespace VelScan
