// Writes all detail reports (and the summary) of a generated month and prints the wall times.
//   bench_reports [--plays N] [--animations K] [--runs R] [--dir DIR] [--varied-lengths 1]
// --varied-lengths gives every play a length of its own (the worst case of number formatting).
// The files go to DIR/report (default: a folder in the system's temporary directory).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "logdata/totals.h"
#include "tests/logdata/step_by_step.h"
#include "reports/report_writers.h"

namespace {

struct Options {
    int plays = 1000000;
    int animations = 100;
    int runs = 5;
    bool variedLengths = false;
    std::string dir;
};

bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        if (name == "--plays") {
            options.plays = std::atoi(argv[i + 1]);
        } else if (name == "--animations") {
            options.animations = std::atoi(argv[i + 1]);
        } else if (name == "--runs") {
            options.runs = std::atoi(argv[i + 1]);
        } else if (name == "--varied-lengths") {
            options.variedLengths = std::atoi(argv[i + 1]) != 0;
        } else if (name == "--dir") {
            options.dir = argv[i + 1];
        } else {
            return false;
        }
    }
    return argc % 2 == 1 && options.plays > 0 && options.animations > 0 && options.runs > 0;
}

// Sorted as a load leaves them: by name, each animation's plays spread through March.
void FillLog(PlaybackLog& log, const Options& options) {
    log.records = static_cast<PlaybackRecord*>(
        std::calloc(static_cast<size_t>(options.plays), sizeof(PlaybackRecord)));
    log.recordCapacity = options.plays;
    const int perAnimation = options.plays / options.animations;
    for (int i = 0; i < options.plays; ++i) {
        const int animation = std::min(i / std::max(perAnimation, 1), options.animations - 1);
        const int step = i % std::max(perAnimation, 1);
        PlaybackRecord& record = log.records[i];
        std::snprintf(record.name, kNameSize, "C:\\spots\\spot_%03d.avi", animation);
        const int minuteOfMonth =
            static_cast<int>(static_cast<long long>(step) * 44640 / std::max(perAnimation, 1));
        record.time.wYear = 2026;
        record.time.wMonth = 3;
        record.time.wDay = static_cast<uint16_t>(1 + minuteOfMonth / 1440);
        record.time.wHour = static_cast<uint16_t>(minuteOfMonth / 60 % 24);
        record.time.wMinute = static_cast<uint16_t>(minuteOfMonth % 60);
        record.time.wSecond = static_cast<uint16_t>(step % 60);
        record.length =
            10.0 + animation % 7 * 2.5 + (options.variedLengths ? step % 1000 * 0.01 : 0);
    }
    log.recordCount = options.plays;
    BuildTotals(log);
}

template <class Work>
void Measure(const char* what, int runs, const Work& work) {
    std::vector<double> seconds;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        if (!work()) {
            std::fprintf(stderr, "%s: a report file could not be written\n", what);
            std::exit(1);
        }
        seconds.push_back(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(seconds.begin(), seconds.end());
    std::printf("%-28s median %.3f s  min %.3f s  max %.3f s  (%d runs)\n", what,
                seconds[seconds.size() / 2], seconds.front(), seconds.back(), runs);
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: bench_reports [--plays N] [--animations K] [--runs R] [--dir DIR] "
                     "[--varied-lengths 1]\n");
        return 2;
    }
    namespace fs = std::filesystem;
    const fs::path dir = options.dir.empty() ? fs::temp_directory_path() / "kv_bench_reports"
                                             : fs::path(options.dir);
    fs::create_directories(dir / "report");
    fs::current_path(dir);

    PlaybackLog log;
    FillLog(log, options);
    std::printf("%d plays, %d animations, files in %s\n", log.recordCount, log.totalCount,
                (dir / "report").string().c_str());
    const ReportMonth month{2026, 3};
    Measure("all detail reports", options.runs,
            [&] { return Succeeded(WriteAllDetailFiles(log, month, ',')); });
    Measure("summary report", options.runs,
            [&] { return Succeeded(WriteSummaryFiles(log, month, ',')); });
    return 0;
}
