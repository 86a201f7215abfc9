#include "reports/report_file.h"

#include <sys/stat.h>

#include <cerrno>

#include "base/cp1250.h"
#include "base/paths.h"

#ifdef _WIN32
#include <direct.h>
#include <share.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

#ifdef _WIN32
// The path in the form that Windows takes literally: an animation named CON.avi, whose report
// CON.avi_2015-03.txt Windows would otherwise take for the console, gets a file of that name.
std::wstring LiteralPath(const std::string& path) {
    const std::wstring relative = reinterpret_cast<const wchar_t*>(Cp1250ToUtf16(path).c_str());
    const size_t separator = relative.find_last_of(L'\\');
    if (separator == std::wstring::npos) {
        return relative;
    }
    std::wstring full(32768, L'\0');
    const DWORD size = GetFullPathNameW(relative.substr(0, separator).c_str(),
                                        static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (size == 0 || size >= full.size()) {
        return relative;
    }
    full.resize(size);
    const std::wstring prefix = full.rfind(L"\\\\", 0) == 0 ? L"\\\\?\\UNC" : L"\\\\?\\";
    return prefix + full.substr(full.rfind(L"\\\\", 0) == 0 ? 1 : 0) + relative.substr(separator);
}
#endif

// File names are Windows-1250 bytes; the file system gets them in its own encoding.
std::FILE* OpenDenyingWriters(const std::string& path) {
#ifdef _WIN32
    return _wfsopen(LiteralPath(path).c_str(), L"wb", _SH_DENYWR);
#else
    // Writers are kept out as far as POSIX can: a program holding a lock on the file (as
    // spreadsheets do) makes the open fail, and ours is held while the report is written. The
    // old content is dropped only once the lock is ours.
    const int fd = open(Cp1250ToUtf8(path).c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        return nullptr;
    }
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    struct stat info {};
    int error = 0;
    if (fcntl(fd, F_SETLK, &lock) != 0 && (errno == EACCES || errno == EAGAIN)) {
        error = EACCES;  // as Windows says it of a file another program holds
    } else if (fstat(fd, &info) != 0 || (S_ISREG(info.st_mode) && ftruncate(fd, 0) != 0)) {
        error = errno;
    }
    std::FILE* file = error == 0 ? fdopen(fd, "wb") : nullptr;
    if (file == nullptr) {
        error = error != 0 ? error : errno;
        close(fd);
        errno = error;
    }
    return file;
#endif
}

int MakeFolder(const char* path) {
#ifdef _WIN32
    return _mkdir(path);
#else
    return mkdir(path, 0777);
#endif
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

bool WriteReportFile(const std::string& path, std::string_view bytes,
                     std::vector<ReportFailure>& failures) {
    return WriteReportFile(path, failures, [bytes](ReportFileWriter& out) { out.Write(bytes); });
}
