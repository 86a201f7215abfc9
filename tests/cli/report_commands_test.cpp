// kvimeter-cli summary and detail, driven through the real command table in a scratch folder.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "base/cp1250.h"
#include "userlocale/user_decimal_separator.h"
#include "tests/cli/cli_fixture.h"

namespace {

namespace fs = std::filesystem;

class ReportCommands : public CliInScratchFolder {
protected:
    ReportCommands() : CliInScratchFolder("report_cli_test") {}

    void WriteLog(const std::string& bytes) { CliInScratchFolder::WriteLog("2015-03", bytes); }

    std::string Report(const std::string& file) const {
        std::ifstream in(dir_ / "report" / file, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }

    bool ReportFolderExists() const { return fs::exists(dir_ / "report"); }
};

// Two animations: intro.avi three times, C:\x\y.avi once; sorted intro.avi comes second.
const std::string kLog =
    "01.03.2015\t09:00:05\tX\tintro.avi\t12.5\r\n"
    "01.03.2015\t08:00:05\tX\tintro.avi\t12.5\r\n"
    "05.03.2015\t23:59:59\tX\tC:\\x\\y.avi\t600\r\n"
    "02.03.2015\t08:00:05\tX\tintro.avi\t12.5\r\n";

std::string Utf8(std::u16string_view text) {
    return Cp1250ToUtf8(Utf16ToCp1250(text));
}

#ifdef _WIN32
constexpr char kSep[] = "\\";
#else
constexpr char kSep[] = "/";
#endif

// --- summary -------------------------------------------------------------------------------

TEST_F(ReportCommands, SummaryWritesBothFilesAndConfirmsWithTheCsvPath) {
    WriteLog(kLog);
    const CliRun run = Cli({"summary", "2015-03", "--decimal-separator", ","});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, Utf8(u"Sumární přehled byl uložen do souboru:\n\nreport") + kSep +
                           "SUM_AVI_2015-03.csv\n");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(Report("SUM_AVI_2015-03.txt"),
              Utf16ToCp1250(u"Animace\tDélka [s]\tPočet přehrání\tČas celkem\r\n"
                            u"C:\\x\\y.avi\t600,00\t1\t0 h  10 min  00 sec\r\n"
                            u"intro.avi\t12,50\t3\t0 h  00 min  37 sec\r\n"));
    EXPECT_EQ(Report("SUM_AVI_2015-03.csv"),
              Utf16ToCp1250(u"Animace;Délka [s];Počet přehrání;Čas celkem\r\n"
                            u"C:\\x\\y.avi;600.00;1;0 h  10 min  00 sec\r\n"
                            u"intro.avi;12.50;3;0 h  00 min  37 sec\r\n"));
}

TEST_F(ReportCommands, SeparatorMayBeTypedAsOneUtf8Character) {
    WriteLog(kLog);
    ASSERT_EQ(Cli({"summary", "2015-03", "--decimal-separator", "\xC2\xB7"}).status, 0);
    EXPECT_NE(Report("SUM_AVI_2015-03.txt")
                  .find("intro.avi\t12\xB7"
                        "50\t3"),
              std::string::npos);
    // Two characters, or one that the code page lacks (ø), are refused.
    EXPECT_EQ(Cli({"summary", "2015-03", "--decimal-separator", "\xE2\x82\xAC\xE2\x82\xAC"}).status,
              2);
    EXPECT_EQ(Cli({"summary", "2015-03", "--decimal-separator", "\xC3\xB8"}).status, 2);
}

TEST_F(ReportCommands, SummaryTakesTheUsersSeparatorByDefault) {
    WriteLog(kLog);
    ASSERT_EQ(Cli({"summary", "2015-03"}).status, 0);
    const std::string length = std::string("\t12") + UserDecimalSeparator() + "50\t";
    EXPECT_NE(Report("SUM_AVI_2015-03.txt").find(length), std::string::npos);
}

TEST_F(ReportCommands, SummaryFiltersLikeList) {
    WriteLog(kLog);
    ASSERT_EQ(Cli({"summary", "2015-03", "--day", "1", "--strip-paths"}).status, 0);
    EXPECT_EQ(Report("SUM_AVI_2015-03.csv"),
              Utf16ToCp1250(u"Animace;Délka [s];Počet přehrání;Čas celkem\r\n"
                            u"intro.avi;12.50;2;0 h  00 min  25 sec\r\n"));
}

TEST_F(ReportCommands, SummaryOfAnEmptyMonthWritesHeadersAndSucceeds) {
    WriteLog("");
    const CliRun run = Cli({"summary", "2015-03"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Report("SUM_AVI_2015-03.csv"),
              Utf16ToCp1250(u"Animace;Délka [s];Počet přehrání;Čas celkem\r\n"));
}

TEST_F(ReportCommands, SummaryOfAMissingLogFailsWithoutCreatingTheReportFolder) {
    const CliRun run = Cli({"summary", "2015-03"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(ReportFolderExists());
}

TEST_F(ReportCommands, BadArgumentsAreUsageErrorsBeforeAnythingIsRead) {
    for (const Arguments& args :
         {Arguments{"summary"}, Arguments{"summary", "March"},
          Arguments{"summary", "2015-03", "--all"},
          Arguments{"summary", "2015-03", "--decimal-separator", ",,"},
          Arguments{"detail", "2015-03"}, Arguments{"detail", "2015-03", "--all", "--row", "0"},
          Arguments{"detail", "2015-03", "--row"}, Arguments{"detail", "2015-03", "--row", "-1"},
          Arguments{"detail", "2015-03", "--row", "x"},
          Arguments{"detail", "2015-03", "--row", "0", "--row", "1"}}) {
        const CliRun run = Cli(args);
        EXPECT_EQ(run.status, 2) << args.back();
        EXPECT_EQ(run.out, "") << args.back();
    }
    EXPECT_FALSE(ReportFolderExists());
}

TEST_F(ReportCommands, FileThatCannotBeWrittenIsNamedAndNoConfirmationPrinted) {
    WriteLog(kLog);
    fs::create_directories(dir_ / "report" / "SUM_AVI_2015-03.csv");
    const CliRun run = Cli({"summary", "2015-03"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(std::string("report") + kSep + "SUM_AVI_2015-03.csv"), std::string::npos)
        << run.err;
}

TEST_F(ReportCommands, ReportFolderInTheWayOfAFileIsAFailure) {
    WriteLog(kLog);
    std::ofstream(dir_ / "report") << "x";
    const CliRun run = Cli({"detail", "2015-03", "--all"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
}

// --- detail --------------------------------------------------------------------------------

TEST_F(ReportCommands, DetailRowWritesThatTotalsPairAndConfirms) {
    WriteLog(kLog);
    const CliRun run = Cli({"detail", "2015-03", "--row", "1", "--decimal-separator", ","});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, Utf8(u"Detailní přehled byl uložen do souboru\n\nreport") + kSep +
                           "intro.avi_2015-03.csv\n");
    EXPECT_EQ(Report("intro.avi_2015-03.txt"),
              Utf16ToCp1250(u"Datum\tČas\tAnimace\tDélka [s]\r\n"
                            u"01.03.2015\t08:00:05\tintro.avi\t12,50\r\n"
                            u"01.03.2015\t09:00:05\tintro.avi\t12,50\r\n"
                            u"02.03.2015\t08:00:05\tintro.avi\t12,50\r\n"
                            u"\r\n"
                            u"Počet přehrání\t3\r\n"
                            u"Čas celkem\t0 h  00 min  37 sec"));
    EXPECT_FALSE(fs::exists(dir_ / "report" / "C__x_y.avi_2015-03.txt"));
}

TEST_F(ReportCommands, DetailRowOutsideTheListIsAUsageErrorAfterTheLoad) {
    WriteLog(kLog);
    const CliRun run = Cli({"detail", "2015-03", "--row", "2"});
    EXPECT_EQ(run.status, 2);
    EXPECT_FALSE(ReportFolderExists());
    EXPECT_EQ(Cli({"detail", "2015-03", "--row", "99999999999999999999999"}).status, 2);
    EXPECT_FALSE(ReportFolderExists());
    fs::remove(dir_ / "log" / "AVI_2015-03.txt");
    EXPECT_EQ(Cli({"detail", "2015-03", "--row", "2"}).status, 1) << "the load comes first";
    EXPECT_EQ(Cli({"detail", "2015-03", "--row", "99999999999999999999999"}).status, 1);
}

TEST_F(ReportCommands, DetailAllWritesEveryPairAndConfirms) {
    WriteLog(kLog);
    const CliRun run = Cli({"detail", "--all", "2015-03"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, Utf8(u"Detailní přehledy byly uloženy do adresáře report\n"));
    EXPECT_EQ(Report("C__x_y.avi_2015-03.csv"),
              Utf16ToCp1250(u"Datum;Čas;Animace;Délka [s]\r\n"
                            u"2015-03-05;23:59:59;C:\\x\\y.avi;600.00\r\n"
                            u"\r\n"
                            u"Počet přehrání;1\r\n"
                            u"Čas celkem;0 h  10 min  00 sec"));
    EXPECT_TRUE(fs::exists(dir_ / "report" / "intro.avi_2015-03.txt"));
}

TEST_F(ReportCommands, DetailAllOfAnEmptyMonthWritesNothingAndConfirms) {
    WriteLog("");
    const CliRun run = Cli({"detail", "2015-03", "--all"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, Utf8(u"Detailní přehledy byly uloženy do adresáře report\n"));
    EXPECT_TRUE(fs::is_empty(dir_ / "report"));
}

}  // namespace
