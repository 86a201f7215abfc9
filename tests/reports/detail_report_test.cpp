#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "logdata/totals.h"
#include "tests/logdata/step_by_step.h"
#include "report_test_support.h"
#include "reports/report_writers.h"

namespace {

namespace fs = std::filesystem;

constexpr ReportMonth kMarch2015{2015, 3};

const std::u16string kTextHeader = u"Datum\tČas\tAnimace\tDélka [s]\r\n";
const std::u16string kCsvHeader = u"Datum;Čas;Animace;Délka [s]\r\n";

void LoadIntro(PlaybackLog& log) {
    AddPlay(log, {"intro.avi", 1, 3, 2015, 8, 0, 5, 12.5});
    AddPlay(log, {"intro.avi", 1, 3, 2015, 9, 0, 5, 12.5});
    AddPlay(log, {"intro.avi", 2, 3, 2015, 8, 0, 5, 12.5});
}

using DetailReport = InScratchFolder;

TEST_F(DetailReport, ThreePlaysOfIntroComeOutByteForByte) {
    PlaybackLog log;
    LoadIntro(log);
    BuildTotals(log);

    const ReportResult result = WriteDetailFiles(log, 0, kMarch2015, ',');

    EXPECT_TRUE(Succeeded(result));
    EXPECT_EQ(result.csvPath, InReport("intro.avi_2015-03.csv"));
    EXPECT_EQ(ReadBytes(InReport("intro.avi_2015-03.txt")),
              Cp1250(kTextHeader + u"01.03.2015\t08:00:05\tintro.avi\t12,50\r\n"
                                   u"01.03.2015\t09:00:05\tintro.avi\t12,50\r\n"
                                   u"02.03.2015\t08:00:05\tintro.avi\t12,50\r\n"
                                   u"\r\n"
                                   u"Počet přehrání\t3\r\n"
                                   u"Čas celkem\t0 h  00 min  37 sec"));
    EXPECT_EQ(ReadBytes(InReport("intro.avi_2015-03.csv")),
              Cp1250(kCsvHeader + u"2015-03-01;08:00:05;intro.avi;12.50\r\n"
                                  u"2015-03-01;09:00:05;intro.avi;12.50\r\n"
                                  u"2015-03-02;08:00:05;intro.avi;12.50\r\n"
                                  u"\r\n"
                                  u"Počet přehrání;3\r\n"
                                  u"Čas celkem;0 h  00 min  37 sec"));
}

TEST_F(DetailReport, WritesOnlyThePlaysOfTheChosenTotal) {
    PlaybackLog log;
    AddPlay(log, {"a.avi", 1, 3, 2015, 7, 0, 0, 1.0});
    LoadIntro(log);
    AddPlay(log, {"z.avi", 3, 3, 2015, 7, 0, 0, 1.0});
    BuildTotals(log);
    ASSERT_TRUE(Succeeded(WriteDetailFiles(log, 1, kMarch2015, ',')));
    const std::string csv = ReadBytes(InReport("intro.avi_2015-03.csv"));
    EXPECT_EQ(csv.find("a.avi"), std::string::npos);
    EXPECT_EQ(csv.find("z.avi"), std::string::npos);
    EXPECT_NE(csv.find("\r\n\r\n"), std::string::npos);
    EXPECT_FALSE(Exists(InReport("a.avi_2015-03.txt")));
}

// Each line shows its own play's length; the total time is play count x the first length.
TEST_F(DetailReport, TotalTimeUsesTheFirstLengthNotTheSumOfTheLines) {
    PlaybackLog log;
    AddPlay(log, {"x", 1, 3, 2015, 7, 0, 0, 10.0});
    AddPlay(log, {"x", 1, 3, 2015, 8, 0, 0, 50.0});
    BuildTotals(log);
    ASSERT_TRUE(Succeeded(WriteDetailFiles(log, 0, kMarch2015, '.')));
    EXPECT_EQ(ReadBytes(InReport("x_2015-03.txt")),
              Cp1250(kTextHeader + u"01.03.2015\t07:00:00\tx\t10.00\r\n"
                                   u"01.03.2015\t08:00:00\tx\t50.00\r\n"
                                   u"\r\n"
                                   u"Počet přehrání\t2\r\n"
                                   u"Čas celkem\t0 h  00 min  20 sec"));
}

TEST_F(DetailReport, UndatedPlayAndWideFieldsKeepTheirDigits) {
    PlaybackLog log;
    AddPlay(log, {"x", 0, 0, 0, 0, 0, 0, 0.0});
    AddPlay(log, {"x", 100, 12, 12345, 99, 100, 7, 1234.567});
    BuildTotals(log);
    ASSERT_TRUE(Succeeded(WriteDetailFiles(log, 0, kMarch2015, ',')));
    EXPECT_EQ(ReadBytes(InReport("x_2015-03.csv")),
              Cp1250(kCsvHeader + u"0000-00-00;00:00:00;x;0.00\r\n"
                                  u"12345-12-100;99:100:07;x;1234.57\r\n"
                                  u"\r\n"
                                  u"Počet přehrání;2\r\n"
                                  u"Čas celkem;0 h  00 min  00 sec"));
}

TEST_F(DetailReport, SemicolonsStayAndFormulaNamesAreTextInTheCsvOnly) {
    PlaybackLog log;
    AddPlay(log, {"=a;b", 1, 3, 2015, 7, 0, 0, 1.0});
    BuildTotals(log);
    ASSERT_TRUE(Succeeded(WriteDetailFiles(log, 0, kMarch2015, ',')));
    EXPECT_EQ(ReadBytes(InReport("=a;b_2015-03.txt")),
              Cp1250(kTextHeader + u"01.03.2015\t07:00:00\t=a;b\t1,00\r\n\r\n"
                                   u"Počet přehrání\t1\r\nČas celkem\t0 h  00 min  01 sec"));
    EXPECT_EQ(ReadBytes(InReport("=a;b_2015-03.csv")),
              Cp1250(kCsvHeader + u"2015-03-01;07:00:00;'=a;b;1.00\r\n\r\n"
                                  u"Počet přehrání;1\r\nČas celkem;0 h  00 min  01 sec"));
}

TEST_F(DetailReport, RowOutsideTheTotalsIsAFailureAndWritesNothing) {
    PlaybackLog log;
    LoadIntro(log);
    BuildTotals(log);
    for (int32_t row : {-1, 1}) {
        const ReportResult result = WriteDetailFiles(log, row, kMarch2015, ',');
        EXPECT_EQ(result.failures.size(), 1u) << row;
        EXPECT_TRUE(result.csvPath.empty());
    }
    EXPECT_TRUE(fs::is_empty("report"));
}

// --- file names ------------------------------------------------------------------------------

using DetailReportFileName = InScratchFolder;

TEST_F(DetailReportFileName, ColonsAndBothSlashesBecomeUnderscores) {
    PlaybackLog log;
    AddPlays(log, "C:\\spots\\intro.avi", 1, 1.0);
    AddPlays(log, "d/e.avi", 1, 1.0);
    BuildTotals(log);
    const ReportResult result = WriteAllDetailFiles(log, kMarch2015, ',');
    EXPECT_TRUE(Succeeded(result));
    EXPECT_TRUE(Exists(InReport("C__spots_intro.avi_2015-03.txt")));
    EXPECT_TRUE(Exists(InReport("C__spots_intro.avi_2015-03.csv")));
    EXPECT_TRUE(Exists(InReport("d_e.avi_2015-03.csv")));
    // The lines keep the name as it is.
    EXPECT_NE(ReadBytes(InReport("C__spots_intro.avi_2015-03.csv")).find(";C:\\spots\\intro.avi;"),
              std::string::npos);
}

TEST_F(DetailReportFileName, ParentFolderNamesStayInsideTheReportFolder) {
    fs::create_directory("inner");
    fs::rename("report", "inner/report");
    fs::current_path("inner");
    PlaybackLog log;
    AddPlays(log, "../../x", 1, 1.0);
    AddPlays(log, "..\\..\\x", 1, 1.0);
    AddPlays(log, "..", 1, 1.0);
    BuildTotals(log);
    const ReportResult result = WriteAllDetailFiles(log, kMarch2015, ',');
    EXPECT_TRUE(Succeeded(result));
    EXPECT_TRUE(Exists(InReport(".._.._x_2015-03.txt")));
    EXPECT_TRUE(Exists(InReport(".._2015-03.csv")));
    int outside = 0;
    for (const auto& entry : fs::recursive_directory_iterator(scratch_)) {
        outside += entry.path().parent_path().filename() != "report" &&
                   entry.path().filename() != "report" && entry.path().filename() != "inner";
    }
    EXPECT_EQ(outside, 0);
}

TEST_F(DetailReportFileName, NamesThatDifferOnlyByColonOrSlashShareOnePairAndTheLastWins) {
    PlaybackLog log;
    AddPlays(log, "xa:b", 1, 1.0);
    AddPlays(log, "xa\\b", 1, 2.0);
    AddPlays(log, "xa_b", 1, 3.0);
    BuildTotals(log);
    EXPECT_TRUE(Succeeded(WriteAllDetailFiles(log, kMarch2015, ',')));
    EXPECT_NE(ReadBytes(InReport("xa_b_2015-03.csv")).find(";xa_b;3.00\r\n"), std::string::npos);
}

TEST_F(DetailReportFileName, CzechNamesAreReadableFileNames) {
    PlaybackLog log;
    AddPlays(log, Cp1250(u"Čáp.avi").c_str(), 1, 1.0);
    BuildTotals(log);
    EXPECT_TRUE(Succeeded(WriteAllDetailFiles(log, kMarch2015, ',')));
    EXPECT_TRUE(fs::exists(fs::path("report") / fs::path(u"Čáp.avi_2015-03.csv")));
}

// The path "report\<name>_2015-03.txt" may hold 259 characters; a name part of 240 fills it.
TEST_F(DetailReportFileName, PathsAboveTheLimitAreRefusedAndTheRestWritten) {
    const std::string longest(240, 'a');
    const std::string tooLong(241, 'b');
    PlaybackLog log;
    AddPlays(log, longest.c_str(), 1, 1.0);
    AddPlays(log, tooLong.c_str(), 1, 1.0);
    AddPlays(log, "c.avi", 1, 1.0);
    BuildTotals(log);

    const ReportResult result = WriteAllDetailFiles(log, kMarch2015, ',');

    ASSERT_EQ(result.failures.size(), 1u);
    EXPECT_EQ(result.failures[0].path, InReport(tooLong + "_2015-03.txt"));
    EXPECT_EQ(InReport(longest + "_2015-03.txt").size(), 259u);
    EXPECT_TRUE(Exists(InReport(longest + "_2015-03.txt")));
    EXPECT_TRUE(Exists(InReport(longest + "_2015-03.csv")));
    EXPECT_TRUE(Exists(InReport("c.avi_2015-03.csv")));
    int files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator("report")) {
        ++files;
    }
    EXPECT_EQ(files, 4);
}

