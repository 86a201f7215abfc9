// The campaign's CSV file byte for byte, and the texts it shares with the page.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/cp1250.h"
#include "campaign/calendar.h"
#include "reports/campaign_report.h"
#include "reports/campaign_texts.h"

namespace {

BookingLine Line(const std::string& client, const std::string& spot, int32_t firstDay,
                 int32_t lastDay, uint32_t plays) {
    return {2,       Utf8ToCp1250(client),
            "C",     Utf8ToCp1250(spot),
            "",      firstDay,
            lastDay, {8, 0},
            {20, 0}, plays,
            "S-1"};
}

TEST(CampaignCsv, RowsPerDayThenTheStateFindingsAndEvidence) {
    const int32_t day = DayNumber({2026, 10, 31});
    const std::vector<BookingLine> lines = {Line("=SUM(A1)", "a;b.avi", day, day + 3, 3)};
    const std::vector<CampaignPanel> panels = {{"p1", "p1"}};
    CampaignResult result;
    result.asOfDay = day + 1;
    result.figures = {{0, 0, {4, 1}, 2}};
    result.outages = {{0, day + 1, 8 * 3600, 9 * 3600 + 30, 3630, 8 * 3600}};
    result.missingLogs = {};
    LogEvidence log{0,
                    "p1/log/AVI_2026-10.txt",
                    10,
                    Sha256Of("x"),
                    true,
                    {2026, 10, 1, 0, 0, 5},
                    {2026, 11, 1, 23, 59, 59},
                    {}};
    log.findings[static_cast<int>(LogFindingKind::kOverlap)] = {2, day, 10 * 3600 + 1};
    result.logs = {log};
    result.shortDays = {{0, day + 1, false, false, {0}, false}};
    CampaignReport report{"k", lines, panels, result, {"k.csv", 3, Sha256Of("abc")}, 15, ""};
    const std::string hash = HexDigest(Sha256Of("x"));
    const std::string findings =
        "\r\nVýpadky: ticho delší než 15 min v objednaném okně\r\nPanel;Datum;Od;Do;Délka\r\n"
        "p1;2026-11-01;8:00:00;9:00:30;1:00:30\r\n"
        "\r\nObjednané dny bez jediného přehrání\r\nPanel;Datum\r\n"
        "\r\nChybějící logy: jejich dny mají 0 přehrání\r\nPanel;Soubor\r\n"
        "\r\nDny pod objednávkou\r\n"
        "Klient;Kampaň;Spot;Panel;Datum;Objednáno;Odvysíláno;Vysvětlení\r\n"
        "'=SUM(A1);C;\"a;b.avi\";p1;2026-11-01;3;1;výpadek 8:00:00–9:00:30\r\n"
        "\r\nPřekryvy objednávky: společná přehrání se počítají oběma řádkům\r\n"
        "Řádek;Řádek;Společná přehrání\r\n"
        "\r\nSoubory, ze kterých čísla vycházejí (SHA-256)\r\n"
        "Panel;Soubor;Velikost [B];SHA-256;První přehrání;Poslední přehrání\r\n"
        ";k.csv;3;ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad;;\r\n"
        "p1;p1/log/AVI_2026-10.txt;10;" +
        hash +
        ";01.10.2026 00:00:05;01.11.2026 23:59:59\r\n"
        "\r\nVěrohodnost logů: jedna obrazovka, jeden spot najednou (čísla to nemění)\r\n"
        "Panel;Soubor;Nález;Počet;Nejhorší den;První čas\r\n"
        "p1;p1/log/AVI_2026-10.txt;překrývající se přehrání;2;2026-10-31;10:00:01\r\n";
    const std::string figures =
        "Klient;Kampaň;Spot;Panel;Datum;Objednáno;Odvysíláno;Rozdíl\r\n"
        "'=SUM(A1);C;\"a;b.avi\";p1;2026-10-31;3;4;1\r\n"
        "'=SUM(A1);C;\"a;b.avi\";p1;2026-11-01;3;1;-2\r\n"
        "\r\nStav ke dni 1. 11. 2026\r\n"
        "Klient;Kampaň;Smlouva;Spot;Od;Do;Panel;Objednáno;Odvysíláno;Navíc;Plnění;"
        "Dnů pod objednávkou;Zbývá dnů;Název panelu;Město;Dostupnost;Dnů bez logu;Podíl času;"
        "Kontakty objednáno;Kontakty (odhad);Přehrání bez údaje o publiku\r\n"
        // Without a register, audience data or window time.
        "'=SUM(A1);C;S-1;\"a;b.avi\";2026-10-31;2026-11-03;p1;6;5;1;66,7 %;1;2;"
        "p1;bez uvedení města;–;0;–;;;\r\n"
        "\r\nPanely podle měst\r\n"
        "Klient;Kampaň;Město;Panelů objednáno;Panelů odvysíláno;Objednáno;Odvysíláno\r\n"
        "'=SUM(A1);C;bez uvedení města;1;1;6;5\r\n"
        "'=SUM(A1);C;celkem;1;1;6;5\r\n";
    EXPECT_EQ(Cp1250ToUtf8(CampaignCsv(report)),
              figures +
                  "\r\nDorovnání (jen pro provozovatele): přehrání za den potřebná ve zbývajících "
                  "dnech k objednanému součtu\r\n"
                  "Klient;Kampaň;Smlouva;Spot;Panel;Objednáno;Odvysíláno;Zbývá dnů;Potřeba za "
                  "den\r\n'=SUM(A1);C;S-1;\"a;b.avi\";p1;6;5;2;4\r\n" +
                  findings);
    // A client's own file leaves the make-good, the operator's planning figure, out.
    report.client = "K";
    EXPECT_EQ(Cp1250ToUtf8(CampaignCsv(report)), figures + findings);
}

// Two registered panels in two towns, one with audience data, the other never playing the spot.
TEST(CampaignCsv, TheStateNamesPanelsByTheRegisterWithTheirTimeAndContactsPerMarket) {
    const int32_t day = DayNumber({2026, 3, 2});
    BookingLine line = Line("K", "s.avi", day, day + 3, 3);
    line.contacts = 1000;
    const std::vector<BookingLine> lines = {line};
    AudienceFile audience;
    audience.rows = {{2, "p1", 0x7F, {0, 0}, {24, 0}, 100}};
    std::vector<CampaignPanel> panels = {{"p1", "p1", AudienceOf(audience, "p1")}, {"p2", "p2"}};
    panels[0].registered =
        RegisteredPanel{2, "p1", Utf8ToCp1250("Brno, Náměstí – LED"), "", "Brno", ""};
    panels[1].registered = RegisteredPanel{3, "p2", "Praha 1", "", "Praha", ""};
    CampaignResult result;
    result.asOfDay = day + 1;
    // Booked to date 6 of the whole booking's 3 × 4 days × 2 panels: 1000 × 6 / 24 contacts.
    result.figures = {{0, 0, {3, 3}, 2, 90, 12.6, 1, {86400, 864, 0}},
                      {0, 1, {0, 0}, 2, 0, 0, 0, {86400, 86400, 1}}};
    const CampaignReport report{"k", lines, panels, result, {"k.csv", 3, Sha256Of("abc")}, 15, ""};
    const std::string csv = Cp1250ToUtf8(CampaignCsv(report));
    const std::string state =
        "K;C;S-1;s.avi;2026-03-02;2026-03-05;p1;6;6;0;100,0 %;0;2;"
        "Brno, Náměstí – LED;Brno;99,0 %;0;0,10 %;250;13;1\r\n"
        "K;C;S-1;s.avi;2026-03-02;2026-03-05;p2;6;0;0;0,0 %;2;2;Praha 1;Praha;0,0 %;1;0,00 %;;;\r\n"
        "\r\nPanely podle měst\r\n"
        "Klient;Kampaň;Město;Panelů objednáno;Panelů odvysíláno;Objednáno;Odvysíláno\r\n"
        "K;C;Brno;1;1;6;6\r\n"
        "K;C;Praha;1;0;6;0\r\n"
        "K;C;celkem;2;1;12;6\r\n";
    EXPECT_NE(csv.find(state), std::string::npos) << csv;
}

TEST(CampaignTexts, PercentIsRoundedHalfUpToATenth) {
    const struct {
        uint64_t booked, delivered, bonus;
        const char* text;
    } cases[] = {{3, 2, 0, "66,7 %"}, {8, 1, 0, "12,5 %"},  {2000, 1, 0, "0,1 %"},
                 {3, 0, 0, "0,0 %"},  {1, 3, 2, "100,0 %"}, {4, 6, 3, "75,0 %"},
                 {0, 5, 5, "–"}};
    for (const auto& c : cases) {
        EXPECT_EQ(Cp1250ToUtf8(PercentText({c.booked, c.delivered, c.bonus, 0}, ',')), c.text);
    }
    const struct {
        std::optional<double> share;
        int decimals;
        const char* text;
    } shares[] = {{0.99249, 1, "99,2 %"}, {0.9925, 1, "99,3 %"}, {1, 1, "100,0 %"},
                  {0.00005, 2, "0,01 %"}, {0.0105, 2, "1,05 %"}, {std::nullopt, 2, "–"}};
    for (const auto& c : shares) {
        EXPECT_EQ(Cp1250ToUtf8(ShareText(c.share, c.decimals, ',')), c.text) << c.text;
    }
}

TEST(CampaignTexts, AShortDayIsExplainedByWhatTheLogsSay) {
    CampaignResult result;
    result.outages = {{0, 0, 3600, 7200, 3600, 3600}, {0, 0, 36000, 40000, 4000, 36000}};
    result.figures = {{0, 0, {0}, 0}};
    result.logEnds = {{0, DayNumber({2026, 12, 8}), 14 * 3600 + 3 * 60 + 59}};
    const struct {
        ShortDay day;
        const char* text;
    } cases[] = {
        {{0, 0, true, false, {}, true}, "log měsíce chybí"},
        {{0, 0, false, true, {}, false}, "panel ten den nepřehrál nic"},
        {{0, 0, false, false, {0, 1}, false}, "výpadky 1:00:00–2:00:00, 10:00:00–11:06:40"},
        {{0, 0, false, false, {}, false},
         "bez výpadku: panel hrál, ale spot méně, než bylo objednáno"},
        {{0, 0, false, false, {}, true}, "log končí 8. 12. v 14:03"},
        {{0, 0, false, false, {1}, true}, "výpadek 10:00:00–11:06:40; log končí 8. 12. v 14:03"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Cp1250ToUtf8(ShortDayReasonText(result, c.day)), c.text);
    }
}

}  // namespace

// A network's booking may overlap in millions of pairs: the page and the command line name the
// ones that shared the most plays, in booking order, and the CSV keeps them all.
TEST(CampaignOverlaps, AreNamedAllUpToTheLimitElseThoseThatSharedMost) {
    for (const size_t count : {size_t{0}, kOverlapsNamed, kOverlapsNamed + 37}) {
        CampaignResult result;
        for (size_t i = 0; i < count; ++i) {
            result.overlaps.push_back({i, i + 1, (i * 7919) % 50});  // many ties
        }
        const std::vector<size_t> named = NamedOverlaps(result);
        ASSERT_EQ(named.size(), std::min(count, kOverlapsNamed)) << count;
        EXPECT_TRUE(std::is_sorted(named.begin(), named.end())) << count;
        uint64_t leastNamed = UINT64_MAX;
        std::vector<bool> isNamed(count);
        for (const size_t o : named) {
            leastNamed = std::min(leastNamed, result.overlaps[o].sharedPlays);
            isNamed[o] = true;
        }
        for (size_t o = 0; o < count; ++o) {
            if (!isNamed[o]) {
                EXPECT_LE(result.overlaps[o].sharedPlays, leastNamed) << o;
            }
        }
    }
}
