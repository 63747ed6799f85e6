// The ordered pool: results in submission order whatever the workers' speeds, every job run
// once, and a worker's failure given back in its job's turn.
#include "OrderedPool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

using TPool = VelBatch::TOrderedPool<int, std::string>;

// Workers that take longer for the earlier jobs, so that later ones finish first.
std::vector<TPool::TWorker> SlowFirstWorkers(unsigned count, std::vector<std::atomic<int>>& runs) {
    std::vector<TPool::TWorker> workers;
    for (unsigned i = 0; i < count; ++i)
        workers.emplace_back([&runs](const int& job) {
            ++runs[static_cast<std::size_t>(job)];
            std::this_thread::sleep_for(std::chrono::milliseconds((20 - job % 20) / 4));
            return "result " + std::to_string(job);
        });
    return workers;
}

TEST(BatchOrderedPool, GivesEveryResultOnceInSubmissionOrder) {
    for (const unsigned workers : {1u, 2u, 5u}) {
        constexpr int Jobs = 60;
        std::vector<std::atomic<int>> runs(Jobs);
        TPool pool(SlowFirstWorkers(workers, runs), 4 * workers);
        std::thread submitter([&pool] {
            for (int job = 0; job < Jobs; ++job)
                EXPECT_TRUE(pool.Submit(job));
            pool.Close();
        });
        std::vector<std::string> results;
        while (auto result = pool.Next())
            results.push_back(*result);
        submitter.join();
        ASSERT_EQ(results.size(), std::size_t{Jobs}) << workers << " workers";
        for (int job = 0; job < Jobs; ++job) {
            EXPECT_EQ(results[static_cast<std::size_t>(job)], "result " + std::to_string(job));
            EXPECT_EQ(runs[static_cast<std::size_t>(job)], 1) << "job " << job;
        }
        EXPECT_EQ(pool.Submitted(), std::make_pair(std::uint64_t{Jobs}, true));
    }
}

TEST(BatchOrderedPool, AWorkersFailureComesInItsJobsTurn) {
    std::vector<TPool::TWorker> workers(3, [](const int& job) -> std::string {
        if (job == 4)
            throw std::runtime_error("job 4 failed");
        return std::to_string(job);
    });
    TPool pool(std::move(workers), 8);
    for (int job = 0; job < 8; ++job)
        pool.Submit(job);
    pool.Close();
    for (int job = 0; job < 4; ++job)
        EXPECT_EQ(pool.Next(), std::to_string(job));
    EXPECT_THROW(
        {
            try {
                pool.Next();
            } catch (const std::runtime_error& error) {
                EXPECT_STREQ(error.what(), "job 4 failed");
                throw;
            }
        },
        std::runtime_error);
    for (int job = 5; job < 8; ++job)
        EXPECT_EQ(pool.Next(), std::to_string(job));
    EXPECT_EQ(pool.Next(), std::nullopt);
}

TEST(BatchOrderedPool, CancelDropsTheJobsNotStartedAndTakesNoMore) {
    std::atomic<int> started = 0;
    std::vector<TPool::TWorker> workers(1, [&started](const int& job) {
        ++started;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        return std::to_string(job);
    });
    TPool pool(std::move(workers), 1);
    for (int job = 0; job < 10; ++job)
        pool.Submit(job);
    EXPECT_EQ(pool.Next(), "0");
    pool.Cancel();
    EXPECT_FALSE(pool.Submit(10));
    EXPECT_EQ(pool.Next(), std::nullopt);
    EXPECT_LE(started, 3);
}

// A job split into parts (negative numbers) runs them on the idle worker too: the first two
// parts only finish once both run at once. Every part runs once, the parts' results come
// back in order, and the job's result keeps its turn among the others.
TEST(BatchOrderedPool, PartsOfAJobRunOnEveryWorkerAndComeBackInOrder) {
    std::mutex mutex;
    std::condition_variable changed;
    int waiting = 0;
    bool together = false;
    std::vector<std::atomic<int>> runs(7);
    TPool* pool = nullptr;
    const auto meet = [&] {
        std::unique_lock lock(mutex);
        ++waiting;
        changed.notify_all();
        together = changed.wait_for(lock, std::chrono::seconds(10), [&] { return waiting >= 2; });
    };
    TPool::TWorker worker = [&](const int& job) -> std::string {
        if (job < 0) {
            ++runs[static_cast<std::size_t>(-job)];
            if (job >= -2)
                meet();
            return "part " + std::to_string(-job);
        }
        if (job != 1)
            return std::to_string(job);
        std::string joined;
        for (const std::string& part : pool->RunParts({-1, -2, -3, -4, -5, -6}, worker))
            joined += part + ";";
        return joined;
    };
    TPool running({worker, worker}, 8);
    pool = &running;
    for (int job = 0; job < 3; ++job)
        running.Submit(job);
    running.Close();
    EXPECT_EQ(running.Next(), "0");
    EXPECT_EQ(running.Next(), "part 1;part 2;part 3;part 4;part 5;part 6;");
    EXPECT_EQ(running.Next(), "2");
    EXPECT_EQ(running.Next(), std::nullopt);
    EXPECT_TRUE(together);
    for (std::size_t part = 1; part < runs.size(); ++part)
        EXPECT_EQ(runs[part], 1) << part;
}

} // namespace
