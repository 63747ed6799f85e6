// The ordered pool: results in submission order whatever the workers' speeds, every job run
// once, and a worker's failure given back in its job's turn.
#include "OrderedPool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
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

} // namespace
