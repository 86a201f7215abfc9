// kvimeter-cli html: the page's bytes (the same natively and on Windows) and the load and write
// failures it shares with summary.
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
// The path is UTF-8, as the build wrote it, whatever the system's code page.
fs::path ReferencePage() {
    std::string path = KV_ACCEPTANCE_DATA "/SUM_AVI_2015-03.html";
#ifdef _WIN32
    if (path[0] == '/') {
        path = "Z:" + path;
    }
#endif
    return Utf8Path(path);
}

// Edge moments, hostile and Windows-1250 names, a play of another month, an hour past 23, a
// negative length and a name that keeps the CR LF of a line without a length.
const char* const kVariedMarch[][4] = {
    {"01.03.2015", "00:00:00", "C:\\spots\\intro.avi", "12.5"},
    {"01.03.2015", "08:15:00", "C:\\spots\\intro.avi", "12.5"},
    {"31.03.2015", "23:59:59", "C:\\spots\\intro.avi", "12.5"},
    {"15.03.2015", "10:00:00", "<script>alert(1)</script> & \"spol\"", "15"},
    {"16.03.2015", "10:00:00", "<script>alert(1)</script> & \"spol\"", "15"},
    {"02.03.2015", "09:00:00",
     "\xC8"
     "erven\xFD k\xF9\xF2 \x81\xA0.avi",
     "600"},
    {"01.04.2015", "07:00:00", "april", "30"},
    {"03.03.2015", "24:00:00", "late", "20"},
    {"04.03.2015", "10:00:00", "back", "-1.5"},
    {"04.03.2015", "11:00:00", "back", "-1.5"},
};

using HtmlPage = ReportTest;

TEST_F(HtmlPage, HasTheReferenceBytesApartFromTheTimeItWasMade) {
    std::string log = "05.03.2015\t18:30:00\tX\tcut\r\n";
    for (const auto& play : kVariedMarch) {
        log += Play(play[0], play[1], play[2], play[3]);
    }
    WriteMarch(log);
    ExpectSaved(Run({"html", "2015-03", "--strip-paths", "--from", "0:05", "--to", "24:00"}),
                SummarySaved(kPage));
    std::string page = ReadReport(kPage);
    const size_t madeAt = page.find("<time");
    ASSERT_NE(madeAt, std::string::npos);
    page.erase(madeAt, page.find("</time>") - madeAt);
    // After a deliberate change of the page, KV_UPDATE_REFERENCE=1 writes it as the reference.
    if (std::getenv("KV_UPDATE_REFERENCE") != nullptr) {
        std::ofstream(ReferencePage(), std::ios::binary) << page;
    }
    std::ifstream in(ReferencePage(), std::ios::binary);
    const std::string reference{std::istreambuf_iterator<char>(in),
                                std::istreambuf_iterator<char>()};
    EXPECT_TRUE(page == reference) << "the page differs from " << ReferencePage();
    EXPECT_EQ(ReportFiles(), std::vector<std::string>{kPage});
}

using HtmlFailures = ReportTest;

TEST_F(HtmlFailures, LoadAndArgumentsFailAsForTheSummaryAndCreateNoFolder) {
    ExpectFailedLoad(Run({"html", "2015-03"}));
    WriteMarch(Play("01.03.2015", "10:00:00", "a", "1") + Play("01.13.2015", "10:00:00", "a", "1"));
    ExpectFailedLoad(Run({"html", "2015-03"}));
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"html"}, {"html", "2015-03", "--day", "32"}, {"html", "2015-03", "--all"}}) {
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
