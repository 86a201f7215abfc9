// kvimeter-cli summary: the summary pair, byte for byte, and its confirmation.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "tests/acceptance/report_files.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace acceptance {
namespace {

namespace fs = std::filesystem;

const std::string kText = "SUM_AVI_2015-03.txt";
const std::string kCsv = "SUM_AVI_2015-03.csv";

std::string TextRow(const std::string& name, const std::string& length, const std::string& count,
                    const std::string& totalTime) {
    return name + "\t" + length + "\t" + count + "\t" + totalTime + "\r\n";
}

std::string CsvRow(const std::string& name, const std::string& length, const std::string& count,
                   const std::string& totalTime) {
    return name + ";" + length + ";" + count + ";" + totalTime + "\r\n";
}

std::string Plays(int count, const std::string& name, const std::string& length) {
    std::string log;
    for (int i = 0; i < count; ++i) {
        log += Play("01.03.2015", "10:00:00", name, length);
    }
    return log;
}

using SummaryFiles = ReportTest;

TEST_F(SummaryFiles, TextAndCsvHoldHeaderAndOneTerminatedRowPerTotal) {
    WriteMarch(Plays(7, "intro.avi", "12.5") + Plays(2, "blink", "0.4") +
               Plays(1000, "long", "600"));
    ExpectSaved(SummaryMarch({"--decimal-separator", ","}), SummarySaved(kCsv));
    EXPECT_EQ(ReadReport(kText), kSummaryTextHeader +
                                     TextRow("blink", "0,40", "2", "0 h  00 min  00 sec") +
                                     TextRow("intro.avi", "12,50", "7", "0 h  01 min  27 sec") +
                                     TextRow("long", "600,00", "1000", "166 h  40 min  00 sec"));
    EXPECT_EQ(ReadReport(kCsv), kSummaryCsvHeader +
                                    CsvRow("blink", "0.40", "2", "0 h  00 min  00 sec") +
                                    CsvRow("intro.avi", "12.50", "7", "0 h  01 min  27 sec") +
                                    CsvRow("long", "600.00", "1000", "166 h  40 min  00 sec"));
    EXPECT_EQ(ReportFiles(), (std::vector<std::string>{kCsv, kText}));
}

TEST_F(SummaryFiles, ZeroTotalsLeaveTheHeadersOnly) {
    WriteMarch(Play("01.03.2015", "10:00:00", "intro.avi", "12.5"));
    ExpectSaved(SummaryMarch({"--day", "2", "--decimal-separator", ","}), SummarySaved(kCsv));
    EXPECT_EQ(ReadReport(kText), kSummaryTextHeader);
    EXPECT_EQ(ReadReport(kCsv), kSummaryCsvHeader);
}

TEST_F(SummaryFiles, AnEmptyLogLeavesTheHeadersOnly) {
    WriteMarch("");
    ExpectSaved(SummaryMarch({"--decimal-separator", "."}), SummarySaved(kCsv));
    EXPECT_EQ(ReadReport(kText), kSummaryTextHeader);
    EXPECT_EQ(ReadReport(kCsv), kSummaryCsvHeader);
}

TEST_F(SummaryFiles, TheDotSeparatorWritesBothFilesAlike) {
    WriteMarch(Plays(3, "intro.avi", "12.5"));
    ExpectSaved(SummaryMarch({"--decimal-separator", "."}), SummarySaved(kCsv));
    EXPECT_EQ(ReadReport(kText),
              kSummaryTextHeader + TextRow("intro.avi", "12.50", "3", "0 h  00 min  37 sec"));
    EXPECT_EQ(ReadReport(kCsv),
              kSummaryCsvHeader + CsvRow("intro.avi", "12.50", "3", "0 h  00 min  37 sec"));
}

using SummaryTotalTime = ReportTest;

TEST_F(SummaryTotalTime, UsesTheLengthOfTheEarliestPlayOnly) {
    // Written out of order: the 09:00 play sorts first and gives the length.
    WriteMarch(Play("01.03.2015", "10:00:00", "spot", "20") +
               Play("01.03.2015", "11:00:00", "spot", "300") +
               Play("01.03.2015", "09:00:00", "spot", "10"));
    ExpectSaved(SummaryMarch({"--decimal-separator", ","}), SummarySaved(kCsv));
    EXPECT_EQ(ReadReport(kText),
              kSummaryTextHeader + TextRow("spot", "10,00", "3", "0 h  00 min  30 sec"));
    EXPECT_EQ(ReadReport(kCsv),
              kSummaryCsvHeader + CsvRow("spot", "10.00", "3", "0 h  00 min  30 sec"));
}

TEST_F(SummaryTotalTime, HoursAreUnpaddedAndUnbounded) {
    WriteMarch(Play("01.03.2015", "10:00:00", "a", "3600") +
               Play("01.03.2015", "10:00:00", "b", "360000000") +
               Play("01.03.2015", "10:00:00", "c", "3599.99"));
    ExpectSaved(SummaryMarch({"--decimal-separator", "."}), SummarySaved(kCsv));
    EXPECT_EQ(ReadReport(kCsv), kSummaryCsvHeader +
                                    CsvRow("a", "3600.00", "1", "1 h  00 min  00 sec") +
                                    CsvRow("b", "360000000.00", "1", "100000 h  00 min  00 sec") +
                                    CsvRow("c", "3599.99", "1", "0 h  59 min  59 sec"));
}

// Odd lengths: the report's length and total time are the list's cells, the text file with its
// own decimal separator in place of the ".".
TEST_F(SummaryTotalTime, OddLengthsGiveTheListsCells) {
    WriteMarch(
        Play("01.03.2015", "10:00:00", "a", "-1.5") + Play("01.03.2015", "10:00:00", "a", "-1.5") +
        Play("01.03.2015", "10:00:00", "b", "nan") + Play("01.03.2015", "10:00:00", "c", "inf") +
        Play("01.03.2015", "10:00:00", "d", "1e20") + Play("01.03.2015", "10:00:00", "e", "2.675") +
        Play("01.03.2015", "10:00:00", "f", "-0.001") +
        Play("01.03.2015", "10:00:00", "g", "1e300") + Play("01.03.2015", "10:00:00", "g", "1"));
    const CliResult list = ListMarch();
    ASSERT_EQ(list.status, 0);
    std::string text = kSummaryTextHeader;
    std::string csv = kSummaryCsvHeader;
    std::istringstream rows(list.out);
    for (std::string row; std::getline(rows, row);) {
        std::string cells[4];
        std::istringstream cellStream(row);
        for (std::string& cell : cells) {
            std::getline(cellStream, cell, '\t');
        }
        std::string commaLength = cells[1];
        if (const auto dot = commaLength.find('.'); dot != std::string::npos) {
            commaLength[dot] = ',';
        }
        text += TextRow(cells[0], commaLength, cells[2], cells[3]);
        csv += CsvRow(cells[0], cells[1], cells[2], cells[3]);
    }
    ExpectSaved(SummaryMarch({"--decimal-separator", ","}), SummarySaved(kCsv));
    EXPECT_EQ(ReadReport(kText), text);
    EXPECT_EQ(ReadReport(kCsv), csv);
}

using SummaryNames = ReportTest;

TEST_F(SummaryNames, SeparatorsAndPathCharactersAreWrittenUnquoted) {
    WriteMarch(Play("01.03.2015", "10:00:00", "a;b", "1") +
               Play("01.03.2015", "10:00:00", "C:\\spots\\x.avi", "1") +
               Play("01.03.2015", "10:00:00", "d/e\"f", "1"));
    ExpectSaved(SummaryMarch({"--decimal-separator", ","}), SummarySaved(kCsv));
    EXPECT_EQ(ReadReport(kText),
              kSummaryTextHeader + TextRow("C:\\spots\\x.avi", "1,00", "1", "0 h  00 min  01 sec") +
                  TextRow("a;b", "1,00", "1", "0 h  00 min  01 sec") +
                  TextRow("d/e\"f", "1,00", "1", "0 h  00 min  01 sec"));
    EXPECT_EQ(ReadReport(kCsv), kSummaryCsvHeader +
                                    CsvRow("C:\\spots\\x.avi", "1.00", "1", "0 h  00 min  01 sec") +
                                    CsvRow("a;b", "1.00", "1", "0 h  00 min  01 sec") +
                                    CsvRow("d/e\"f", "1.00", "1", "0 h  00 min  01 sec"));
}

TEST_F(SummaryNames, Windows1250BytesAreWrittenAsTheyAre) {
    WriteMarch(Play("01.03.2015", "10:00:00",
                    "\xC8"
                    "erven\xFD \x9A"
                    "\x81",
                    "1"));
    ExpectSaved(SummaryMarch({"--decimal-separator", ","}), SummarySaved(kCsv));
    EXPECT_EQ(ReadReport(kText), kSummaryTextHeader + TextRow("\xC8"
                                                              "erven\xFD \x9A\x81",
                                                              "1,00", "1", "0 h  00 min  01 sec"));
}

TEST_F(SummaryNames, FormulaStartsGetAQuoteInTheCsvOnly) {
    // A fourth field of only CR LF makes a name that starts with CR.
    WriteMarch(
        Play("01.03.2015", "10:00:00", "=1+2", "1") + Play("01.03.2015", "10:00:00", "+x", "1") +
        Play("01.03.2015", "10:00:00", "-x", "1") + Play("01.03.2015", "10:00:00", "@x", "1") +
        "01.03.2015\t10:00:00\tX\t\r\n" + Play("01.03.2015", "10:00:00", " =x", "1") +
        Play("01.03.2015", "10:00:00", "x=1", "1") + Play("01.03.2015", "10:00:00", "'x", "1"));
    const std::string one = "0 h  00 min  01 sec";
    const std::string zero = "0 h  00 min  00 sec";
    ExpectSaved(SummaryMarch({"--decimal-separator", ","}), SummarySaved(kCsv));
    EXPECT_EQ(ReadReport(kText),
              kSummaryTextHeader + TextRow("\r\n", "0,00", "1", zero) +
                  TextRow(" =x", "1,00", "1", one) + TextRow("'x", "1,00", "1", one) +
                  TextRow("+x", "1,00", "1", one) + TextRow("-x", "1,00", "1", one) +
                  TextRow("=1+2", "1,00", "1", one) + TextRow("@x", "1,00", "1", one) +
                  TextRow("x=1", "1,00", "1", one));
    EXPECT_EQ(ReadReport(kCsv),
              kSummaryCsvHeader + CsvRow("'\r\n", "0.00", "1", zero) +
                  CsvRow(" =x", "1.00", "1", one) + CsvRow("'x", "1.00", "1", one) +
                  CsvRow("'+x", "1.00", "1", one) + CsvRow("'-x", "1.00", "1", one) +
                  CsvRow("'=1+2", "1.00", "1", one) + CsvRow("'@x", "1.00", "1", one) +
                  CsvRow("x=1", "1.00", "1", one));
}

TEST_F(SummaryNames, StrippedPathsAndFiltersGiveTheListsTotals) {
    WriteMarch(Play("01.03.2015", "08:00:00", "C:\\anim\\a.avi", "1") +
               Play("01.03.2015", "09:00:00", "d:/b/a.avi", "2") +
               Play("02.03.2015", "09:00:00", "C:\\anim\\a.avi", "3") +
               Play("01.03.2015", "12:00:00", "C:\\anim\\a.avi", "4"));
    ExpectSaved(SummaryMarch({"--strip-paths", "--day", "1", "--from", "8:30", "--to", "12:00",
                              "--decimal-separator", ","}),
                SummarySaved(kCsv));
    EXPECT_EQ(ReadReport(kText),
              kSummaryTextHeader + TextRow("a.avi", "2,00", "1", "0 h  00 min  02 sec"));
}

using SummaryFileNames = ReportTest;

TEST_F(SummaryFileNames, TheMonthIsZeroPaddedWhateverItsSpelling) {
    WriteMarch(Play("01.03.2015", "10:00:00", "a", "1"));
    ExpectSaved(Run({"summary", "2015-3", "--decimal-separator", "."}), SummarySaved(kCsv));
    EXPECT_EQ(ReportFiles(), (std::vector<std::string>{kCsv, kText}));
    fs::remove_all(ReportFolder());
    ExpectSaved(Run({"summary", "02015-003", "--decimal-separator", "."}), SummarySaved(kCsv));
    EXPECT_EQ(ReportFiles(), (std::vector<std::string>{kCsv, kText}));
}

TEST_F(SummaryFileNames, WideYearsAndMonthsAreNotCut) {
    folder_.WriteLog("AVI_12345-01.txt", Play("01.01.2015", "10:00:00", "a", "1"));
    folder_.WriteLog("AVI_0007-123.txt", Play("01.01.2015", "10:00:00", "b", "1"));
    ExpectSaved(Run({"summary", "12345-1", "--decimal-separator", "."}),
                SummarySaved("SUM_AVI_12345-01.csv"));
    ExpectSaved(Run({"summary", "7-123", "--decimal-separator", "."}),
                SummarySaved("SUM_AVI_0007-123.csv"));
    EXPECT_EQ(ReportFiles(),
              (std::vector<std::string>{"SUM_AVI_0007-123.csv", "SUM_AVI_0007-123.txt",
                                        "SUM_AVI_12345-01.csv", "SUM_AVI_12345-01.txt"}));
    EXPECT_EQ(ReadReport("SUM_AVI_0007-123.csv"),
              kSummaryCsvHeader + CsvRow("b", "1.00", "1", "0 h  00 min  01 sec"));
}

TEST_F(SummaryFileNames, ExistingFilesAreReplacedAndOthersLeftAlone) {
    WriteMarch(Play("01.03.2015", "10:00:00", "a", "1"));
    const std::string longer(5000, 'x');
    folder_.WriteFile("report/" + kText, longer);
    folder_.WriteFile("report/" + kCsv, longer);
    folder_.WriteFile("report/other.txt", "keep");
    ExpectSaved(SummaryMarch({"--decimal-separator", "."}), SummarySaved(kCsv));
    EXPECT_EQ(ReadReport(kText),
              kSummaryTextHeader + TextRow("a", "1.00", "1", "0 h  00 min  01 sec"));
    EXPECT_EQ(ReadReport(kCsv),
              kSummaryCsvHeader + CsvRow("a", "1.00", "1", "0 h  00 min  01 sec"));
    EXPECT_EQ(ReadReport("other.txt"), "keep");
    ExpectSaved(SummaryMarch({"--decimal-separator", "."}), SummarySaved(kCsv));
    EXPECT_EQ(ReadReport(kCsv),
              kSummaryCsvHeader + CsvRow("a", "1.00", "1", "0 h  00 min  01 sec"));
}

TEST_F(SummaryFileNames, DashCWritesBelowTheFolderAndPrintsTheRelativePath) {
    folder_.WriteFile("sub/log/AVI_2015-03.txt", Play("01.03.2015", "10:00:00", "a", "1"));
    ExpectSaved(Run({"-C", "sub", "summary", "2015-03", "--decimal-separator", "."}),
                SummarySaved(kCsv));
    EXPECT_TRUE(fs::is_regular_file(folder_.Path() / "sub" / "report" / kCsv));
    EXPECT_FALSE(fs::exists(ReportFolder()));
}

// The text file's separator when none is given: the user's.
#ifdef _WIN32

using DefaultDecimalSeparator = ReportTest;

std::string UserDecimalSeparator() {
    wchar_t separator[8] = {};
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8);
    const std::u8string text = fs::path(separator).u8string();
    return std::string(text.begin(), text.end());
}

