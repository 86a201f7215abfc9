#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

#include "base/cp1250.h"
#include "base/replaced_file.h"

namespace {

SystemError Errno(int error) {
    return {error != 0 ? error : EIO, false};
}

// The old file's lock: a program holding one (as spreadsheets do) keeps us out, and ours keeps
// other writers out while the temporary is written. -1 with errno when there is no old file.
int LockOldFile(const std::string& native, SystemError& failure) {
    struct stat info {};
    if (stat(native.c_str(), &info) != 0) {
        failure = errno == ENOENT ? SystemError{} : Errno(errno);
        return -1;
    }
    if (S_ISDIR(info.st_mode) || !S_ISREG(info.st_mode)) {
        failure = Errno(S_ISDIR(info.st_mode) ? EISDIR : ENODEV);
        return -1;
    }
    const int fd = open(native.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        failure = Errno(errno);
        return -1;
    }
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    if (fcntl(fd, F_SETLK, &lock) != 0) {
        failure = Errno(errno == EACCES || errno == EAGAIN ? EBUSY : errno);
        close(fd);
        return -1;
    }
    return fd;
}

// A crash between the write and the rename may leave a temporary, never a torn report: the
// rename only follows a flush to the disk, and the folder is synced after it.
void SyncFolderOf(const std::string& native) {
    const size_t separator = native.find_last_of('/');
    const std::string folder = separator == std::string::npos ? "." : native.substr(0, separator);
    const int fd = open(folder.empty() ? "/" : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);  // the rename has happened; a folder that cannot be synced takes it back not
        close(fd);
    }
}

std::atomic<unsigned> attempts{0};

// The bytes written before the disk is asked to take them.
constexpr unsigned long long kWriteBackBlock = 8 << 20;

}  // namespace

bool FileReplacement::Begin(const std::string& path) {
    Discard();
    path_ = path;
    failure_ = {};
    written_ = flushing_ = 0;
    SystemError refused{};
    target_ = LockOldFile(Cp1250ToUtf8(path), refused);
    if (refused.code != 0) {
        return Fail(refused);
    }
    for (;;) {
        const std::string temporary =
            TemporaryPathBeside(path, static_cast<unsigned long>(getpid()), ++attempts);
        file_ =
            open(Cp1250ToUtf8(temporary).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (file_ >= 0) {
            temporary_ = temporary;
            return true;
        }
        if (errno != EEXIST) {
            const int error = errno;
            ReleaseTarget();
            return Fail(Errno(error));
        }
    }
}

SystemError WriteAll(int file, const char* bytes, size_t size) {
    while (size > 0) {
        const ssize_t written = write(file, bytes, size);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return Errno(written < 0 ? errno : ENOSPC);
        }
        bytes += written;
        size -= static_cast<size_t>(written);
    }
    return {};
}

bool FileReplacement::Write(const char* bytes, size_t size) {
    if (failure_.code == 0) {
        Fail(WriteAll(file_, bytes, size));
        written_ += size;
        StartWriteBack();
    }
    return failure_.code == 0;
}

// A large report goes to the disk while it is written, so that the flush that ends it waits
// for its last blocks only.
void FileReplacement::StartWriteBack() {
#ifdef __linux__
    if (failure_.code == 0 && written_ - flushing_ >= kWriteBackBlock) {
        sync_file_range(file_, static_cast<off_t>(flushing_),
                        static_cast<off_t>(written_ - flushing_), SYNC_FILE_RANGE_WRITE);
        flushing_ = written_;
    }
#endif
}

bool FileReplacement::Finish() {
    if (file_ < 0 || failure_.code != 0) {
        return Fail(Errno(EBADF));
    }
    const bool synced = fsync(file_) == 0;
    const int syncError = errno;
    const bool closed = close(file_) == 0;
    const int closeError = errno;
    file_ = -1;
    return synced ? (closed || Fail(Errno(closeError))) : Fail(Errno(syncError));
}

bool FileReplacement::CanReplace() {
    return failure_.code == 0 && !temporary_.empty() && file_ < 0;
}

bool FileReplacement::Commit() {
    if (!CanReplace()) {
        return Fail(Errno(EBADF));
    }
    const std::string native = Cp1250ToUtf8(path_);
    if (rename(Cp1250ToUtf8(temporary_).c_str(), native.c_str()) != 0) {
        const int error = errno;
        Discard();
        return Fail(Errno(error));
    }
    temporary_.clear();
    SyncFolderOf(native);
    ReleaseTarget();
    return true;
}

void FileReplacement::Discard() {
    if (file_ >= 0) {
        close(file_);
        file_ = -1;
    }
    if (!temporary_.empty()) {
        unlink(Cp1250ToUtf8(temporary_).c_str());
        temporary_.clear();
    }
    ReleaseTarget();
}

void FileReplacement::ReleaseTarget() {
    if (target_ >= 0) {
        close(target_);
        target_ = -1;
    }
}
