#include "logdata/parallel.h"

#include <exception>
#include <system_error>
#include <thread>
#include <vector>

unsigned ThreadCount() {
    // Asked once: the C library reads the online cores from the system on every call.
    static const unsigned threads = std::clamp(std::thread::hardware_concurrency(), 1u, 8u);
    return threads;
}

void RunEach(size_t count, void (*work)(void* context, size_t k), void* context) {
    std::vector<std::exception_ptr> failures(count);
    const auto guarded = [&](size_t k) {
        try {
            work(context, k);
        } catch (...) {
            failures[k] = std::current_exception();
        }
    };
    std::vector<std::thread> helpers;
    helpers.reserve(count);
    for (size_t k = 1; k < count; ++k) {
        try {
            helpers.emplace_back(guarded, k);
        } catch (const std::system_error&) {
            guarded(k);  // no thread to be had: the work is the same on this one
        }
    }
    if (count > 0) {
        guarded(0);
    }
    for (std::thread& helper : helpers) {
        helper.join();
    }
    for (const std::exception_ptr& failure : failures) {
        if (failure) {
            std::rethrow_exception(failure);
        }
    }
}
