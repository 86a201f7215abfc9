// Logs no player would write and faults around the files: each ends with a clear outcome, the
// same on every platform, and leaves nothing outside report/ touched.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "tests/acceptance/report_files.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace acceptance {
namespace {

namespace fs = std::filesystem;

uint64_t Fnv1a(const std::string& bytes) {
    uint64_t hash = 14695981039346656037ull;
    for (const char c : bytes) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    }
    return hash;
}

std::string Noise(size_t size) {
    std::string bytes(size, '\0');
    uint64_t state = 42;
    for (char& c : bytes) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        c = static_cast<char>(state >> 56);
    }
    return bytes;
}

struct BadLog {
    const char* what;
    std::string bytes;
    uint64_t listedHash;  // of stdout; every one exits 0 with nothing on stderr
};

using BadLogs = CliTest;

TEST_F(BadLogs, ListWhatTheLinesGiveAndNothingElse) {
    const BadLog logs[] = {
        {"empty", "", Fnv1a("")},
        {"only CR", std::string(5000, '\r'), Fnv1a("")},
        {"only LF", std::string(5000, '\n'), Fnv1a("")},
        {"NUL bytes", std::string(5000, '\0'), Fnv1a("")},
        {"binary noise", Noise(1 << 20), 0xa3183f278007d9f1ull},
    };
    for (const BadLog& log : logs) {
        SCOPED_TRACE(log.what);
        WriteMarch(log.bytes);
        const CliResult result = ListMarch();
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.err, "");
        EXPECT_EQ(Fnv1a(result.out), log.listedHash) << std::hex << Fnv1a(result.out);
    }
}

// One line of 300 MB without a line end, most of it NUL bytes that the file system need not
// store: read as lines of 1998 characters, of which only the first names a play.
TEST_F(BadLogs, A300MegabyteLineWithoutLineEnd) {
    WriteMarch("15.03.2015\t10:20:30\tX\tspot\t1");
    fs::resize_file(folder_.Path() / "log" / "AVI_2015-03.txt", 300u << 20);
    ExpectPrinted(ListMarch(), Row("spot", "1.00", "1", "0 h  00 min  01 sec"));
}

