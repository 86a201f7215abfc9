#include "reports/report_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "report_test_support.h"

#ifdef _WIN32
#include <share.h>
#endif

namespace {

using ReportFile = InScratchFolder;

TEST_F(ReportFile, WritesLargeAndSmallPiecesInOrder) {
    const std::string large(200 * 1024, 'L');
    ReportFileWriter out;
    ASSERT_TRUE(out.Open(InReport("x.txt")));
    out.Write("ab");
    out.Write(large);
    out.Put('c');
    for (int i = 0; i < 70000; ++i) {
        out.Put('d');
    }
    ASSERT_TRUE(out.Close());
    EXPECT_EQ(ReadBytes(InReport("x.txt")), "ab" + large + "c" + std::string(70000, 'd'));
}

TEST_F(ReportFile, FailedOpenGivesTheSystemsReason) {
    ReportFileWriter out;
    EXPECT_FALSE(out.Open(InReport("missing/x.txt")));
    EXPECT_FALSE(out.FailureReason().empty());
    EXPECT_FALSE(out.Close());
}

#ifdef _WIN32
TEST_F(ReportFile, OtherWritersAreDeniedWhileTheFileIsOpen) {
    ReportFileWriter out;
    ASSERT_TRUE(out.Open(InReport("x.txt")));
    FILE* other = _fsopen(InReport("x.txt").c_str(), "ab", _SH_DENYNO);
    EXPECT_EQ(other, nullptr);
    if (other != nullptr) {
        std::fclose(other);
    }
    FILE* reader = _fsopen(InReport("x.txt").c_str(), "rb", _SH_DENYNO);
    EXPECT_NE(reader, nullptr) << "readers stay allowed";
    if (reader != nullptr) {
        std::fclose(reader);
    }
    EXPECT_TRUE(out.Close());
}
#endif

using ReportFolder = InScratchFolder;

TEST_F(ReportFolder, IsCreatedWhenMissingAndAcceptedWhenPresent) {
    std::filesystem::remove("report");
    std::string reason;
    EXPECT_TRUE(EnsureReportFolder(&reason));
    EXPECT_TRUE(std::filesystem::is_directory("report"));
    EXPECT_TRUE(EnsureReportFolder(&reason));
}

TEST_F(ReportFolder, AFileInItsPlaceIsAFailureWithAReason) {
    std::filesystem::remove("report");
    WriteBytes("report", "x");
    std::string reason;
    EXPECT_FALSE(EnsureReportFolder(&reason));
    EXPECT_FALSE(reason.empty());
}

}  // namespace
