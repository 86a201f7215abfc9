// The audience file: its days and hours, the contacts of each minute, and every error it can hold.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/cp1250.h"
#include "campaign/audience.h"
#include "campaign/calendar.h"

namespace {

const std::string kHeader = "Panel;Dny;Čas od;Čas do;Kontaktů za hodinu\r\n";

AudienceFile Parse(const std::string& utf8) {
    return ParseAudience(Utf8ToCp1250(utf8));
}

std::vector<std::string> ErrorTexts(const AudienceFile& file) {
    std::vector<std::string> texts;
    for (const BookingError& error : file.errors) {
        texts.push_back(Cp1250ToUtf8(BookingErrorText("a.csv", error)));
    }
    return texts;
}

TEST(Audience, WeekdaysAreListsOfDaysAndRanges) {
    constexpr uint8_t kWorkdays = 0x1F;
    const struct {
        const char* text;
        uint8_t days;
    } cases[] = {
        {"po", 0x01},
        {"ne", 0x40},
        {"po-pá", kWorkdays},
        {"Po - Pá", kWorkdays},
        {"PO–PÁ", kWorkdays},  // the en dash Excel makes of "-"
        {"so,ne", 0x60},
        {"po, st ,pa", 0x15},
        {"ut-ct", 0x0E},
        {"pá-po", 0x71},  // past Sunday into Monday
        {"st-st", 0x04},
        {"po-st,čt-ne", 0x7F},
        {"", 0},
        {"po,", 0},
        {"pondělí", 0},
        {"po-", 0},
        {"po-út-st", 0},
        {"po;út", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseWeekdays(Utf8ToCp1250(c.text)), c.days) << c.text;
    }
}

TEST(Audience, EachMinuteHasTheContactsOfTheRowThatCoversIt) {
    const AudienceFile file = Parse(kHeader +
                                    "namesti;po-pá;8:00;8:30;1200\r\n"
                                    "namesti;po-pá;8:30;;2400,5\r\n"
                                    "NAMESTI;so;;;600\r\n"
                                    "nadrazi;po-ne;;;100\r\n");
    ASSERT_TRUE(file.errors.empty()) << ErrorTexts(file)[0];
    const PanelAudience audience = AudienceOf(file, "Namesti");
    ASSERT_FALSE(audience.Empty());
    const struct {
        int32_t weekday, minute;
        bool covered;
        double perHour;
    } cases[] = {
        {0, 8 * 60 - 1, false, 0},
        {0, 8 * 60, true, 1200},
        {4, 8 * 60 + 29, true, 1200},
        {4, 8 * 60 + 30, true, 2400.5},
        {2, 24 * 60 - 1, true, 2400.5},
        {5, 0, true, 600},
        {5, 24 * 60 - 1, true, 600},
        {6, 12 * 60, false, 0},
        {7, 0, false, 0},
        {0, 24 * 60, false, 0},
        {-1, 0, false, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(audience.Covers(c.weekday, c.minute), c.covered) << c.weekday << " " << c.minute;
        EXPECT_EQ(audience.PerHour(c.weekday, c.minute), c.perHour) << c.weekday << " " << c.minute;
    }
    EXPECT_TRUE(AudienceOf(file, "jinde").Empty());
    EXPECT_FALSE(AudienceOf(file, "jinde").Covers(0, 0));
}

TEST(Audience, EveryErrorIsNamedWithItsLineAndColumn) {
    const struct {
        std::string file;
        std::vector<std::string> errors;
    } cases[] = {
        {"", {"a.csv: soubor je prázdný: chybí záhlaví i řádky publika"}},
        {kHeader, {"a.csv: soubor má jen záhlaví, žádný řádek publika"}},
        {"Panel;Dny;Čas od;Čas do\r\n",
         {"a.csv:1: sloupec „Kontaktů za hodinu“: sloupec chybí v záhlaví"}},
        {kHeader + ";;8:00;;\r\n",
         {"a.csv:2: sloupec „Panel“: chybí hodnota", "a.csv:2: sloupec „Dny“: chybí hodnota",
          "a.csv:2: sloupec „Kontaktů za hodinu“: chybí hodnota"}},
        {kHeader + "a;po-xx;;;1\r\n",
         {"a.csv:2: sloupec „Dny“: „po-xx“ není seznam dnů (po, út, st, čt, pá, so, ne nebo "
          "rozsah jako po-pá)"}},
        {kHeader + "a;po;24:00;8:00;1\r\nb;po;10:00;9:00;1\r\nc;po;8:00;24:01;1\r\n",
         {"a.csv:2: sloupec „Čas od“: „24:00“ není čas h:mm od 0:00 do 23:59",
          "a.csv:3: sloupec „Čas do“: okno končí (9:00) dřív, než začne, nebo když začíná (10:00)",
          "a.csv:4: sloupec „Čas do“: „24:01“ není čas h:mm od 0:00 do 24:00"}},
        {kHeader + "a;po;;;-1\r\nb;po;;;1 000\r\nc;po;;;10000000,5\r\nd;po;;;10000000\r\n",
         {"a.csv:2: sloupec „Kontaktů za hodinu“: „-1“ není počet od 0 do 10000000",
          "a.csv:3: sloupec „Kontaktů za hodinu“: „1 000“ není počet od 0 do 10000000",
          "a.csv:4: sloupec „Kontaktů za hodinu“: „10000000,5“ není počet od 0 do 10000000"}},
        // Rows that meet at a minute are fine; rows that share one are not, on any shared day.
        {kHeader + "a;po-pá;;8:00;1\r\na;po-pá;8:00;;2\r\nA;pá-po;7:59;8:01;3\r\nb;po;;;1\r\n",
         {"a.csv:4: překrývá se s řádkem 2: panel „A“, po od 7:59",
          "a.csv:4: překrývá se s řádkem 3: panel „A“, po od 8:00"}},
        {kHeader + "a;so;;;1\r\na;ne;;;1\r\na;so,ne;23:59;;1\r\nx;;;;\r\n",
         {"a.csv:4: překrývá se s řádkem 2: panel „a“, so od 23:59",
          "a.csv:4: překrývá se s řádkem 3: panel „a“, ne od 23:59",
          "a.csv:5: sloupec „Dny“: chybí hodnota",
          "a.csv:5: sloupec „Kontaktů za hodinu“: chybí hodnota"}},
    };
    for (const auto& c : cases) {
        const AudienceFile file = Parse(c.file);
        EXPECT_EQ(ErrorTexts(file), c.errors) << c.file;
        EXPECT_TRUE(file.rows.empty());
    }
}

TEST(Calendar, WeekdaysAround1970AndOnKnownDates) {
    const struct {
        CivilDate date;
        int32_t weekday;
    } cases[] = {
        {{1970, 1, 1}, 3},  {{1969, 12, 31}, 2}, {{1969, 12, 29}, 0}, {{1969, 12, 28}, 6},
        {{1970, 1, 5}, 0},  {{1970, 1, 4}, 6},   {{1900, 1, 1}, 0},   {{1600, 3, 1}, 2},
        {{2026, 3, 29}, 6}, {{2026, 10, 25}, 6}, {{2000, 2, 29}, 1},  {{2999, 12, 31}, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WeekdayOf(DayNumber(c.date)), c.weekday)
            << c.date.year << "-" << c.date.month << "-" << c.date.day;
    }
}

}  // namespace
