#include "logdata/play_collection.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <system_error>
#include <thread>

#include <sys/stat.h>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace {

constexpr size_t kBlockSize = size_t{4} << 20;
constexpr uint64_t kMinBytesPerThread = uint64_t{4} << 20;
constexpr size_t kMinRecordsPerThread = 50000;
constexpr size_t kMaxRecords = INT32_MAX / kRecordGrowth * kRecordGrowth;
constexpr size_t kPastEndPiece = 4096;  // read at a time after the end the log had at the start

// Sequential reading from one position; each thread has its own.
class Cursor {
public:
    virtual ~Cursor() = default;
    virtual size_t Read(char* buffer, size_t size) = 0;
};

class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual uint64_t Size() const = 0;
    virtual std::unique_ptr<Cursor> Open(uint64_t offset) const = 0;
    virtual bool MayGrow() const { return false; }
};

class MemoryCursor : public Cursor {
public:
    explicit MemoryCursor(std::string_view rest) : rest_(rest) {}
    size_t Read(char* buffer, size_t size) override {
        const size_t n = std::min(size, rest_.size());
        std::memcpy(buffer, rest_.data(), n);
        rest_.remove_prefix(n);
        return n;
    }

private:
    std::string_view rest_;
};

class MemorySource : public ByteSource {
public:
    explicit MemorySource(std::string_view bytes) : bytes_(bytes) {}
    uint64_t Size() const override { return bytes_.size(); }
    std::unique_ptr<Cursor> Open(uint64_t offset) const override {
        return std::make_unique<MemoryCursor>(bytes_.substr(static_cast<size_t>(offset)));
    }

private:
    std::string_view bytes_;
};

bool SeekTo(std::FILE* file, uint64_t offset) {
#ifdef _WIN32
    return _fseeki64(file, static_cast<__int64>(offset), SEEK_SET) == 0;
#else
    return fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0;
#endif
}

uint64_t FileSize(std::FILE* file) {
#ifdef _WIN32
    const bool ok = _fseeki64(file, 0, SEEK_END) == 0;
    const __int64 size = ok ? _ftelli64(file) : 0;
#else
    const bool ok = fseeko(file, 0, SEEK_END) == 0;
    const off_t size = ok ? ftello(file) : 0;
#endif
    return size > 0 ? static_cast<uint64_t>(size) : 0;
}

class FileCursor : public Cursor {
public:
    explicit FileCursor(std::FILE* file) : file_(file) {}
    ~FileCursor() override {
        if (file_ != nullptr) {
            std::fclose(file_);
        }
    }
    size_t Read(char* buffer, size_t size) override {
        return file_ == nullptr ? 0 : std::fread(buffer, 1, size, file_);
    }

private:
    std::FILE* file_;
};

// Reads in large unbuffered blocks; every thread opens the file for itself.
class FileSource : public ByteSource {
public:
    FileSource(const char* path, uint64_t size) : path_(path), size_(size) {}
    uint64_t Size() const override { return size_; }
    bool MayGrow() const override { return true; }
    std::unique_ptr<Cursor> Open(uint64_t offset) const override {
        std::FILE* file = std::fopen(path_, "rb");
        if (file != nullptr) {
            std::setvbuf(file, nullptr, _IONBF, 0);
            if (!SeekTo(file, offset)) {
                std::fclose(file);
                file = nullptr;
            }
        }
        return std::make_unique<FileCursor>(file);
    }

private:
    const char* path_;
    uint64_t size_;
};

// Where the part after offset begins: just past the next line feed, where a line always starts.
// 0 when there is none near.
uint64_t NextLineStart(const ByteSource& source, uint64_t offset) {
    static constexpr size_t kWindow = 1 << 16;
    std::vector<char> window(kWindow);
    const size_t got = source.Open(offset)->Read(window.data(), kWindow);
    const void* lineFeed = std::memchr(window.data(), '\n', got);
    if (lineFeed == nullptr) {
        return 0;
    }
    return offset + static_cast<uint64_t>(static_cast<const char*>(lineFeed) - window.data()) + 1;
}

// Part boundaries: 0, line starts near the even splits, and the size the source had when the
// load began.
std::vector<uint64_t> SplitPoints(const ByteSource& source, unsigned threads) {
    const uint64_t size = source.Size();
    std::vector<uint64_t> points{0};
    const uint64_t parts =
        std::min<uint64_t>(threads, std::max<uint64_t>(1, size / kMinBytesPerThread));
    for (uint64_t k = 1; k < parts; ++k) {
        const uint64_t start = NextLineStart(source, size * k / parts);
        if (start > points.back() && start < size) {
            points.push_back(start);
        }
    }
    points.push_back(size);
    return points;
}

