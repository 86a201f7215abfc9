// The campaign's CSV file byte for byte, and the texts it shares with the page.
#include <gtest/gtest.h>

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
        "Dnů pod objednávkou;Zbývá dnů\r\n"
        "'=SUM(A1);C;S-1;\"a;b.avi\";2026-10-31;2026-11-03;p1;6;5;1;66,7 %;1;2\r\n";
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
