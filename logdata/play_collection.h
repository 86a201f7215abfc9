#pragma once
// Reading a whole log into plays on several threads, and writing plays out as records.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "logdata/log_parser.h"

// The plays of a log in file order: the parts follow each other.
using PlayParts = std::vector<std::unique_ptr<PlayCollector>>;

// false when the file cannot be opened.
bool CollectFilePlays(const char* path, const ScanFilter& filter, PlayParts& parts);
void CollectBytePlays(std::string_view bytes, const ScanFilter& filter, PlayParts& parts);

size_t CountPlays(const PlayParts& parts);

// Room for the records of a load.
struct RecordRoom {
    size_t fit;   // how many records fit: fewer than asked only when memory ran out
    bool zeroed;  // a fresh, zero-filled array: the zero bytes need no writing
};

// Grows the record array in one step to the capacity that 5000-record steps reach for count
// records (it never shrinks). A load drops the records that find no room.
RecordRoom ReserveRecords(PlaybackLog& log, size_t count);

void WriteRecord(PlaybackRecord& record, const ParsedPlay& play, std::string_view name,
                 bool zeroed);

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

// Runs work(begin, end) over [0, count) on the available cores.
void ForEachRange(size_t count, void (*work)(void* context, size_t begin, size_t end),
                  void* context);

template <typename Work>
void ParallelFor(size_t count, Work work) {
    ForEachRange(
        count,
        [](void* context, size_t begin, size_t end) { (*static_cast<Work*>(context))(begin, end); },
        &work);
}
