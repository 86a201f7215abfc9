#include "base/system_files.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "base/cp1250.h"
#include "base/system_reason.h"

#ifdef _WIN32
#include <direct.h>
#include <process.h>
#include <wchar.h>
#else
#include <unistd.h>
#endif

namespace {

#ifdef _WIN32
std::wstring Wide(const std::string& cp1250) {
    const std::u16string utf16 = Cp1250ToUtf16(cp1250);
    return std::wstring(utf16.begin(), utf16.end());
}
#else
std::string Native(const std::string& cp1250) {
    return Cp1250ToUtf8(cp1250);
}
#endif

}  // namespace

#ifdef _WIN32

std::FILE* OpenFile(const std::string& path, const char* mode) {
    return _wfopen(Wide(path).c_str(), Wide(mode).c_str());
}

int StatPath(const std::string& path, struct stat& info) {
    return wstat(Wide(path).c_str(), &info);
}

int RemoveFile(const std::string& path) {
    return _wremove(Wide(path).c_str());
}

int RemoveFolder(const std::string& path) {
    return _wrmdir(Wide(path).c_str());
}

unsigned long ProcessId() {
    return static_cast<unsigned long>(_getpid());
}

int ChangeFolder(const std::string& path) {
    return _wchdir(Wide(path).c_str());
}

std::string FullPath(const std::string& path) {
    wchar_t full[4096];
    if (_wfullpath(full, Wide(path).c_str(), sizeof full / sizeof full[0]) == nullptr) {
        return "";
    }
    const std::wstring wide(full);
    return Utf16ToCp1250(std::u16string(wide.begin(), wide.end()));
}

#else

std::FILE* OpenFile(const std::string& path, const char* mode) {
    return std::fopen(Native(path).c_str(), mode);
}

int StatPath(const std::string& path, struct stat& info) {
    return stat(Native(path).c_str(), &info);
}

int RemoveFile(const std::string& path) {
    return std::remove(Native(path).c_str());
}

int RemoveFolder(const std::string& path) {
    return rmdir(Native(path).c_str());
}

unsigned long ProcessId() {
    return static_cast<unsigned long>(getpid());
}

int ChangeFolder(const std::string& path) {
    return chdir(Native(path).c_str());
}

std::string FullPath(const std::string& path) {
    char full[PATH_MAX];
    return realpath(Native(path).c_str(), full) != nullptr ? Utf8ToCp1250(full) : "";
}

#endif

bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& reason) {
    std::FILE* file = OpenFile(path, "rb");
    if (file == nullptr) {
        reason = SystemReasonText(errno);
        return false;
    }
    char block[65536];
    size_t got = 0;
    while ((got = std::fread(block, 1, sizeof block, file)) > 0 && bytes.size() < (64u << 20)) {
        bytes.append(block, got);
    }
    const bool failed = std::ferror(file) != 0;
    static constexpr Cp1250Literal kTooLarge{"soubor je větší než 64 MB"};
    reason = failed ? SystemReasonText(errno) : bytes.size() >= (64u << 20) ? kTooLarge.str() : "";
    std::fclose(file);
    return reason.empty();
}
