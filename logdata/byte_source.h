#pragma once
// Where the bytes of a load come from, a log file (which the player may still be appending to)
// or bytes in memory, read from any offset; and where the log splits into parts for the threads.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Sequential reading from one position; each thread has its own.
class Cursor {
public:
    virtual ~Cursor() = default;
    // 0 at the end, and after a failure, which Failure() then names.
    [[nodiscard]] virtual size_t Read(char* buffer, size_t size) = 0;
    // The system's reason why the bytes could not be read; empty while they could. A failed
    // read is not the end of the file: taken for it, part of a log would pass as the whole.
    const std::string& Failure() const { return failure_; }

protected:
    void Fail(std::string reason) { failure_ = std::move(reason); }

private:
    std::string failure_;
};

class ByteSource {
public:
    virtual ~ByteSource() = default;
    // The size when the load began.
    virtual uint64_t Size() const = 0;
    virtual std::unique_ptr<Cursor> Open(uint64_t offset) const = 0;
    // A file may have more bytes past Size() by the time they are read.
    virtual bool MayGrow() const { return false; }
};

// The log file, read in large unbuffered blocks, every thread with a file of its own; null when
// it cannot be opened. A folder counts as a log that cannot be opened, as it does on Windows.
[[nodiscard]] std::unique_ptr<ByteSource> OpenFileSource(const char* path);
// Bytes that outlive the source.
std::unique_ptr<ByteSource> MemorySource(std::string_view bytes);

// Part boundaries: 0, line starts near the even splits, and the size the source had when the
// load began.
std::vector<uint64_t> SplitPoints(const ByteSource& source, unsigned threads);
