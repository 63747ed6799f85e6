#include "vel/batch/Batch.h"

#include "OrderedPool.h"
#include "PageSpread.h"
#include "StdinPicture.h"
#include "Workers.h"

#include <vel/host/PixelLimit.h>

#include <exception>
#include <mutex>
#include <sstream>
#include <thread>
#include <unistd.h>
#include <utility>

namespace VelBatch {

namespace {

using TPool = TOrderedPool<TInput, TFileResult>;

// Messages from the thread that lists the inputs, taken by the thread that reads results.
class TWarnings {
public:
    void Add(std::string message) {
        std::lock_guard lock(FMutex);
        FMessages.push_back(std::move(message));
    }
    std::vector<std::string> Take() {
        std::lock_guard lock(FMutex);
        return std::exchange(FMessages, {});
    }

private:
    std::mutex FMutex;
    std::vector<std::string> FMessages;
};

// Thrown by the lister's emit once the pool takes no more inputs, to end the listing.
struct TListingStopped {};

// Whether the run scans the input. An input is sharded by its path as emitted: a folder's
// pictures each by its own path, a folder that cannot be listed by the folder's.
bool Selected(const TInput& input, const TBatchSettings& settings, const TInputFilter& keep) {
    return (!settings.Shard || InShard(input.Path, *settings.Shard)) && (!keep || keep(input));
}

// ZBar loaded, the process's pixel limit set: what the workers need before they start.
std::vector<TWorker> StartWorkers(const TBatchSettings& settings, const TBatchHooks& hooks) {
    LoadZBar(settings.Scan.Library);
    Host::SetMaxPicturePixels(settings.Scan.MaxPixels);
    return MakeWorkers(settings, hooks);
}

} // namespace

// A worker runs ahead of the results taken by at most four inputs' results.
struct TBatch::TState {
    TState(TBatchSettings settings, std::vector<TWorker> workers, std::size_t window)
        : Settings(std::move(settings)), Pool(Spreading(std::move(workers)), window) {}

    // Each worker spreads a many-page file's later pages over the pool's workers; a single
    // worker reads the file from beginning to end in one pass.
    std::vector<TWorker> Spreading(std::vector<TWorker> workers) {
        if (workers.size() < 2)
            return workers;
        std::vector<TWorker> spreading;
        for (TWorker& worker : workers)
            spreading.emplace_back([this, worker = std::move(worker)](const TInput& input) {
                return ScanSpread(input, Settings.Scan, worker, [&](std::vector<TInput> parts) {
                    return Pool.RunParts(std::move(parts), worker);
                });
            });
        return spreading;
    }

    TBatchSettings Settings;
    // Before the pool: the workers are done with the picture when it is removed.
    std::optional<TStdinPicture> StdinPicture;
    TPool Pool;
    TWarnings Warnings;
    std::exception_ptr ListingFailure;
    std::thread Lister;
};

TBatch::TBatch(TBatchSettings settings, TBatchHooks hooks, std::istream* paths, TInputFilter keep) {
    std::vector<TWorker> workers = StartWorkers(settings, hooks);
    const std::size_t window = 4 * workers.size();
    FState = std::make_unique<TState>(std::move(settings), std::move(workers), window);
    TState& state = *FState;
    if (state.Settings.StdinPicture)
        state.StdinPicture.emplace(STDIN_FILENO,
                                   MaxStdinPictureBytes(state.Settings.Scan.MaxPixels));
    // The paths are read on another thread, so reading them must not flush the output
    // stream tied to them (std::cin is tied to std::cout) while results are written.
    if (paths)
        paths->tie(nullptr);
    state.Lister = std::thread([&state, paths, keep = std::move(keep)] {
        const auto submit = [&](TInput input) {
            if (Selected(input, state.Settings, keep) && !state.Pool.Submit(std::move(input)))
                throw TListingStopped();
        };
        try {
            if (state.StdinPicture)
                submit(state.StdinPicture->Input());
            std::istringstream none;
            ReadInputs(state.Settings.Paths, state.Settings.Recursive, state.Settings.PathList,
                       paths ? *paths : none, submit,
                       [&state](const std::string& message) { state.Warnings.Add(message); });
        } catch (const TListingStopped&) {
        } catch (...) {
            state.ListingFailure = std::current_exception();
        }
        state.Pool.Close();
    });
}

TBatch::~TBatch() {
    Cancel();
    if (FState->Lister.joinable())
        FState->Lister.join();
}

std::optional<TFileResult> TBatch::Next() {
    return FState->Pool.Next();
}

std::vector<std::string> TBatch::TakeWarnings() {
    return FState->Warnings.Take();
}

std::pair<std::uint64_t, bool> TBatch::Submitted() const {
    return FState->Pool.Submitted();
}

void TBatch::Cancel() {
    FState->Pool.Cancel();
}

void TBatch::Finish() {
    if (FState->Lister.joinable())
        FState->Lister.join();
    if (FState->ListingFailure)
        std::rethrow_exception(std::exchange(FState->ListingFailure, nullptr));
}

} // namespace VelBatch
