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

// Grows the record array in one step to the capacity that 5000-record steps reach for count
// records (it never shrinks). Returns how many records fit: fewer only when memory runs out,
// as a load then drops the records that find no room.
size_t ReserveRecords(PlaybackLog& log, size_t count);

void WriteRecord(PlaybackRecord& record, const ParsedPlay& play, std::string_view name);

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
