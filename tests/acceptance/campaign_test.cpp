// kvimeter-cli campaign and verify as an operator runs them: a booking file beside the panels'
// logs, the files written, the exit statuses and the check of the evidence later.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
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

// The state's titles after "Zbývá dnů", tab-separated as the command prints them.
const std::string kPanelTitles =
    "\tNázev panelu\tMěsto\tDostupnost\tDnů bez logu\tPodíl času\tKontakty objednáno\t"
    "Kontakty (odhad)\tPřehrání bez údaje o publiku";

const std::string kMarketsHeading =
    "Panely podle měst\n"
    "Klient\tKampaň\tMěsto\tPanelů objednáno\tPanelů odvysíláno\tObjednáno\tOdvysíláno\n";

std::string Booking(const std::string& rows, const std::string& moreColumns = "") {
    return Utf8ToCp1250("Klient;Kampaň;Spot;Od;Do;Čas od;Čas do;Přehrání za den" + moreColumns +
                        "\r\n" + rows);
}

class CampaignCommand : public ReportTest {
protected:
    void WriteBooking(const std::string& rows, const std::string& moreColumns = "") const {
        folder_.WriteFile("kampan.csv", Booking(rows, moreColumns));
    }
    CliResult Campaign(std::vector<std::string> options = {}) const {
        options.insert(options.begin(), {"campaign", "kampan.csv"});
        return Run(options);
    }
};

