// Runs the same work on many threads that start together, for tests of concurrent use.
#pragma once

#include <functional>
#include <latch>
#include <thread>
#include <vector>

namespace Support {

// Runs body(thread index) on count threads released at the same moment, and returns once
// every thread has finished.
inline void OnManyThreads(int count, const std::function<void(int)>& body) {
    std::latch start(count);
    std::vector<std::jthread> threads;
    threads.reserve(static_cast<std::size_t>(count));
    for (int t = 0; t < count; ++t)
        threads.emplace_back([&start, &body, t] {
            start.arrive_and_wait();
            body(t);
        });
}

} // namespace Support
