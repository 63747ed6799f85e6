// A fixed set of worker threads that run jobs in parallel and hand the results back in the
// order the jobs were submitted, as soon as each next one is done.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

namespace VelBatch {

template <class TJob, class TResult> class TOrderedPool {
public:
    // One thread per worker; a worker is used by its thread only. A worker's exception takes
    // the place of its job's result: Next throws it in the job's turn.
    using TWorker = std::function<TResult(const TJob&)>;

    // Jobs wait in an unbounded queue; a worker starts job i only when i < taken + window,
    // so at most `window` results are running or waiting for an earlier, slower job.
    TOrderedPool(std::vector<TWorker> workers, std::size_t window)
        : FWorkers(std::move(workers)), FWindow(window < 1 ? 1 : window) {
        for (std::size_t i = 0; i < FWorkers.size(); ++i)
            FThreads.emplace_back([this, i] { Work(FWorkers[i]); });
    }

    TOrderedPool(const TOrderedPool&) = delete;
    TOrderedPool& operator=(const TOrderedPool&) = delete;

    // Lets the workers finish the queued jobs, then joins them.
    ~TOrderedPool() {
        Close();
        for (auto& thread : FThreads)
            thread.join();
    }

    // Queues a job; false, with the job dropped, once the pool is cancelled.
    bool Submit(TJob job) {
        std::lock_guard lock(FMutex);
        if (FCancelled)
            return false;
        FQueue.emplace_back(FSubmitted++, std::move(job));
        FChanged.notify_all();
        return true;
    }

    // Tells the pool that no more jobs will come.
    void Close() {
        std::lock_guard lock(FMutex);
        FClosed = true;
        FChanged.notify_all();
    }

    // Drops the jobs not started yet and takes no more; the running ones still end.
    void Cancel() {
        std::lock_guard lock(FMutex);
        FCancelled = true;
        FClosed = true;
        FQueue.clear();
        FChanged.notify_all();
    }

    // The result of the next job in submission order, waiting until it is done; nullopt
    // once the pool is closed and every result has been taken, or it is cancelled. Throws
    // what the job's worker threw.
    std::optional<TResult> Next() {
        std::unique_lock lock(FMutex);
        FChanged.wait(lock, [this] { return FDone.contains(FTaken) || Finished(); });
        if (Finished())
            return std::nullopt;
        auto node = FDone.extract(FTaken++);
        FChanged.notify_all();
        if (node.mapped().Failure)
            std::rethrow_exception(node.mapped().Failure);
        return std::move(node.mapped().Result);
    }

    // The number of jobs submitted so far, and whether that is all of them.
    std::pair<std::uint64_t, bool> Submitted() {
        std::lock_guard lock(FMutex);
        return {FSubmitted, FClosed};
    }

private:
    // A job's result, or what its worker threw.
    struct TOutcome {
        std::optional<TResult> Result;
        std::exception_ptr Failure;
    };

    bool Finished() const { return FCancelled || (FClosed && FTaken == FSubmitted); }

    void Work(const TWorker& worker) {
        for (;;) {
            std::unique_lock lock(FMutex);
            FChanged.wait(lock, [this] {
                return FQueue.empty() ? FClosed : FQueue.front().first < FTaken + FWindow;
            });
            if (FQueue.empty())
                return;
            auto [index, job] = std::move(FQueue.front());
            FQueue.pop_front();
            lock.unlock();
            TOutcome outcome;
            try {
                outcome.Result = worker(job);
            } catch (...) {
                outcome.Failure = std::current_exception();
            }
            lock.lock();
            FDone.emplace(index, std::move(outcome));
            FChanged.notify_all();
        }
    }

    std::vector<TWorker> FWorkers;
    const std::uint64_t FWindow;
    std::mutex FMutex;
    std::condition_variable FChanged;
    std::deque<std::pair<std::uint64_t, TJob>> FQueue;
    std::map<std::uint64_t, TOutcome> FDone;
    std::uint64_t FSubmitted = 0;
    std::uint64_t FTaken = 0;
    bool FClosed = false;
    bool FCancelled = false;
    std::vector<std::thread> FThreads;
};

} // namespace VelBatch
