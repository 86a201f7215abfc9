#pragma once
// Memory for the big arrays of a load: large pages where the system has them, pages mapped in
// at once, arrays that skip the zeroing they do not need.
#include <cstddef>
#include <cstdlib>
#include <new>
#include <utility>

// Asks the system for large pages on big blocks (where it has them): fewer page faults when a
// large array is first written.
void PreferLargePages(void* block, size_t size);

// Maps in the pages of a block about to be written, in one call instead of a page fault per
// page (which costs far more in a virtual machine). Where the system cannot, writes fault them.
void FaultIn(void* block, size_t size);

// A working array of a load, its pages mapped in at once; the items are not initialized.
template <typename T>
class FreshArray {
public:
    FreshArray() = default;
    explicit FreshArray(size_t size)
        : items_(size == 0 ? nullptr : static_cast<T*>(std::malloc(size * sizeof(T)))) {
        if (size != 0 && items_ == nullptr) {
            throw std::bad_alloc();
        }
        PreferLargePages(items_, size * sizeof(T));
        FaultIn(items_, size * sizeof(T));
    }
    FreshArray(FreshArray&& other) noexcept : items_(other.items_) { other.items_ = nullptr; }
    FreshArray& operator=(FreshArray&& other) noexcept {
        std::swap(items_, other.items_);
        return *this;
    }
    ~FreshArray() { std::free(items_); }

    T* data() const { return items_; }
    T& operator[](size_t i) const { return items_[i]; }

private:
    T* items_ = nullptr;
};

// Plain heap blocks with large pages for the big arrays of a load.
template <typename T>
struct LargePageAllocator {
    using value_type = T;
    LargePageAllocator() = default;
    template <typename U>
    LargePageAllocator(const LargePageAllocator<U>&) {}
    T* allocate(size_t count) {
        void* block = std::malloc(count * sizeof(T));
        if (block == nullptr) {
            throw std::bad_alloc();
        }
        PreferLargePages(block, count * sizeof(T));
        return static_cast<T*>(block);
    }
    void deallocate(T* block, size_t) { std::free(block); }
    // Sized, not value-initialized: arrays that are filled right after need no zeroing first.
    template <typename U>
    void construct(U* place) {
        ::new (static_cast<void*>(place)) U;
    }
    template <typename U, typename... Args>
    void construct(U* place, Args&&... args) {
        ::new (static_cast<void*>(place)) U(std::forward<Args>(args)...);
    }
    friend bool operator==(const LargePageAllocator&, const LargePageAllocator&) { return true; }
};
