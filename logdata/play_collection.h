#pragma once
// Reading a whole log into plays, one part per thread, and writing plays out as records.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "logdata/log_parser.h"

// The plays of a log in file order: the parts follow each other.
using PlayParts = std::vector<std::unique_ptr<PlayCollector>>;

// false when the file cannot be opened. readFailure: the system's reason when a read failed
// (the parts then hold only some of the plays), empty when the log was read whole.
[[nodiscard]] bool CollectFilePlays(const char* path, const ScanFilter& filter, PlayParts& parts,
                                    std::string& readFailure);
void CollectBytePlays(std::string_view bytes, const ScanFilter& filter, PlayParts& parts);

size_t CountPlays(const PlayParts& parts);

void WriteRecord(PlaybackRecord& record, const ParsedPlay& play, std::string_view name,
                 bool zeroed);

// The first count plays of the parts, in file order, as the records from the array's start.
void WriteInFileOrder(PlaybackLog& log, const PlayParts& parts, size_t count, bool zeroed);
