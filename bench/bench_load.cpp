// bench_load: wall time and peak memory of loading a month.
//   bench_load inproc RUNS FILE         load + sort + group in this process, a fresh log each run
//   bench_load exec RUNS CMD [ARGS...]  run a command RUNS times (its output discarded)
//   bench_load html RUNS FILE DIR       load, then write the month's page into DIR/report
// Prints "median min max" wall seconds and the peak resident memory in MB.
#include <sys/resource.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "logdata/month_load.h"
#include "reports/html_report.h"

namespace {

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

void Report(const char* what, std::vector<double> times, long peakKb) {
    std::sort(times.begin(), times.end());
    std::printf("%-28s median %.3f s  min %.3f s  max %.3f s  peak %.0f MB  (%zu runs)\n", what,
                times[times.size() / 2], times.front(), times.back(), peakKb / 1024.0,
                times.size());
}

int InProcess(int runs, const char* file) {
    std::vector<double> times;
    int records = 0;
    int totals = 0;
    double arrayMb = 0;
    for (int i = 0; i < runs; ++i) {
        PlaybackLog log;
        const auto start = std::chrono::steady_clock::now();
        const LoadResult result = LoadSortAndGroup(file, log);
        times.push_back(Seconds(start));
        if (result.status != LoadStatus::kLoaded) {
            std::fprintf(stderr, "bench_load: %s did not load\n", file);
            return 1;
        }
        records = log.recordCount;
        arrayMb = static_cast<double>(log.recordCapacity) * sizeof(PlaybackRecord) / (1 << 20);
        totals = log.totalCount;
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    char what[64];
    std::snprintf(what, sizeof what, "in process (%d plays, %d rows)", records, totals);
    Report(what, times, usage.ru_maxrss);
    std::printf("%-28s %.0f MB\n", "record array", arrayMb);
    return 0;
}

int Execute(int runs, char** command) {
    std::vector<double> times;
    long peakKb = 0;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        const pid_t child = fork();
        if (child == 0) {
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, STDOUT_FILENO);
            execvp(command[0], command);
            _exit(127);
        }
        int status = 0;
        rusage usage{};
        wait4(child, &status, 0, &usage);
        times.push_back(Seconds(start));
        peakKb = std::max(peakKb, usage.ru_maxrss);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            std::fprintf(stderr, "bench_load: %s failed\n", command[0]);
            return 1;
        }
    }
    std::string what = command[0];
    what = what.substr(what.rfind('/') + 1);
    Report(what.c_str(), times, peakKb);
    return 0;
}

// The page's time against the load's, on the same month; the page's size should follow the
// number of animations only.
int HtmlPage(int runs, const char* file, const char* dir) {
    namespace fs = std::filesystem;
    ReportMonth month{};
    if (std::sscanf(fs::path(file).filename().string().c_str(), "AVI_%u-%u", &month.year,
                    &month.month) != 2) {
        std::fprintf(stderr, "bench_load: %s is not named AVI_YYYY-MM.txt\n", file);
        return 2;
    }
    const fs::path log = fs::absolute(file);
    fs::create_directories(fs::path(dir) / "report");
    fs::current_path(dir);
    std::vector<double> loads;
    std::vector<double> pages;
    PlaybackLog playbackLog;
    for (int i = 0; i < runs; ++i) {
        auto start = std::chrono::steady_clock::now();
        if (LoadSortAndGroup(log.string().c_str(), playbackLog).status != LoadStatus::kLoaded) {
            std::fprintf(stderr, "bench_load: %s did not load\n", file);
            return 1;
        }
        loads.push_back(Seconds(start));
        start = std::chrono::steady_clock::now();
        if (!Succeeded(WriteHtmlReport(playbackLog, month, SystemTime{}))) {
            std::fprintf(stderr, "bench_load: the page could not be written in %s\n", dir);
            return 1;
        }
        pages.push_back(Seconds(start));
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    Report("load for the page", loads, usage.ru_maxrss);
    Report("html page", pages, usage.ru_maxrss);
    const auto size = fs::file_size(SummaryReportPath(month, ReportFileType::kHtml));
    std::printf("%-28s %.0f KB for %d animations, %d plays\n", "page size", size / 1024.0,
                playbackLog.totalCount, playbackLog.recordCount);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 4 && std::string(argv[1]) == "inproc") {
        return InProcess(std::atoi(argv[2]), argv[3]);
    }
    if (argc >= 4 && std::string(argv[1]) == "exec") {
        return Execute(std::atoi(argv[2]), argv + 3);
    }
    if (argc == 5 && std::string(argv[1]) == "html") {
        return HtmlPage(std::atoi(argv[2]), argv[3], argv[4]);
    }
    std::fprintf(stderr,
                 "usage: bench_load inproc RUNS FILE | exec RUNS CMD [ARGS...] | html RUNS FILE "
                 "DIR\n");
    return 2;
}