// The player may be appending while a month loads: the load takes the log as it was when the
// load began. A line that has no line end there may still be being written: it is read on to
// its line end, waiting a moment for the rest if none has come yet; one that has grown but has
// no line end even then is not a play yet, and is left out.
void FinishLastLine(const ByteSource& source, Cursor& cursor, char* buffer, size_t carried,
                    PlayCollector& collector) {
    bool grew = false;
    bool waited = !source.MayGrow();
    for (;;) {
        const size_t got = cursor.Read(buffer + carried, kPastEndPiece);
        if (got == 0 && !waited) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            waited = true;
            continue;
        }
        if (got == 0) {
            if (!grew) {
                collector.AddLines(buffer, carried, true);
            }
            return;
        }
        grew = true;
        const auto* lineFeed = static_cast<const char*>(std::memchr(buffer + carried, '\n', got));
        const size_t filled =
            lineFeed != nullptr ? static_cast<size_t>(lineFeed - buffer) + 1 : carried + got;
        const size_t used = collector.AddLines(buffer, filled, false);
        if (lineFeed != nullptr) {
            return;
        }
        carried = filled - used;
        std::memmove(buffer, buffer + used, carried);
    }
}

void CollectRange(const ByteSource& source, uint64_t begin, uint64_t end, bool last,
                  PlayCollector& collector) {
    std::unique_ptr<Cursor> cursor = source.Open(begin);
    // Room for a block after an unfinished line, and for the pieces read past the end.
    const FreshArray<char> buffer(static_cast<size_t>(std::min<uint64_t>(kBlockSize, end - begin)) +
                                  kMaxLineLength + kPastEndPiece);
    collector.plays.reserve(
        static_cast<size_t>(std::min<uint64_t>((end - begin) / 40 + 16, kMaxRecords)));
    size_t carried = 0;
    uint64_t remaining = end - begin;
    for (;;) {
        const size_t want = static_cast<size_t>(std::min<uint64_t>(kBlockSize, remaining));
        const size_t got = want == 0 ? 0 : cursor->Read(buffer.data() + carried, want);
        remaining -= got;
        const bool isEnd = got == 0;
        const size_t filled = carried + got;
        if (isEnd && last && filled > 0) {
            FinishLastLine(source, *cursor, buffer.data(), filled, collector);
            return;
        }
        const size_t used = collector.AddLines(buffer.data(), filled, isEnd);
        carried = filled - used;
        std::memmove(buffer.data(), buffer.data() + used, carried);
        if (isEnd) {
            return;
        }
    }
}

void CollectPlays(const ByteSource& source, const ScanFilter& filter, PlayParts& parts) {
    const std::vector<uint64_t> points = SplitPoints(source, ThreadCount());
    parts.clear();
    for (size_t k = 0; k + 1 < points.size(); ++k) {
        parts.push_back(std::make_unique<PlayCollector>(filter));
    }
    ForEachIndex(parts.size(), [&](size_t k) {
        CollectRange(source, points[k], points[k + 1], k + 1 == parts.size(), *parts[k]);
    });
}

}  // namespace

unsigned ThreadCount() {
    const unsigned cores = std::thread::hardware_concurrency();
    return std::clamp(cores, 1u, 8u);
}

namespace {

// A folder opens for reading on some systems but has no lines: it counts as a log that cannot
// be opened, as it does on Windows.
bool IsFolder(std::FILE* file) {
    struct stat status {};
    return fstat(fileno(file), &status) == 0 && S_ISDIR(status.st_mode);
}

}  // namespace

bool CollectFilePlays(const char* path, const ScanFilter& filter, PlayParts& parts) {
    std::FILE* file = std::fopen(path, "rb");
    if (file != nullptr && IsFolder(file)) {
        std::fclose(file);
        file = nullptr;
    }
    if (file == nullptr) {
        parts.clear();
        return false;
    }
    const uint64_t size = FileSize(file);
    std::fclose(file);
    const FileSource source(path, size);
    CollectPlays(source, filter, parts);
    return true;
}

void CollectBytePlays(std::string_view bytes, const ScanFilter& filter, PlayParts& parts) {
    const MemorySource source(bytes);
    CollectPlays(source, filter, parts);
}