TEST_F(DefaultDecimalSeparator, IsTheUserLocales) {
    WriteMarch(Plays(3, "intro.avi", "12.5"));
    ExpectSaved(SummaryMarch(), SummarySaved(kCsv));
    EXPECT_EQ(ReadReport(kText),
              kSummaryTextHeader + TextRow("intro.avi", "12" + UserDecimalSeparator() + "50", "3",
                                           "0 h  00 min  37 sec"));
    EXPECT_EQ(ReadReport(kCsv),
              kSummaryCsvHeader + CsvRow("intro.avi", "12.50", "3", "0 h  00 min  37 sec"));
}

#else

const std::string kCzech = "cs_CZ.UTF-8";

class DefaultDecimalSeparator : public ReportTest {
protected:
    // Runs summary without --decimal-separator; returns the text file's length cell.
    std::string LengthUnder(const Environment& environment) {
        WriteMarch(Plays(3, "intro.avi", "12.5"));
        ExpectSaved(Run({"summary", "2015-03"}, environment), SummarySaved(kCsv));
        // The CSV keeps "." and the log's "12.5" is still read with ".".
        EXPECT_EQ(ReadReport(kCsv),
                  kSummaryCsvHeader + CsvRow("intro.avi", "12.50", "3", "0 h  00 min  37 sec"));
        const std::string text = ReadReport(kText);
        const std::string prefix = kSummaryTextHeader + "intro.avi\t";
        const std::string suffix = "\t3\t0 h  00 min  37 sec\r\n";
        if (text.size() < prefix.size() + suffix.size() ||
            text.compare(0, prefix.size(), prefix) != 0 ||
            text.compare(text.size() - suffix.size(), suffix.size(), suffix) != 0) {
            ADD_FAILURE() << text;
            return "";
        }
        return text.substr(prefix.size(), text.size() - prefix.size() - suffix.size());
    }
};

