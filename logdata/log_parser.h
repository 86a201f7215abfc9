#pragma once
// The loader's inner workings: splitting bytes into lines, reading a line (a straight-line path
// for well-formed lines, the exact scan for everything else), filtering, and interning names.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "logdata/byte_search.h"
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

// One line read as a play: what the scan stored, zeros for the rest.
struct LogLine {
    uint16_t day, month, year, hour, minute, second;
    double length;
    std::string_view name;  // into the line, or into the reader's scratch
};

// Reads one line (at most kMaxLineLength bytes, its line end included): well-formed lines by a
// straight-line path, everything else by the exact scan. False for a line that gives no name,
// which is no play (empty lines among them).
[[nodiscard]] bool ReadLogLine(const char* line, size_t length, LogLine& play,
                               char (&scratch)[kNameSize]);

// Whether a play passes the day filter and the time-of-day window.
bool PassesFilter(const ScanFilter& filter, const LogLine& play);

// Where the bytes of a log go, a block of whole and partial lines at a time.
class LineSink {
public:
    virtual ~LineSink() = default;
    // Every line of bytes; the last one may lack its line end only when isEnd is set.
    // Returns the number of bytes consumed (whole lines).
    virtual size_t AddLines(const char* bytes, size_t size, bool isEnd) = 0;
    // About this many bytes will come.
    virtual void Expect(uint64_t /*bytes*/) {}
};

// Cuts bytes into the lines a load reads (at most kMaxLineLength characters each, a longer line
// going on as a line of its own), calling addLine(line, length) for each. Returns the bytes
// consumed: a last line without its line end waits for more unless isEnd is set.
template <typename AddLine>
size_t ForEachLogLine(const char* bytes, size_t size, bool isEnd, AddLine addLine);

// Reads lines into plays, applying the filter. One collector per thread.
class PlayCollector : public LineSink {
public:
    explicit PlayCollector(const ScanFilter& filter) : filter_(filter) {}

    size_t AddLines(const char* bytes, size_t size, bool isEnd) override;
    void Expect(uint64_t bytes) override;
    void AddLine(const char* line, size_t length);

    std::vector<ParsedPlay, LargePageAllocator<ParsedPlay>> plays;
    NameTable names;

private:
    void Accept(const LogLine& play);
    uint32_t StrippedId(uint32_t id);

    ScanFilter filter_;
    std::vector<int64_t> strippedIds_;  // -1: not yet stripped
};

template <typename AddLine>
size_t ForEachLogLine(const char* bytes, size_t size, bool isEnd, AddLine addLine) {
    size_t done = 0;
    while (done < size) {
        const size_t limit = size - done < kMaxLineLength ? size - done : kMaxLineLength;
        const char* lineFeed = FindByte(bytes + done, bytes + done + limit, '\n');
        size_t length = limit;
        if (lineFeed != bytes + done + limit) {
            length = static_cast<size_t>(lineFeed - (bytes + done)) + 1;
        } else if (limit < kMaxLineLength && !isEnd) {
            break;  // the rest of this line has not been read yet
        }
        addLine(bytes + done, length);
        done += length;
    }
    return done;
}