TEST_F(CampaignCommand, WritesTheFiguresPerDayAndTheEvidence) {
    WriteMarch(kLog);
    WriteBooking("Pekárna;Jaro;jaro.avi;15.3.2015;16.3.2015;8:00;20:00;1\r\n");
    const CliResult result = Campaign({"--as-of", "2015-03-31"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    const std::string panel = folder_.Path().filename().string();
    EXPECT_EQ(result.out,
              "Stav ke dni 16. 3. 2015\n"  // the booking's last day
              "Klient\tKampaň\tSmlouva\tSpot\tOd\tDo\tPanel\tObjednáno\tOdvysíláno\tNavíc\tPlnění\t"
              "Dnů pod objednávkou\tZbývá dnů" +
                  kPanelTitles +
                  "\n"
                  "Pekárna\tJaro\t\tjaro.avi\t2015-03-15\t2015-03-16\t" +
                  panel + "\t2\t1\t0\t50.0 %\t1\t0\t" + panel +
                  "\tbez uvedení města\t0.0 %\t0\t0.03 %\t\t\t\n" + kMarketsHeading +
                  "Pekárna\tJaro\tbez uvedení města\t1\t1\t2\t1\n"
                  "Pekárna\tJaro\tcelkem\t1\t1\t2\t1\n"
                  "Uloženo: " +
                  ReportPath("KAMPAN_kampan.csv") + ", " + ReportPath("KAMPAN_kampan_stav.csv") +
                  ", " + ReportPath("KAMPAN_kampan.html") + ", " +
                  ReportPath("KAMPAN_kampan_prehrani.csv") + ", " +
                  ReportPath("KAMPAN_kampan_playout.csv") + "\n");
    EXPECT_EQ(ReportFiles(),
              (std::vector<std::string>{"KAMPAN_kampan.csv", "KAMPAN_kampan.html",
                                        "KAMPAN_kampan.sha256", "KAMPAN_kampan_playout.csv",
                                        "KAMPAN_kampan_prehrani.csv", "KAMPAN_kampan_stav.csv"}));
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

// The state as a table of its own for a spreadsheet: one header, its rows as the CSV's state
// section has them, and checked with the proof's other files.
TEST_F(CampaignCommand, TheStateStandsAloneInItsOwnFileListedInTheSums) {
    WriteMarch(kLog);
    WriteBooking("Pekárna;=Jaro;jaro.avi;15.3.2015;16.3.2015;8:00;20:00;1\r\n");
    const std::string panel = folder_.Path().filename().string();
    folder_.WriteFile("panely.csv", Utf8ToCp1250("Panel;Název;Město\r\n" + panel +
                                                 ";\"Brno; Nádraží\";Brno\r\n"));
    ASSERT_EQ(Campaign({"--as-of", "2015-03-31"}).status, 0);
    const std::string header =
        "Klient;Kampaň;Smlouva;Spot;Od;Do;Panel;Objednáno;Odvysíláno;Navíc;Plnění;"
        "Dnů pod objednávkou;Zbývá dnů;Název panelu;Město;Dostupnost;Dnů bez logu;Podíl času;"
        "Kontakty objednáno;Kontakty (odhad);Přehrání bez údaje o publiku\r\n";
    const std::string row = "Pekárna;'=Jaro;;jaro.avi;2015-03-15;2015-03-16;" + panel +
                            ";2;1;0;50,0 %;1;0;\"Brno; Nádraží\";Brno;0,0 %;0;0,03 %;;;\r\n";
    EXPECT_EQ(ReadReport("KAMPAN_kampan_stav.csv"), Utf8ToCp1250(header + row));
    const std::string csv = Cp1250ToUtf8(ReadReport("KAMPAN_kampan.csv"));
    EXPECT_NE(csv.find("\r\nStav ke dni 16. 3. 2015\r\n" + header + row + "\r\n"),
              std::string::npos)
        << csv;
    const std::string sums = ReadReport("KAMPAN_kampan.sha256");
    EXPECT_NE(sums.find("  report/KAMPAN_kampan_stav.csv\r\n"), std::string::npos) << sums;
    EXPECT_EQ(Run({"verify", ReportPath("KAMPAN_kampan.sha256")}).status, 0);
    folder_.WriteFile(ReportPath("KAMPAN_kampan_stav.csv"), "upraveno v Excelu");
    EXPECT_EQ(Run({"verify", ReportPath("KAMPAN_kampan.sha256")}).status, 1);
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
              "kvimeter-cli: Chyby v objednávce: 2. Nic nebylo uloženo.\n");
    EXPECT_FALSE(fs::exists(ReportFolder()));
}

// The register and the audience file are read as the booking is: every error listed, nothing
// written, the working folder's files taken when no option names others.
TEST_F(CampaignCommand, TheRegisterAndAudienceErrorsAreListedAndNothingIsWritten) {
    WriteMarch(kLog);
    WriteBooking("A;B;s;15.3.2015;15.3.2015;;;1\r\n");
    const struct {
        std::string file, bytes;
        std::vector<std::string> options, errors;
    } cases[] = {
        {"panely.csv",
         "Panel;Název\r\nA;Jedna\r\na;Dvě\r\n",
         {},
         {"kvimeter-cli: panely.csv:3: sloupec „Panel“: panel „a“ je v registru už na řádku 2\n",
          "kvimeter-cli: Chyby v registru panelů: 1. Nic nebylo uloženo.\n"}},
        {"a.csv",
         "Panel;Dny;Čas od;Čas do;Kontaktů za hodinu\r\nA;xy;;;10\r\nA;po;;;y\r\n",
         {"--audience", "a.csv"},
         {"kvimeter-cli: a.csv:2: sloupec „Dny“", "kvimeter-cli: a.csv:3: sloupec „Kontaktů",
          "kvimeter-cli: Chyby v souboru publika: 2. Nic nebylo uloženo.\n"}},
        {"", "", {"--panels", "nikde.csv"}, {"kvimeter-cli: Soubor nelze přečíst: nikde.csv: "}},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.file + (test.options.empty() ? "" : test.options[1]));
        if (!test.file.empty()) {
            folder_.WriteFile(test.file, Utf8ToCp1250(test.bytes));
        }
        const CliResult result = Campaign(test.options);
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.out, "");
        for (const std::string& error : test.errors) {
            EXPECT_NE(result.err.find(error), std::string::npos) << result.err;
        }
        EXPECT_FALSE(fs::exists(ReportFolder()));
        if (!test.file.empty()) {
            fs::remove(folder_.Path() / test.file);
        }
    }
}