TEST_F(DefaultDecimalSeparator, CzechEnvironmentGivesAComma) {
    EXPECT_EQ(
        LengthUnder({{"LC_ALL", kCzech}, {"LC_NUMERIC", std::nullopt}, {"LANG", std::nullopt}}),
        "12,50");
}

TEST_F(DefaultDecimalSeparator, CEnvironmentGivesADot) {
    EXPECT_EQ(LengthUnder({{"LC_ALL", "C"}, {"LC_NUMERIC", kCzech}, {"LANG", kCzech}}), "12.50");
}

TEST_F(DefaultDecimalSeparator, NoLocaleVariablesGiveADot) {
    EXPECT_EQ(LengthUnder(
                  {{"LC_ALL", std::nullopt}, {"LC_NUMERIC", std::nullopt}, {"LANG", std::nullopt}}),
              "12.50");
}

TEST_F(DefaultDecimalSeparator, NumericCategoryOverridesLang) {
    EXPECT_EQ(LengthUnder({{"LC_ALL", std::nullopt}, {"LC_NUMERIC", kCzech}, {"LANG", "C"}}),
              "12,50");
}

TEST_F(DefaultDecimalSeparator, LangAloneIsEnough) {
    EXPECT_EQ(
        LengthUnder({{"LC_ALL", std::nullopt}, {"LC_NUMERIC", std::nullopt}, {"LANG", kCzech}}),
        "12,50");
}

TEST_F(DefaultDecimalSeparator, AnExplicitSeparatorWins) {
    WriteMarch(Plays(1, "a", "1.5"));
    ExpectSaved(Run({"summary", "2015-03", "--decimal-separator", "."}, {{"LC_ALL", kCzech}}),
                SummarySaved(kCsv));
    EXPECT_EQ(ReadReport(kText),
              kSummaryTextHeader + TextRow("a", "1.50", "1", "0 h  00 min  01 sec"));
    ExpectSaved(Run({"summary", "2015-03", "--decimal-separator", ","}, {{"LC_ALL", "C"}}),
                SummarySaved(kCsv));
    EXPECT_EQ(ReadReport(kText),
              kSummaryTextHeader + TextRow("a", "1,50", "1", "0 h  00 min  01 sec"));
}

TEST_F(DefaultDecimalSeparator, TheListKeepsItsDotUnderACzechEnvironment) {
    WriteMarch(Plays(1, "a", "1.5"));
    ExpectPrinted(Run({"list", "2015-03"}, {{"LC_ALL", kCzech}}),
                  Row("a", "1.50", "1", "0 h  00 min  01 sec"));
}

#endif

}  // namespace
}  // namespace acceptance
