#pragma once
// A file put in place of an old one whole or not at all: written to a temporary file in the
// same folder, flushed to the disk, then renamed over the old one in one step. Until the rename
// the old file stays as it was; a replacement that is not committed removes its temporary.
#include <cstddef>
#include <string>

#include "base/system_reason.h"

class FileReplacement {
public:
    FileReplacement() = default;
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;
    ~FileReplacement() { Discard(); }

    // path: Windows-1250 bytes, relative to the working directory. Refuses a folder or a device
    // in the file's place and a file another program holds; other writers are denied the old
    // file until the rename, readers are not.
    [[nodiscard]] bool Begin(const std::string& path);
    [[nodiscard]] bool Write(const char* bytes, size_t size);
    // Flushes the temporary to the disk and closes it; it is whole then.
    [[nodiscard]] bool Finish();
    // Whether the rename can take the old file's place; a set asks each member before any
    // rename, so that a file held since Begin does not leave the set half replaced.
    [[nodiscard]] bool CanReplace();
    // Renames the finished temporary over the old file and makes the rename durable.
    [[nodiscard]] bool Commit();
    // Closes and removes the temporary, if any; the old file is untouched.
    void Discard();

    // The first failure, or {} while there is none.
    SystemError Failure() const { return failure_; }

private:
    bool Fail(SystemError failure);
    void ReleaseTarget();

    std::string path_;
    std::string temporary_;  // empty when there is none
    SystemError failure_{};
#ifdef _WIN32
    void* file_ = nullptr;    // the temporary, while open
    void* target_ = nullptr;  // the old file, held against other writers
    bool oldFileWritable_ = false;
#else
    void StartWriteBack();

    int file_ = -1;
    int target_ = -1;                                // the old file, with our lock on it
    unsigned long long written_ = 0, flushing_ = 0;  // bytes, and those sent to the disk
#endif
};

// Writes all the bytes to a file the system has open; the failure, or {}.
#ifdef _WIN32
[[nodiscard]] SystemError WriteAll(void* file, const char* bytes, size_t size);
#else
[[nodiscard]] SystemError WriteAll(int file, const char* bytes, size_t size);
#endif

// A name of the temporary beside path: the folder of path and a name no report has.
std::string TemporaryPathBeside(const std::string& path, unsigned long process, unsigned attempt);
