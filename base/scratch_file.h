#pragma once
// A file of the program's own scratch: made new, written through the system's own calls so that
// a full disk says so in its own words, and closed without waiting for the disk: it is read back
// and removed, and a crash leaves only it behind, never a torn report.
#include <cstddef>
#include <string>

#include "base/system_reason.h"

class ScratchFile {
public:
    ScratchFile() = default;
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;
    ~ScratchFile() { static_cast<void>(Close()); }

    // path: Windows-1250 bytes; refuses one that is there already.
    [[nodiscard]] bool Create(const std::string& path);
    [[nodiscard]] bool Write(const char* bytes, size_t size);
    // Whether every byte written is in the file.
    [[nodiscard]] bool Close();

    // The first failure, or {} while there is none.
    SystemError Failure() const { return failure_; }

private:
    bool Fail(SystemError failure) {
        failure_ = failure_.code != 0 ? failure_ : failure;  // the first one says why
        return false;
    }

    SystemError failure_{};
#ifdef _WIN32
    void* file_ = nullptr;
#else
    int file_ = -1;
#endif
};
