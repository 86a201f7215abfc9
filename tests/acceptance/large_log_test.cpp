// Logs of many megabytes: long and odd lines anywhere in the file, and plays of one name far
// apart, give the same result as in a small log.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>

#include "tests/acceptance/cli_process.h"

namespace acceptance {
namespace {

using namespace std::string_literals;

constexpr int kLines = 200000;  // about 12 MB with the long lines below

std::string TotalTimeText(long long seconds) {
    char text[64];
    std::snprintf(text, sizeof(text), "%lld h  %02lld min  %02lld sec", seconds / 3600,
                  seconds / 60 % 60, seconds % 60);
    return text;
}

// A line of `total` bytes including CR LF whose fourth and last field is "spot".
std::string LineOfLength(std::size_t total) {
    const std::string head = "02.03.2015\t10:20:30\t";
    const std::string tail = "\tspot\r\n";
    return head + std::string(total - head.size() - tail.size(), 'X') + tail;
}

struct LargeLog {
    std::string bytes;
    std::array<int, 7> plays{};
    int nulLines = 0;
    int longLines[2] = {0, 0};  // 1999 and 2000 bytes
};

// Plays of n0..n6 with length 1, long and NUL lines between them, and each name's earliest
// play, with length 9, at the very end.
LargeLog MakeLargeLog() {
    LargeLog log;
    log.bytes.reserve(14u << 20);
    for (int i = 0; i < kLines; ++i) {
        if (i % 97 == 0) {
            const int longer = (i / 97) % 2;
            log.bytes += LineOfLength(1999 + longer);
            ++log.longLines[longer];
        } else if (i % 89 == 0) {
            log.bytes += "15.03.2015\t10:20:30\tX\tnul\0junk\t5\r\n"s;
            ++log.nulLines;
        } else {
            const int name = i % 7;
            char date[16];
            char time[16];
            std::snprintf(date, sizeof(date), "%02d.03.2015", 2 + i % 27);
            std::snprintf(time, sizeof(time), "%02d:%02d:%02d", i % 24, i % 60, i / 60 % 60);
            log.bytes += Play(date, time, "n" + std::to_string(name), "1");
            ++log.plays[name];
        }
    }
    for (int name = 0; name < 7; ++name) {
        log.bytes += Play("01.03.2015", "00:00:00", "n" + std::to_string(name), "9");
        ++log.plays[name];
    }
    return log;
}

using LargeLogs = CliTest;

TEST_F(LargeLogs, EveryLineCountsWhereverItLies) {
    const LargeLog log = MakeLargeLog();
    WriteMarch(log.bytes);
    std::string expected;
    for (int name = 0; name < 7; ++name) {
        expected += Row("n" + std::to_string(name), "9.00", std::to_string(log.plays[name]),
                        TotalTimeText(9LL * log.plays[name]));
    }
    expected += Row("nul", "0.00", std::to_string(log.nulLines), TotalTimeText(0));
    expected += Row("spot", "0.00", std::to_string(log.longLines[1]), TotalTimeText(0));
    expected += Row("spot\r", "0.00", std::to_string(log.longLines[0]), TotalTimeText(0));
    ExpectPrinted(ListMarch(), expected);
}

TEST_F(LargeLogs, DateErrorIsFoundBetweenTheFirstAndTheLastLine) {
    LargeLog log = MakeLargeLog();
    WriteMarch(Play("15.13.2015", "10:00:00", "bad", "1") + log.bytes +
               Play("15.03.2015", "10:00:00", "bad", "1"));
    ExpectFailedLoad(ListMarch());
}

}  // namespace
}  // namespace acceptance
