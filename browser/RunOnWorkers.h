#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <thread>
#include <vector>

// Calls work(i) for every i below `count` on up to `workers` threads, each
// taking `perTake` indexes at a time. Each index is worked on once, by one
// thread, so work that writes only its own slot needs no lock.
template <class Work>
void RunOnWorkers(std::size_t count, unsigned workers, std::size_t perTake, const Work& work)
{
    if (workers <= 1 || count < 2 * perTake) {
        for (std::size_t i = 0; i < count; ++i)
            work(i);
        return;
    }
    std::atomic<std::size_t> next{0};
    auto take = [&] {
        for (;;) {
            const std::size_t first = next.fetch_add(perTake);
            if (first >= count)
                return;
            const std::size_t last = std::min(first + perTake, count);
            for (std::size_t i = first; i < last; ++i)
                work(i);
        }
    };
    std::vector<std::thread> helpers;
    helpers.reserve(workers - 1);
    for (unsigned n = 1; n < workers; ++n)
        helpers.emplace_back(take);
    take();
    for (std::thread& helper : helpers)
        helper.join();
}
