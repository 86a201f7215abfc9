// The campaign's CSV file byte for byte, and the texts it shares with the page.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/cp1250.h"
#include "campaign/calendar.h"
#include "reports/campaign_report.h"

namespace {

BookingLine Line(const std::string& client, const std::string& spot, int32_t firstDay,
                 int32_t lastDay, uint32_t plays) {
    return {
        2,    Utf8ToCp1250(client), "C", Utf8ToCp1250(spot), "", firstDay, lastDay, {8, 0}, {20, 0},
        plays};
}

TEST(CampaignCsv, RowsPerDayThenTheFindingsAndTheEvidence) {
    const int32_t day = DayNumber({2026, 10, 31});
    const std::vector<BookingLine> lines = {Line("=SUM(A1)", "a;b.avi", day, day + 1, 3)};
    const std::vector<CampaignPanel> panels = {{"p1", "p1"}};
    CampaignResult result;
    result.figures = {{0, 0, {4, 1}}};
    result.outages = {{0, day + 1, 8 * 3600, 9 * 3600 + 30, 3630}};
    result.missingLogs = {};
    result.logs = {{0,
                    "p1/log/AVI_2026-10.txt",
                    10,
                    Sha256Of("x"),
                    true,
                    {2026, 10, 1, 0, 0, 5},
                    {2026, 11, 1, 23, 59, 59}}};
    result.shortDays = {{0, day + 1, false, false, {0}}};
    const CampaignReport report{"k", lines, panels, result, {"k.csv", 3, Sha256Of("abc")}, 15};
    const std::string hash = HexDigest(Sha256Of("x"));
    EXPECT_EQ(Cp1250ToUtf8(CampaignCsv(report)),
              "Klient;Kampaň;Spot;Panel;Datum;Objednáno;Odvysíláno;Rozdíl\r\n"
              "'=SUM(A1);C;\"a;b.avi\";p1;2026-10-31;3;4;1\r\n"
              "'=SUM(A1);C;\"a;b.avi\";p1;2026-11-01;3;1;-2\r\n"
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
                  hash + ";01.10.2026 00:00:05;01.11.2026 23:59:59\r\n");
}

TEST(CampaignTexts, PercentIsRoundedHalfUpToATenth) {
    const struct {
        uint64_t booked, delivered;
        const char* text;
    } cases[] = {{3, 2, "66,7 %"}, {8, 1, "12,5 %"},  {2000, 1, "0,1 %"},
                 {3, 0, "0,0 %"},  {1, 3, "300,0 %"}, {0, 5, "–"}};
    for (const auto& c : cases) {
        EXPECT_EQ(Cp1250ToUtf8(PercentText({c.booked, c.delivered, 0}, ',')), c.text);
    }
}

TEST(CampaignTexts, AShortDayIsExplainedByWhatTheLogsSay) {
    CampaignResult result;
    result.outages = {{0, 0, 3600, 7200, 3600}, {0, 0, 36000, 40000, 4000}};
    const struct {
        ShortDay day;
        const char* text;
    } cases[] = {
        {{0, 0, true, false, {}}, "log měsíce chybí"},
        {{0, 0, false, true, {}}, "panel ten den nepřehrál nic"},
        {{0, 0, false, false, {0, 1}}, "výpadky 1:00:00–2:00:00, 10:00:00–11:06:40"},
        {{0, 0, false, false, {}}, "bez výpadku: panel hrál, ale spot méně, než bylo objednáno"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Cp1250ToUtf8(ShortDayReasonText(result, c.day)), c.text);
    }
}

}  // namespace
