#include "reports/report_file.h"

#include <sys/stat.h>

#include <cerrno>

#include "base/paths.h"
#include "base/system_reason.h"

#ifdef _WIN32
#include <direct.h>
#endif

namespace {

int MakeFolder(const char* path) {
#ifdef _WIN32
    return _mkdir(path);
#else
    return mkdir(path, 0777);
#endif
}

}  // namespace

bool ReportFileWriter::Open(const std::string& path) {
    open_ = file_.Begin(path);
    return open_;
}

void ReportFileWriter::WriteLarge(const char* bytes, size_t size) {
    Flush();
    if (size <= kBufferSize) {
        std::memcpy(buffer_, bytes, size);
        used_ = size;
        return;
    }
    if (open_) {
        open_ = file_.Write(bytes, size);
    }
}

void ReportFileWriter::Flush() {
    if (used_ > 0 && open_) {
        open_ = file_.Write(buffer_, used_);
    }
    used_ = 0;
}

bool ReportFileWriter::Close() {
    Flush();
    const bool whole = open_ && file_.Finish() && file_.Commit();
    if (!whole) {
        file_.Discard();
    }
    open_ = false;
    return whole;
}

std::string ReportFileWriter::FailureReason() const {
    const SystemError failure = file_.Failure();
    return failure.code == 0 ? std::string() : SystemReasonText(failure);
}

bool WriteReportFile(const std::string& path, std::string_view bytes,
                     std::vector<ReportFailure>& failures) {
    return WriteReportFile(path, failures, [bytes](ReportFileWriter& out) { out.Write(bytes); });
}

bool ReportFileSet::Add(const std::string& path, std::string_view bytes,
                        std::vector<ReportFailure>& failures) {
    auto file = std::make_unique<FileReplacement>();
    if (!file->Begin(path) || !file->Write(bytes.data(), bytes.size()) || !file->Finish()) {
        failures.push_back({path, SystemReasonText(file->Failure())});
        files_.clear();  // the set is spent: every temporary goes now
        return false;
    }
    paths_.push_back(path);
    files_.push_back(std::move(file));
    return true;
}

void ReportFileSet::AddFinished(const std::string& path, std::unique_ptr<FileReplacement> file) {
    paths_.push_back(path);
    files_.push_back(std::move(file));
}

bool ReportFileSet::Commit(std::vector<ReportFailure>& failures) {
    for (size_t i = 0; i < files_.size(); ++i) {
        if (!files_[i]->CanReplace()) {
            failures.push_back({paths_[i], SystemReasonText(files_[i]->Failure())});
            files_.clear();
            return false;
        }
    }
    for (size_t i = 0; i < files_.size(); ++i) {
        if (!files_[i]->Commit()) {
            failures.push_back({paths_[i], SystemReasonText(files_[i]->Failure())});
            files_.clear();
            return false;
        }
    }
    files_.clear();
    return true;
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
        *reason = SystemReasonText(error);
    }
    return false;
}
