// kvimeter-cli campaign and verify as an operator runs them: a booking file beside the panels'
// logs, the files written, the exit statuses and the check of the evidence later.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/cp1250.h"
#include "tests/acceptance/report_files.h"

namespace acceptance {
namespace {

namespace fs = std::filesystem;

const std::string kLog = Play("14.03.2015", "10:00:00", "C:\\Spoty\\Jaro.avi", "15") +
                         Play("15.03.2015", "07:59:59", "C:\\Spoty\\Jaro.avi", "15") +
                         Play("15.03.2015", "08:00:00", "C:\\Spoty\\jaro.AVI", "15") +
                         Play("16.03.2015", "12:00:00", "C:\\Spoty\\L\xE9to.avi", "15");
// sha256sum of kLog; the same in both builds.
const char* const kLogSha256 = "96648c5a67381c6a083446d04c351d40e13758d5fb2e487bb13d9e03ff446d11";

std::string Booking(const std::string& rows) {
    return Utf8ToCp1250("Klient;Kampaň;Spot;Od;Do;Čas od;Čas do;Přehrání za den\r\n" + rows);
}

class CampaignCommand : public ReportTest {
protected:
    void WriteBooking(const std::string& rows) const {
        folder_.WriteFile("kampan.csv", Booking(rows));
    }
    CliResult Campaign(std::vector<std::string> options = {}) const {
        options.insert(options.begin(), {"campaign", "kampan.csv"});
        return Run(options);
    }
};

TEST_F(CampaignCommand, WritesTheFiguresPerDayAndTheEvidence) {
    WriteMarch(kLog);
    WriteBooking("Pekárna;Jaro;jaro.avi;15.3.2015;16.3.2015;8:00;20:00;1\r\n");
    const CliResult result = Campaign();
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    const std::string panel = folder_.Path().filename().string();
    EXPECT_EQ(result.out,
              "Klient\tKampaň\tSpot\tPanel\tObjednáno\tOdvysíláno\tPlnění\tDnů pod objednávkou\n"
              "Pekárna\tJaro\tjaro.avi\t" +
                  panel +
                  "\t2\t1\t50.0 %\t1\n"
                  "Uloženo: " +
                  ReportPath("KAMPAN_kampan.csv") + ", " + ReportPath("KAMPAN_kampan.html") + "\n");
    const std::string csv = Cp1250ToUtf8(ReadReport("KAMPAN_kampan.csv"));
    EXPECT_EQ(csv.substr(0, csv.find("\r\n\r\n") + 4),
              "Klient;Kampaň;Spot;Panel;Datum;Objednáno;Odvysíláno;Rozdíl\r\n"
              "Pekárna;Jaro;jaro.avi;" +
                  panel +
                  ";2015-03-15;1;1;0\r\n"
                  "Pekárna;Jaro;jaro.avi;" +
                  panel + ";2015-03-16;1;0;-1\r\n\r\n");
    EXPECT_NE(
        csv.find(panel + ";log" + kSeparator + "AVI_2015-03.txt;" + std::to_string(kLog.size()) +
                 ";" + kLogSha256 + ";14.03.2015 10:00:00;16.03.2015 12:00:00\r\n"),
        std::string::npos)
        << csv;
    EXPECT_TRUE(ReportExists("KAMPAN_kampan.html"));
}

TEST_F(CampaignCommand, ABookingWithErrorsListsThemAllAndWritesNothing) {
    WriteMarch(kLog);
    WriteBooking("A;B;s;31.2.2015;1.3.2015;;;1\r\nA;B;s;1.3.2015;1.3.2015;;;x\r\n");
    const CliResult result = Campaign();
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err,
              "kvimeter-cli: kampan.csv:2: sloupec „Od“: datum „31.2.2015“ neexistuje\n"
              "kvimeter-cli: kampan.csv:3: sloupec „Přehrání za den“: „x“ není celé číslo od 0 "
              "do 1000000\n"
              "kvimeter-cli: 2 errors in the booking; nothing was written\n");
    EXPECT_FALSE(fs::exists(ReportFolder()));
}

TEST_F(CampaignCommand, ALogThatCannotBeReadFailsAndAMissingOneIsNamed) {
    fs::create_directories(folder_.Path() / "p1/log/AVI_2015-03.txt");
    fs::create_directories(folder_.Path() / "p2/log");
    WriteBooking("A;B;s;1.3.2015;1.3.2015;;;1\r\n");
    const CliResult unreadable = Campaign({"--panel", "p1"});
    EXPECT_EQ(unreadable.status, 1);
    EXPECT_NE(unreadable.err.find("AVI_2015-03.txt"), std::string::npos);
    EXPECT_FALSE(fs::exists(ReportFolder()));
    const CliResult missing = Campaign({"--panel", "p2"});
    EXPECT_EQ(missing.status, 0);
    EXPECT_EQ(missing.err, "kvimeter-cli: chybí log p2" + kSeparator + "log" + kSeparator +
                               "AVI_2015-03.txt: jeho dny mají 0 přehrání\n");
}

TEST_F(CampaignCommand, UsageErrors) {
    WriteBooking("A;B;s;1.3.2015;1.3.2015;;;1\r\n");
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"campaign"},
                                               {"campaign", "kampan.csv", "--gap", "0"},
                                               {"campaign", "kampan.csv", "--panel", "nowhere"},
                                               {"campaign", "kampan.csv", "extra"},
                                               {"verify"}}) {
        ExpectRefusedArguments(Run(args));
    }
}

TEST_F(CampaignCommand, VerifyNamesTheLogOneByteOfWhichChanged) {
    WriteMarch(kLog);
    WriteBooking("A;B;*;15.3.2015;15.3.2015;;;1\r\n");
    ASSERT_EQ(Campaign().status, 0);
    const std::string page = ReportPath("KAMPAN_kampan.html");
    const std::string log = "log" + kSeparator + "AVI_2015-03.txt";
    ExpectPrinted(Run({"verify", page}), "v pořádku: kampan.csv\nv pořádku: " + log + "\n");
    std::string changed = kLog;
    changed[5] = '4';
    WriteMarch(changed);
    const CliResult result = Run({"verify", page});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "v pořádku: kampan.csv\nzměněn: " + log + " (SHA-256 se liší)\n");
    // The player wrote on: the figures' bytes are intact, and said so.
    WriteMarch(kLog + Play("31.03.2015", "10:00:00", "x", "1"));
    EXPECT_EQ(Run({"verify", page}).out, "v pořádku: kampan.csv\nzměněn: " + log + " (prvních " +
                                             std::to_string(kLog.size()) +
                                             " B beze změny, za nimi 27 B připsaných)\n");
    fs::remove(folder_.Path() / "kampan.csv");
    const std::string missing = "chybí nebo nelze číst: kampan.csv\n";
    EXPECT_EQ(Run({"verify", page}).out.substr(0, missing.size()), missing);
}

}  // namespace
}  // namespace acceptance
