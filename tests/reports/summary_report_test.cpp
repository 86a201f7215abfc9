#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "logdata/totals.h"
#include "tests/logdata/step_by_step.h"
#include "report_test_support.h"
#include "reports/report_writers.h"

#ifdef _WIN32
#include <share.h>

#include <cstdio>
#endif

namespace {

constexpr ReportMonth kMarch2015{2015, 3};

const std::u16string kTextHeader = u"Animace\tDélka [s]\tPočet přehrání\tČas celkem\r\n";
const std::u16string kCsvHeader = u"Animace;Délka [s];Počet přehrání;Čas celkem\r\n";

using SummaryReport = InScratchFolder;

// Three totals whose times are 87.5 s, 0.8 s and 600 000 s.
void LoadThreeAnimations(PlaybackLog& log) {
    AddPlays(log, "intro.avi", 7, 12.5);
    AddPlays(log, "long.avi", 1000, 600.0);
    AddPlays(log, "short.avi", 2, 0.4);
    BuildTotals(log);
}

TEST_F(SummaryReport, TextFileUsesTheGivenSeparatorAndCsvFileAlwaysPoint) {
    PlaybackLog log;
    LoadThreeAnimations(log);

    const ReportResult result = WriteSummaryFiles(log, kMarch2015, ',');

    EXPECT_TRUE(Succeeded(result));
    EXPECT_EQ(result.csvPath, InReport("SUM_AVI_2015-03.csv"));
    EXPECT_EQ(ReadBytes(InReport("SUM_AVI_2015-03.txt")),
              Cp1250(kTextHeader + u"intro.avi\t12,50\t7\t0 h  01 min  27 sec\r\n"
                                   u"long.avi\t600,00\t1000\t166 h  40 min  00 sec\r\n"
                                   u"short.avi\t0,40\t2\t0 h  00 min  00 sec\r\n"));
    EXPECT_EQ(ReadBytes(InReport("SUM_AVI_2015-03.csv")),
              Cp1250(kCsvHeader + u"intro.avi;12.50;7;0 h  01 min  27 sec\r\n"
                                  u"long.avi;600.00;1000;166 h  40 min  00 sec\r\n"
                                  u"short.avi;0.40;2;0 h  00 min  00 sec\r\n"));
}

TEST_F(SummaryReport, HeaderBytesAreWindows1250WithoutByteOrderMark) {
    PlaybackLog log;
    ASSERT_TRUE(Succeeded(WriteSummaryFiles(log, kMarch2015, '.')));
    EXPECT_EQ(ReadBytes(InReport("SUM_AVI_2015-03.csv")),
              "Animace;D\xE9lka [s];Po\xE8"
              "et p\xF8"
              "ehr\xE1n\xED;\xC8"
              "as celkem\r\n");
}

TEST_F(SummaryReport, ZeroTotalsGiveHeaderOnlyFilesAndSuccess) {
    PlaybackLog log;
    const ReportResult result = WriteSummaryFiles(log, ReportMonth{0, 0}, ',');
    EXPECT_TRUE(Succeeded(result));
    EXPECT_EQ(result.csvPath, InReport("SUM_AVI_0000-00.csv"));
    EXPECT_EQ(ReadBytes(InReport("SUM_AVI_0000-00.txt")), Cp1250(kTextHeader));
    EXPECT_EQ(ReadBytes(InReport("SUM_AVI_0000-00.csv")), Cp1250(kCsvHeader));
}

TEST_F(SummaryReport, PointSeparatorGivesPointInBothFiles) {
    PlaybackLog log;
    AddPlays(log, "a.avi", 1, 12.5);
    BuildTotals(log);
    ASSERT_TRUE(Succeeded(WriteSummaryFiles(log, kMarch2015, '.')));
    EXPECT_EQ(ReadBytes(InReport("SUM_AVI_2015-03.txt")),
              Cp1250(kTextHeader + u"a.avi\t12.50\t1\t0 h  00 min  12 sec\r\n"));
}

TEST_F(SummaryReport, NamesAreWrittenUnquotedEvenWithSemicolons) {
    PlaybackLog log;
    AddPlays(log, "a;b \"c\".avi", 1, 1.0);
    BuildTotals(log);
    ASSERT_TRUE(Succeeded(WriteSummaryFiles(log, kMarch2015, ',')));
    EXPECT_EQ(ReadBytes(InReport("SUM_AVI_2015-03.csv")),
              Cp1250(kCsvHeader + u"a;b \"c\".avi;1.00;1;0 h  00 min  01 sec\r\n"));
}

TEST_F(SummaryReport, CsvNamesThatLookLikeFormulasAreMadeText) {
    PlaybackLog log;
    for (const char* name : {"+1.avi", "-1.avi", "=SUM(A1).avi", "@x.avi", "a=b.avi"}) {
        AddPlays(log, name, 1, 1.0);
    }
    BuildTotals(log);
    ASSERT_TRUE(Succeeded(WriteSummaryFiles(log, kMarch2015, ',')));
    EXPECT_EQ(ReadBytes(InReport("SUM_AVI_2015-03.csv")),
              Cp1250(kCsvHeader + u"'+1.avi;1.00;1;0 h  00 min  01 sec\r\n"
                                  u"'-1.avi;1.00;1;0 h  00 min  01 sec\r\n"
                                  u"'=SUM(A1).avi;1.00;1;0 h  00 min  01 sec\r\n"
                                  u"'@x.avi;1.00;1;0 h  00 min  01 sec\r\n"
                                  u"a=b.avi;1.00;1;0 h  00 min  01 sec\r\n"));
    EXPECT_EQ(ReadBytes(InReport("SUM_AVI_2015-03.txt")),
              Cp1250(kTextHeader + u"+1.avi\t1,00\t1\t0 h  00 min  01 sec\r\n"
                                   u"-1.avi\t1,00\t1\t0 h  00 min  01 sec\r\n"
                                   u"=SUM(A1).avi\t1,00\t1\t0 h  00 min  01 sec\r\n"
                                   u"@x.avi\t1,00\t1\t0 h  00 min  01 sec\r\n"
                                   u"a=b.avi\t1,00\t1\t0 h  00 min  01 sec\r\n"));
}

TEST_F(SummaryReport, CsvNamesStartingWithTabOrCarriageReturnAreMadeText) {
    PlaybackLog log;
    AddPlays(log, "\tx", 1, 1.0);
    AddPlays(log, "\rx", 1, 1.0);
    BuildTotals(log);
    ASSERT_TRUE(Succeeded(WriteSummaryFiles(log, kMarch2015, ',')));
    const std::string csv = ReadBytes(InReport("SUM_AVI_2015-03.csv"));
    EXPECT_NE(csv.find("\r\n'\tx;1.00;"), std::string::npos) << csv;
    EXPECT_NE(csv.find("\r\n'\rx;1.00;"), std::string::npos) << csv;
}

TEST_F(SummaryReport, ExistingFilesAreReplacedNotAppended) {
    WriteBytes(InReport("SUM_AVI_2015-03.txt"), std::string(5000, 'x'));
    WriteBytes(InReport("SUM_AVI_2015-03.csv"), std::string(5000, 'x'));
    PlaybackLog log;
    ASSERT_TRUE(Succeeded(WriteSummaryFiles(log, kMarch2015, ',')));
    EXPECT_EQ(ReadBytes(InReport("SUM_AVI_2015-03.txt")), Cp1250(kTextHeader));
    EXPECT_EQ(ReadBytes(InReport("SUM_AVI_2015-03.csv")), Cp1250(kCsvHeader));
}

// --- files that cannot be written ------------------------------------------------------------

using SummaryReportFailure = InScratchFolder;

TEST_F(SummaryReportFailure, MissingReportFolderIsReportedForTheTextFileOnly) {
    std::filesystem::remove("report");
    PlaybackLog log;
    const ReportResult result = WriteSummaryFiles(log, kMarch2015, ',');
    ASSERT_EQ(result.failures.size(), 1u);
    EXPECT_EQ(result.failures[0].path, InReport("SUM_AVI_2015-03.txt"));
    EXPECT_FALSE(result.failures[0].reason.empty());
    EXPECT_TRUE(result.csvPath.empty());
    EXPECT_FALSE(Exists("report"));
}

TEST_F(SummaryReportFailure, ReportFolderThatIsAFileStopsThePair) {
    std::filesystem::remove("report");
    WriteBytes("report", "not a folder");
    PlaybackLog log;
    const ReportResult result = WriteSummaryFiles(log, kMarch2015, ',');
    ASSERT_EQ(result.failures.size(), 1u);
    EXPECT_EQ(result.failures[0].path, InReport("SUM_AVI_2015-03.txt"));
    EXPECT_EQ(ReadBytes("report"), "not a folder");
}

TEST_F(SummaryReportFailure, TextFileThatCannotBeOpenedKeepsTheCsvFileAsItWas) {
    std::filesystem::create_directory(InReport("SUM_AVI_2015-03.txt"));
    WriteBytes(InReport("SUM_AVI_2015-03.csv"), "old");
    PlaybackLog log;
    const ReportResult result = WriteSummaryFiles(log, kMarch2015, ',');
    ASSERT_EQ(result.failures.size(), 1u);
    EXPECT_EQ(result.failures[0].path, InReport("SUM_AVI_2015-03.txt"));
    EXPECT_EQ(ReadBytes(InReport("SUM_AVI_2015-03.csv")), "old");
}

TEST_F(SummaryReportFailure, CsvFileThatCannotBeOpenedIsReportedAfterTheTextFile) {
    std::filesystem::create_directory(InReport("SUM_AVI_2015-03.csv"));
    PlaybackLog log;
    const ReportResult result = WriteSummaryFiles(log, kMarch2015, ',');
    ASSERT_EQ(result.failures.size(), 1u);
    EXPECT_EQ(result.failures[0].path, InReport("SUM_AVI_2015-03.csv"));
    EXPECT_TRUE(result.csvPath.empty());
    EXPECT_EQ(ReadBytes(InReport("SUM_AVI_2015-03.txt")), Cp1250(kTextHeader));
}

#ifdef _WIN32
// A spreadsheet holding the CSV file open denies other writers.
TEST_F(SummaryReportFailure, CsvFileHeldByAnotherProgramIsReportedAndKeepsItsContent) {
    WriteBytes(InReport("SUM_AVI_2015-03.csv"), "old");
    FILE* holder = _fsopen(InReport("SUM_AVI_2015-03.csv").c_str(), "rb", _SH_DENYWR);
    ASSERT_NE(holder, nullptr);
    PlaybackLog log;
    const ReportResult result = WriteSummaryFiles(log, kMarch2015, ',');
    std::fclose(holder);
    ASSERT_EQ(result.failures.size(), 1u);
    EXPECT_EQ(result.failures[0].path, InReport("SUM_AVI_2015-03.csv"));
    EXPECT_TRUE(result.csvPath.empty());
    EXPECT_EQ(ReadBytes(InReport("SUM_AVI_2015-03.txt")), Cp1250(kTextHeader));
    EXPECT_EQ(ReadBytes(InReport("SUM_AVI_2015-03.csv")), "old");
}
#else
// Root ignores permission bits, but not a full device: the writes themselves fail.
TEST_F(SummaryReportFailure, WriteErrorIsReportedNotTakenForSuccess) {
    std::filesystem::create_symlink("/dev/full", InReport("SUM_AVI_2015-03.txt"));
    PlaybackLog log;
    LoadThreeAnimations(log);
    const ReportResult result = WriteSummaryFiles(log, kMarch2015, ',');
    ASSERT_EQ(result.failures.size(), 1u);
    EXPECT_EQ(result.failures[0].path, InReport("SUM_AVI_2015-03.txt"));
    EXPECT_TRUE(result.csvPath.empty());
    EXPECT_FALSE(Exists(InReport("SUM_AVI_2015-03.csv")));
}
#endif

}  // namespace
