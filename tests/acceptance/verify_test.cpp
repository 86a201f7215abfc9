// kvimeter-cli verify as a client's auditor runs it: on the page or its sums file, from any
// folder, and on files that are not a whole proof.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "base/cp1250.h"
#include "tests/acceptance/report_files.h"

namespace acceptance {
namespace {

namespace fs = std::filesystem;

class Verify : public ReportTest {
protected:
    void SetUp() override {
        WriteMarch(Play("15.03.2015", "10:00:00", "jaro.avi", "15"));
        folder_.WriteFile("kampan.csv",
                          Utf8ToCp1250("Klient;Kampaň;Spot;Od;Do;Čas od;Čas do;Přehrání za den\r\n"
                                       "A;B;jaro.avi;15.3.2015;15.3.2015;;;1\r\n"));
        ASSERT_EQ(Run({"campaign", "kampan.csv"}).status, 0);
    }
    // Runs verify in folder (relative to the working folder) on proof.
    CliResult VerifyFrom(const std::string& folder, const std::string& proof) const {
        fs::create_directories(folder_.Path() / folder);
        return RunCli(folder_.Path() / folder, {"verify", proof});
    }
};

TEST_F(Verify, FindsTheFilesFromAnyFolder) {
    const std::string up = ".." + kSeparator;
    // The page names the files as campaign did; the sums file with "/", as sha256sum wants.
    const std::string ok = "v pořádku: kampan.csv\nv pořádku: log";
    const std::string asGiven = ok + kSeparator + "AVI_2015-03.txt\n";
    // The sums file lists the state's own table and the plays lists as well.
    const std::string withSlash = ok +
                                  "/AVI_2015-03.txt\nv pořádku: report/KAMPAN_kampan_stav.csv\n"
                                  "v pořádku: report/KAMPAN_kampan_prehrani.csv\n"
                                  "v pořádku: report/KAMPAN_kampan_playout.csv\n";
    const struct {
        const char* folder;
        std::string proof;
        const std::string& printed;
    } cases[] = {
        {".", ReportPath("KAMPAN_kampan.html"), asGiven},
        {".", ReportPath("KAMPAN_kampan.sha256"), withSlash},
        {"report", "KAMPAN_kampan.html", asGiven},
        {"elsewhere", up + ReportPath("KAMPAN_kampan.html"), asGiven},
        {"elsewhere/deeper", up + up + ReportPath("KAMPAN_kampan.sha256"), withSlash},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.folder) + " " + c.proof);
        ExpectPrinted(VerifyFrom(c.folder, c.proof), c.printed);
    }
}

TEST_F(Verify, RefusesWhatIsNotAWholeProof) {
    const std::string page = ReadReport("KAMPAN_kampan.html");
    const std::string row = "<tr data-file=\"";
    const struct {
        const char* what;
        std::string bytes;
        const char* message;
    } cases[] = {
        {"cut inside a row", page.substr(0, page.rfind(row) + row.size() + 40),
         "je zkrácen: jeho seznam souborů nekončí"},
        {"without evidence", page.substr(0, page.find("<section class=\"evidence\">")),
         "není stránka důkazu kampaně: nemá oddíl s důkazy"},
        {"another page", "<html><body>Hello</body></html>",
         "není stránka důkazu kampaně: nemá oddíl s důkazy"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        folder_.WriteFile("odjinud.html", c.bytes);
        const CliResult result = Run({"verify", "odjinud.html"});
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, std::string("kvimeter-cli: odjinud.html ") + c.message + "\n");
    }
    const CliResult missing = Run({"verify", "nikde.html"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("Důkaz nelze přečíst: nikde.html: soubor nebo složka neexistuje\n"),
              std::string::npos)
        << missing.err;
}

#ifndef _WIN32
TEST_F(Verify, TheSumsFileIsWhatSha256sumChecks) {
    const std::string command =
        "cd '" + folder_.Path().string() + "' && sha256sum --quiet -c report/KAMPAN_kampan.sha256";
    if (std::system("command -v sha256sum >/dev/null") != 0) {
        GTEST_SKIP() << "no sha256sum";
    }
    EXPECT_EQ(std::system(command.c_str()), 0);
    folder_.WriteFile("kampan.csv", "changed");
    EXPECT_NE(std::system((command + " 2>/dev/null >/dev/null").c_str()), 0);
}
#endif

}  // namespace
}  // namespace acceptance
