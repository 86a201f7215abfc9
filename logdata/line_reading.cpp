#include "logdata/line_reading.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

#include "logdata/memory.h"

namespace {

constexpr size_t kBlockSize = size_t{4} << 20;
constexpr size_t kPastEndPiece = 4096;  // read at a time after the end the log had at the start

// The player may be appending while a month loads: the load takes the log as it was when the
// load began. A line that has no line end there may still be being written: it is read on to
// its line end, waiting a moment for the rest if none has come yet; one that has grown but has
// no line end even then is not a play yet, and is left out.
std::string FinishLastLine(const ByteSource& source, Cursor& cursor, char* buffer, size_t carried,
                           LineSink& sink) {
    bool grew = false;
    bool waited = !source.MayGrow();
    for (;;) {
        const size_t got = cursor.Read(buffer + carried, kPastEndPiece);
        if (!cursor.Failure().empty()) {
            return cursor.Failure();
        }
        if (got == 0 && !waited) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            waited = true;
            continue;
        }
        if (got == 0) {
            if (!grew) {
                sink.AddLines(buffer, carried, true);
            }
            return "";
        }
        grew = true;
        const auto* lineFeed = static_cast<const char*>(std::memchr(buffer + carried, '\n', got));
        const size_t filled =
            lineFeed != nullptr ? static_cast<size_t>(lineFeed - buffer) + 1 : carried + got;
        const size_t used = sink.AddLines(buffer, filled, false);
        if (lineFeed != nullptr) {
            return "";
        }
        carried = filled - used;
        std::memmove(buffer, buffer + used, carried);
    }
}

}  // namespace

std::string ReadLines(const ByteSource& source, uint64_t begin, uint64_t end, bool last,
                      LineSink& sink) {
    std::unique_ptr<Cursor> cursor = source.Open(begin);
    // Room for a block after an unfinished line, and for the pieces read past the end.
    const FreshArray<char> buffer(static_cast<size_t>(std::min<uint64_t>(kBlockSize, end - begin)) +
                                  kMaxLineLength + kPastEndPiece);
    sink.Expect(end - begin);
    size_t carried = 0;
    uint64_t remaining = end - begin;
    for (;;) {
        const size_t want = static_cast<size_t>(std::min<uint64_t>(kBlockSize, remaining));
        const size_t got = want == 0 ? 0 : cursor->Read(buffer.data() + carried, want);
        if (!cursor->Failure().empty()) {
            return cursor->Failure();
        }
        remaining -= got;
        const bool isEnd = got == 0;
        const size_t filled = carried + got;
        if (isEnd && last && filled > 0) {
            return FinishLastLine(source, *cursor, buffer.data(), filled, sink);
        }
        const size_t used = sink.AddLines(buffer.data(), filled, isEnd);
        carried = filled - used;
        std::memmove(buffer.data(), buffer.data() + used, carried);
        if (isEnd) {
            return "";
        }
    }
}
