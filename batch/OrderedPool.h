// A fixed set of worker threads that run jobs in parallel and hand the results back in the
// order the jobs were submitted, as soon as each next one is done.
#pragma once

#include <algorithm>
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

    // Runs parts of the job the calling worker runs, on every worker free for them and on the
    // caller's own, and gives back their results in order. Workers take such parts before the
    // queued jobs; the caller takes only its own, so it never waits on another job's part.
    // Throws what the first part in order that failed threw.
    std::vector<TResult> RunParts(std::vector<TJob> jobs, const TWorker& own) {
        TPartGroup group;
        group.Outcomes.resize(jobs.size());
        group.Left = jobs.size();
        std::unique_lock lock(FMutex);
        for (std::size_t i = 0; i < jobs.size(); ++i)
            FParts.push_back(TPart{&group, i, std::move(jobs[i])});
        FChanged.notify_all();
        for (;;) {
            const auto mine =
                std::find_if(FParts.begin(), FParts.end(),
                             [&group](const TPart& part) { return part.Group == &group; });
            if (mine != FParts.end()) {
                TPart part = std::move(*mine);
                FParts.erase(mine);
                RunPart(part, own, lock);
            } else if (group.Left == 0) {
                break;
            } else {
                FChanged.wait(lock);
            }
        }
        std::vector<TResult> results;
        for (TOutcome& outcome : group.Outcomes) {
            if (outcome.Failure)
                std::rethrow_exception(outcome.Failure);
            results.push_back(std::move(*outcome.Result));
        }
        return results;
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

    // The parts of one running job, waited for by its worker.
    struct TPartGroup {
        std::vector<TOutcome> Outcomes;
        std::size_t Left = 0;
    };
    struct TPart {
        TPartGroup* Group;
        std::size_t Index;
        TJob Job;
    };

    // Runs the part without the lock, which is held on entry and on return.
    void RunPart(TPart& part, const TWorker& worker, std::unique_lock<std::mutex>& lock) {
        lock.unlock();
        TOutcome outcome;
        try {
            outcome.Result = worker(part.Job);
        } catch (...) {
            outcome.Failure = std::current_exception();
        }
        lock.lock();
        part.Group->Outcomes[part.Index] = std::move(outcome);
        --part.Group->Left;
        FChanged.notify_all();
    }

    bool Finished() const { return FCancelled || (FClosed && FTaken == FSubmitted); }

    void Work(const TWorker& worker) {
        for (;;) {
            std::unique_lock lock(FMutex);
            // A worker stays while a job runs: the job may still hand out parts.
            FChanged.wait(lock, [this] {
                return !FParts.empty() ||
                       (FQueue.empty() ? FClosed && FRunning == 0
                                       : FQueue.front().first < FTaken + FWindow);
            });
            if (!FParts.empty()) {
                TPart part = std::move(FParts.front());
                FParts.pop_front();
                RunPart(part, worker, lock);
                continue;
            }
            if (FQueue.empty())
                return;
            auto [index, job] = std::move(FQueue.front());
            FQueue.pop_front();
            ++FRunning;
            lock.unlock();
            TOutcome outcome;
            try {
                outcome.Result = worker(job);
            } catch (...) {
                outcome.Failure = std::current_exception();
            }
            lock.lock();
            --FRunning;
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
    std::deque<TPart> FParts;
    std::uint64_t FSubmitted = 0;
    std::uint64_t FTaken = 0;
    std::size_t FRunning = 0; // jobs started and not done
    bool FClosed = false;
    bool FCancelled = false;
    std::vector<std::thread> FThreads;
};

} // namespace VelBatch
