#pragma once
// One report file being written: created or truncated, other writers denied while it is open
// where the platform has that, filled through a buffer, every open, write and close checked.
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "reports/report_result.h"

class ReportFileWriter {
public:
    ReportFileWriter() = default;
    ReportFileWriter(const ReportFileWriter&) = delete;
    ReportFileWriter& operator=(const ReportFileWriter&) = delete;
    ~ReportFileWriter();  // closes a file left open after a failure, reporting nothing

    // path: Windows-1250 bytes, relative to the working directory.
    bool Open(const std::string& path);

    void Write(const char* bytes, size_t size) {
        if (size > kBufferSize - used_) {
            WriteLarge(bytes, size);
            return;
        }
        std::memcpy(buffer_ + used_, bytes, size);
        used_ += size;
    }
    void Write(std::string_view text) { Write(text.data(), text.size()); }
    void Put(char c) {
        if (used_ == kBufferSize) {
            Flush();
        }
        buffer_[used_++] = c;
    }

    // Writes out what is buffered and closes. False when the open, a write or the close failed.
    bool Close();

    // The system's reason for the first failure, empty while there is none.
    std::string FailureReason() const;

private:
    static constexpr size_t kBufferSize = 64 * 1024;

    void WriteLarge(const char* bytes, size_t size);
    void Flush();
    void Fail(int error);

    std::FILE* file_ = nullptr;
    int error_ = 0;
    size_t used_ = 0;
    char buffer_[kBufferSize];
};

// Writes bytes as the whole of a report file; a failure is added to failures with the system's
// reason. The one way a report file is written in one piece.
bool WriteReportFile(const std::string& path, std::string_view bytes,
                     std::vector<ReportFailure>& failures);

// Creates the folder "report" in the working directory unless it is already there. On failure
// returns false and stores the system's reason.
bool EnsureReportFolder(std::string* reason);
