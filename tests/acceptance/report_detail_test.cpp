// kvimeter-cli detail: one pair of files per animation, byte for byte, and the names they get.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/acceptance/report_files.h"

namespace acceptance {
namespace {

namespace fs = std::filesystem;

std::string TextLine(const std::string& date, const std::string& time, const std::string& name,
                     const std::string& length) {
    return date + "\t" + time + "\t" + name + "\t" + length + "\r\n";
}

std::string CsvLine(const std::string& date, const std::string& time, const std::string& name,
                    const std::string& length) {
    return date + ";" + time + ";" + name + ";" + length + "\r\n";
}

// A detail pair of one play of one second on 1 March 2015 at 10:00:00.
std::string OnePlayText(const std::string& name) {
    return kDetailTextHeader + TextLine("01.03.2015", "10:00:00", name, "1,00") + "\r\n" +
           DetailClosing("\t", "1", "0 h  00 min  01 sec");
}

std::string OnePlayCsv(const std::string& csvName) {
    return kDetailCsvHeader + CsvLine("2015-03-01", "10:00:00", csvName, "1.00") + "\r\n" +
           DetailClosing(";", "1", "0 h  00 min  01 sec");
}

std::string OnePlay(const std::string& name) {
    return Play("01.03.2015", "10:00:00", name, "1");
}

std::vector<std::string> Pair(const std::string& stem) {
    return {stem + "_2015-03.csv", stem + "_2015-03.txt"};
}

using DetailFiles = ReportTest;

TEST_F(DetailFiles, ThreePlaysOfIntroGiveTheSevenLinesWithoutAFinalLineEnd) {
    WriteMarch(Play("02.03.2015", "08:00:05", "intro.avi", "12.5") +
               Play("01.03.2015", "09:00:05", "intro.avi", "12.5") +
               Play("01.03.2015", "08:00:05", "intro.avi", "12.5"));
    ExpectSaved(DetailMarch({"--row", "0", "--decimal-separator", ","}),
                DetailSaved("intro.avi_2015-03.csv"));
    EXPECT_EQ(ReadReport("intro.avi_2015-03.txt"),
              kDetailTextHeader + TextLine("01.03.2015", "08:00:05", "intro.avi", "12,50") +
                  TextLine("01.03.2015", "09:00:05", "intro.avi", "12,50") +
                  TextLine("02.03.2015", "08:00:05", "intro.avi", "12,50") + "\r\n" +
                  DetailClosing("\t", "3", "0 h  00 min  37 sec"));
    EXPECT_EQ(ReadReport("intro.avi_2015-03.csv"),
              kDetailCsvHeader + CsvLine("2015-03-01", "08:00:05", "intro.avi", "12.50") +
                  CsvLine("2015-03-01", "09:00:05", "intro.avi", "12.50") +
                  CsvLine("2015-03-02", "08:00:05", "intro.avi", "12.50") + "\r\n" +
                  DetailClosing(";", "3", "0 h  00 min  37 sec"));
    EXPECT_EQ(ReportFiles(), Pair("intro.avi"));
}

TEST_F(DetailFiles, EachLineShowsItsOwnLengthAndTheTotalTheFirstPlays) {
    WriteMarch(Play("01.03.2015", "11:00:00", "spot", "30.5") +
               Play("01.03.2015", "10:00:00", "spot", "20") +
               Play("01.03.2015", "09:00:00", "spot", "10"));
    ExpectSaved(DetailMarch({"--row", "0", "--decimal-separator", ","}),
                DetailSaved("spot_2015-03.csv"));
    EXPECT_EQ(ReadReport("spot_2015-03.txt"),
              kDetailTextHeader + TextLine("01.03.2015", "09:00:00", "spot", "10,00") +
                  TextLine("01.03.2015", "10:00:00", "spot", "20,00") +
                  TextLine("01.03.2015", "11:00:00", "spot", "30,50") + "\r\n" +
                  DetailClosing("\t", "3", "0 h  00 min  30 sec"));
    EXPECT_EQ(ReadReport("spot_2015-03.csv"),
              kDetailCsvHeader + CsvLine("2015-03-01", "09:00:00", "spot", "10.00") +
                  CsvLine("2015-03-01", "10:00:00", "spot", "20.00") +
                  CsvLine("2015-03-01", "11:00:00", "spot", "30.50") + "\r\n" +
                  DetailClosing(";", "3", "0 h  00 min  30 sec"));
}

TEST_F(DetailFiles, UndatedAndWideYearPlaysKeepTheirNumbers) {
    WriteMarch("garbage\t\tX\todd\t1\r\n" + Play("01.03.12345", "10:00:00", "wide", "1"));
    ExpectSaved(DetailMarch({"--all", "--decimal-separator", ","}), kAllDetailsSaved);
    EXPECT_EQ(ReadReport("odd_2015-03.txt"),
              kDetailTextHeader + TextLine("00.00.0000", "00:00:00", "odd", "1,00") + "\r\n" +
                  DetailClosing("\t", "1", "0 h  00 min  01 sec"));
    EXPECT_EQ(ReadReport("odd_2015-03.csv"),
              kDetailCsvHeader + CsvLine("0000-00-00", "00:00:00", "odd", "1.00") + "\r\n" +
                  DetailClosing(";", "1", "0 h  00 min  01 sec"));
    EXPECT_EQ(ReadReport("wide_2015-03.txt"),
              kDetailTextHeader + TextLine("01.03.12345", "10:00:00", "wide", "1,00") + "\r\n" +
                  DetailClosing("\t", "1", "0 h  00 min  01 sec"));
    EXPECT_EQ(ReadReport("wide_2015-03.csv"),
              kDetailCsvHeader + CsvLine("12345-03-01", "10:00:00", "wide", "1.00") + "\r\n" +
                  DetailClosing(";", "1", "0 h  00 min  01 sec"));
}

TEST_F(DetailFiles, OnlyTheKeptPlaysAppear) {
    WriteMarch(
        Play("01.03.2015", "07:59:59", "spot", "1") + Play("01.03.2015", "08:00:00", "spot", "2") +
        Play("02.03.2015", "08:00:00", "spot", "3") + Play("01.03.2015", "17:00:00", "spot", "4"));
    ExpectSaved(DetailMarch({"--row", "0", "--day", "1", "--from", "8:00", "--to", "17:00",
                             "--decimal-separator", "."}),
                DetailSaved("spot_2015-03.csv"));
    EXPECT_EQ(ReadReport("spot_2015-03.txt"),
              kDetailTextHeader + TextLine("01.03.2015", "08:00:00", "spot", "2.00") + "\r\n" +
                  DetailClosing("\t", "1", "0 h  00 min  02 sec"));
}

using DetailRows = ReportTest;

TEST_F(DetailRows, RowPicksTheTotalInListOrder) {
    WriteMarch(OnePlay("c") + OnePlay("a") + OnePlay("b"));
    ExpectSaved(DetailMarch({"--row", "1", "--decimal-separator", ","}),
                DetailSaved("b_2015-03.csv"));
    EXPECT_EQ(ReportFiles(), Pair("b"));
    EXPECT_EQ(ReadReport("b_2015-03.txt"), OnePlayText("b"));
    EXPECT_EQ(ReadReport("b_2015-03.csv"), OnePlayCsv("b"));
    ExpectSaved(DetailMarch({"--row", "2", "--decimal-separator", ","}),
                DetailSaved("c_2015-03.csv"));
    EXPECT_EQ(ReadReport("c_2015-03.txt"), OnePlayText("c"));
}

TEST_F(DetailRows, AllWritesOnePairPerTotal) {
    WriteMarch(OnePlay("c") + OnePlay("a") + OnePlay("b") + OnePlay("a"));
    ExpectSaved(DetailMarch({"--all", "--decimal-separator", ","}), kAllDetailsSaved);
    std::vector<std::string> expected = Pair("a");
    for (const char* stem : {"b", "c"}) {
        for (const std::string& file : Pair(stem)) {
            expected.push_back(file);
        }
    }
    EXPECT_EQ(ReportFiles(), expected);
    EXPECT_EQ(ReadReport("c_2015-03.txt"), OnePlayText("c"));
    EXPECT_EQ(ReadReport("a_2015-03.csv"),
              kDetailCsvHeader + CsvLine("2015-03-01", "10:00:00", "a", "1.00") +
                  CsvLine("2015-03-01", "10:00:00", "a", "1.00") + "\r\n" +
                  DetailClosing(";", "2", "0 h  00 min  02 sec"));
}

TEST_F(DetailRows, AllWithoutTotalsWritesNothingAndSaysSo) {
    WriteMarch(OnePlay("a"));
    ExpectSaved(DetailMarch({"--all", "--day", "2"}), kAllDetailsSaved);
    EXPECT_TRUE(fs::is_directory(ReportFolder()));
    EXPECT_EQ(ReportFiles(), std::vector<std::string>{});
}

TEST_F(DetailRows, ExistingFilesAreReplaced) {
    WriteMarch(OnePlay("a"));
    folder_.WriteFile("report/a_2015-03.txt", std::string(3000, 'x'));
    folder_.WriteFile("report/a_2015-03.csv", std::string(3000, 'x'));
    ExpectSaved(DetailMarch({"--row", "0", "--decimal-separator", ","}),
                DetailSaved("a_2015-03.csv"));
    EXPECT_EQ(ReadReport("a_2015-03.txt"), OnePlayText("a"));
    EXPECT_EQ(ReadReport("a_2015-03.csv"), OnePlayCsv("a"));
}

TEST_F(DetailRows, TheMonthArgumentNamesTheFiles) {
    WriteMarch(OnePlay("a"));
    ExpectSaved(Run({"detail", "2015-3", "--row", "0", "--decimal-separator", ","}),
                DetailSaved("a_2015-03.csv"));
    EXPECT_EQ(ReportFiles(), Pair("a"));
}

using DetailFileNames = ReportTest;

TEST_F(DetailFileNames, ColonsAndBothSlashesBecomeUnderscoresInTheFileNameOnly) {
    WriteMarch(OnePlay("C:\\spots\\intro.avi") + OnePlay("a/b") + OnePlay("a;b"));
    ExpectSaved(DetailMarch({"--all", "--decimal-separator", ","}), kAllDetailsSaved);
    std::vector<std::string> expected = Pair("C__spots_intro.avi");
    for (const char* stem : {"a;b", "a_b"}) {
        for (const std::string& file : Pair(stem)) {
            expected.push_back(file);
        }
    }
    EXPECT_EQ(ReportFiles(), expected);
    EXPECT_EQ(ReadReport("C__spots_intro.avi_2015-03.txt"), OnePlayText("C:\\spots\\intro.avi"));
    EXPECT_EQ(ReadReport("C__spots_intro.avi_2015-03.csv"), OnePlayCsv("C:\\spots\\intro.avi"));
    EXPECT_EQ(ReadReport("a_b_2015-03.txt"), OnePlayText("a/b"));
    EXPECT_EQ(ReadReport("a;b_2015-03.txt"), OnePlayText("a;b"));
    EXPECT_EQ(ReadReport("a;b_2015-03.csv"), OnePlayCsv("a;b"));
}

TEST_F(DetailFileNames, TheRowMessageNamesTheReplacedFileName) {
    WriteMarch(OnePlay("C:\\spots\\intro.avi"));
    ExpectSaved(DetailMarch({"--row", "0", "--decimal-separator", ","}),
                DetailSaved("C__spots_intro.avi_2015-03.csv"));
}

TEST_F(DetailFileNames, NamesThatClimbOrStartAtTheRootStayInsideReport) {
    WriteMarch(OnePlay("..\\..\\evil") + OnePlay("../../evil") + OnePlay("/tmp/evil2") +
               OnePlay("..") + OnePlay("..\\"));
    ExpectSaved(DetailMarch({"--all", "--decimal-separator", ","}), kAllDetailsSaved);
    std::vector<std::string> expected;
    for (const char* stem : {"..", ".._", ".._.._evil", "_tmp_evil2"}) {
        for (const std::string& file : Pair(stem)) {
            expected.push_back(file);
        }
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(ReportFiles(), expected);
    // In list order "../../evil" comes before "..\..\evil", whose files therefore remain.
    EXPECT_EQ(ReadReport(".._.._evil_2015-03.txt"), OnePlayText("..\\..\\evil"));
    EXPECT_EQ(ReadReport("_tmp_evil2_2015-03.csv"), OnePlayCsv("/tmp/evil2"));
    for (const fs::path& outside : {folder_.Path(), folder_.Path().parent_path(),
                                    folder_.Path().parent_path().parent_path(), fs::path("/tmp")}) {
        EXPECT_FALSE(fs::exists(outside / "evil_2015-03.txt")) << outside;
        EXPECT_FALSE(fs::exists(outside / "evil2_2015-03.txt")) << outside;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_.Path()), fs::directory_iterator()), 2);
}

TEST_F(DetailFileNames, NamesDifferingOnlyInReplacedCharactersShareFilesLastOneWins) {
    WriteMarch(OnePlay("xa_b") + OnePlay("xa:b") + OnePlay("xa\\b"));
    ExpectSaved(DetailMarch({"--all", "--decimal-separator", ","}), kAllDetailsSaved);
    EXPECT_EQ(ReportFiles(), Pair("xa_b"));
    EXPECT_EQ(ReadReport("xa_b_2015-03.txt"), OnePlayText("xa_b"));
    ExpectSaved(DetailMarch({"--row", "0", "--decimal-separator", ","}),
                DetailSaved("xa_b_2015-03.csv"));
    EXPECT_EQ(ReadReport("xa_b_2015-03.txt"), OnePlayText("xa:b"));
    EXPECT_EQ(ReadReport("xa_b_2015-03.csv"), OnePlayCsv("xa:b"));
}

TEST_F(DetailFileNames, AStrippedNameThatEndedInASlashIsEmpty) {
    WriteMarch(OnePlay("C:\\anim\\"));
    ExpectSaved(DetailMarch({"--row", "0", "--strip-paths", "--decimal-separator", ","}),
                DetailSaved("_2015-03.csv"));
    EXPECT_EQ(ReadReport("_2015-03.txt"), OnePlayText(""));
    EXPECT_EQ(ReadReport("_2015-03.csv"), OnePlayCsv(""));
}

TEST_F(DetailFileNames, StrippedNamesNameTheFiles) {
    WriteMarch(OnePlay("C:\\anim\\spot.avi") + OnePlay("d:/x/spot.avi"));
    ExpectSaved(DetailMarch({"--all", "--strip-paths", "--decimal-separator", "."}),
                kAllDetailsSaved);
    EXPECT_EQ(ReportFiles(), Pair("spot.avi"));
    EXPECT_EQ(ReadReport("spot.avi_2015-03.csv"),
              kDetailCsvHeader + CsvLine("2015-03-01", "10:00:00", "spot.avi", "1.00") +
                  CsvLine("2015-03-01", "10:00:00", "spot.avi", "1.00") + "\r\n" +
                  DetailClosing(";", "2", "0 h  00 min  02 sec"));
}

TEST_F(DetailFileNames, TheMessageNamesTheFileThatWasWritten) {
    // Windows-1250 0xC8 is "Č", UTF-8 C4 8C.
    WriteMarch(
        OnePlay("\xC8"
                "as.avi"));
    const std::string csv =
        "\xC4\x8C"
        "as.avi_2015-03.csv";
    ExpectSaved(DetailMarch({"--row", "0", "--decimal-separator", ","}), DetailSaved(csv));
    EXPECT_EQ(ReadReport(csv), OnePlayCsv("\xC8"
                                          "as.avi"));
}

using DetailFormulaNames = ReportTest;

TEST_F(DetailFormulaNames, GetAQuoteInTheCsvLinesOnly) {
    WriteMarch(OnePlay("=HYPERLINK(1)") + OnePlay("+x") + OnePlay("-x") + OnePlay("@x") +
               OnePlay(" =x") + OnePlay("x=1"));
    ExpectSaved(DetailMarch({"--all", "--decimal-separator", ","}), kAllDetailsSaved);
    for (const std::string name : {"=HYPERLINK(1)", "+x", "-x", "@x"}) {
        EXPECT_EQ(ReadReport(name + "_2015-03.txt"), OnePlayText(name));
        EXPECT_EQ(ReadReport(name + "_2015-03.csv"), OnePlayCsv("'" + name));
    }
    for (const std::string name : {" =x", "x=1"}) {
        EXPECT_EQ(ReadReport(name + "_2015-03.txt"), OnePlayText(name));
        EXPECT_EQ(ReadReport(name + "_2015-03.csv"), OnePlayCsv(name));
    }
}

// The path report<sep>NAME_YYYY-MM.txt may hold 259 characters; with a four-digit year that
// leaves 240 for the name part.
using DetailPathLimit = ReportTest;

TEST_F(DetailPathLimit, ANamePartOf240IsWritten) {
    const std::string name(240, 'n');
    WriteMarch(OnePlay(name));
    ExpectSaved(DetailMarch({"--row", "0", "--decimal-separator", ","}),
                DetailSaved(name + "_2015-03.csv"));
    EXPECT_EQ(ReadReport(name + "_2015-03.txt"), OnePlayText(name));
    EXPECT_EQ(ReadReport(name + "_2015-03.csv"), OnePlayCsv(name));
}

TEST_F(DetailPathLimit, ANamePartOf241IsRefusedAndNothingIsWritten) {
    const std::string name(241, 'n');
    WriteMarch(OnePlay(name));
    ExpectNotWritten(DetailMarch({"--row", "0", "--decimal-separator", ","}),
                     {ReportPath(name + "_2015-03.txt")});
    EXPECT_EQ(ReportFiles(), std::vector<std::string>{});
}

TEST_F(DetailPathLimit, AFiveDigitYearLeaves239) {
    folder_.WriteLog("AVI_12345-03.txt",
                     OnePlay(std::string(239, 'a')) + OnePlay(std::string(240, 'b')));
    const CliResult result = Run({"detail", "12345-03", "--all", "--decimal-separator", ","});
    ExpectNotWritten(result, {ReportPath(std::string(240, 'b') + "_12345-03.txt")});
    EXPECT_EQ(ReportFiles(), (std::vector<std::string>{std::string(239, 'a') + "_12345-03.csv",
                                                       std::string(239, 'a') + "_12345-03.txt"}));
}

TEST_F(DetailPathLimit, AllWritesTheOthersAndNamesEveryRefusedFile) {
    const std::string longest(255, 'z');
    const std::string longer(241, 'y');
    WriteMarch(OnePlay("a") + OnePlay(longer) + OnePlay("b") + OnePlay(longest) + OnePlay("c"));
    const CliResult result = DetailMarch({"--all", "--decimal-separator", ","});
    ExpectNotWritten(result,
                     {ReportPath(longer + "_2015-03.txt"), ReportPath(longest + "_2015-03.txt")});
    std::vector<std::string> expected;
    for (const char* stem : {"a", "b", "c"}) {
        for (const std::string& file : Pair(stem)) {
            expected.push_back(file);
        }
    }
    EXPECT_EQ(ReportFiles(), expected);
    EXPECT_EQ(ReadReport("c_2015-03.txt"), OnePlayText("c"));
}

}  // namespace
}  // namespace acceptance
