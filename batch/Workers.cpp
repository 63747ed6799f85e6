#include "Workers.h"

#include "MemoryBudget.h"
#include "PictureScanner.h"
#include "WorkerProcess.h"
#include "vel/batch/Limits.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string_view>
#include <thread>

namespace VelBatch {

namespace {

// Whether the file starts like a kind that holds many pages (PDF, TIFF, GIF), whose pages
// are spread over the workers.
bool MayHoldPages(const std::string& path) {
    char start[5] = {};
    std::ifstream file(path, std::ios::binary);
    if (!file.read(start, sizeof start))
        return false;
    const std::string_view kind(start, sizeof start);
    return kind == "%PDF-" || kind.starts_with(std::string_view("II*\0", 4)) ||
           kind.starts_with(std::string_view("MM\0*", 4)) || kind.starts_with("GIF8");
}

// The number of inputs when the paths given tell it: each path that is no folder (nor "-",
// the paths on standard input) is one input, and so is a picture on standard input. A file
// that may hold many pages may keep every worker busy.
std::optional<unsigned> KnownInputCount(const TBatchSettings& settings) {
    unsigned count = settings.StdinPicture ? 1 : 0;
    for (const std::string& path : settings.Paths) {
        std::error_code error;
        if (path == "-" || std::filesystem::is_directory(path, error) ||
            (std::filesystem::is_regular_file(path, error) && MayHoldPages(path)))
            return std::nullopt;
        ++count;
    }
    return count;
}

// One worker per job, but no more than there are inputs: a run of one picture needs one.
unsigned WorkerCount(const TBatchSettings& settings) {
    const unsigned jobs = JobCount(settings);
    const auto inputs = KnownInputCount(settings);
    return inputs ? std::clamp(*inputs, 1u, jobs) : jobs;
}

} // namespace

unsigned JobCount(const TBatchSettings& settings) {
    if (settings.Jobs > 0)
        return settings.Jobs;
    return std::clamp(std::thread::hardware_concurrency(), 1u, TMemoryBudget::MaxSlots);
}

std::vector<TWorker> MakeWorkers(const TBatchSettings& settings, const TBatchHooks& hooks) {
    const auto budget =
        std::make_shared<TMemoryBudget>(settings.MemoryBudget.value_or(DefaultMemoryBudget()));
    const unsigned count = WorkerCount(settings);
    std::vector<TWorker> workers;
    if (!settings.Isolation) {
        for (unsigned slot = 0; slot < count; ++slot) {
            auto scanner = std::make_shared<TPictureScanner>(settings.Scan, false, hooks.Annotate);
            workers.emplace_back([scanner, budget, slot](const TInput& input) {
                return scanner->Scan(input, *budget, slot);
            });
        }
        return workers;
    }
    // The worker processes take the same settings; checking them here stops a run with a
    // setting ZBar refuses as the in-process run does.
    TPictureScanner{settings.Scan, true};
    const auto launch = std::make_shared<const TWorkerLaunch>(TWorkerLaunch{
        TProgramFile(), settings.ProgramName, settings.Scan, hooks, budget, settings.Timeout});
    for (unsigned slot = 0; slot < count; ++slot) {
        auto process = std::make_shared<TWorkerProcess>(launch, slot);
        workers.emplace_back([process](const TInput& input) { return process->Scan(input); });
    }
    return workers;
}

} // namespace VelBatch