#ifdef _WIN32
// Another program holds the file and shares nothing, not even reading.
class Holder {
public:
    Holder(const fs::path& path, bool forWriting)
        : handle_(CreateFileW(path.wstring().c_str(), forWriting ? GENERIC_WRITE : GENERIC_READ,
                              forWriting ? FILE_SHARE_READ : 0, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~Holder() { CloseHandle(handle_); }
    bool Holds() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};
#else
// Another program holds a write lock on the file, as spreadsheets do, or has taken away every
// right to read it (the child then runs without root's rights).
class Holder {
public:
    Holder(const fs::path& path, bool forWriting)
        : fd_(open(path.c_str(), O_RDWR | O_CREAT, 0644)) {
        struct flock lock {};
        lock.l_type = F_WRLCK;
        lock.l_whence = SEEK_SET;
        held_ = fd_ >= 0 &&
                (forWriting ? fcntl(fd_, F_SETLK, &lock) == 0 : chmod(path.c_str(), 0) == 0);
    }
    ~Holder() { close(fd_); }
    bool Holds() const { return held_; }

private:
    int fd_;
    bool held_ = false;
};
#endif

TEST_F(BadLogs, ALogThatCannotBeReadFailsTheLoad) {
    for (const char* what : {"held", "folder"}) {
        SCOPED_TRACE(what);
        const fs::path log = folder_.Path() / "log" / "AVI_2015-03.txt";
        fs::remove_all(log);
        std::optional<Holder> holder;
        if (std::string(what) == "held") {
            WriteMarch(Play("15.03.2015", "10:20:30", "spot", "1"));
            holder.emplace(log, false);
            ASSERT_TRUE(holder->Holds());
        } else {
            fs::create_directories(log);
        }
        ChildLimits limits;
        limits.asNobody = true;
#ifdef _WIN32
        limits.asNobody = false;
#endif
        ExpectFailedLoad(Run({"list", "2015-03"}, {}, limits));
        EXPECT_FALSE(fs::exists(folder_.Path() / "report"));
    }
}

#ifndef _WIN32
// A file that opens, has a size and fails every read: the loopback device's link speed, which
// the kernel refuses to tell. The log is a link to it.
TEST_F(BadLogs, AReadErrorFailsTheLoadAndTheCampaign) {
    const fs::path failing = "/sys/class/net/lo/speed";
    std::FILE* probe = std::fopen(failing.c_str(), "rb");
    char byte;
    const bool fails =
        probe != nullptr && std::fread(&byte, 1, 1, probe) == 0 && std::ferror(probe);
    if (probe != nullptr) {
        std::fclose(probe);
    }
    if (!fails) {
        GTEST_SKIP() << "no file here that fails to read";
    }
    fs::create_directories(folder_.Path() / "log");
    fs::create_symlink(failing, folder_.Path() / "log" / "AVI_2015-03.txt");
    const CliResult list = ListMarch();
    ExpectFailedLoad(list);
    EXPECT_NE(list.err.find("log/AVI_2015-03.txt nelze přečíst celý (neplatný argument)"),
              std::string::npos)
        << list.err;
    folder_.WriteFile("kampan.csv",
                      "Klient;Kampaň;Spot;Od;Do;Čas od;Čas do;Přehrání za den\r\n"
                      "A;B;s;1.3.2015;1.3.2015;;;1\r\n");
    const CliResult campaign = Run({"campaign", "kampan.csv"});
    EXPECT_EQ(campaign.status, 1);
    EXPECT_NE(campaign.err.find("Log nelze přečíst: log/AVI_2015-03.txt: neplatný argument\n"
                                "kvimeter-cli: Nic nebylo uloženo.\n"),
              std::string::npos)
        << campaign.err;
    EXPECT_FALSE(fs::exists(folder_.Path() / "report"));
}
#endif

// The player appends while the month loads: the load takes the lines that were there when it
// began, each of them whole, and maybe a few more. Each line is one write: were it two, a loaded
// machine that kept this thread waiting longer than the load waits for a line's end would make
// the part a play. A line's end that comes later is tested in tests/logdata/line_reading_test.
TEST_F(BadLogs, AGrowingLogGivesWholeLinesOnly) {
    const auto line = [](int i) {
        char name[16];
        std::snprintf(name, sizeof name, "n%06d", i);
        return Play("15.03.2015", "10:20:30", name, "1");
    };
    std::string start;
    for (int i = 0; i < 20000; ++i) {
        start += line(i);
    }
    WriteMarch(start);
    std::atomic<bool> stop{false};
    std::thread player([&] {
        std::FILE* file =
            std::fopen((folder_.Path() / "log" / "AVI_2015-03.txt").string().c_str(), "ab");
        // At most 20 000 more: a log that grew as fast as the loads take it would make each load
        // longer than the last, most of all in the sanitizer build.
        for (int i = 20000; file != nullptr && !stop && i < 40000; ++i) {
            const std::string text = line(i);
            std::fwrite(text.data(), 1, text.size(), file);
            std::fflush(file);
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        if (file != nullptr) {
            std::fclose(file);
        }
    });
    struct Join {
        std::atomic<bool>& stop;
        std::thread& player;
        ~Join() {
            stop = true;
            player.join();
        }
    } join{stop, player};
    for (int run = 0; run < 10 && !HasFailure(); ++run) {
        const CliResult result = ListMarch();
        ASSERT_EQ(result.status, 0) << result.err;
        size_t at = 0;
        for (int i = 0; at < result.out.size(); ++i) {
            char name[16];
            std::snprintf(name, sizeof name, "n%06d", i);
            const std::string row = Row(name, "1.00", "1", "0 h  00 min  01 sec");
            ASSERT_EQ(result.out.compare(at, row.size(), row), 0) << result.out.substr(at, 80);
            at += row.size();
        }
        EXPECT_GE(at, 20000 * Row("n000000", "1.00", "1", "0 h  00 min  01 sec").size());
    }
}

#ifndef _WIN32
#if !defined(__SANITIZE_ADDRESS__)
// A month of 300 000 plays needs some 85 MB of records; the child may have 64 MB in all.
TEST_F(BadLogs, AMonthThatDoesNotFitInMemoryLoadsNothing) {
    std::string bytes;
    for (int i = 0; i < 300000; ++i) {
        bytes += Play("15.03.2015", "10:20:30", "n" + std::to_string(i % 100), "1");
    }
    WriteMarch(bytes);
    ChildLimits limits;
    limits.addressSpace = size_t{64} << 20;
    for (const char* command : {"list", "summary"}) {
        SCOPED_TRACE(command);
        ExpectFailedLoad(Run({command, "2015-03"}, {}, limits));
        EXPECT_FALSE(fs::exists(folder_.Path() / "report"));
    }
    EXPECT_EQ(Run({"list", "2015-03"}).status, 0);
}
#endif
#endif

using HostileNames = ReportTest;

// Names Windows cannot have as file names are refused everywhere, each named; every other
// name gets its files inside report/.
TEST_F(HostileNames, AreWrittenInsideTheReportFolderOrRefusedByName) {
    const std::vector<std::string> written = {".", "..", "CON", "NUL", "CON.avi", "a/../../b"};
    const std::vector<std::string> refused = {"a?b", "a*b", "a\"b", "a<b", "a>b", "a|b"};
    std::string log;
    for (const std::vector<std::string>* names : {&written, &refused}) {
        for (const std::string& name : *names) {
            log += Play("01.03.2015", "10:00:00", name, "1");
        }
    }
    log += "01.03.2015\t10:00:00\tX\tcrlf\r\n" +
           Play("01.03.2015", "10:00:00", std::string(255, '\xFF'), "1");
    WriteMarch(log);
    // The name of 255 characters is named for its path of more than 259.
    std::vector<std::string> named = {ReportPath("crlf\r\n_2015-03.txt"), " 259 znak"};
    std::vector<std::string> files;
    for (const std::string& name : refused) {
        named.push_back(ReportPath(name + "_2015-03.txt"));
    }
    for (std::string name : written) {
        for (char& c : name) {
            c = c == '/' ? '_' : c;
        }
        files.push_back(name + "_2015-03.csv");
        files.push_back(name + "_2015-03.txt");
    }
    std::sort(files.begin(), files.end());
    const CliResult result = DetailMarch({"--all", "--decimal-separator", "."});
    ExpectNotWritten(result, named);
    EXPECT_EQ(ReportFiles(), files);
    std::vector<std::string> top;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder_.Path())) {
        top.push_back(entry.path().filename().string());
    }
    std::sort(top.begin(), top.end());
    EXPECT_EQ(top, (std::vector<std::string>{"log", "report"}));
}

using HeldReports = ReportTest;

TEST_F(HeldReports, AFileAnotherProgramWritesIsLeftAloneAndNamed) {
    WriteMarch(Play("01.03.2015", "10:00:00", "a", "1"));
    folder_.WriteFile("report/SUM_AVI_2015-03.csv", "old");
    {
        const Holder holder(ReportFolder() / "SUM_AVI_2015-03.csv", true);
        ASSERT_TRUE(holder.Holds());
        ExpectNotWritten(SummaryMarch({"--decimal-separator", "."}),
                         {ReportPath("SUM_AVI_2015-03.csv")});
    }
    EXPECT_EQ(ReadReport("SUM_AVI_2015-03.csv"), "old");
    EXPECT_EQ(ReadReport("SUM_AVI_2015-03.txt"),
              kSummaryTextHeader + "a\t1.00\t1\t0 h  00 min  01 sec\r\n");
}

}  // namespace
}  // namespace acceptance
