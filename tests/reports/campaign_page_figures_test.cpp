// What the campaign page tells a media buyer: the panels under their register names and towns,
// the screens by town, availability, share of time and contacts, the days without a record, and
// whether a line's proof is interim or final.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/cp1250.h"
#include "campaign/audience.h"
#include "campaign/calendar.h"
#include "campaign/client_share.h"
#include "reports/campaign_figure_texts.h"
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

TEST(CampaignFigureTexts, AvailabilityShareAndContactsReadAsTheBuyerComparesThem) {
    struct Case {
        const char* what;
        std::string text, expected;
    } cases[] = {
        {"availability with two days left out", AvailabilityText({3600, 29, 2}, ','),
         "99,2 % (2 dny bez logu)"},
        {"no days left out, no note", AvailabilityText({3600, 29, 0}, ','), "99,2 %"},
        {"one day", AvailabilityText({3600, 0, 1}, ','), "100,0 % (1 den bez logu)"},
        {"five days", AvailabilityText({3600, 3600, 5}, '.'), "0.0 % (5 dnů bez logu)"},
        {"no day the logs tell", AvailabilityText({0, 0, 3}, ','), "– (3 dny bez logu)"},
        {"share of time, two decimals", ShareOfTimeText(45, {3600, 0, 0}, ','), "1,25 %"},
        {"share without window time", ShareOfTimeText(45, {0, 0, 2}, ','), "–"},
        {"ratio uncapped", ContactsRatioText(200.0, 250.4, ','), "125,2 %"},
        {"ratio without a contracted figure", ContactsRatioText(std::nullopt, 250, ','), "–"},
        {"estimate complete", IncompleteEstimateText(0), ""},
        {"estimate incomplete", IncompleteEstimateText(7),
         "odhad neúplný: 7 přehrání bez údaje o publiku"},
        {"contacts rounded only when shown", ContactsText(1234.5), "1235"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Cp1250ToUtf8(c.text), c.expected) << c.what;
    }
}

TEST(CampaignFigureTexts, TheMapLinkIsAtThePanelsPositionInAnyHemisphere) {
    RegisteredPanel panel{2, "p", "n", "", "", ""};
    EXPECT_EQ(MapAddress(panel), "");
    panel.hasPosition = true;
    panel.latitude = 49.1951;
    panel.longitude = -0.0000004;
    EXPECT_EQ(MapAddress(panel),
              "https://www.openstreetmap.org/?mlat=49.195100&mlon=0.000000#map=17/49.195100/"
              "0.000000");
    panel.longitude = -16.6068;
    EXPECT_NE(MapAddress(panel).find("mlon=-16.606800#"), std::string::npos);
}

RegisteredPanel Registered(const char* folder, const char* name, const char* town) {
    return {2, folder, Utf8ToCp1250(name), "", Utf8ToCp1250(town), ""};
}

// November on two registered panels as of the 20th: each client's line on a panel of its own.
struct TwoClients {
    int32_t first = DayNumber({2026, 11, 1});
    std::vector<BookingLine> lines;
    std::vector<CampaignPanel> panels = {{"nadrazi", "nadrazi"}, {"namesti", "namesti"}};
    CampaignResult result;

    TwoClients() {
        panels[0].registered = Registered("nadrazi", "Brno, Nádraží – LED 6×3 m", "Brno");
        panels[0].registered->hasPosition = true;
        panels[0].registered->latitude = 49.19;
        panels[0].registered->longitude = 16.61;
        panels[1].registered = Registered("namesti", "Horní náměstí", "Olomouc");
        lines.push_back(Line(2, "Pekárna", "nadrazi", first + 29));
        lines.push_back(Line(3, "Kino", "namesti", first + 14));
        result.asOfDay = first + 19;
        result.figures = {{0, 0, std::vector<uint32_t>(20, 10), 10, 2000},
                          {1, 1, std::vector<uint32_t>(15, 4), 0, 600}};
        result.figures[0].time = {20 * 43200, 8640, 0};
        result.figures[1].time = {15 * 43200, 0, 0};
        result.panelTimes = {result.figures[0].time, result.figures[1].time};
    }
    BookingLine Line(int32_t number, const char* client, const char* panel, int32_t last) const {
        return {number,
                Utf8ToCp1250(client),
                "Podzim",
                "spot.avi",
                panel,
                first,
                last,
                {8, 0},
                {20, 0},
                5,
                "S-" + std::to_string(number)};
    }
    BookingFileEvidence booking{"k.csv", 3, Sha256Of("abc")};

