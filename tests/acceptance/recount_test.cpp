// kvimeter-cli verify --recount as an auditor runs it: the campaign counted again from the files
// and settings its proof records, agreeing; and a copy whose log lost a play, its sums file
// rewritten to match, found out by the count though every hash agrees.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "base/cp1250.h"
#include "digest/sha256.h"
#include "tests/acceptance/report_files.h"

namespace acceptance {
namespace {

namespace fs = std::filesystem;

const std::string kLog = Play("15.03.2015", "10:00:00", "jaro.avi", "15") +
                         Play("15.03.2015", "11:00:00", "jaro.avi", "15") +
                         Play("16.03.2015", "10:00:00", "jaro.avi", "15");

class Recount : public ReportTest {
protected:
    void SetUp() override {
        folder_.WriteFile("nadrazi/log/AVI_2015-03.txt", kLog);
        folder_.WriteFile("kampan.csv",
                          Utf8ToCp1250("Klient;Kampaň;Spot;Od;Do;Čas od;Čas do;Přehrání za den\r\n"
                                       "A;B;jaro.avi;15.3.2015;16.3.2015;;;2\r\n"
                                       "Č;D;jaro.avi;16.3.2015;16.3.2015;;;1\r\n"));
        ASSERT_EQ(CampaignAt("1426500000").status, 0);
    }
    // campaign as of 16.3.2015, made at the moment given (seconds since 1970).
    CliResult CampaignAt(const char* epoch) const {
        const std::vector<std::string> args = {"campaign", "kampan.csv", "--panel",
                                               "nadrazi",  "--as-of",    "2015-03-16"};
#ifdef _WIN32
        _putenv_s("SOURCE_DATE_EPOCH", epoch);  // the child inherits it
        const CliResult result = Run(args);
        _putenv_s("SOURCE_DATE_EPOCH", "");
        return result;
#else
        return Run(args, {{"SOURCE_DATE_EPOCH", epoch}});
#endif
    }
    CliResult Run(const std::vector<std::string>& args, const Environment& environment = {},
                  const std::string& from = ".") const {
        fs::create_directories(folder_.Path() / from);
        return RunCli(folder_.Path() / from, args, environment);
    }
    std::string LogPath() const {
        return "nadrazi" + kSeparator + "log" + kSeparator;
    }
};

TEST_F(Recount, AgreesFromAnyFolderOnEachPageAndSumsFile) {
    const std::string up = ".." + kSeparator;
    const struct {
        const char* from;
        std::string proof;
    } cases[] = {
        {".", ReportPath("KAMPAN_kampan.html")},
        {".", ReportPath("KAMPAN_kampan.sha256")},
        {"report", "KAMPAN_kampan_A.html"},
        {"elsewhere/deeper", up + up + ReportPath("KAMPAN_kampan_\xC4\x8C.sha256")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.proof);
        const CliResult result = Run({"verify", "--recount", c.proof}, {}, c.from);
        EXPECT_EQ(result.status, 0) << result.out << result.err;
        EXPECT_TRUE(result.out.ends_with("\npřepočet souhlasí\n")) << result.out;
    }
}

TEST_F(Recount, FindsTheChangedCountOfALogThatLostAPlay) {
    // The log loses its second play; the sums file is made to match the log.
    folder_.WriteFile("nadrazi/log/AVI_2015-03.txt",
                      Play("15.03.2015", "10:00:00", "jaro.avi", "15") +
                          Play("16.03.2015", "10:00:00", "jaro.avi", "15"));
    std::string sums = ReadReport("KAMPAN_kampan.sha256");
    const std::string was = HexDigest(Sha256Of(kLog));
    sums.replace(sums.find(was), was.size(),
                 HexDigest(Sha256Of(Play("15.03.2015", "10:00:00", "jaro.avi", "15") +
                                    Play("16.03.2015", "10:00:00", "jaro.avi", "15"))));
    folder_.WriteFile("report/KAMPAN_kampan.sha256", sums);

    const CliResult hashed = Run({"verify", ReportPath("KAMPAN_kampan.sha256")});
    EXPECT_EQ(hashed.status, 0) << hashed.out;
    const CliResult result = Run({"verify", "--recount", ReportPath("KAMPAN_kampan.sha256")});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.out.find("v pořádku: nadrazi/log/AVI_2015-03.txt\n"), std::string::npos);
    EXPECT_NE(result.out.find("přepočet nesouhlasí: "), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("důkaz, řádek 2: A;B;jaro.avi;nadrazi;2015-03-15;2;2;0\n"),
              std::string::npos)
        << result.out;
    EXPECT_NE(result.out.find("přepočet, řádek 2: A;B;jaro.avi;nadrazi;2015-03-15;2;1;-1\n"),
              std::string::npos)
        << result.out;
}

TEST_F(Recount, SaysWhichVersionMadeTheProofAndWhatItCannotRecount) {
    const std::string page = ReadReport("KAMPAN_kampan.html");
    const std::string version = "\"version\":\"";
    const size_t at = page.find(version) + version.size();
    std::string older = page;
    older.replace(at, page.find('"', at) - at, "2.1.0.0");
    folder_.WriteFile("report/KAMPAN_kampan.html", older);
    const CliResult result = Run({"verify", ReportPath("KAMPAN_kampan.html"), "--recount"});
    EXPECT_EQ(result.status, 0) << result.out;
    EXPECT_NE(result.out.find("\ndůkaz vytvořila verze 2.1.0.0, přepočítává verze 2.2"),
              std::string::npos)
        << result.out;
    EXPECT_TRUE(result.out.ends_with("\npřepočet souhlasí\n")) << result.out;

    const struct {
        const char* what;
        std::string page;
        const char* says;
    } cases[] = {
        {"no record", page.substr(0, page.find("<script")) + "</main></body></html>",
         "přepočet nelze provést: důkaz neuvádí, z čeho vznikl\n"},
        {"no booking", page, "přepočet nelze provést: objednávku nelze přečíst: kampan.csv: "},
    };
    fs::remove(folder_.Path() / "kampan.csv");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        folder_.WriteFile("report/KAMPAN_kampan.html", c.page);
        const CliResult refused = Run({"verify", "--recount", ReportPath("KAMPAN_kampan.html")});
        EXPECT_EQ(refused.status, 1);
        EXPECT_NE(refused.out.find(c.says), std::string::npos) << refused.out;
    }
}

