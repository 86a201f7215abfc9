#include "reports/report_file.h"

#include <sys/stat.h>

#include <cerrno>

#include "base/cp1250.h"

#ifdef _WIN32
#include <direct.h>
#include <share.h>
#endif

namespace {

// File names are Windows-1250 bytes; the file system gets them in its own encoding.
std::FILE* OpenDenyingWriters(const std::string& path) {
#ifdef _WIN32
    const std::u16string wide = Cp1250ToUtf16(path);
    return _wfsopen(reinterpret_cast<const wchar_t*>(wide.c_str()), L"wb", _SH_DENYWR);
#else
    return std::fopen(Cp1250ToUtf8(path).c_str(), "wb");
#endif
}

int MakeFolder(const char* path) {
#ifdef _WIN32
    return _mkdir(path);
#else
    return mkdir(path, 0777);
#endif
}

bool IsFolder(const char* path) {
    struct stat info {};
    return stat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

ReportFileWriter::~ReportFileWriter() {
    if (file_ != nullptr) {
        std::fclose(file_);
    }
}

bool ReportFileWriter::Open(const std::string& path) {
    file_ = OpenDenyingWriters(path);
    if (file_ == nullptr) {
        Fail(errno);
        return false;
    }
    // Everything goes through our own buffer.
    std::setvbuf(file_, nullptr, _IONBF, 0);
    return true;
}

void ReportFileWriter::WriteLarge(const char* bytes, size_t size) {
    Flush();
    if (size <= kBufferSize) {
        std::memcpy(buffer_, bytes, size);
        used_ = size;
        return;
    }
    if (error_ == 0 && file_ != nullptr && std::fwrite(bytes, 1, size, file_) != size) {
        Fail(errno);
    }
}

void ReportFileWriter::Flush() {
    if (used_ > 0 && error_ == 0 && file_ != nullptr &&
        std::fwrite(buffer_, 1, used_, file_) != used_) {
        Fail(errno);
    }
    used_ = 0;
}

bool ReportFileWriter::Close() {
    if (file_ == nullptr) {
        return false;
    }
    Flush();
    std::FILE* file = file_;
    file_ = nullptr;
    if (std::fclose(file) != 0) {
        Fail(errno);
    }
    return error_ == 0;
}

std::string ReportFileWriter::FailureReason() const {
    return error_ == 0 ? std::string() : std::string(std::strerror(error_));
}

void ReportFileWriter::Fail(int error) {
    if (error_ == 0) {
        error_ = error != 0 ? error : EIO;
    }
}

bool EnsureReportFolder(std::string* reason) {
    if (MakeFolder("report") == 0) {
        return true;
    }
    const int mkdirError = errno;
    if (mkdirError == EEXIST && IsFolder("report")) {
        return true;
    }
    const int error = mkdirError == EEXIST ? ENOTDIR : mkdirError;
    if (reason != nullptr) {
        *reason = std::strerror(error);
    }
    return false;
}
