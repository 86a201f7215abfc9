// kvimeter-cli months and list, driven through the real command table in a scratch folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/cli/cli_fixture.h"

namespace {

namespace fs = std::filesystem;

class KvimeterCli : public CliInScratchFolder {
protected:
    KvimeterCli() : CliInScratchFolder("cli_test") {}
};

const std::string kLog =
    "15.03.2015\t10:20:30\tX\tC:\\anim\\spot1.avi\t12.5\r\n"
    "15.03.2015\t09:00:00\tX\tC:\\anim\\spot1.avi\t12.5\r\n"
    "16.03.2015\t18:00:00\tX\tC:\\anim\\\xC8"
    "okol\xE1"
    "da.avi\t30\r\n"
    "16.03.2015\t18:00:01\tX\td:/other/spot1.avi\t10\r\n"
    "17.03.2015\t08:00:00\tX\tbad\x81\x98.avi\t1\r\n";

TEST_F(KvimeterCli, ListPrintsTheFourCellsOfEachTotalInUtf8) {
    WriteLog("2015-03", kLog);
    const CliRun run = Cli({"list", "2015-03"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "C:\\anim\\spot1.avi\t12.50\t2\t0 h  00 min  25 sec\n"
              "C:\\anim\\\xC4\x8Cokol\xC3\xA1"
              "da.avi\t30.00\t1\t0 h  00 min  30 sec\n"
              "bad\xEF\xBF\xBD\xEF\xBF\xBD.avi\t1.00\t1\t0 h  00 min  01 sec\n"
              "d:/other/spot1.avi\t10.00\t1\t0 h  00 min  10 sec\n");
    EXPECT_EQ(run.err, "");
}

TEST_F(KvimeterCli, ListAppliesTheFilterOptions) {
    WriteLog("2015-03", kLog);
    CliRun run = Cli({"list", "2015-3", "--strip-paths", "--day", "16"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "spot1.avi\t10.00\t1\t0 h  00 min  10 sec\n"
              "\xC4\x8Cokol\xC3\xA1"
              "da.avi\t30.00\t1\t0 h  00 min  30 sec\n");
    run = Cli({"list", "2015-03", "--from", "9:30", "--strip-paths"});
    // Stripped, the two spot1.avi paths make one total; the length is that of the earlier play.
    EXPECT_EQ(run.out,
              "spot1.avi\t12.50\t2\t0 h  00 min  25 sec\n"
              "\xC4\x8Cokol\xC3\xA1"
              "da.avi\t30.00\t1\t0 h  00 min  30 sec\n");
    run = Cli({"list", "2015-03", "--to", "9:00"});
    EXPECT_EQ(run.out, "bad\xEF\xBF\xBD\xEF\xBF\xBD.avi\t1.00\t1\t0 h  00 min  01 sec\n");
}

TEST_F(KvimeterCli, MonthIsReadAsTwoNumbers) {
    WriteLog("2015-03", kLog);
    EXPECT_EQ(Cli({"list", "2015-3"}).status, 0);
    EXPECT_EQ(Cli({"list", "2015-003"}).status, 0);
    EXPECT_EQ(Cli({"list", "2015"}).status, 2);
    EXPECT_EQ(Cli({"list", "2015-03x"}).status, 2);
    EXPECT_EQ(Cli({"list", "march"}).status, 2);
}

TEST_F(KvimeterCli, UsageErrorsExitWith2AndShowTheUsage) {
    WriteLog("2015-03", kLog);
    for (const Arguments& args :
         {Arguments{"list"}, Arguments{"list", "2015-03", "2015-04"},
          Arguments{"list", "2015-03", "--day", "32"}, Arguments{"list", "2015-03", "--day"},
          Arguments{"list", "2015-03", "--from", "8"}, Arguments{"list", "2015-03", "--to", "8:x"},
          Arguments{"list", "2015-03", "--decimal-separator", ","},
          Arguments{"list", "2015-03", "--bogus"}, Arguments{"months", "extra"},
          Arguments{"frobnicate"}, Arguments{}}) {
        const CliRun run = Cli(args);
        EXPECT_EQ(run.status, 2) << (args.empty() ? "" : args[0]);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("použití: kvimeter-cli"), std::string::npos);
    }
    EXPECT_EQ(Cli({"-C"}, false).status, 2);
}

TEST_F(KvimeterCli, HelpPrintsTheUsage) {
    const CliRun run = Cli({"list", "--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("použití: kvimeter-cli"), std::string::npos);
    EXPECT_NE(run.out.find("--strip-paths"), std::string::npos);
}

TEST_F(KvimeterCli, MissingLogFailsWithOneLineAndNoOutput) {
    const CliRun run = Cli({"list", "2015-04"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("AVI_2015-04.txt"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1);
}

TEST_F(KvimeterCli, DateErrorFailsNamingThePlay) {
    WriteLog("2015-03", kLog + "1.13.2015\t10:00:00\tX\tC:\\anim\\spot1.avi\t1\r\n");
    const CliRun run = Cli({"list", "2015-03"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("C:\\anim\\spot1.avi"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("1.13.2015 10:00:00"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1);
}

TEST_F(KvimeterCli, BadDirectoryFails) {
    const CliRun run = Cli({"-C", (dir_ / "missing").string(), "months"}, false);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(Cli({"-C", "", "months"}, false).status, 1);
}

// One message of each kind, in Czech as the window speaks; the option names stay as they are.
TEST_F(KvimeterCli, EveryKindOfMessageIsCzech) {
    WriteLog("2015-03", kLog);
    const struct {
        Arguments args;
        int status;
        const char* message;  // UTF-8, a line of stderr
    } cases[] = {
        {{"list"}, 2, "kvimeter-cli: chybí MĚSÍC\n"},
        {{"list", "2015-03", "--bogus"}, 2, "kvimeter-cli: neznámá volba --bogus\n"},
        {{"list", "2015-03", "--day"}, 2, "kvimeter-cli: volba --day potřebuje hodnotu\n"},
        {{"list", "March"}, 2, "kvimeter-cli: MĚSÍC je ROK-MĚSÍC, například 2015-03: March\n"},
        {{"frobnicate"}, 2, "kvimeter-cli: neznámý příkaz frobnicate\n"},
        {{"detail", "2015-03"}, 2, "kvimeter-cli: detail potřebuje buď --row N, nebo --all\n"},
        {{"detail", "2015-03", "--row", "9"},
         2,
         "kvimeter-cli: --row 9: takový řádek v seznamu není (animací v seznamu: 4)\n"},
        {{"campaign"}, 2, "kvimeter-cli: chybí OBJEDNÁVKA\n"},
        {{"campaign", "nic.csv"},
         2,
         "kvimeter-cli: Objednávku nelze přečíst: nic.csv: soubor nebo složka neexistuje\n"},
        {{"verify"}, 2, "kvimeter-cli: verify potřebuje cestu ke stránce důkazu kampaně"},
        {{"verify", "nic.html"},
         1,
         "kvimeter-cli: Důkaz nelze přečíst: nic.html: soubor nebo složka neexistuje\n"},
        {{"list", "2015-04"}, 1, "nelze otevřít"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        const CliRun run = Cli(c.args);
        EXPECT_EQ(run.status, c.status);
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
    const CliRun into = Cli({"-C", "nikde", "months"}, false);
    EXPECT_EQ(into.err,
              "kvimeter-cli: do složky nikde nelze přejít: soubor nebo složka neexistuje\n");
    EXPECT_NE(Cli({"--help"}).out.find("návratový kód: 0 úspěch"), std::string::npos);
}

TEST_F(KvimeterCli, MonthsListsEveryLogFileAsFound) {
    WriteLog("2015-03", "");
    WriteLog("2015-3", "");
    WriteLog("abc", "");
    const CliRun run = Cli({"months"});
    EXPECT_EQ(run.status, 0);
    std::vector<std::string> lines;
    std::string line;
    for (char c : run.out) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    EXPECT_EQ(line, "");
    std::sort(lines.begin(), lines.end());
    EXPECT_EQ(lines, (std::vector<std::string>{"0000-00", "2015-03", "2015-03"}));
}

TEST_F(KvimeterCli, MonthsWithoutLogsPrintsNothing) {
    fs::remove_all(dir_ / "log");
    const CliRun run = Cli({"months"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "");
}

}  // namespace