TEST_F(Recount, APlayAfterTheProofsMomentIsNamedAndTheLogIsNotPlausible) {
    // 16.3.2015 10:00 on the panel's clock is 9:00 UTC; the proof is made at 8:00 UTC.
    ASSERT_EQ(CampaignAt("1426492800").status, 0);
    const std::string csv = Cp1250ToUtf8(ReadReport("KAMPAN_kampan.csv"));
    EXPECT_NE(csv.find(";" + LogPath() +
                       "AVI_2015-03.txt;přehrání v budoucnosti;1;2015-03-16;"
                       "10:00:00\r\n"),
              std::string::npos)
        << csv;
    EXPECT_EQ(csv.find("věrohodný"), std::string::npos);
    EXPECT_NE(csv.find("A;B;jaro.avi;nadrazi;2015-03-16;2;1;-1\r\n"), std::string::npos);
    EXPECT_NE(ReadReport("KAMPAN_kampan.html")
                  .find("přehrání v budoucnosti 1×, první 16. 3. 2015 v 10:00:00"),
              std::string::npos);
    // The recount takes the proof's moment, not its own.
    const CliResult again = Run({"verify", "--recount", ReportPath("KAMPAN_kampan.html")});
    EXPECT_EQ(again.status, 0) << again.out;
}

}  // namespace
}  // namespace acceptance
