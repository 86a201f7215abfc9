#include "reports/report_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

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

using ReportSet = InScratchFolder;

// Three files of a set, each with an old one; a folder in the place of one of them.
TEST_F(ReportSet, IsReplacedWholeOrNotAtAll) {
    for (const bool blocked : {true, false}) {
        SCOPED_TRACE(blocked ? "one refused" : "all whole");
        for (const char* name : {"a.csv", "b.html", "c.sha256"}) {
            std::filesystem::remove_all(InReport(name));
            WriteBytes(InReport(name), "old");
        }
        if (blocked) {
            std::filesystem::remove(InReport("b.html"));
            std::filesystem::create_directory(InReport("b.html"));
        }
        std::vector<ReportFailure> failures;
        ReportFileSet set;
        const bool added = set.Add(InReport("a.csv"), "new", failures) &&
                           set.Add(InReport("b.html"), "new", failures) &&
                           set.Add(InReport("c.sha256"), "new", failures);
        EXPECT_EQ(added && set.Commit(failures), !blocked);
        const std::string expected = blocked ? "old" : "new";
        EXPECT_EQ(ReadBytes(InReport("a.csv")), expected);
        EXPECT_EQ(ReadBytes(InReport("c.sha256")), blocked ? "old" : "new");
        ASSERT_EQ(failures.size(), blocked ? 1u : 0u);
        if (blocked) {
            EXPECT_EQ(failures[0].path, InReport("b.html"));
            EXPECT_EQ(failures[0].reason, Cp1250(u"na místě souboru je složka"));
        }
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator("report"), {}), 3);
    }
}

#ifdef _WIN32
TEST_F(ReportFile, OtherWritersAreDeniedWhileTheFileIsOpen) {
    WriteBytes(InReport("x.txt"), "old");
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
    out.Write("new");
    EXPECT_TRUE(out.Close());
    EXPECT_EQ(ReadBytes(InReport("x.txt")), "new");
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
