// kvimeter-cli html: the page's bytes (the same natively and on Windows), its heading, and the
// load and write failures it shares with summary.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/acceptance/report_files.h"

namespace acceptance {
namespace {

namespace fs = std::filesystem;

const std::string kPage = "SUM_AVI_2015-03.html";

// The page as the build's reference holds it; a Unix path reaches the Windows build through Z:.
fs::path ReferencePage() {
    std::string path = KV_ACCEPTANCE_DATA "/SUM_AVI_2015-03.html";
#ifdef _WIN32
    if (path[0] == '/') {
        path = "Z:" + path;
    }
#endif
    return fs::path(path);
}

// The page without the time it was made, the one thing that differs from run to run.
std::string WithoutMadeAt(std::string page) {
    const size_t start = page.find("<time");
    const size_t end = page.find("</time>");
    if (start != std::string::npos && end != std::string::npos && start < end) {
        page.replace(start, end - start, "<time>");
    }
    return page;
}

// Edge moments, hostile and Windows-1250 names, a play of another month, an hour past 23, a
// negative length and a name that keeps the CR LF of a line without a length.
std::string VariedMarch() {
    std::string log;
    for (const char* time : {"00:00:00", "08:15:00", "08:45:00", "12:00:00", "23:59:59"}) {
        log += Play("01.03.2015", time, "C:\\spots\\intro.avi", "12.5");
    }
    log += Play("31.03.2015", "23:59:59", "C:\\spots\\intro.avi", "12.5");
    log += Play("15.03.2015", "10:00:00", "<script>alert(1)</script> & \"spol\"", "15");
    log += Play("16.03.2015", "10:00:00", "<script>alert(1)</script> & \"spol\"", "15");
    log += Play("02.03.2015", "09:00:00",
                "\xC8"
                "erven\xFD k\xF9\xF2 \x81\xA0.avi",
                "600");
    log += Play("01.04.2015", "07:00:00", "april", "30");
    log += Play("03.03.2015", "24:00:00", "late", "20");
    log += Play("04.03.2015", "10:00:00", "back", "-1.5");
    log += Play("04.03.2015", "11:00:00", "back", "-1.5");
    log += "05.03.2015\t18:30:00\tX\tcut\r\n";
    return log;
}

using HtmlPage = ReportTest;

TEST_F(HtmlPage, HasTheReferenceBytesApartFromTheTimeItWasMade) {
    WriteMarch(VariedMarch());
    ExpectSaved(Run({"html", "2015-03"}), SummarySaved(kPage));
    const std::string page = WithoutMadeAt(ReadReport(kPage));
    // After a deliberate change of the page, KV_UPDATE_REFERENCE=1 writes it as the reference.
    if (std::getenv("KV_UPDATE_REFERENCE") != nullptr) {
        std::ofstream(ReferencePage(), std::ios::binary) << page;
    }
    std::ifstream in(ReferencePage(), std::ios::binary);
    ASSERT_TRUE(in) << ReferencePage();
    const std::string reference{std::istreambuf_iterator<char>(in),
                                std::istreambuf_iterator<char>()};
    EXPECT_TRUE(page == reference) << "the page differs from " << ReferencePage();
    EXPECT_EQ(ReportFiles(), std::vector<std::string>{kPage});
}

TEST_F(HtmlPage, TheHeadingNamesTheFilterInWords) {
    WriteMarch(VariedMarch());
    ExpectSaved(
        Run({"html", "2015-03", "--day", "1", "--from", "8:30", "--to", "12:00", "--strip-paths"}),
        SummarySaved(kPage));
    const std::string page = ReadReport(kPage);
    for (const char* words : {"<p class=\"lead\">březen 2015</p>", "jen 1. den měsíce",
                              "od 8:30 do 12:00", "jen názvy souborů, bez složek",
                              "<a href=\"#a1\">intro.avi</a></td><td class=\"num\">12.50</td>"
                              "<td class=\"num\">1</td>"}) {
        EXPECT_NE(page.find(words), std::string::npos) << words;
    }
}

TEST_F(HtmlPage, TheMadeAtTimeFollowsSourceDateEpoch) {
#ifdef _WIN32
    GTEST_SKIP() << "the child's environment is set on POSIX only";
#else
    WriteMarch(VariedMarch());
    ExpectSaved(Run({"html", "2015-03"}, {{"SOURCE_DATE_EPOCH", "1426000000"}}),
                SummarySaved(kPage));
    EXPECT_NE(
        ReadReport(kPage).find("<time datetime=\"2015-03-10T15:06:40\">10. 3. 2015 15:06</time>"),
        std::string::npos);
#endif
}

using HtmlFailures = ReportTest;

TEST_F(HtmlFailures, LoadAndArgumentsFailAsForTheSummaryAndCreateNoFolder) {
    ExpectFailedLoad(Run({"html", "2015-03"}));
    WriteMarch(Play("01.03.2015", "10:00:00", "a", "1") + Play("01.13.2015", "10:00:00", "a", "1"));
    ExpectFailedLoad(Run({"html", "2015-03"}));
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"html"},
                                               {"html", "March"},
                                               {"html", "2015-03", "--day", "32"},
                                               {"html", "2015-03", "--decimal-separator", ","},
                                               {"html", "2015-03", "--all"}}) {
        SCOPED_TRACE(testing::PrintToString(args));
        ExpectUsageError(Run(args));
    }
    EXPECT_FALSE(fs::exists(ReportFolder()));
}

TEST_F(HtmlFailures, APageThatCannotBeWrittenIsNamed) {
    WriteMarch(Play("01.03.2015", "10:00:00", "a", "1"));
    fs::create_directories(ReportFolder() / kPage);
    ExpectNotWritten(Run({"html", "2015-03"}), {ReportPath(kPage)});
}

}  // namespace
}  // namespace acceptance
