#pragma once
// One report file being written: beside the old one, filled through a buffer, every step
// checked, and put in its place whole or not at all (base/replaced_file.h).
#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/replaced_file.h"
#include "reports/report_result.h"

class ReportFileWriter {
public:
    ReportFileWriter() = default;
    ReportFileWriter(const ReportFileWriter&) = delete;
    ReportFileWriter& operator=(const ReportFileWriter&) = delete;

    // path: Windows-1250 bytes, relative to the working directory.
    [[nodiscard]] bool Open(const std::string& path);

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

    // Writes out what is buffered and puts the file in place of the old one. False when a step
    // failed; the old file is then as it was and the temporary removed.
    [[nodiscard]] bool Close();

    // The system's reason for the first failure in Czech, empty while there is none.
    std::string FailureReason() const;

private:
    static constexpr size_t kBufferSize = 64 * 1024;

    void WriteLarge(const char* bytes, size_t size);
    void Flush();

    FileReplacement file_;
    bool open_ = false;
    size_t used_ = 0;
    char buffer_[kBufferSize];
};

// The one way every report file is written: opened, filled by write(out), closed, and a failure
// of any of these added to failures with the system's reason. True when the file is whole.
template <typename Write>
[[nodiscard]] bool WriteReportFile(const std::string& path, std::vector<ReportFailure>& failures,
                                   const Write& write) {
    ReportFileWriter out;
    if (out.Open(path)) {
        write(out);
        if (out.Close()) {
            return true;
        }
    }
    failures.push_back({path, out.FailureReason()});
    return false;
}

// The same for bytes made beforehand.
[[nodiscard]] bool WriteReportFile(const std::string& path, std::string_view bytes,
                                   std::vector<ReportFailure>& failures);

// Files that belong together, replaced all or none: each is written beside its old one first,
// and only when all are whole are they renamed into place.
class ReportFileSet {
public:
    // Writes bytes beside path. False, with the failure added, when it could not be whole; the
    // temporaries of the set are removed then.
    [[nodiscard]] bool Add(const std::string& path, std::string_view bytes,
                           std::vector<ReportFailure>& failures);
    // A file written whole beside path by the caller, renamed with the others.
    void AddFinished(const std::string& path, std::unique_ptr<FileReplacement> file);
    // Renames every file added into place when each of them can still be; false, with the
    // failure added, when one cannot, and then no old file has been replaced.
    [[nodiscard]] bool Commit(std::vector<ReportFailure>& failures);
    // The paths added, in order.
    const std::vector<std::string>& Paths() const { return paths_; }

private:
    std::vector<std::string> paths_;
    std::vector<std::unique_ptr<FileReplacement>> files_;  // removed unless committed
};

// Creates the folder "report" in the working directory unless it is already there. On failure
// returns false and stores the system's reason.
[[nodiscard]] bool EnsureReportFolder(std::string* reason);
