#include "logdata/memory.h"

#include <cstdint>

#ifdef __linux__
#include <sys/mman.h>
#endif

void PreferLargePages(void* block, size_t size) {
#ifdef __linux__
    constexpr size_t kLargePage = size_t{2} << 20;
    constexpr uintptr_t kPage = 4096;
    if (size < kLargePage) {
        return;
    }
    const uintptr_t begin = (reinterpret_cast<uintptr_t>(block) + kPage - 1) & ~(kPage - 1);
    const uintptr_t end = (reinterpret_cast<uintptr_t>(block) + size) & ~(kPage - 1);
    if (end > begin) {
        madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
    }
#else
    (void)block;
    (void)size;
#endif
}

#ifdef __linux__
#ifndef MADV_POPULATE_WRITE
#define MADV_POPULATE_WRITE 23  // Linux 5.14
#endif
#endif

void FaultIn(void* block, size_t size) {
#ifdef __linux__
    constexpr uintptr_t kPage = 4096;
    const uintptr_t begin = reinterpret_cast<uintptr_t>(block) & ~(kPage - 1);
    const uintptr_t end = (reinterpret_cast<uintptr_t>(block) + size + kPage - 1) & ~(kPage - 1);
    if (end > begin) {
        madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE);
    }
#else
    (void)block;
    (void)size;
#endif
}
