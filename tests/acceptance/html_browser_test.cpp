// The page of kvimeter-cli html as a real browser reads it: headless Chromium opens the page of a
// generated month; what it parsed must hold the summary report's numbers. It also takes the
// picture the README shows (docs/html-report.png).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "logdata/cp1250.h"
#include "logdata/totals.h"
#include "reports/html_report.h"
#include "tests/acceptance/cli_process.h"

namespace acceptance {
namespace {

namespace fs = std::filesystem;

const char* const kHostileName =
    "C:\\Panel\\Animace\\\xDA\xE8"
    "et <script>alert(1)</script> & spol.avi";

std::string Quoted(const std::string& text) {
    return "'" + text + "'";  // the paths here hold no quote
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string Chromium() {
    if (const char* chosen = std::getenv("KV_CHROMIUM")) {
        return chosen;
    }
    for (const char* path : {"/usr/bin/chromium", "/usr/bin/chromium-browser"}) {
        if (fs::exists(path)) {
            return path;
        }
    }
    return "";
}

// One summary row: the CSV's four fields (Windows-1250); a name may hold ";".
struct CsvRow {
    std::string name, length, count, totalTime;
};

// Rows end at the total time's " sec" and CR LF, since a name may end in CR LF itself.
std::vector<CsvRow> ReadSummaryCsv(const fs::path& path) {
    const std::string csv = ReadFile(path);
    std::vector<CsvRow> rows;
    const std::string rowEnd = " sec\r\n";
    for (size_t start = csv.find("\r\n") + 2, end;
         (end = csv.find(rowEnd, start)) != std::string::npos; start = end + rowEnd.size()) {
        std::string line = csv.substr(start, end - start) + " sec";
        CsvRow row;
        for (std::string* field : {&row.totalTime, &row.count, &row.length}) {
            const size_t semicolon = line.rfind(';');
            *field = line.substr(semicolon + 1);
            line.erase(semicolon);
        }
        row.name = line;
        rows.push_back(row);
    }
    return rows;
}

int64_t Seconds(const std::string& totalTime) {
    long long hours = 0, minutes = 0, seconds = 0;
    EXPECT_EQ(
        std::sscanf(totalTime.c_str(), "%lld h  %lld min  %lld sec", &hours, &minutes, &seconds), 3)
        << totalTime;
    return hours * 3600 + minutes * 60 + seconds;
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
    // Runs chromium headless on the page with `options`; stdout into `out`.
    int Browse(const std::string& options, const fs::path& page, const fs::path& out) const {
        const fs::path profile = folder_.Path() / "profile";
        fs::create_directories(profile);
        const std::string command =
            "timeout 60 " + Quoted(chromium_) +
            " --headless --no-sandbox --disable-gpu --disable-quic --no-first-run"
            " --disable-background-networking --disable-component-update --disable-sync"
            " --hide-scrollbars --user-data-dir=" +
            Quoted(profile.string()) + " " + options + " " + Quoted("file://" + page.string()) +
            " >" + Quoted(out.string()) + " 2>" +
            Quoted((folder_.Path() / "chromium.err").string());
        return std::system(command.c_str());
    }

    std::string chromium_ = Chromium();
    ScratchFolder folder_;
};

TEST_F(BrowserTest, ThePageShowsTheSummaryTotalsSectionsAndNamesAsText) {
    if (chromium_.empty()) {
        GTEST_SKIP() << "no chromium (scripts/install-deps.sh all installs it)";
    }
    const fs::path log = folder_.Path() / "log" / "AVI_2026-11.txt";
    fs::create_directories(log.parent_path());
    ASSERT_EQ(std::system((Quoted(KV_GENLOG_EXECUTABLE) +
                           " --year 2026 --month 11 --plays 20000 --playlist 12 --seed 7 -o " +
                           Quoted(log.string()))
                              .c_str()),
              0);
    std::ofstream(log, std::ios::binary | std::ios::app)
        << Play("05.11.2026", "10:00:00", kHostileName, "15")
        << Play("30.11.2026", "23:59:59", kHostileName, "15");

    ASSERT_EQ(RunCli(folder_.Path(), {"summary", "2026-11", "--decimal-separator", "."}).status, 0);
    // A fixed date keeps the picture the same from run to run.
    const CliResult html =
        RunCli(folder_.Path(), {"html", "2026-11"}, {{"SOURCE_DATE_EPOCH", "1796112000"}});
    ASSERT_EQ(html.status, 0) << html.err;

    const fs::path page = folder_.Path() / "report" / "SUM_AVI_2026-11.html";
    const fs::path dom = folder_.Path() / "dom.html";
    ASSERT_EQ(Browse("--dump-dom", page, dom), 0) << ReadFile(folder_.Path() / "chromium.err");
    const std::string text = ReadFile(dom);
    ASSERT_NE(text.find("</html>"), std::string::npos) << text;

    const std::vector<CsvRow> rows =
        ReadSummaryCsv(folder_.Path() / "report" / "SUM_AVI_2026-11.csv");
    ASSERT_GE(rows.size(), 13u);
    int64_t plays = 0;
    int64_t seconds = 0;
    for (size_t i = 0; i < rows.size(); ++i) {
        const CsvRow& row = rows[i];
        const std::string expected = "<tr><td class=\"name\"><a href=\"#a" + std::to_string(i + 1) +
                                     "\">" + HtmlText(row.name) + "</a></td><td class=\"num\">" +
                                     row.length + "</td><td class=\"num\">" + row.count +
                                     "</td><td class=\"time\">" + row.totalTime + "</td></tr>";
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
        plays += std::stoll(row.count);
        seconds += Seconds(row.totalTime);
    }
    char totalTime[80];
    FormatTotalTime(SplitTotalTime(seconds), totalTime, sizeof totalTime);
    EXPECT_NE(
        text.find("<tfoot><tr><th>Celkem</th><td></td><td class=\"num\">" + std::to_string(plays) +
                  "</td><td class=\"time\">" + totalTime + "</td></tr></tfoot>"),
        std::string::npos);
    EXPECT_EQ(Occurrences(text, "<section class=\"animation\""), rows.size());
    EXPECT_EQ(Occurrences(text, "<svg class=\"chart\""), 2 * rows.size() + 2);
    // The hostile name is text in the table and in its heading; no script element came of it.
    EXPECT_EQ(Occurrences(text,
                          "\xC3\x9A\xC4\x8D"
                          "et &lt;script&gt;alert(1)&lt;/script&gt; &amp; spol.avi"),
              3u);
    EXPECT_EQ(text.find("<script"), std::string::npos);

    const fs::path picture = fs::path(KV_SOURCE_DIR) / "docs" / "html-report.png";
    fs::create_directories(picture.parent_path());
    ASSERT_EQ(Browse("--window-size=1200,1650 --screenshot=" + Quoted(picture.string()), page,
                     folder_.Path() / "screenshot.out"),
              0)
        << ReadFile(folder_.Path() / "chromium.err");
    EXPECT_GT(fs::file_size(picture), 10000u);
}

}  // namespace
}  // namespace acceptance
