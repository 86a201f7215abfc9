// The page of kvimeter-cli html as a real browser reads it: headless Chromium opens the page of a
// generated month; what it parsed must hold the summary report's numbers. It also takes a
// picture of the page; with KV_UPDATE_PICTURES=1 (make screenshot) it is the one the README shows,
// docs/html-report.png, else it stays in the scratch folder.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <cstring>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "base/cp1250.h"
#include "logdata/totals.h"
#include "reports/html_page.h"
#include "tests/acceptance/cli_process.h"

namespace acceptance {
namespace {

namespace fs = std::filesystem;

const char* const kChromium = "/usr/bin/chromium";

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

size_t Occurrences(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

class BrowserTest : public ::testing::Test {
protected:
    // Runs a command line in the scratch folder (whose path holds no quote); its stderr is kept.
    int Shell(const std::string& command) const {
        return std::system(
            ("cd '" + folder_.Path().string() + "' && " + command + " 2>err").c_str());
    }
    int Browse(const std::string& options,
               const std::string& page = "report/SUM_AVI_2026-11.html") const {
        return Shell(std::string("timeout 60 ") + kChromium +
                     " --headless --no-sandbox --disable-gpu --disable-quic --no-first-run"
                     " --disable-background-networking --disable-component-update --disable-sync"
                     " --hide-scrollbars --user-data-dir=profile " +
                     options + " file://" + (folder_.Path() / page).string());
    }

    // With KV_UPDATE_PICTURES=1 (make screenshot) the picture the README shows, in docs/.
    void TakePicture(const std::string& name, const std::string& size, const std::string& page) {
        const char* update = std::getenv("KV_UPDATE_PICTURES");
        const fs::path picture = update != nullptr && std::string(update) == "1"
                                     ? fs::path(KV_SOURCE_DIR) / "docs" / name
                                     : folder_.Path() / name;
        ASSERT_EQ(Browse(size + " --screenshot='" + picture.string() + "'", page), 0)
            << ReadFile(folder_.Path() / "err");
        EXPECT_GT(fs::file_size(picture), 10000u);
    }

    ScratchFolder folder_;
};

TEST_F(BrowserTest, ThePageShowsTheSummaryTotalsSectionsAndNamesAsText) {
    if (!fs::exists(kChromium)) {
        GTEST_SKIP() << "no chromium (scripts/install-deps.sh all installs it)";
    }
    ASSERT_EQ(Shell("mkdir log profile && '" KV_GENLOG_EXECUTABLE "' --year 2026 --month 11"
                    " --plays 20000 --playlist 12 --seed 7 -o log/AVI_2026-11.txt"),
              0);
    const std::string hostile =
        "C:\\Panel\\\xDA\xE8"
        "et <script>alert(1)</script> & spol.avi";
    std::ofstream(folder_.Path() / "log/AVI_2026-11.txt", std::ios::app)
        << Play("05.11.2026", "10:00:00", hostile, "15")
        << Play("30.11.2026", "23:59:59", hostile, "15");
    ASSERT_EQ(RunCli(folder_.Path(), {"summary", "2026-11", "--decimal-separator", "."}).status, 0);
    // A fixed date keeps the picture the same from run to run.
    ASSERT_EQ(
        RunCli(folder_.Path(), {"html", "2026-11"}, {{"SOURCE_DATE_EPOCH", "1796112000"}}).status,
        0);
    ASSERT_EQ(Browse("--dump-dom >dom.html"), 0) << ReadFile(folder_.Path() / "err");
    const std::string dom = ReadFile(folder_.Path() / "dom.html");

    // Each summary row in its place: rows end at the total time's " sec" and CR LF, as a name
    // may end in CR LF itself; the name is whatever precedes the last three fields.
    const std::string csv = ReadFile(folder_.Path() / "report/SUM_AVI_2026-11.csv");
    size_t rows = 0;
    int64_t plays = 0;
    int64_t seconds = 0;
    for (size_t start = csv.find("\r\n") + 2, end;
         (end = csv.find(" sec\r\n", start)) != std::string::npos; start = end + 6) {
        const std::string row = csv.substr(start, end - start) + " sec";
        const size_t timeAt = row.rfind(';');
        const size_t countAt = row.rfind(';', timeAt - 1);
        const size_t lengthAt = row.rfind(';', countAt - 1);
        const std::string count = row.substr(countAt + 1, timeAt - countAt - 1);
        EXPECT_NE(
            dom.find("<a href=\"#a" + std::to_string(++rows) + "\">" +
                     HtmlText(row.substr(0, lengthAt)) + "</a></td><td class=\"num\">" +
                     row.substr(lengthAt + 1, countAt - lengthAt - 1) + "</td><td class=\"num\">" +
                     count + "</td><td class=\"time\">" + row.substr(timeAt + 1) + "</td></tr>"),
            std::string::npos)
            << row;
        long long h = 0, m = 0, s = 0;
        ASSERT_EQ(std::sscanf(row.c_str() + timeAt + 1, "%lld h  %lld min  %lld sec", &h, &m, &s),
                  3);
        plays += std::stoll(count);
        seconds += h * 3600 + m * 60 + s;
    }
    ASSERT_GE(rows, 13u);
    char totalTime[80];
    FormatTotalTime(SplitTotalTime(seconds), totalTime, sizeof totalTime);
    EXPECT_NE(
        dom.find("<tfoot><tr><th>Celkem</th><td></td><td class=\"num\">" + std::to_string(plays) +
                 "</td><td class=\"time\">" + totalTime + "</td></tr></tfoot>"),
        std::string::npos);
    EXPECT_EQ(Occurrences(dom, "<section class=\"animation\""), rows);
    EXPECT_EQ(Occurrences(dom, "<svg class=\"chart\""), 2 * rows + 2);
    EXPECT_NE(dom.find(">1. 12. 2026 08:00</time>"), std::string::npos);
    // The hostile name is text in the table, its section's heading and row; no script came of it.
    EXPECT_EQ(Occurrences(dom,
                          "\xC3\x9A\xC4\x8D"
                          "et &lt;script&gt;alert(1)&lt;/script&gt; &amp; spol.avi"),
              3u);
    EXPECT_EQ(dom.find("<script"), std::string::npos);

    TakePicture("html-report.png", "--window-size=1200,1650", "report/SUM_AVI_2026-11.html");
}

TEST_F(BrowserTest, TheCampaignPageShowsTheFiguresOutagesAndEvidence) {
    if (!fs::exists(kChromium)) {
        GTEST_SKIP() << "no chromium (scripts/install-deps.sh all installs it)";
    }
    for (const char* panel : {"nadrazi", "namesti"}) {
        for (const char* month : {"10", "11"}) {
            ASSERT_EQ(Shell(std::string("mkdir -p ") + panel +
                            "/log profile && '" KV_GENLOG_EXECUTABLE "' --year 2026 --month " +
                            month + " --plays 40000 --playlist 12 --seed " + month + " -o " +
                            panel + "/log/AVI_2026-" + month + ".txt"),
                      0);
        }
    }
    // An hour of silence on one panel; one line still running on 20.11.
    ASSERT_EQ(Shell("grep -av '^20.10.2026\t10:' namesti/log/AVI_2026-10.txt >t && "
                    "mv t namesti/log/AVI_2026-10.txt"),
              0);
    const std::string header =
        "Klient;Kampa\xF2;Spot;Od;Do;\xC8"
        "as od;\xC8"
        "as do;P\xF8"
        "ehr\xE1n\xED za den;Smlouva\r\n"
        "Pek\xE1rna Nov\xE1k;Podzim;spot_00*.avi;15.10.2026;14.11.2026;;;870;2026/114\r\n";
    const std::string running =
        ";Premi\xE9ra;spot_010.avi;1.11.2026;30.11.2026;8:00;20:00;56;KS-31\r\n";
    folder_.WriteFile("kampan.csv", header + "Kino Sv\xECtozor" + running);
    const std::vector<std::string> panels = {"--panel", "nadrazi", "--panel",
                                             "namesti", "--as-of", "20.11.2026"};
    std::vector<std::string> args = {"campaign", "kampan.csv"};
    args.insert(args.end(), panels.begin(), panels.end());
    const CliResult result = RunCli(folder_.Path(), args);
    ASSERT_EQ(result.status, 0) << result.err;
    ASSERT_EQ(Browse("--dump-dom >dom.html", "report/KAMPAN_kampan.html"), 0)
        << ReadFile(folder_.Path() / "err");
    const std::string dom = ReadFile(folder_.Path() / "dom.html");

    // The page's figures are the ones printed: booked and delivered per panel.
    for (const char* panel : {"nadrazi", "namesti"}) {
        const size_t at = result.out.find(std::string("\t") + panel + "\t");
        ASSERT_NE(at, std::string::npos) << result.out;
        std::string booked, delivered;
        std::istringstream(result.out.substr(at + std::strlen(panel) + 2)) >> booked >> delivered;
        EXPECT_NE(dom.find(std::string("<tr><td>") + panel +
                           "</td><td>bez uveden\u00ed m\u011bsta</td><td class=\"num\">" + booked +
                           "</td><td class=\"num\">" + delivered + "</td>"),
                  std::string::npos)
            << panel;
    }
    EXPECT_NE(dom.find("<tr><td>namesti</td><td>20.10.2026</td><td class=\"time\">"),
              std::string::npos);
    EXPECT_EQ(Occurrences(dom, "<tr data-file="), 5u);  // the booking and four logs
    EXPECT_EQ(Occurrences(dom, "<svg class=\"chart\""), 4u);
    EXPECT_EQ(Occurrences(dom, "<rect class=\"pending\""), 20u);  // 21. to 30.11. on two panels
    EXPECT_NE(dom.find("Stav ke dni 20. 11. 2026"), std::string::npos);
    ExpectPrinted(RunCli(folder_.Path(), {"verify", "report/KAMPAN_kampan.html"}),
                  "v pořádku: kampan.csv\nv pořádku: nadrazi/log/AVI_2026-10.txt\n"
                  "v pořádku: nadrazi/log/AVI_2026-11.txt\nv pořádku: namesti/log/AVI_2026-10.txt\n"
                  "v pořádku: namesti/log/AVI_2026-11.txt\n");

    // A client whose name is markup gets a page of its own: text, and nothing of the other.
    folder_.WriteFile("hostile.csv", header + "<b>Kino</b>" + running);
    args[1] = "hostile.csv";
    ASSERT_EQ(RunCli(folder_.Path(), args).status, 0);
    ASSERT_EQ(Browse("--dump-dom >client.html", "report/KAMPAN_hostile__b_Kino__b_.html"), 0)
        << ReadFile(folder_.Path() / "err");
    const std::string client = ReadFile(folder_.Path() / "client.html");
    EXPECT_NE(client.find("&lt;b&gt;Kino&lt;/b&gt;"), std::string::npos);
    EXPECT_EQ(client.find("<b>Kino"), std::string::npos);
    EXPECT_EQ(client.find("Pek"), std::string::npos);
    EXPECT_EQ(client.find("Dorovnání"), std::string::npos);
    EXPECT_EQ(Occurrences(client, "<tr data-file="), 3u);  // the booking and November's logs
    EXPECT_EQ(Occurrences(client, "<rect class=\"pending\""), 20u);
    TakePicture("campaign-report.png", "--window-size=1200,1700", "report/KAMPAN_kampan.html");
}

// The cells of the CSV file's state section (Windows-1250) by the titles of its header.
std::vector<std::vector<std::string>> StateRows(const std::string& csv) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(Cp1250ToUtf8(csv.substr(csv.find("\r\nStav ke dni") + 2)));
    std::string line;
    std::getline(lines, line);
    std::getline(lines, line);
    while (std::getline(lines, line) && line != "\r") {
        std::vector<std::string> cells;
        std::istringstream fields(line.substr(0, line.size() - 1));
        for (std::string cell; std::getline(fields, cell, ';');) {
            cells.push_back(cell);
        }
        rows.push_back(cells);
    }
    return rows;
}

TEST_F(BrowserTest, TheCampaignPageShowsThePanelsByNameAndTownWithTheirScreensAndTime) {
    if (!fs::exists(kChromium)) {
        GTEST_SKIP() << "no chromium (scripts/install-deps.sh all installs it)";
    }
    for (const char* panel : {"nadrazi", "namesti"}) {
        ASSERT_EQ(Shell(std::string("mkdir -p ") + panel +
                        "/log profile && '" KV_GENLOG_EXECUTABLE "' --year 2026 --month 11"
                        " --plays 40000 --playlist 12 --seed 3 -o " +
                        panel + "/log/AVI_2026-11.txt"),
                  0);
    }
    ASSERT_EQ(Shell("grep -av '^12.11.2026\t1[01]:' nadrazi/log/AVI_2026-11.txt >t && "
                    "mv t nadrazi/log/AVI_2026-11.txt"),
              0);
    folder_.WriteFile("kampan.csv", Utf8ToCp1250("Klient;Kampaň;Spot;Od;Do;Čas od;Čas do;Přehrání "
                                                 "za den;Kontakty\r\nPekárna Novák;Podzim;"
                                                 "spot_00*.avi;1.11.2026;30.11.2026;8:00;20:00;"
                                                 "300;100000\r\n"));
    folder_.WriteFile("panely.csv",
                      "Panel;N\u00e1zev;M\u011bsto;\u0160\u00ed\u0159ka;D\u00e9lka\r\n"
                      "nadrazi;\"Brno, N\u00e1dra\u017e\u00ed \u2013 LED 6\u00d73 m\";Brno;49.19;"
                      "16.61\r\nnamesti;Horn\u00ed n\u00e1m\u011bst\u00ed;Olomouc;;\r\n");
    folder_.WriteFile("publikum.csv",
                      "Panel;Dny;\u010cas od;\u010cas do;Kontakt\u016f za hodinu\r\n"
                      "nadrazi;po-p\u00e1;8:00;20:00;900\r\n");
    folder_.WriteFile("provozovatel.txt",
                      "Reklamn\u00ed panely Morava s.r.o.\r\nI\u010cO 12345678\r\n");
    const CliResult result =
        RunCli(folder_.Path(), {"campaign", "kampan.csv", "--panel", "nadrazi", "--panel",
                                "namesti", "--as-of", "20.11.2026"});
    ASSERT_EQ(result.status, 0) << result.err;
    ASSERT_EQ(Browse("--dump-dom >dom.html", "report/KAMPAN_kampan.html"), 0)
        << ReadFile(folder_.Path() / "err");
    const std::string dom = ReadFile(folder_.Path() / "dom.html");

    EXPECT_NE(dom.find("<p class=\"issuer\" title=\"Vystavil\">Reklamn\u00ed panely Morava "
                       "s.r.o.<br>\nI\u010cO 12345678</p>"),
              std::string::npos);
    EXPECT_NE(
        dom.find("<a href=\"https://www.openstreetmap.org/?mlat=49.190000&amp;mlon=16.610000"
                 "#map=17/49.190000/16.610000\" rel=\"noopener\">Brno, N\u00e1dra\u017e\u00ed "
                 "\u2013 LED 6\u00d73 m</a>"),
        std::string::npos);
    // The screens by town and in total: both panels played the spot.
    for (const char* town : {"Brno", "Olomouc"}) {
        EXPECT_NE(dom.find(std::string("<td>Podzim</td><td>") + town +
                           "</td><td class=\"num\">1</td><td class=\"num\">1</td>"),
                  std::string::npos)
            << town;
    }
    EXPECT_NE(
        dom.find("<tr class=\"total\"><td>Pek\u00e1rna Nov\u00e1k</td><td>Podzim</td><td>celkem"
                 "</td><td class=\"num\">2</td><td class=\"num\">2</td>"),
        std::string::npos);
    // Each panel's availability and share of time as the CSV file gives them; contacts where the
    // audience file knows the panel.
    const std::vector<std::vector<std::string>> rows =
        StateRows(ReadFile(folder_.Path() / "report/KAMPAN_kampan.csv"));
    ASSERT_EQ(rows.size(), 2u);
    for (const std::vector<std::string>& row : rows) {
        ASSERT_GE(row.size(), 18u);  // the contacts are empty without audience data
        const std::string name = HtmlText(Utf8ToCp1250(row[13]));
        const std::string figures =
            "</td><td class=\"num\">" + row[15] + "</td><td class=\"num\">" + row[17] + "</td>";
        EXPECT_TRUE(dom.find(name + figures) != std::string::npos ||
                    dom.find(name + "</a>" + figures) != std::string::npos)
            << name << figures;
    }
    ASSERT_EQ(rows[0].size(), 21u);
    EXPECT_NE(rows[0][15], "100,0 %");  // the two silent hours of 12.11.
    EXPECT_NE(dom.find("Kontakty jsou odhad podle souboru publikum.csv"), std::string::npos);
    EXPECT_NE(
        dom.find("<td class=\"num\">" + rows[0][18] + "</td><td class=\"num\">" + rows[0][19]),
        std::string::npos);
    // The register, the audience file and the issuer's file are evidence, and verify checks them.
    EXPECT_EQ(Occurrences(dom, "<tr data-file="), 6u);
    EXPECT_EQ(RunCli(folder_.Path(), {"verify", "report/KAMPAN_kampan.html"}).status, 0);
    EXPECT_NE(
        ReadFile(folder_.Path() / "report/KAMPAN_kampan.sha256").find("  provozovatel.txt\r\n"),
        std::string::npos);
}

}  // namespace
}  // namespace acceptance
