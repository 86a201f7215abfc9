#include <windows.h>

#include <atomic>

#include "base/cp1250.h"
#include "base/replaced_file.h"

namespace {

SystemError LastError() {
    const DWORD error = GetLastError();
    return {static_cast<int>(error != 0 ? error : ERROR_GEN_FAILURE), true};
}

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

// The old file opened for writing, sharing reading and deleting: a program that writes it (or
// shares no writing) keeps us out, other writers are kept out while the temporary is written,
// and readers are not. Null without an old file.
HANDLE HoldOldFile(const std::wstring& path, SystemError& failure) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const SystemError error = LastError();
        const bool missing =
            error.code == ERROR_FILE_NOT_FOUND || error.code == ERROR_PATH_NOT_FOUND;
        failure = missing ? SystemError{} : error;
        return nullptr;
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        failure = {EISDIR, false};
        return nullptr;
    }
    const HANDLE file =
        CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        failure = LastError();
        return nullptr;
    }
    return file;
}

// Why the old file cannot be renamed over, {} when it can: a program holding it without sharing
// deleting (or a missing file, which needs none).
SystemError DeleteRefusal(const std::wstring& path) {
    const HANDLE old =
        CreateFileW(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (old != INVALID_HANDLE_VALUE) {
        CloseHandle(old);
        return {};
    }
    const SystemError error = LastError();
    return error.code == ERROR_FILE_NOT_FOUND ? SystemError{} : error;
}

std::atomic<unsigned> attempts{0};

}  // namespace

bool FileReplacement::Begin(const std::string& path) {
    Discard();
    path_ = path;
    failure_ = {};
    SystemError refused{};
    target_ = HoldOldFile(LiteralPath(path), refused);
    oldFileWritable_ = target_ != nullptr;
    if (refused.code != 0) {
        return Fail(refused);
    }
    for (;;) {
        const std::string temporary = TemporaryPathBeside(path, GetCurrentProcessId(), ++attempts);
        const HANDLE file = CreateFileW(LiteralPath(temporary).c_str(), GENERIC_WRITE, 0, nullptr,
                                        CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            file_ = file;
            temporary_ = temporary;
            return true;
        }
        if (GetLastError() != ERROR_FILE_EXISTS) {
            const SystemError error = LastError();
            ReleaseTarget();
            return Fail(error);
        }
    }
}

SystemError WriteAll(void* file, const char* bytes, size_t size) {
    while (size > 0) {
        const DWORD piece = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!WriteFile(file, bytes, piece, &written, nullptr) || written == 0) {
            return written == 0 && GetLastError() == 0 ? SystemError{ENOSPC, false} : LastError();
        }
        bytes += written;
        size -= written;
    }
    return {};
}

bool FileReplacement::Write(const char* bytes, size_t size) {
    if (failure_.code == 0) {
        Fail(WriteAll(file_, bytes, size));
    }
    return failure_.code == 0;
}

bool FileReplacement::Finish() {
    if (file_ == nullptr || failure_.code != 0) {
        return Fail({ERROR_INVALID_HANDLE, true});
    }
    const bool flushed = FlushFileBuffers(file_) != 0;
    const SystemError flushError = LastError();
    const bool closed = CloseHandle(file_) != 0;
    const SystemError closeError = LastError();
    file_ = nullptr;
    return flushed ? (closed || Fail(closeError)) : Fail(flushError);
}

bool FileReplacement::CanReplace() {
    if (failure_.code != 0 || temporary_.empty() || file_ != nullptr) {
        return false;
    }
    ReleaseTarget();
    // A reader that shares no deleting stops the rename; asked for here, before any rename.
    const SystemError refusal = DeleteRefusal(LiteralPath(path_));
    return refusal.code == 0 || Fail(refusal);
}

bool FileReplacement::Commit() {
    if (failure_.code != 0 || temporary_.empty() || file_ != nullptr) {
        return Fail({ERROR_INVALID_HANDLE, true});
    }
    ReleaseTarget();
    if (!MoveFileExW(LiteralPath(temporary_).c_str(), LiteralPath(path_).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        SystemError error = LastError();
        // The rename says only "access denied" of an old file that is open, even where the
        // program holding it shares deleting; one we could open for writing is not read-only.
        if (error.code == ERROR_ACCESS_DENIED && oldFileWritable_) {
            error = {ERROR_SHARING_VIOLATION, true};
        }
        Discard();
        return Fail(error);
    }
    temporary_.clear();
    return true;
}

void FileReplacement::Discard() {
    if (file_ != nullptr) {
        CloseHandle(file_);
        file_ = nullptr;
    }
    if (!temporary_.empty()) {
        DeleteFileW(LiteralPath(temporary_).c_str());
        temporary_.clear();
    }
    ReleaseTarget();
}

void FileReplacement::ReleaseTarget() {
    if (target_ != nullptr) {
        CloseHandle(target_);
        target_ = nullptr;
    }
}
