// bench_load: wall time and peak memory of loading a month.
//   bench_load inproc RUNS FILE         load + sort + group in this process, a fresh log each run
//   bench_load exec RUNS CMD [ARGS...]  run a command RUNS times (its output discarded)
// Prints "median min max" wall seconds and the peak resident memory in MB.
#include <sys/resource.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "logdata/month_load.h"

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

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 4 && std::string(argv[1]) == "inproc") {
        return InProcess(std::atoi(argv[2]), argv[3]);
    }
    if (argc >= 4 && std::string(argv[1]) == "exec") {
        return Execute(std::atoi(argv[2]), argv + 3);
    }
    std::fprintf(stderr, "usage: bench_load inproc RUNS FILE | exec RUNS CMD [ARGS...]\n");
    return 2;
}
