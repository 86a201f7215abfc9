#include "logdata/byte_source.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include <sys/stat.h>

#include "base/system_files.h"
#include "base/system_reason.h"

namespace {

constexpr uint64_t kMinBytesPerThread = uint64_t{4} << 20;

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

class BytesInMemory : public ByteSource {
public:
    explicit BytesInMemory(std::string_view bytes) : bytes_(bytes) {}
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

// A file that could not be opened again at the offset fails its first read with openError.
class FileCursor : public Cursor {
public:
    FileCursor(std::FILE* file, int openError) : file_(file), openError_(openError) {}
    ~FileCursor() override {
        if (file_ != nullptr) {
            std::fclose(file_);
        }
    }
    size_t Read(char* buffer, size_t size) override {
        if (file_ == nullptr) {
            Fail(SystemReasonText(openError_));
            return 0;
        }
        errno = 0;
        const size_t got = std::fread(buffer, 1, size, file_);
        if (got < size && std::ferror(file_) != 0) {
            Fail(SystemReasonText(errno != 0 ? errno : EIO));
            return 0;
        }
        return got;
    }

private:
    std::FILE* file_;
    int openError_;
};

class FileSource : public ByteSource {
public:
    FileSource(const char* path, uint64_t size) : path_(path), size_(size) {}
    uint64_t Size() const override { return size_; }
    bool MayGrow() const override { return true; }
    std::unique_ptr<Cursor> Open(uint64_t offset) const override {
        std::FILE* file = OpenFile(path_, "rb");
        int openError = file == nullptr ? errno : 0;
        if (file != nullptr) {
            std::setvbuf(file, nullptr, _IONBF, 0);
            if (!SeekTo(file, offset)) {
                openError = errno;
                std::fclose(file);
                file = nullptr;
            }
        }
        return std::make_unique<FileCursor>(file, openError != 0 ? openError : EIO);
    }

private:
    std::string path_;
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

// A folder opens for reading on some systems but has no lines.
bool IsFolder(std::FILE* file) {
    struct stat status {};
    return fstat(fileno(file), &status) == 0 && S_ISDIR(status.st_mode);
}

}  // namespace

std::unique_ptr<ByteSource> OpenFileSource(const char* path) {
    std::FILE* file = OpenFile(path, "rb");
    if (file == nullptr) {
        return nullptr;
    }
    const bool folder = IsFolder(file);
    const uint64_t size = folder ? 0 : FileSize(file);
    std::fclose(file);
    if (folder) {
        return nullptr;
    }
    return std::make_unique<FileSource>(path, size);
}

std::unique_ptr<ByteSource> MemorySource(std::string_view bytes) {
    return std::make_unique<BytesInMemory>(bytes);
}

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
