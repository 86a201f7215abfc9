#pragma once
// The straightforward reading of a log, kept beside the tests to hold the fast loader to it:
// a line at a time through stdio, each line scanned as written, records grown 5000 at a time,
// a comparison sort that converts both dates in every comparison.
#include <cstdio>
#include <string>
#include <vector>

#include "logdata/playback_log.h"

struct ReferenceLoad {
    std::vector<PlaybackRecord> records;  // file order
    int capacity = 0;
};

ReferenceLoad ReferenceLoadFile(const char* path, const ScanFilter& filter);
// The same from a stream open for reading; the caller closes it.
ReferenceLoad ReferenceLoadStream(std::FILE* file, const ScanFilter& filter);

struct ReferenceSort {
    bool dateError = false;
    PlaybackRecord offending{};
    std::vector<PlaybackRecord> records;  // sorted; equal keys in file order
};

// Whether a record with this date and time can be ordered by time.
bool ReferenceHasMoment(const SystemTime& time);

ReferenceSort ReferenceSortRecords(const std::vector<PlaybackRecord>& records);