TEST_F(DetailReportFileName, SingleReportAboveTheLimitGivesNoPath) {
    PlaybackLog log;
    AddPlays(log, std::string(250, 'b').c_str(), 1, 1.0);
    BuildTotals(log);
    const ReportResult result = WriteDetailFiles(log, 0, kMarch2015, ',');
    EXPECT_EQ(result.failures.size(), 1u);
    EXPECT_TRUE(result.csvPath.empty());
    EXPECT_TRUE(fs::is_empty("report"));
}

// --- all details ------------------------------------------------------------------------------

using AllDetailReports = InScratchFolder;

TEST_F(AllDetailReports, ZeroTotalsWriteNothingAndSucceed) {
    PlaybackLog log;
    EXPECT_TRUE(Succeeded(WriteAllDetailFiles(log, kMarch2015, ',')));
    EXPECT_TRUE(fs::is_empty("report"));
}

TEST_F(AllDetailReports, AFailedTotalDoesNotStopTheNextAndEveryFailureIsListed) {
    fs::create_directory(InReport("b_2015-03.txt"));
    fs::create_directory(InReport("d_2015-03.csv"));
    PlaybackLog log;
    for (const char* name : {"a", "b", "c", "d"}) {
        AddPlays(log, name, 1, 1.0);
    }
    BuildTotals(log);

    const ReportResult result = WriteAllDetailFiles(log, kMarch2015, ',');

    ASSERT_EQ(result.failures.size(), 2u);
    EXPECT_EQ(result.failures[0].path, InReport("b_2015-03.txt"));
    EXPECT_EQ(result.failures[1].path, InReport("d_2015-03.csv"));
    EXPECT_FALSE(Exists(InReport("b_2015-03.csv")));
    EXPECT_TRUE(Exists(InReport("a_2015-03.csv")));
    EXPECT_TRUE(Exists(InReport("c_2015-03.csv")));
    EXPECT_TRUE(Exists(InReport("d_2015-03.txt")));
}

