#pragma once
// The one way a load spreads work over threads: each index on a thread of its own.
#include <algorithm>
#include <cstddef>

// The threads a load uses: the cores, at most 8.
unsigned ThreadCount();

// Runs work(context, k) for k in [0, count), each on a thread of its own where one can be
// started and on the caller's thread where not. An exception that any of them throws (memory
// running out) is thrown again once all have ended: none escapes a thread.
void RunEach(size_t count, void (*work)(void* context, size_t k), void* context);

template <typename Work>
void ForEachIndex(size_t count, Work work) {
    RunEach(
        count, [](void* context, size_t k) { (*static_cast<Work*>(context))(k); }, &work);
}

// Runs work(begin, end) over [0, count) in one range per core, ranges of at least minPerThread.
template <typename Work>
void ParallelFor(size_t count, Work work, size_t minPerThread = 50000) {
    const size_t threads =
        std::min<size_t>(ThreadCount(), std::max<size_t>(1, count / minPerThread));
    ForEachIndex(threads, [&](size_t k) { work(count * k / threads, count * (k + 1) / threads); });
}
