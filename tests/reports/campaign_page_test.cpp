// The overview page of a large booking: past about 20 MB it keeps every table and leaves the
// charts per line to the clients' pages, when those are written beside it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/cp1250.h"
#include "campaign/calendar.h"
#include "reports/campaign_chart.h"
#include "reports/campaign_page.h"
#include "reports/campaign_report.h"

namespace {

size_t Occurrences(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

// A year booked on two panels per line, each day counted: a chart per line and panel.
struct YearBooking {
    std::vector<BookingLine> lines;
    std::vector<CampaignPanel> panels = {{"nadrazi", "nadrazi"}, {"namesti", "namesti"}};
    CampaignResult result;

    explicit YearBooking(size_t lineCount) {
        const int32_t first = DayNumber({2026, 1, 1});
        result.asOfDay = first + 364;
        for (size_t l = 0; l < lineCount; ++l) {
            const std::string client = l % 2 == 0 ? "Pekárna" : "Autosalon";
            lines.push_back({static_cast<int32_t>(l + 2),
                             Utf8ToCp1250(client),
                             "Rok",
                             "spot" + std::to_string(l) + ".avi",
                             "",
                             first,
                             first + 364,
                             {0, 0},
                             {24, 0},
                             10,
                             ""});
            for (size_t p = 0; p < panels.size(); ++p) {
                result.figures.push_back({l, p, std::vector<uint32_t>(365, 10 - l % 3), 0});
            }
        }
    }
};

const std::string kLeftToClients = "Grafy podle dnů jsou jen na stránkách jednotlivých klientů";

TEST(CampaignPage, AnOverviewPast20MBLeavesItsChartsToTheClientsPagesOnly) {
    struct Case {
        const char* what;
        size_t lines;
        const char* client;
        bool clientPagesBeside;
        bool charts;
    } cases[] = {
        {"a large overview beside the clients' pages", 400, "", true, false},
        {"a large overview without them", 400, "", false, true},
        {"a large client's page", 400, "Pekárna", false, true},
        {"a small overview beside the clients' pages", 4, "", true, true},
    };
    for (const Case& c : cases) {
        const YearBooking booking(c.lines);
        CampaignReport report{"rok",
                              booking.lines,
                              booking.panels,
                              booking.result,
                              {"rok.csv", 3, Sha256Of("abc")},
                              15,
                              Utf8ToCp1250(c.client)};
        report.clientPagesBeside = c.clientPagesBeside;
        const std::string page = CampaignPage(report, {2026, 12, 4, 31, 12, 0, 0, 0});
        // Each line on each panel: its chart per day and its chart per hour.
        const size_t charts = c.charts ? 2 * booking.result.figures.size() : 0;
        EXPECT_EQ(Occurrences(page, "<figure>"), charts) << c.what;
        EXPECT_EQ(Occurrences(page, kLeftToClients), c.charts ? 0u : 1u) << c.what;
        // Every line keeps its section and its table of panels.
        EXPECT_EQ(Occurrences(page, "<section class=\"line\">"), c.lines) << c.what;
        EXPECT_EQ(Occurrences(page, "<tr><td>namesti</td><td>bez uvedení města</td>"), c.lines + 1)
            << c.what;
        // The large ones would pass the limit with every chart.
        EXPECT_EQ(page.size() > 20'000'000, c.charts && c.lines == 400) << c.what << page.size();
        EXPECT_EQ(page.substr(page.size() - 16), "</body>\n</html>\n") << c.what;
    }
}

// The bound that spares drawing the charts of a page too large must never exceed a chart.
TEST(CampaignPage, NoChartIsShorterThanItsLeastBytes) {
    struct Case {
        const char* what;
        std::vector<uint32_t> delivered;
        uint32_t booked, daysLeft;
    } cases[] = {
        {"no play", std::vector<uint32_t>(30, 0), 5, 0},
        {"one day", {1}, 1, 0},
        {"every day full", std::vector<uint32_t>(365, 5), 5, 0},
        {"large counts", std::vector<uint32_t>(92, 123456), 100000, 0},
        {"all still to come", {}, 3, 60},
        {"half played, half to come", std::vector<uint32_t>(45, 2), 3, 46},
    };
    const int32_t first = DayNumber({2026, 10, 1});
    for (const Case& c : cases) {
        std::string chart;
        AppendDayChart(chart, c.delivered, c.booked, first, c.daysLeft);
        EXPECT_LE(DayChartLeastBytes(c.delivered, c.daysLeft), chart.size()) << c.what;
    }
}

}  // namespace

namespace {

// The chart per hour draws a bar, titled with its hour and count, for each hour that has plays.
TEST(CampaignPage, TheHourChartHasABarForEachHourWithPlays) {
    std::array<uint32_t, 24> hours{};
    hours[0] = 1;
    hours[3] = 250;
    hours[23] = 7;
    std::string html;
    AppendHourChart(html, "n&amp;m", hours);
    EXPECT_EQ(Occurrences(html, "<rect class=\"bar\""), 3u);
    for (const char* title : {"<title>0:00–0:59: 1</title>", "<title>3:00–3:59: 250</title>",
                              "<title>23:00–23:59: 7</title>"}) {
        EXPECT_NE(html.find(title), std::string::npos) << title;
    }
    EXPECT_EQ(
        html.find("<figure><figcaption>Panel n&amp;m: odvysíláno podle hodin dne</figcaption>"),
        0u);
    std::string empty;
    AppendHourChart(empty, "n", {});
    EXPECT_EQ(Occurrences(empty, "<rect"), 0u);
}

}  // namespace
