// Each input loaded by the product's load path, then its summary and all its detail reports
// written into a scratch folder and compared, file by file and byte by byte, with what the
// step-by-step reference writers give.
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz/fuzz_input.h"
#include "logdata/month_load.h"
#include "reports/report_writers.h"
#include "tests/logdata/test_support.h"
#include "tests/reports/reference_reports.h"

namespace {

std::string ReadFile(const std::string& path) {
    std::string bytes;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        char buffer[65536];
        for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
            bytes.append(buffer, got);
        }
        std::fclose(file);
    }
    return bytes;
}

// Every file in report/, which is emptied for the next input.
ReferenceFiles TakeReportFiles() {
    ReferenceFiles files;
    DIR* dir = opendir("report");
    while (const dirent* entry = dir != nullptr ? readdir(dir) : nullptr) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") {
            const std::string path = "report/" + name;
            files[path] = ReadFile(path);
            unlink(path.c_str());
        }
    }
    if (dir != nullptr) {
        closedir(dir);
    }
    return files;
}

std::string List(const ReferenceFiles& files) {
    std::string text;
    for (const auto& [path, bytes] : files) {
        text += path + " (" + std::to_string(bytes.size()) + " bytes)\n" + bytes + "\n";
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SetTimeZone("UTC");
    // Memory-backed where there is one: a disk's file creation would set the pace.
    const char* base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    const std::string scratch = std::string(base) + "/kv-report-fuzz-" + std::to_string(getpid());
    mkdir(scratch.c_str(), 0755);
    if (chdir(scratch.c_str()) != 0 || (mkdir("report", 0755) != 0 && errno != EEXIST)) {
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static PlaybackLog log;
    const FuzzInput input = ReadFuzzInput(data, size);
    log.filter = input.filter;
    if (LoadSortAndGroupBytes(input.log, log).status != LoadStatus::kLoaded) {
        return 0;
    }
    const ReportMonth month{2015, 3};
    ReferenceFiles expected;
    ReferenceSummaryFiles(log, month, input.decimalSeparator, expected);
    const int refused = ReferenceAllDetailFiles(log, month, input.decimalSeparator, expected);
    const ReportResult summary = WriteSummaryFiles(log, month, input.decimalSeparator);
    const ReportResult details = WriteAllDetailFiles(log, month, input.decimalSeparator);
    const ReferenceFiles written = TakeReportFiles();

    if (!Succeeded(summary) || details.failures.size() != static_cast<size_t>(refused)) {
        std::string named;
        for (const ReportResult* result : {&summary, &details}) {
            for (const ReportFailure& failure : result->failures) {
                named += failure.path + ": " + failure.reason + "\n";
            }
        }
        Mismatch("failures", named, std::to_string(refused) + " refused detail names");
    }
    if (written != expected) {
        Mismatch("report files", List(written), List(expected));
    }
    return 0;
}