    std::string Page(const std::string& client = "") const {
        CampaignReport report{"k", lines, panels, result, booking, 15, ""};
        if (client.empty()) {
            return CampaignPage(report, {2026, 11, 6, 21, 8, 0, 0, 0});
        }
        const ClientShare share = ShareOf(lines, panels, result, Utf8ToCp1250(client), 15);
        CampaignReport own{"k", share.lines,         panels, share.result, report.booking,
                           15,  Utf8ToCp1250(client)};
        return CampaignPage(own, {2026, 11, 6, 21, 8, 0, 0, 0});
    }
};

TEST(CampaignPageFigures, EachPageShowsItsOwnPanelsByNameAndTownAndNoOther) {
    const TwoClients booking;
    struct Case {
        const char* client;
        std::vector<std::string> shown, absent;
    } cases[] = {
        {"", {"Brno, Nádraží – LED 6×3 m", "Horní náměstí (Olomouc)", "<td>Brno</td>"}, {}},
        {"Pekárna", {"Brno, Nádraží – LED 6×3 m</a> (Brno)"}, {"Horní náměstí", "Olomouc", "Kino"}},
        {"Kino", {"Horní náměstí (Olomouc)"}, {"Nádraží", "Brno", "Pekárna", "openstreetmap"}},
    };
    for (const Case& c : cases) {
        const std::string page = booking.Page(c.client);
        for (const std::string& text : c.shown) {
            EXPECT_NE(page.find(text), std::string::npos) << c.client << ": " << text;
        }
        for (const std::string& text : c.absent) {
            EXPECT_EQ(page.find(text), std::string::npos) << c.client << ": " << text;
        }
        // The folder names stay in the evidence only: no log is read here.
        EXPECT_EQ(page.find(">nadrazi<"), std::string::npos) << c.client;
    }
    const std::string page = booking.Page();
    EXPECT_NE(page.find("<a href=\"https://www.openstreetmap.org/?mlat=49.190000&amp;mlon="
                        "16.610000#map=17/49.190000/16.610000\" rel=\"noopener\">Brno, Nádraží"),
              std::string::npos);
    // The screens by town, a campaign each, and its total.
    EXPECT_NE(page.find("<tr><td>Pekárna</td><td>Podzim</td><td>Brno</td><td class=\"num\">1</td>"
                        "<td class=\"num\">1</td><td class=\"num\">100</td><td class=\"num\">200"),
              std::string::npos);
    EXPECT_EQ(Occurrences(page, "<tr class=\"total\"><td>Pekárna</td><td>Podzim</td><td>celkem"),
              1u);
    // Availability with one decimal, the share of time with two, per line and per panel.
    EXPECT_EQ(Occurrences(page, "<td class=\"num\">99,0 %</td>"), 2u);
    EXPECT_NE(page.find("<td class=\"num\">99,0 %</td><td class=\"num\">0,23 %</td>"),
              std::string::npos);
}

TEST(CampaignPageFigures, ALineSaysItsWholeOrderAndWhetherItsProofIsInterimOrFinal) {
    const TwoClients booking;
    const std::string page = booking.Page();
    EXPECT_NE(page.find("Objednáno za celou dobu 150 přehrání, k datu 100. Výkaz je průběžný: "
                        "stav ke dni 20. 11. 2026, řádek končí 30. 11. 2026."),
              std::string::npos);
    EXPECT_NE(page.find("Objednáno za celou dobu 75 přehrání, k datu 75. Výkaz je konečný: řádek "
                        "skončil 15. 11. 2026."),
              std::string::npos);
    // The campaign's days left are its calendar's, not summed over lines and panels.
    EXPECT_NE(page.find("<td class=\"num\">10</td><td class=\"num\">"), std::string::npos);
    EXPECT_NE(page.find("Dnů pod objednávkou (dny × panely)"), std::string::npos);
    EXPECT_NE(page.find("<th class=\"num\">Nad objednávku</th>"), std::string::npos);
    EXPECT_NE(page.find("Pekárna – Podzim (smlouva S-2): spot spot.avi"), std::string::npos);
    // November has no clock change.
    EXPECT_EQ(page.find("letní čas"), std::string::npos);
}

