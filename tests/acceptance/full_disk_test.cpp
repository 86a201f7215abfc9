// The disk fills up while the reports are written: every file that did not fit is named with
// the reason, nothing is reported saved that was not, and what fitted is whole.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/acceptance/report_files.h"

namespace acceptance {
namespace {

namespace fs = std::filesystem;

const fs::path kDisk = KV_SMALL_DISK;

// Fills the disk with files of one page each, then removes enough of them to leave `free` bytes.
void FillLeaving(size_t free) {
    fs::remove_all(kDisk / "filler");
    fs::create_directory(kDisk / "filler");
    const std::string page(4096, '\0');
    int pages = 0;
    for (bool fits = true; fits; ++pages) {
        std::ofstream out(kDisk / "filler" / std::to_string(pages), std::ios::binary);
        fits = out.write(page.data(), page.size()) && out.flush();
    }
    for (size_t freed = 0; freed < free; freed += page.size()) {
        fs::remove(kDisk / "filler" / std::to_string(--pages));
    }
}

struct FullDiskCase {
    const char* what;
    size_t free;
    std::vector<std::string> command;
    std::vector<std::string> named;  // report files the run names as not written
};

TEST(FullDisk, EveryFileThatDidNotFitIsNamed) {
    if (!fs::exists(kDisk / ".small-disk")) {
        GTEST_SKIP() << "no small disk at " << kDisk.string() << " (mounting it needs root)";
    }
    const std::vector<std::string> summarize = {"summary", "2015-03", "--decimal-separator", "."};
    const FullDiskCase cases[] = {
        {"no room", 0, summarize, {ReportPath("SUM_AVI_2015-03.txt")}},
        {"room for the summary", 16384, summarize, {}},
        {"and then no room",
         0,
         {"detail", "2015-03", "--all", "--decimal-separator", "."},
         {ReportPath("a_2015-03.txt"), ReportPath("b_2015-03.txt")}},
        {"the page, no room", 0, {"html", "2015-03"}, {ReportPath("SUM_AVI_2015-03.html")}},
    };
    const fs::path work = kDisk / "work";
    const ScratchFolder elsewhere;
    fs::remove_all(work);
    fs::create_directories(work / "log");
    std::string log;
    for (int i = 0; i < 1500; ++i) {
        log += Play("15.03.2015", "10:20:30", "a", "1");
    }
    std::ofstream(work / "log" / "AVI_2015-03.txt", std::ios::binary)
        << log << Play("15.03.2015", "10:20:30", "b", "1");
    for (const FullDiskCase& c : cases) {
        SCOPED_TRACE(c.what);
        FillLeaving(c.free);
        // Started elsewhere, so that its captured output does not need the full disk.
        std::vector<std::string> args = {"-C", work.string()};
        args.insert(args.end(), c.command.begin(), c.command.end());
        const CliResult result = RunCli(elsewhere.Path(), args);
        if (c.named.empty()) {
            ExpectSaved(result, SummarySaved("SUM_AVI_2015-03.csv"));
            continue;
        }
        ExpectNotWritten(result, c.named);
        EXPECT_NE(result.err.find("na disku není dost místa"), std::string::npos) << result.err;
        for (std::string path : c.named) {
            if (path.ends_with(".txt")) {  // a text file that failed stops its pair
                path.replace(path.size() - 3, 3, "csv");
                EXPECT_FALSE(fs::exists(work / path)) << path;
            }
        }
    }
    const std::string summary = kSummaryTextHeader + "a\t1.00\t1500\t0 h  25 min  00 sec\r\n" +
                                "b\t1.00\t1\t0 h  00 min  01 sec\r\n";
    {
        std::ifstream in(work / "report" / "SUM_AVI_2015-03.txt", std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), summary);
    }
    fs::remove_all(work);
    fs::remove_all(kDisk / "filler");
}

}  // namespace
}  // namespace acceptance
