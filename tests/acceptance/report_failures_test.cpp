// kvimeter-cli summary and detail when something is wrong: the order of the checks, the folder
// report/, and files that cannot be written.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/acceptance/report_files.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace acceptance {
namespace {

namespace fs = std::filesystem;

std::string OnePlay(const std::string& name) {
    return Play("01.03.2015", "10:00:00", name, "1");
}

// Two plays of one name, one of them with a month the calendar refuses.
const std::string kDateErrorLog =
    Play("01.03.2015", "10:00:00", "a", "1") + Play("01.13.2015", "10:00:00", "a", "1");

using ReportFolderCreation = ReportTest;

TEST_F(ReportFolderCreation, SummaryAndDetailCreateItWhenMissing) {
    WriteMarch(OnePlay("a"));
    ExpectSaved(SummaryMarch({"--decimal-separator", "."}), SummarySaved("SUM_AVI_2015-03.csv"));
    EXPECT_TRUE(fs::is_directory(ReportFolder()));
    fs::remove_all(ReportFolder());
    ExpectSaved(DetailMarch({"--row", "0", "--decimal-separator", "."}),
                DetailSaved("a_2015-03.csv"));
    EXPECT_TRUE(fs::is_directory(ReportFolder()));
    fs::remove_all(ReportFolder());
    ExpectSaved(DetailMarch({"--all", "--decimal-separator", "."}), kAllDetailsSaved);
    EXPECT_TRUE(fs::is_directory(ReportFolder()));
}

TEST_F(ReportFolderCreation, ListAndMonthsNeverCreateIt) {
    WriteMarch(OnePlay("a"));
    ExpectPrinted(Run({"months"}), "2015-03\n");
    ExpectPrinted(Run({"list", "2015-03"}), Row("a", "1.00", "1", "0 h  00 min  01 sec"));
    EXPECT_FALSE(fs::exists(ReportFolder()));
}

TEST_F(ReportFolderCreation, UsageErrorsDoNotCreateIt) {
    WriteMarch(OnePlay("a"));
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"summary"},
             {"summary", "March"},
             {"summary", "2015-03", "--day", "32"},
             {"summary", "2015-03", "--decimal-separator"},
             {"summary", "2015-03", "--row", "0"},
             {"detail", "2015-03"},
             {"detail", "2015-03", "--row"},
             {"detail", "2015-03", "--row", "x"},
             {"detail", "2015-03", "--row", "-1"},
             {"detail", "2015-03", "--row", "0", "--all"},
             {"detail", "2015-03", "--all", "--from", "8"},
             {"detail", "2015-03", "--all", "--bogus"},
         }) {
        SCOPED_TRACE(testing::PrintToString(args));
        ExpectUsageError(Run(args));
        EXPECT_FALSE(fs::exists(ReportFolder()));
    }
}

TEST_F(ReportFolderCreation, LoadFailuresDoNotCreateIt) {
    for (const char* command : {"summary", "detail"}) {
        SCOPED_TRACE(command);
        std::vector<std::string> args = {command, "2015-03"};
        if (std::string(command) == "detail") {
            args.push_back("--all");
        }
        WriteMarch(kDateErrorLog);
        ExpectFailedLoad(Run(args));
        EXPECT_FALSE(fs::exists(ReportFolder()));
        fs::remove_all(folder_.Path() / "log");
        ExpectFailedLoad(Run(args));
        EXPECT_FALSE(fs::exists(ReportFolder()));
    }
}

TEST_F(ReportFolderCreation, ARowOutsideTheListDoesNotCreateIt) {
    WriteMarch(OnePlay("a") + OnePlay("b"));
    for (const char* row : {"2", "3", "4294967296", "99999999999999999999"}) {
        SCOPED_TRACE(row);
        ExpectRefusedArguments(DetailMarch({"--row", row}));
        EXPECT_FALSE(fs::exists(ReportFolder()));
    }
    ExpectRefusedArguments(DetailMarch({"--row", "0", "--day", "2"}));
    EXPECT_FALSE(fs::exists(ReportFolder()));
}

// Arguments first (2), then the load (1), then the row against the totals (2).
using CheckOrder = ReportTest;

TEST_F(CheckOrder, ArgumentsBeforeTheLoad) {
    ExpectUsageError(DetailMarch({"--row", "x"}));
    ExpectUsageError(DetailMarch({}));
    ExpectUsageError(SummaryMarch({"--day", "x"}));
}

TEST_F(CheckOrder, TheLoadBeforeTheRow) {
    ExpectFailedLoad(DetailMarch({"--row", "5"}));
    WriteMarch(kDateErrorLog);
    ExpectFailedLoad(DetailMarch({"--row", "5"}));
}

TEST_F(CheckOrder, ADateErrorInAnotherNameStopsTheRowToo) {
    WriteMarch(OnePlay("b") + kDateErrorLog);
    ExpectFailedLoad(DetailMarch({"--row", "1"}));
    EXPECT_FALSE(fs::exists(ReportFolder()));
}

// A file named report stands where the folder should be.
using ReportFolderBlocked = ReportTest;