TEST_F(AllDetailReports, MissingReportFolderFailsEveryTotal) {
    fs::remove("report");
    PlaybackLog log;
    AddPlays(log, "a", 1, 1.0);
    AddPlays(log, "b", 1, 1.0);
    BuildTotals(log);
    EXPECT_EQ(WriteAllDetailFiles(log, kMarch2015, ',').failures.size(), 2u);
}

}  // namespace

namespace {

// The lengths come from a fast formatter; it has to agree with the C library's "%.2lf".
TEST_F(DetailReport, LengthsAgreeWithTheCLibrarysTwoDecimals) {
    std::vector<double> lengths = {0.0,
                                   -0.0,
                                   0.005,
                                   0.015,
                                   0.125,
                                   0.375,
                                   2.675,
                                   1.005,
                                   1e-300,
                                   5e-324,
                                   1e22,
                                   1e300,
                                   1.7976931348623157e308,
                                   -12.345,
                                   std::numeric_limits<double>::infinity(),
                                   -std::numeric_limits<double>::infinity()};
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> spread(-1e6, 1e6);
    for (int i = 0; i < 2000; ++i) {
        lengths.push_back(spread(random));
        lengths.push_back(std::round(spread(random)) / 1000.0);
    }
    PlaybackLog log;
    std::string expected;
    for (double length : lengths) {
        AddPlay(log, {"x", 1, 3, 2015, 7, 0, 0, length});
        char text[400];
        std::snprintf(text, sizeof text, "%.2f", length);
        expected += std::string("2015-03-01;07:00:00;x;") + text + "\r\n";
    }
    BuildTotals(log);
    ASSERT_TRUE(Succeeded(WriteDetailFiles(log, 0, kMarch2015, ',')));
    const std::string csv = ReadBytes(InReport("x_2015-03.csv"));
    const size_t header = csv.find("\r\n") + 2;
    EXPECT_EQ(csv.substr(header, expected.size()), expected);
}

}  // namespace
