// The plays lists as a buyer's system takes them: read back whole by a CSV reader that is not
// ours (Python's csv module), texts with commas, quotes and Czech letters and one past the
// format's limit among them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "base/cp1250.h"
#include "tests/acceptance/report_files.h"

namespace acceptance {
namespace {

#ifndef _WIN32
TEST_F(ReportTest, ThePlaysListsReadBackWholeWithPythonsCsvModule) {
    if (std::system("command -v python3 >/dev/null") != 0) {
        GTEST_SKIP() << "no python3";
    }
    std::string longName;
    for (int i = 0; i < 130; ++i) {
        longName += "ž";
    }
    WriteMarch(Utf8ToCp1250(Play("15.03.2015", "10:00:00", "C:\\Spoty\\Jaro, \"nový\".avi", "15") +
                            Play("15.03.2015", "11:00:00", longName + ".avi", "7.5")));
    folder_.WriteFile("kampan.csv", Utf8ToCp1250("Klient;Kampaň;Spot;Od;Do;Čas od;Čas do;"
                                                 "Přehrání za den\r\n"
                                                 "Pekárna;\"Jaro, léto\";*.avi;15.3.2015;"
                                                 "15.3.2015;;;1\r\n"));
    const std::string panel = folder_.Path().filename().string();
    folder_.WriteFile("panely.csv", Utf8ToCp1250("Panel;Název;ID\r\n" + panel + ";Náměstí;42\r\n"));
    folder_.WriteFile("publikum.csv",
                      Utf8ToCp1250("Panel;Dny;Čas od;Čas do;Kontaktů za hodinu\r\n" + panel +
                                   ";po-ne;;;360\r\n"));
    ASSERT_EQ(Run({"campaign", "kampan.csv", "--as-of", "2015-03-31"}).status, 0);
    const std::string out = (folder_.Path() / "lists.txt").string();
    const std::string command =
        "cd '" + folder_.Path().string() + "' && python3 '" +
        KV_ACCEPTANCE_SCRIPTS "/read_plays_lists.py' " +
        "report/KAMPAN_kampan_prehrani.csv report/KAMPAN_kampan_playout.csv >'" + out + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::ifstream read(out, std::ios::binary);
    std::stringstream printed;
    printed << read.rdbuf();
    std::string cut;  // 128 characters: "ž" and the 127 after it
    for (int i = 0; i < 128; ++i) {
        cut += "ž";
    }
    const std::string tail = panel.substr(0, 36) + " | ";  // playerref's limit, the folder longer
    const std::string playout =
        "playout: 2 records of 19 fields\n"
        "42 | 2015-03-15T09:00:00.000 | +01:00 | 2015-03-15T09:00:15.000 | +01:00 | 15000 |  | "
        "kampan/2 | 2 |  |  |  | Jaro, léto | *.avi | C:\\Spoty\\Jaro, \"nový\".avi |  |  | " +
        tail;
    EXPECT_EQ(printed.str().substr(0, playout.size()), playout) << printed.str();
    EXPECT_NE(printed.str().find("| *.avi | " + cut + " |  |  | " + tail), std::string::npos)
        << printed.str();
    EXPECT_NE(printed.str().find("people: 3 rows\n"
                                 "Klient | Kampaň | Smlouva | Řádek | Spot | Panel | Datum | Čas | "
                                 "Délka [s] | Navíc | Kontakty (odhad)\n"
                                 "Pekárna | Jaro, léto |  | 2 | *.avi | Náměstí | 2015-03-15 | "
                                 "10:00:00 | 15 |  | 1,50\n"
                                 "Pekárna | Jaro, léto |  | 2 | *.avi | Náměstí | 2015-03-15 | "
                                 "11:00:00 | 7,5 | ano | 0,75\n"),
              std::string::npos)
        << printed.str();
}
#endif

}  // namespace
}  // namespace acceptance
