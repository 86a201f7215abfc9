#pragma once
// The loader's inner workings: splitting bytes into lines, reading a line (a straight-line path
// for well-formed lines, the exact scan for everything else), filtering, and interning names.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <string_view>
#include <utility>
#include <vector>

#include "logdata/playback_log.h"

// Lines are read as at most this many characters; a longer line continues as a line of its own.
constexpr size_t kMaxLineLength = 1998;

// An accepted play before it becomes a PlaybackRecord: 24 bytes instead of 280.
struct ParsedPlay {
    uint32_t nameId;
    uint16_t day, month, year, hour, minute, second;
    double length;
};

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

// Distinct names, each stored once; ids count from 0 in order of first appearance.
class NameTable {
public:
    uint32_t Intern(std::string_view name);
    std::string_view Name(uint32_t id) const {
        return {arena_.data() + offsets_[id], lengths_[id]};
    }
    uint32_t Size() const { return static_cast<uint32_t>(offsets_.size()); }

private:
    void Grow();

    std::vector<char> arena_;
    std::vector<size_t> offsets_;
    std::vector<uint8_t> lengths_;
    std::vector<uint64_t> hashes_;
    std::vector<uint32_t> slots_;  // id + 1; 0 = free
};

// The exact reading of one line (NUL-terminated, at most 1998 characters) into a zero-filled
// record, by the scan rules of logdata/scanners.h.
PlaybackRecord ScanLogLine(const char* line);

// Reads lines into plays, applying the filter. One collector per thread.
class PlayCollector {
public:
    explicit PlayCollector(const ScanFilter& filter) : filter_(filter) {}

    // Every line of bytes; the last one may lack its line end only when isEnd is set.
    // Returns the number of bytes consumed (whole lines).
    size_t AddLines(const char* bytes, size_t size, bool isEnd);
    void AddLine(const char* line, size_t length);

    std::vector<ParsedPlay, LargePageAllocator<ParsedPlay>> plays;
    NameTable names;

private:
    struct Fields {
        uint16_t day, month, year, hour, minute, second;
        double length;
        std::string_view name;
    };
    bool ReadWellFormed(const char* line, const char* end, Fields& fields) const;
    void Accept(const Fields& fields);
    uint32_t StrippedId(uint32_t id);

    ScanFilter filter_;
    std::vector<int64_t> strippedIds_;  // -1: not yet stripped
};
