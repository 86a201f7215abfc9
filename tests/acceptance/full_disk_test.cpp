// The disk fills up while the reports are written: every file that did not fit is named with
// the reason, nothing is reported saved that was not, what fitted is whole, and a file that did
// not fit leaves the one it was to replace as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
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

// Every file below folder (relative name) with its bytes.
std::map<std::string, std::string> Contents(const fs::path& folder) {
    std::map<std::string, std::string> contents;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        contents[fs::relative(entry.path(), folder).string()] =
            entry.is_directory() ? "/" : std::string(std::istreambuf_iterator<char>(in), {});
    }
    return contents;
}

class FullDiskReplacement : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::exists(kDisk / ".small-disk")) {
            GTEST_SKIP() << "no small disk at " << kDisk.string() << " (mounting it needs root)";
        }
        fs::remove_all(work_);
        fs::create_directories(work_ / "log");
        std::string log;
        for (int i = 0; i < 300; ++i) {
            const std::string day = i == 0 ? "01" : "15";
            log += Play(day + ".03.2015", "10:20:30", "spot" + std::to_string(i) + ".avi", "1");
        }
        std::ofstream(work_ / "log" / "AVI_2015-03.txt", std::ios::binary) << log;
    }
    void TearDown() override {
        fs::remove_all(work_);
        fs::remove_all(kDisk / "filler");
    }
    CliResult Run(std::vector<std::string> command) const {
        command.insert(command.begin(), {"-C", work_.string()});
        return RunCli(elsewhere_.Path(), command);
    }

    const fs::path work_ = kDisk / "work";
    const ScratchFolder elsewhere_;
};

TEST_F(FullDiskReplacement, ALongerSummaryLeavesTheOldOneByteForByteAndNoOtherFile) {
    ExpectSaved(Run({"summary", "2015-03", "--day", "1", "--decimal-separator", "."}),
                SummarySaved("SUM_AVI_2015-03.csv"));
    const std::map<std::string, std::string> before = Contents(work_ / "report");
    FillLeaving(4096);
    const CliResult result = Run({"summary", "2015-03", "--decimal-separator", "."});
    ExpectNotWritten(result, {ReportPath("SUM_AVI_2015-03.txt")});
    EXPECT_NE(result.err.find("na disku není dost místa"), std::string::npos) << result.err;
    EXPECT_EQ(Contents(work_ / "report"), before);
}

TEST_F(FullDiskReplacement, ALargerCampaignLeavesTheOldSetWholeAndNoNewName) {
    const auto book = [&](int clients) {
        std::string rows =
            "Klient;Kampa\xF2;Spot;Od;Do;\xC8"
            "as od;\xC8"
            "as do;P\xF8"
            "ehr\xE1n\xED za den\r\n";
        for (int i = 0; i < clients; ++i) {
            rows += std::string(1, static_cast<char>('A' + i)) + ";Jaro;spot*.avi;1.3.2015;" +
                    "31.3.2015;;;" + std::to_string(i + 1) + "\r\n";
        }
        std::ofstream(work_ / "k.csv", std::ios::binary) << rows;
    };
    book(2);
    // The disk holds the pairs; the second count's plays lists go past it too.
    ASSERT_EQ(Run({"campaign", "k.csv", "--as-of", "2015-03-31", "--no-play-lists"}).status, 0);
    const std::map<std::string, std::string> before = Contents(work_ / "report");
    ASSERT_EQ(before.size(), 12u);
    book(4);
    FillLeaving(8192);
    const CliResult result = Run({"campaign", "k.csv", "--as-of", "2015-03-31"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("na disku není dost místa"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("poslední úplný důkaz zůstal beze změny"), std::string::npos)
        << result.err;
    EXPECT_EQ(Contents(work_ / "report"), before) << "no empty file, no new name, no torn one";
}

}  // namespace
}  // namespace acceptance
