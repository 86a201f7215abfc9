#pragma once
// The loader's inner workings: splitting bytes into lines, reading a line (a straight-line path
// for well-formed lines, the exact scan for everything else), filtering, and interning names.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "logdata/memory.h"
#include "logdata/playback_log.h"

// Lines are read as at most this many characters; a longer line continues as a line of its own.
constexpr size_t kMaxLineLength = 1998;

// An accepted play before it becomes a PlaybackRecord: 24 bytes instead of 280.
struct ParsedPlay {
    uint32_t nameId;
    uint16_t day, month, year, hour, minute, second;
    double length;
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

// The last path component: everything after the last "\" or "/", or after a drive "X:" when
// there is no separator; a name with neither is returned unchanged.
std::string StripPath(std::string_view name);

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