TEST(CampaignPageFigures, DaysWithoutARecordAreAKindOfTheirOwnAndNoGoodNews) {
    struct Case {
        const char* what;
        bool missing, outage;
        size_t noRecordSlots;
        const char* outageLine;
    } cases[] = {
        {"every day recorded, no outage", false, false, 0, "<p class=\"ok\">V objednaných"},
        {"a missing month", true, false, 20, "<p class=\"warn\">Ve dnech se záznamem"},
        {"a missing month beside an outage", true, true, 20,
         "LED 6×3 m</a> (Brno) 1. 11. – 20. 11. 2026.</p>"},
    };
    for (const Case& c : cases) {
        TwoClients booking;
        if (c.missing) {
            booking.result.missingLogs = {{0, 2026, 11, "nadrazi/log/AVI_2026-11.txt"}};
            booking.result.figures[0].delivered.assign(20, 0);
        }
        if (c.outage) {
            booking.result.outages = {{1, booking.first + 2, 9 * 3600, 10 * 3600, 3600, 9 * 3600}};
        }
        const std::string page = booking.Page();
        EXPECT_EQ(Occurrences(page, "<rect class=\"norecord\""), c.noRecordSlots) << c.what;
        EXPECT_EQ(Occurrences(page, "šedě dny bez záznamu"), c.noRecordSlots > 0 ? 1u : 0u)
            << c.what;
        EXPECT_NE(page.find(c.outageLine), std::string::npos) << c.what;
        EXPECT_EQ(page.find("<p class=\"ok\">") == std::string::npos, c.missing) << c.what;
    }
}

TEST(CampaignPageFigures, ContactsAreAnEstimateNamedWithTheAudienceFileAndItsGaps) {
    TwoClients booking;
    const AudienceFile audience = ParseAudience(
        Utf8ToCp1250("Panel;Dny;Čas od;Čas do;Kontaktů za hodinu\r\nnadrazi;po-ne;;;600\r\n"));
    ASSERT_TRUE(audience.errors.empty());
    booking.panels[0].audience = AudienceOf(audience, "nadrazi");
    booking.lines[0].contacts = 3000;
    booking.result.figures[0].impressions = 1234.4;
    booking.result.figures[0].playsWithoutAudience = 3;
    booking.booking.operatorFiles = {
        {"publikum.csv", 40, Sha256Of("p"), OperatorFileKind::kAudience}};
    const std::string page = booking.Page();
    // Contracted to date: 3000 × 100 booked so far ÷ 150 over the whole line; the ratio uncapped.
    const std::string row =
        "<td class=\"num\">2000</td><td class=\"num\">1234 <small>(odhad neúplný: 3 přehrání bez "
        "údaje o publiku)</small></td><td class=\"num\">61,7 %</td>";
    EXPECT_EQ(Occurrences(page, row), 2u);  // the line's panel and the campaign
    EXPECT_NE(page.find("Kontakty jsou odhad podle souboru publikum.csv"), std::string::npos);
    EXPECT_NE(page.find("<td>publikum</td>"), std::string::npos);
    // Kino's panel has no audience data: no contacts for its line or campaign.
    EXPECT_EQ(Occurrences(page, "<th class=\"num\">Kontakty (odhad)</th>"), 2u);
}

TEST(CampaignPageFigures, PlainWordsForTheBuyerAndTheSummerTimeOnlyWhereTheClockChanges) {
    struct Case {
        const char* what;
        int32_t shift;  // days the booking starts earlier than 1 November
        bool summerTime;
    } cases[] = {{"November", 0, false}, {"from 20 October", 12, true}};
    for (const Case& c : cases) {
        TwoClients booking;
        for (BookingLine& line : booking.lines) {
            line.firstDay -= c.shift;
        }
        booking.result.shortDays = {{1, booking.lines[1].firstDay + 3, false, false, {}, false}};
        booking.booking.issuer = {Utf8ToCp1250("Reklamní panely Morava s.r.o."),
                                  Utf8ToCp1250("IČO 12345678")};
        const std::string page = booking.Page();
        EXPECT_EQ(page.find("letní čas podle pravidla EU") != std::string::npos, c.summerTime)
            << c.what;
        EXPECT_NE(page.find("Panel byl v provozu, spot se přehrál jen 4× z 5."), std::string::npos)
            << c.what;
        EXPECT_NE(page.find("<header>\n<p class=\"issuer\" title=\"Vystavil\">Reklamní panely "
                            "Morava s.r.o.<br>\nIČO 12345678</p>"),
                  std::string::npos)
            << c.what;
        EXPECT_NE(page.find("<h2>Podklady</h2>"), std::string::npos) << c.what;
        EXPECT_NE(page.find("nepřehrál žádný spot"), std::string::npos) << c.what;
    }
}

}  // namespace