size_t CountPlays(const PlayParts& parts) {
    size_t count = 0;
    for (const auto& part : parts) {
        count += part->plays.size();
    }
    return count;
}

namespace {

size_t RoundUpToGrowth(size_t count) {
    return (count + kRecordGrowth - 1) / kRecordGrowth * kRecordGrowth;
}

}  // namespace

void PreferLargePages(void* block, size_t size) {
#ifdef __linux__
    constexpr size_t kLargePage = size_t{2} << 20;
    constexpr uintptr_t kPage = 4096;
    if (size < kLargePage) {
        return;
    }
    const uintptr_t begin = (reinterpret_cast<uintptr_t>(block) + kPage - 1) & ~(kPage - 1);
    const uintptr_t end = (reinterpret_cast<uintptr_t>(block) + size) & ~(kPage - 1);
    if (end > begin) {
        madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
    }
#else
    (void)block;
    (void)size;
#endif
}

#ifdef __linux__
#ifndef MADV_POPULATE_WRITE
#define MADV_POPULATE_WRITE 23  // Linux 5.14
#endif
#endif

void FaultIn(void* block, size_t size) {
#ifdef __linux__
    constexpr uintptr_t kPage = 4096;
    const uintptr_t begin = reinterpret_cast<uintptr_t>(block) & ~(kPage - 1);
    const uintptr_t end = (reinterpret_cast<uintptr_t>(block) + size + kPage - 1) & ~(kPage - 1);
    if (end > begin) {
        madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE);
    }
#else
    (void)block;
    (void)size;
#endif
}

namespace {

// Faults in the first count records of a fresh array, on all cores.
void FaultInRecords(PlaybackRecord* records, size_t count) {
    ParallelFor(count, [records](size_t begin, size_t end) {
        FaultIn(records + begin, (end - begin) * sizeof(PlaybackRecord));
    });
}

}  // namespace

RecordRoom ReserveRecords(PlaybackLog& log, size_t count) {
    count = std::min(count, kMaxRecords);
    const size_t have = static_cast<size_t>(log.records == nullptr ? 0 : log.recordCapacity);
    size_t target = RoundUpToGrowth(count);
    while (target > have) {
        // A first array comes zero-filled straight from the system, which costs nothing extra.
        const bool fresh = log.records == nullptr;
        void* grown = fresh ? std::calloc(target, sizeof(PlaybackRecord))
                            : std::realloc(log.records, target * sizeof(PlaybackRecord));
        if (grown != nullptr) {
            PreferLargePages(grown, target * sizeof(PlaybackRecord));
            log.records = static_cast<PlaybackRecord*>(grown);
            log.recordCapacity = static_cast<int32_t>(target);
            if (fresh) {
                FaultInRecords(log.records, std::min(count, target));
            }
            return {std::min(count, target), fresh};
        }
        target = std::max(have, RoundUpToGrowth(target / 2));
    }
    return {std::min(count, have), false};
}

void WriteRecord(PlaybackRecord& record, const ParsedPlay& play, std::string_view name,
                 bool zeroed) {
    std::memcpy(record.name, name.data(), name.size());
    if (!zeroed) {
        std::memset(record.name + name.size(), 0, kNameSize - name.size());
    }
    record.time = {play.year, play.month, 0, play.day, play.hour, play.minute, play.second, 0};
    record.length = play.length;
}

void RunEach(size_t count, void (*work)(void* context, size_t k), void* context) {
    std::vector<std::exception_ptr> failures(count);
    const auto guarded = [&](size_t k) {
        try {
            work(context, k);
        } catch (...) {
            failures[k] = std::current_exception();
        }
    };
    std::vector<std::thread> helpers;
    helpers.reserve(count);
    for (size_t k = 1; k < count; ++k) {
        try {
            helpers.emplace_back(guarded, k);
        } catch (const std::system_error&) {
            guarded(k);  // no thread to be had: the work is the same on this one
        }
    }
    if (count > 0) {
        guarded(0);
    }
    for (std::thread& helper : helpers) {
        helper.join();
    }
    for (const std::exception_ptr& failure : failures) {
        if (failure) {
            std::rethrow_exception(failure);
        }
    }
}

void ForEachRange(size_t count, void (*work)(void* context, size_t begin, size_t end),
                  void* context) {
    const size_t threads =
        std::min<size_t>(ThreadCount(), std::max<size_t>(1, count / kMinRecordsPerThread));
    ForEachIndex(threads,
                 [&](size_t k) { work(context, count * k / threads, count * (k + 1) / threads); });
}
