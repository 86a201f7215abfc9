// Arguments with Czech letters, as a Czech user types them: the booking file, a panel's folder
// and the working folder named in them, on the platform's own command line.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "base/cp1250.h"
#include "tests/acceptance/report_files.h"

namespace acceptance {
namespace {

namespace fs = std::filesystem;

TEST_F(ReportTest, CzechLettersInTheNamesOfFilesAndFolders) {
    const std::string work = "Pracovní složka";
    folder_.WriteFile(work + "/Náměstí/log/AVI_2015-03.txt",
                      Play("15.03.2015", "10:00:00", "jaro.avi", "15"));
    folder_.WriteFile(work + "/kampaň.csv",
                      Utf8ToCp1250("Klient;Kampaň;Spot;Od;Do;Čas od;Čas do;Přehrání za den\r\n"
                                   "Pekárna;Jaro;jaro.avi;15.3.2015;15.3.2015;;;1\r\n"));
    const CliResult result = Run({"-C", work, "campaign", "kampaň.csv", "--panel", "Náměstí"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out.substr(result.out.find("Pekárna")),
              "Pekárna\tJaro\t\tjaro.avi\t2015-03-15\t2015-03-15\tNáměstí\t1\t1\t0\t100.0 %\t0\t0\t"
              "Náměstí\tbez uvedení města\t0.0 %\t0\t0.04 %\t\t\t\n"
              "Panely podle měst\n"
              "Klient\tKampaň\tMěsto\tPanelů objednáno\tPanelů odvysíláno\tObjednáno\tOdvysíláno\n"
              "Pekárna\tJaro\tbez uvedení města\t1\t1\t1\t1\n"
              "Pekárna\tJaro\tcelkem\t1\t1\t1\t1\n"
              "Uloženo: " +
                  ReportPath("KAMPAN_kampaň.csv") + ", " + ReportPath("KAMPAN_kampaň_stav.csv") +
                  ", " + ReportPath("KAMPAN_kampaň.html") + ", " +
                  ReportPath("KAMPAN_kampaň_prehrani.csv") + ", " +
                  ReportPath("KAMPAN_kampaň_playout.csv") + "\n");
    const fs::path report = folder_.Path() / Utf8Path(work) / "report";
    EXPECT_TRUE(fs::exists(report / Utf8Path("KAMPAN_kampaň.csv")));
    ExpectPrinted(Run({"-C", work, "verify", ReportPath("KAMPAN_kampaň.sha256")}),
                  "v pořádku: kampaň.csv\nv pořádku: Náměstí/log/AVI_2015-03.txt\n"
                  "v pořádku: report/KAMPAN_kampaň_stav.csv\n"
                  "v pořádku: report/KAMPAN_kampaň_prehrani.csv\n"
                  "v pořádku: report/KAMPAN_kampaň_playout.csv\n");
}

TEST_F(ReportTest, AnArgumentWindows1250CannotHoldIsAUsageError) {
    for (const std::string& name : {std::string("kampaň€ẞ.csv"), std::string("smajlík😀.csv")}) {
        SCOPED_TRACE(name);
        const CliResult result = Run({"campaign", name});
        ExpectUsageError(result);
        EXPECT_EQ(result.err.find("kvimeter-cli: argument " + name +
                                  " obsahuje znak, který Windows-1250 nemá\n"),
                  0u)
            << result.err;
    }
}

}  // namespace
}  // namespace acceptance