TEST_F(ReportFolderBlocked, EveryCommandFailsAndTheFileStays) {
    WriteMarch(OnePlay("a") + OnePlay("b"));
    folder_.WriteFile("report", "not a folder");
    for (const std::vector<std::string>& options : std::vector<std::vector<std::string>>{
             {"summary"}, {"detail", "--row", "1"}, {"detail", "--all"}}) {
        SCOPED_TRACE(testing::PrintToString(options));
        const CliResult result = RunMarch(options[0], {options.begin() + 1, options.end()});
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err.find("report"), std::string::npos) << result.err;
        ASSERT_TRUE(fs::is_regular_file(ReportFolder()));
        EXPECT_EQ(fs::file_size(ReportFolder()), 12u);
    }
}

TEST_F(ReportFolderBlocked, ADashCFolderThatIsAFileIsNotWrittenInto) {
    folder_.WriteFile("sub", "a file");
    const CliResult result = Run({"-C", "sub", "summary", "2015-03"});
    EXPECT_NE(result.status, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(fs::file_size(folder_.Path() / "sub"), 6u);
}

// A folder stands where a report file should be, so that one file cannot be opened.
using ReportFileBlocked = ReportTest;

TEST_F(ReportFileBlocked, ASummaryTextFileStopsThePair) {
    WriteMarch(OnePlay("a"));
    fs::create_directories(ReportFolder() / "SUM_AVI_2015-03.txt");
    ExpectNotWritten(SummaryMarch({"--decimal-separator", "."}),
                     {ReportPath("SUM_AVI_2015-03.txt")});
    EXPECT_FALSE(fs::exists(ReportFolder() / "SUM_AVI_2015-03.csv"));
}

TEST_F(ReportFileBlocked, ASummaryCsvFileFailsAfterTheTextFileIsWritten) {
    WriteMarch(OnePlay("a"));
    fs::create_directories(ReportFolder() / "SUM_AVI_2015-03.csv");
    const CliResult result = SummaryMarch({"--decimal-separator", "."});
    ExpectNotWritten(result, {ReportPath("SUM_AVI_2015-03.csv")});
    EXPECT_EQ(result.err.find("SUM_AVI_2015-03.txt"), std::string::npos) << result.err;
    EXPECT_EQ(ReadReport("SUM_AVI_2015-03.txt"),
              kSummaryTextHeader + "a\t1.00\t1\t0 h  00 min  01 sec\r\n");
}

TEST_F(ReportFileBlocked, ADetailTextFileStopsThePair) {
    WriteMarch(OnePlay("a"));
    fs::create_directories(ReportFolder() / "a_2015-03.txt");
    ExpectNotWritten(DetailMarch({"--row", "0"}), {ReportPath("a_2015-03.txt")});
    EXPECT_FALSE(fs::exists(ReportFolder() / "a_2015-03.csv"));
}

TEST_F(ReportFileBlocked, ADetailCsvFileFailsAfterTheTextFileIsWritten) {
    WriteMarch(OnePlay("a"));
    fs::create_directories(ReportFolder() / "a_2015-03.csv");
    ExpectNotWritten(DetailMarch({"--row", "0", "--decimal-separator", "."}),
                     {ReportPath("a_2015-03.csv")});
    EXPECT_TRUE(fs::is_regular_file(ReportFolder() / "a_2015-03.txt"));
}

TEST_F(ReportFileBlocked, AllGoesOnAndNamesEveryFailure) {
    WriteMarch(OnePlay("a") + OnePlay("b") + OnePlay("c") + OnePlay("d"));
    fs::create_directories(ReportFolder() / "a_2015-03.txt");
    fs::create_directories(ReportFolder() / "c_2015-03.csv");
    const CliResult result = DetailMarch({"--all", "--decimal-separator", "."});
    ExpectNotWritten(result, {ReportPath("a_2015-03.txt"), ReportPath("c_2015-03.csv")});
    EXPECT_EQ(result.err.find("b_2015-03"), std::string::npos) << result.err;
    EXPECT_EQ(result.err.find("d_2015-03"), std::string::npos) << result.err;
    EXPECT_EQ(ReportFiles(), (std::vector<std::string>{
                                 "a_2015-03.txt", "b_2015-03.csv", "b_2015-03.txt", "c_2015-03.csv",
                                 "c_2015-03.txt", "d_2015-03.csv", "d_2015-03.txt"}));
    EXPECT_TRUE(fs::is_directory(ReportFolder() / "a_2015-03.txt"));
    EXPECT_TRUE(fs::is_regular_file(ReportFolder() / "c_2015-03.txt"));
}

// Another program holds a report file: it is named with the reason, keeps its old content, and
// stops only its own pair.
TEST_F(ReportFileBlocked, ACsvHeldOpenByAnotherWriterIsNotTouched) {
    WriteMarch(OnePlay("a"));
    folder_.WriteFile("report/SUM_AVI_2015-03.csv", "old");
    {
        HeldFile held(ReportFolder() / "SUM_AVI_2015-03.csv");
        ASSERT_TRUE(held.Held());
        const CliResult result = SummaryMarch({"--decimal-separator", "."});
        ExpectNotWritten(result, {ReportPath("SUM_AVI_2015-03.csv")});
        EXPECT_NE(
            result.err.find(ReportPath("SUM_AVI_2015-03.csv") + ": soubor používá jiný program"),
            std::string::npos)
            << result.err;
    }
    EXPECT_EQ(ReadReport("SUM_AVI_2015-03.csv"), "old");
    EXPECT_EQ(ReadReport("SUM_AVI_2015-03.txt"),
              kSummaryTextHeader + "a\t1.00\t1\t0 h  00 min  01 sec\r\n");
}

TEST_F(ReportFileBlocked, ADetailTextFileHeldOpenStopsThatPairOnly) {
    WriteMarch(OnePlay("a") + OnePlay("b"));
    folder_.WriteFile("report/a_2015-03.txt", "old");
    {
        HeldFile held(ReportFolder() / "a_2015-03.txt");
        ASSERT_TRUE(held.Held());
        ExpectNotWritten(DetailMarch({"--all", "--decimal-separator", "."}),
                         {ReportPath("a_2015-03.txt")});
    }
    EXPECT_EQ(ReadReport("a_2015-03.txt"), "old");
    EXPECT_EQ(ReportFiles(),
              (std::vector<std::string>{"a_2015-03.txt", "b_2015-03.csv", "b_2015-03.txt"}));
}

#ifndef _WIN32

// A device in a report file's place is refused: the report never writes into it.
using ReportWriteError = ReportTest;

TEST_F(ReportWriteError, ASummaryTextFileThatIsADeviceStopsThePair) {
    WriteMarch(OnePlay("a"));
    fs::create_directories(ReportFolder());
    fs::create_symlink("/dev/full", ReportFolder() / "SUM_AVI_2015-03.txt");
    ExpectNotWritten(SummaryMarch({"--decimal-separator", "."}),
                     {ReportPath("SUM_AVI_2015-03.txt")});
    EXPECT_FALSE(fs::exists(ReportFolder() / "SUM_AVI_2015-03.csv"));
}

TEST_F(ReportWriteError, ADetailCsvThatIsADeviceIsNamedAndTheOthersWritten) {
    WriteMarch(OnePlay("a") + OnePlay("b") + OnePlay("c"));
    fs::create_directories(ReportFolder());
    fs::create_symlink("/dev/full", ReportFolder() / "b_2015-03.csv");
    const CliResult result = DetailMarch({"--all", "--decimal-separator", "."});
    ExpectNotWritten(result, {ReportPath("b_2015-03.csv")});
    EXPECT_EQ(result.err.find("b_2015-03.txt"), std::string::npos) << result.err;
    for (const char* file :
         {"a_2015-03.txt", "a_2015-03.csv", "b_2015-03.txt", "c_2015-03.txt", "c_2015-03.csv"}) {
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(ReportFolder() / file))) << file;
    }
    EXPECT_TRUE(fs::is_symlink(ReportFolder() / "b_2015-03.csv"));
}