TEST_F(CampaignCommand, APanelTheRegisterLacksIsNamedAndTheFilesAreInTheSums) {
    WriteMarch(kLog);
    WriteBooking("A;B;jaro.avi;15.3.2015;15.3.2015;;;1\r\n");
    folder_.WriteFile("panely.csv", Utf8ToCp1250("Panel;Název\r\njiný;Jiný panel\r\n"));
    folder_.WriteFile(
        "publikum.csv",
        Utf8ToCp1250("Panel;Dny;Čas od;Čas do;Kontaktů za hodinu\r\njiný;po;;;1\r\n"));
    const CliResult result = Campaign({"--as-of", "2015-03-31"});
    ASSERT_EQ(result.status, 0) << result.err;
    const std::string panel = folder_.Path().filename().string();
    EXPECT_EQ(result.err,
              "kvimeter-cli: upozornění: panel " + panel + ": není v registru panelů\n");
    const std::string sums = ReadReport("KAMPAN_kampan.sha256");
    EXPECT_NE(sums.find("  panely.csv\r\n"), std::string::npos) << sums;
    EXPECT_NE(sums.find("  publikum.csv\r\n"), std::string::npos) << sums;
    for (const char* proof : {"KAMPAN_kampan.sha256", "KAMPAN_kampan.html"}) {
        const CliResult verified = Run({"verify", ReportPath(proof)});
        EXPECT_EQ(verified.status, 0) << proof;
        EXPECT_NE(verified.out.find("v pořádku: panely.csv\nv pořádku: publikum.csv\n"),
                  std::string::npos)
            << proof << verified.out;
    }
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
                                               {"campaign", "kampan.csv", "--as-of", "31.2.2015"},
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

TEST_F(CampaignCommand, ARunningCampaignCountsToTheDayBeforeSourceDateEpoch) {
    WriteMarch(kLog);
    WriteBooking("A;B;jaro.avi;15.3.2015;24.3.2015;;;3\r\n");
    // 16.3.2015 12:00 UTC: the proof counts 15.3. only.
#ifdef _WIN32
    _putenv_s("SOURCE_DATE_EPOCH", "1426507200");  // the child inherits it
    const CliResult result = Run({"campaign", "kampan.csv"});
    _putenv_s("SOURCE_DATE_EPOCH", "");
#else
    const CliResult result = Run({"campaign", "kampan.csv"}, {{"SOURCE_DATE_EPOCH", "1426507200"}});
#endif
    ASSERT_EQ(result.status, 0) << result.err;
    const std::string panel = folder_.Path().filename().string();
    EXPECT_EQ(
        result.out.substr(0, result.out.find("Uloženo")),
        "Stav ke dni 15. 3. 2015\n"
        "Klient\tKampaň\tSmlouva\tSpot\tOd\tDo\tPanel\tObjednáno\tOdvysíláno\tNavíc\tPlnění\t"
        "Dnů pod objednávkou\tZbývá dnů" +
            kPanelTitles +
            "\n"
            "A\tB\t\tjaro.avi\t2015-03-15\t2015-03-24\t" +
            panel + "\t3\t2\t0\t66.7 %\t1\t9\t" + panel +
            "\tbez uvedení města\t0.0 %\t0\t0.03 %\t\t\t\n" + kMarketsHeading +
            "A\tB\tbez uvedení města\t1\t1\t3\t2\n"
            "A\tB\tcelkem\t1\t1\t3\t2\n"
            "Dorovnání (jen pro provozovatele): přehrání za den potřebná ve zbývajících dnech "
            "k objednanému součtu\n"
            "Klient\tKampaň\tSmlouva\tSpot\tPanel\tObjednáno\tOdvysíláno\tZbývá dnů\tPotřeba za "
            "den\nA\tB\t\tjaro.avi\t" +
            panel + "\t3\t2\t9\t4\n");
    const std::string csv = Cp1250ToUtf8(ReadReport("KAMPAN_kampan.csv"));
    EXPECT_EQ(csv.substr(0, csv.find("\r\n\r\n") + 4),
              "Klient;Kampaň;Spot;Panel;Datum;Objednáno;Odvysíláno;Rozdíl\r\n"
              "A;B;jaro.avi;" +
                  panel + ";2015-03-15;3;2;-1\r\n\r\n");
}

TEST_F(CampaignCommand, EachClientGetsAPairWithNothingOfTheOthers) {
    WriteMarch(kLog);
    WriteBooking(
        "Pekárna;Jaro;jaro.avi;15.3.2015;16.3.2015;;;1;P-17\r\n"
        "Zoo/Brno;Léto;l*.avi;16.3.2015;16.3.2015;;;1;Z-99\r\n",
        ";Smlouva");
    ASSERT_EQ(Campaign({"--as-of", "2015-03-31", "--no-play-lists"}).status, 0);
    EXPECT_EQ(ReportFiles(), (std::vector<std::string>{
                                 "KAMPAN_kampan.csv", "KAMPAN_kampan.html", "KAMPAN_kampan.sha256",
                                 "KAMPAN_kampan_Pekárna.csv", "KAMPAN_kampan_Pekárna.html",
                                 "KAMPAN_kampan_Pekárna.sha256", "KAMPAN_kampan_Pekárna_stav.csv",
                                 "KAMPAN_kampan_Zoo_Brno.csv", "KAMPAN_kampan_Zoo_Brno.html",
                                 "KAMPAN_kampan_Zoo_Brno.sha256", "KAMPAN_kampan_Zoo_Brno_stav.csv",
                                 "KAMPAN_kampan_stav.csv"}));
    const struct {
        std::string file;
        std::vector<std::string> own, others;
    } clients[] = {
        {"KAMPAN_kampan_Pekárna",
         {"Pekárna", "P-17", "jaro.avi"},
         {"Zoo", "Léto", "l*.avi", "Z-99"}},
        {"KAMPAN_kampan_Zoo_Brno", {"Zoo/Brno", "Z-99", "l*.avi"}, {"Pek", "Jaro", "jaro", "P-17"}},
    };
    for (const auto& client : clients) {
        for (const std::string extension : {".csv", "_stav.csv", ".html"}) {
            const std::string bytes = ReadReport(client.file + extension);
            const std::string text = extension.ends_with(".csv") ? Cp1250ToUtf8(bytes) : bytes;
            for (const std::string& own : client.own) {
                EXPECT_NE(text.find(own), std::string::npos) << client.file << extension << own;
            }
            for (const std::string& other : client.others) {
                EXPECT_EQ(text.find(other), std::string::npos) << client.file << extension << other;
            }
            EXPECT_EQ(text.find("Dorovnání"), std::string::npos) << client.file << extension;
        }
    }
}

TEST_F(CampaignCommand, AClientsFilesNameNoPanelOrTownOfAnotherClient) {
    for (const char* panel : {"p1", "p2"}) {
        folder_.WriteFile(std::string(panel) + "/log/AVI_2015-03.txt", kLog);
    }
    WriteBooking(
        "Pekárna;Jaro;jaro.avi;15.3.2015;16.3.2015;;;1;p1\r\n"
        "Zoo;Léto;l*.avi;16.3.2015;16.3.2015;;;1;p2\r\n",
        ";Panel");
    folder_.WriteFile("panely.csv", Utf8ToCp1250("Panel;Název;Město\r\n"
                                                 "p1;Výloha pekárny;Brno\r\n"
                                                 "p2;Brána zoo;Jihlava\r\n"));
    ASSERT_EQ(Campaign({"--as-of", "2015-03-31", "--panel", "p1", "--panel", "p2"}).status, 0);
    const std::string own = Cp1250ToUtf8(ReadReport("KAMPAN_kampan_Pekárna.csv"));
    EXPECT_NE(own.find(";Výloha pekárny;Brno;"), std::string::npos) << own;
    EXPECT_NE(own.find("Pekárna;Jaro;Brno;1;1;2;2\r\nPekárna;Jaro;celkem;1;1;2;2\r\n"),
              std::string::npos)
        << own;
    for (const char* other : {"Brána zoo", "Jihlava", "p2"}) {
        EXPECT_EQ(own.find(other), std::string::npos) << other;
    }
}

// One file of a proved set refused on the next run (a folder in its place, or held by another
// program): no file of the set changes, no new name appears, and the message says so.
TEST_F(CampaignCommand, AFileOfTheSetThatIsRefusedChangesNoFileOfTheSet) {
    WriteMarch(kLog);
    WriteBooking(
        "Pekárna;Jaro;jaro.avi;15.3.2015;16.3.2015;;;1\r\n"
        "Zoo;Léto;l*.avi;16.3.2015;16.3.2015;;;1\r\n");
    ASSERT_EQ(Campaign({"--as-of", "2015-03-15"}).status, 0);
    const std::string refused = "KAMPAN_kampan_Zoo.html";
    for (const char* how : {"folder", "held"}) {
        SCOPED_TRACE(how);
        const bool folder = std::string(how) == "folder";
        fs::remove_all(ReportFolder() / refused);
        if (folder) {
            fs::create_directory(ReportFolder() / refused);
        } else {
            folder_.WriteFile("report/" + refused, "old page");
        }
        const std::map<std::string, std::string> before = ReportContents();
        CliResult result;
        {
            std::optional<HeldFile> held;
            if (!folder) {
                held.emplace(ReportFolder() / refused);
                ASSERT_TRUE(held->Held());
            }
            result = Campaign({"--as-of", "2015-03-31"});
        }
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.out, "");
        const std::string reason =
            folder ? "na místě souboru je složka" : "soubor používá jiný program";
        EXPECT_NE(result.err.find(ReportPath(refused) + ": " + reason), std::string::npos)
            << result.err;
        EXPECT_NE(result.err.find("poslední úplný důkaz zůstal beze změny"), std::string::npos)
            << result.err;
        EXPECT_EQ(ReportContents(), before);
    }
}

}  // namespace
}  // namespace acceptance
