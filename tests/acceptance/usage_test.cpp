// The command line itself: MONTH, -C, help, usage errors and logs that cannot be read.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/acceptance/cli_process.h"

namespace acceptance {
namespace {

namespace fs = std::filesystem;

const std::string kSpotRow = Row("spot", "1.00", "1", "0 h  00 min  01 sec");

using MonthArgument = CliTest;

TEST_F(MonthArgument, LeadingZerosDoNotMatter) {
    WriteMarch(Play("15.03.2015", "10:00:00", "spot", "1"));
    ExpectPrinted(Run({"list", "2015-03"}), kSpotRow);
    ExpectPrinted(Run({"list", "2015-3"}), kSpotRow);
    ExpectPrinted(Run({"list", "02015-003"}), kSpotRow);
}

TEST_F(MonthArgument, ALogNamedWithoutZeroPaddingIsListedButNeverRead) {
    folder_.WriteLog("AVI_2015-3.txt", Play("15.03.2015", "10:00:00", "spot", "1"));
    ExpectPrinted(Run({"months"}), "2015-03\n");
    ExpectFailedLoad(Run({"list", "2015-3"}));
    ExpectFailedLoad(Run({"list", "2015-03"}));
}

TEST_F(MonthArgument, SomethingOtherThanTwoNumbersIsAUsageError) {
    WriteMarch(Play("15.03.2015", "10:00:00", "spot", "1"));
    ExpectUsageError(Run({"list", "abc"}));
    ExpectUsageError(Run({"list", "2015"}));
    ExpectUsageError(Run({"list", "March"}));
}

TEST_F(MonthArgument, WideNumbersAreNotCut) {
    folder_.WriteLog("AVI_12345-01.txt", Play("15.01.2015", "10:00:00", "year", "1"));
    folder_.WriteLog("AVI_2015-123.txt", Play("15.01.2015", "10:00:00", "month", "1"));
    ExpectPrinted(Run({"list", "12345-1"}), Row("year", "1.00", "1", "0 h  00 min  01 sec"));
    ExpectPrinted(Run({"list", "2015-123"}), Row("month", "1.00", "1", "0 h  00 min  01 sec"));
}

using WorkingFolder = CliTest;

TEST_F(WorkingFolder, DashCChangesIntoTheFolderFirst) {
    folder_.WriteFile("sub/log/AVI_2015-03.txt", Play("15.03.2015", "10:00:00", "spot", "1"));
    ExpectPrinted(Run({"-C", "sub", "months"}), "2015-03\n");
    ExpectPrinted(Run({"-C", "sub", "list", "2015-03"}), kSpotRow);
    ExpectPrinted(Run({"months"}), "");
}

TEST_F(WorkingFolder, MessagesNameTheLogRelativeToTheFolder) {
    fs::create_directories(folder_.Path() / "sub" / "log");
    const CliResult result = Run({"-C", "sub", "list", "2015-03"});
    ExpectFailedLoad(result);
    EXPECT_NE(result.err.find("AVI_2015-03.txt"), std::string::npos) << result.err;
    EXPECT_EQ(result.err.find("sub"), std::string::npos) << result.err;
    EXPECT_EQ(result.err.find(folder_.Path().filename().string()), std::string::npos) << result.err;
}

TEST_F(WorkingFolder, MissingFolderFailsWithoutOutput) {
    const CliResult result = Run({"-C", "nowhere", "months"});
    EXPECT_NE(result.status, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err, "");
}

using UnreadableLog = CliTest;

TEST_F(UnreadableLog, MissingLogFailsWithAOneLineMessage) {
    ExpectFailedLoad(Run({"list", "2015-03"}));
    folder_.WriteLog("AVI_2015-04.txt", Play("15.04.2015", "10:00:00", "spot", "1"));
    ExpectFailedLoad(Run({"list", "2015-03"}));
}

// A folder opens for reading on Linux; it must still count as a log that cannot be opened.
TEST_F(UnreadableLog, FolderInPlaceOfTheLogFails) {
    fs::create_directories(folder_.Path() / "log" / "AVI_2015-03.txt");
    ExpectFailedLoad(Run({"list", "2015-03"}));
}

using UsageErrors = CliTest;

TEST_F(UsageErrors, HelpPrintsTheUsageOnStdout) {
    const CliResult result = Run({"--help"});
    EXPECT_EQ(result.status, 0);
    EXPECT_NE(result.out, "");
    EXPECT_EQ(result.err, "");
}

TEST_F(UsageErrors, MissingOrUnknownCommand) {
    ExpectUsageError(Run({}));
    ExpectUsageError(Run({"frobnicate"}));
    ExpectUsageError(Run({"-C"}));
}

TEST_F(UsageErrors, ListWithoutMonthOrWithUnknownOption) {
    WriteMarch(Play("15.03.2015", "10:00:00", "spot", "1"));
    ExpectUsageError(Run({"list"}));
    ExpectUsageError(ListMarch({"--bogus"}));
    ExpectUsageError(ListMarch({"extra"}));
}

TEST_F(UsageErrors, MonthsTakesNoArguments) {
    ExpectUsageError(Run({"months", "2015-03"}));
}

}  // namespace
}  // namespace acceptance