#else

// A reader holds the old file: Windows renames nothing over a file that is open, whatever it
// shares, so the report fails, says why, and the old file stays.
TEST_F(ReportFileBlocked, AReaderOfTheOldFileKeepsItAndIsNamed) {
    WriteMarch(OnePlay("a"));
    for (const DWORD share : {DWORD{FILE_SHARE_READ | FILE_SHARE_WRITE},
                              DWORD{FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE}}) {
        SCOPED_TRACE((share & FILE_SHARE_DELETE) == 0 ? "no deleting shared" : "deleting shared");
        folder_.WriteFile("report/SUM_AVI_2015-03.csv", "old");
        const HANDLE reader =
            CreateFileW((ReportFolder() / "SUM_AVI_2015-03.csv").wstring().c_str(), GENERIC_READ,
                        share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(reader, INVALID_HANDLE_VALUE);
        const CliResult result = SummaryMarch({"--decimal-separator", "."});
        CloseHandle(reader);
        ExpectNotWritten(result, {ReportPath("SUM_AVI_2015-03.csv")});
        EXPECT_NE(result.err.find("soubor používá jiný program"), std::string::npos) << result.err;
        EXPECT_EQ(ReadReport("SUM_AVI_2015-03.csv"), "old");
        EXPECT_EQ(ReportFiles(),
                  (std::vector<std::string>{"SUM_AVI_2015-03.csv", "SUM_AVI_2015-03.txt"}));
    }
}

TEST_F(ReportFileBlocked, ANameTheFileSystemRefusesFailsThatTotalOnly) {
    WriteMarch(OnePlay("a?b") + OnePlay("c*") + OnePlay("d"));
    ExpectNotWritten(DetailMarch({"--all", "--decimal-separator", "."}),
                     {ReportPath("a?b_2015-03.txt"), ReportPath("c*_2015-03.txt")});
    EXPECT_EQ(ReportFiles(), (std::vector<std::string>{"d_2015-03.csv", "d_2015-03.txt"}));
}

#endif

}  // namespace
}  // namespace acceptance
