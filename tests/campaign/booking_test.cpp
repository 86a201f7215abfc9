// The booking file as operators write it, and every error it can hold.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "base/cp1250.h"
#include "campaign/booking.h"
#include "campaign/calendar.h"

namespace {

const std::string kHeader = "Klient;Kampaň;Spot;Od;Do;Čas od;Čas do;Přehrání za den\r\n";

// The file as UTF-8 test text, saved as Excel would: Windows-1250.
Booking Parse(const std::string& utf8) {
    return ParseBooking(Utf8ToCp1250(utf8));
}

std::vector<std::string> ErrorTexts(const Booking& booking) {
    std::vector<std::string> texts;
    for (const BookingError& error : booking.errors) {
        texts.push_back(Cp1250ToUtf8(BookingErrorText("k.csv", error)));
    }
    return texts;
}

TEST(Booking, ReadsALineInEveryAcceptedSpelling) {
    const Booking booking = Parse(
        "# objednávka na podzim\r\n"
        "Spot;Panel;Přehrání za den;Do;Od;Čas do;Čas od;Kampaň;klient;smlouva\r\n"
        ";;;;;;;;;\r\n"
        "\"spot;1.avi\";nadrazi;40;14. 11. 2026;2026-10-15;24:00;8:00:00;\"Řekl "
        "\"\"ano\"\"\";Pekárna;2026/7\r\n"
        "spot2.avi;*;0;1.1.2027;1.1.2027;;;K;L;\n");
    ASSERT_TRUE(booking.errors.empty()) << ErrorTexts(booking)[0];
    ASSERT_EQ(booking.lines.size(), 2u);
    const BookingLine& first = booking.lines[0];
    EXPECT_EQ(first.lineNumber, 4);
    EXPECT_EQ(first.spot, "spot;1.avi");
    EXPECT_EQ(Cp1250ToUtf8(first.campaign), "Řekl \"ano\"");
    EXPECT_EQ(first.panel, "nadrazi");
    EXPECT_EQ(first.firstDay, DayNumber({2026, 10, 15}));
    EXPECT_EQ(first.lastDay, DayNumber({2026, 11, 14}));
    EXPECT_EQ(first.from.hour * 100 + first.from.minute, 800);
    EXPECT_EQ(first.to.hour * 100 + first.to.minute, 2400);
    EXPECT_EQ(first.playsPerDay, 40u);
    EXPECT_EQ(first.contract, "2026/7");
    const BookingLine& second = booking.lines[1];
    EXPECT_EQ(second.panel, "");  // "*": every panel
    EXPECT_EQ(second.from.hour * 100 + second.from.minute, 0);
    EXPECT_EQ(second.to.hour * 100 + second.to.minute, 2400);
}

TEST(Booking, UnicodeFilesGiveTheSameBytesAsWindows1250) {
    const std::string utf8 = kHeader + "Pekárna Šťastná;Léto;spot.avi;1.7.2026;2.7.2026;;;5\r\n";
    for (const std::string& bytes : {"\xEF\xBB\xBF" + utf8, utf8, Utf8ToCp1250(utf8)}) {
        const Booking booking = ParseBooking(bytes);
        ASSERT_EQ(booking.lines.size(), 1u);
        EXPECT_EQ(Cp1250ToUtf8(booking.lines[0].client), "Pekárna Šťastná");
    }
}

TEST(Booking, EveryErrorIsNamedWithItsLineAndColumn) {
    const struct {
        std::string file;
        std::vector<std::string> errors;
    } cases[] = {
        {"", {"k.csv: soubor je prázdný: chybí záhlaví i řádky objednávky"}},
        {kHeader, {"k.csv: soubor má jen záhlaví, žádný řádek objednávky"}},
        {"Klient;Kampaň;Spot;Od;Do;Čas od;Čas do;Přehrání za den;Barva\r\n",
         {"k.csv:1: neznámý sloupec „Barva“ (sloupce jsou Klient, Kampaň, Spot, Od, Do, Čas od, "
          "Čas do, Přehrání za den, Panel, Smlouva a Kontakty)"}},
        {"Klient;Kampaň;Od;Do;Čas od;Čas do;Přehrání za den\r\n",
         {"k.csv:1: sloupec „Spot“: sloupec chybí v záhlaví"}},
        {kHeader + "A;B;s;31.2.2026;1.3.2026;;;1\r\n",
         {"k.csv:2: sloupec „Od“: datum „31.2.2026“ neexistuje"}},
        {kHeader + "A;B;s;2.3.2026;1.3.2026;;;1\r\n",
         {"k.csv:2: sloupec „Do“: konec 1.3.2026 je před začátkem 2.3.2026"}},
        {kHeader + "A;B;s;1.3.2026;1.3.2026;10:00;9:00;1\r\n",
         {"k.csv:2: sloupec „Čas do“: okno končí (9:00) dřív, než začne, nebo když začíná "
          "(10:00)"}},
        {kHeader + "A;B;s;1.3.2026;1.3.2026;24:00;;1\r\n",
         {"k.csv:2: sloupec „Čas od“: „24:00“ není čas h:mm od 0:00 do 23:59"}},
        {kHeader + "A;B;s;1.3.2026;1.3.2026;8:5;;12,5\r\n",
         {"k.csv:2: sloupec „Čas od“: „8:5“ není čas h:mm od 0:00 do 23:59",
          "k.csv:2: sloupec „Přehrání za den“: „12,5“ není celé číslo od 0 do 1000000"}},
        {kHeader + "A;B;s;1.3.2026\r\n;;;3/1/2026;1.3.2026;;;1\r\n",
         {"k.csv:2: 4 polí místo 8 podle záhlaví", "k.csv:3: sloupec „Klient“: chybí hodnota",
          "k.csv:3: sloupec „Kampaň“: chybí hodnota", "k.csv:3: sloupec „Spot“: chybí hodnota",
          "k.csv:3: sloupec „Od“: „3/1/2026“ není datum (d.m.rrrr nebo rrrr-mm-dd)"}},
        {kHeader + "\"A;B;s;1.3.2026;1.3.2026;;;1\r\n", {"k.csv:2: neukončené uvozovky"}},
        // Each client gets its own files: names that Windows takes as one are refused.
        {kHeader + "Kino;B;s;1.3.2026;1.3.2026;;;1\r\nKino;C;s;1.3.2026;1.3.2026;;;1\r\n"
                   "KINO;B;s;1.3.2026;1.3.2026;;;1\r\nA/B;B;s;1.3.2026;1.3.2026;;;1\r\n"
                   "A:B;B;s;1.3.2026;1.3.2026;;;1\r\nA?B.;B;s;1.3.2026;1.3.2026;;;1\r\n",
         {"k.csv:4: sloupec „Klient“: klient „KINO“ dá stejný název souboru jako „Kino“ z řádku 2",
          "k.csv:6: sloupec „Klient“: klient „A:B“ dá stejný název souboru jako „A/B“ z řádku 5"}},
        // Nor may a client's files be the overview's or another client's state table.
        {kHeader + "Kino;B;s;1.3.2026;1.3.2026;;;1\r\nkino_STAV;B;s;1.3.2026;1.3.2026;;;1\r\n"
                   "Stav;B;s;1.3.2026;1.3.2026;;;1\r\n_stav;B;s;1.3.2026;1.3.2026;;;1\r\n"
                   "Zoo_stav;B;s;1.3.2026;1.3.2026;;;1\r\n",
         {"k.csv:3: sloupec „Klient“: klient „kino_STAV“ dá stejný název souboru jako tabulka "
          "stavu klienta „Kino“ z řádku 2",
          "k.csv:4: sloupec „Klient“: klient „Stav“ dá stejný název souboru jako tabulka stavu "
          "celé objednávky"}},
    };
    for (const auto& c : cases) {
        const Booking booking = Parse(c.file);
        EXPECT_EQ(ErrorTexts(booking), c.errors) << c.file;
        EXPECT_TRUE(booking.lines.empty());
    }
}

// Rows of one spot, each booking `days` days from 1.1.2026.
std::string Rows(size_t count, int32_t days) {
    const std::string last = IsoDateText(DayNumber({2026, 1, 1}) + days - 1);
    std::string rows;
    for (size_t i = 0; i < count; ++i) {
        rows += "K" + std::to_string(i % 50) + ";B;s.avi;2026-01-01;" + last + ";;;1\r\n";
    }
    return rows;
}

TEST(Booking, TheBookedDaysOfAllLinesHaveOneLimitSaidOnce) {
    const int64_t longLines = kMaxBookedLineDays / kMaxBookedDays;
    const int32_t rest = static_cast<int32_t>(kMaxBookedLineDays % kMaxBookedDays);
    const std::string full = Rows(longLines, kMaxBookedDays);
    const struct {
        std::string rows;
        size_t lines;
        std::vector<std::string> errors;
    } cases[] = {
        {Rows(100000, 92), 100000, {}},
        {full + Rows(1, rest), longLines + 1, {}},
        {full + Rows(1, rest + 1) + Rows(10, 1),
         0,
         {"k.csv: objednávka má " + std::to_string(longLines + 11) + " řádků, nejvýš " +
          std::to_string(longLines)}},
        // The other errors stay, each with its line, also past the limit.
        {full + Rows(2, kMaxBookedDays) + "A;B;s;1.3.2026;1.3.2026;;;x\r\n",
         0,
         {"k.csv:" + std::to_string(longLines + 4) +
              ": sloupec „Přehrání za den“: „x“ není celé číslo od 0 do 1000000",
          "k.csv: objednávka má " + std::to_string(longLines + 3) + " řádků, nejvýš " +
              std::to_string(longLines)}},
    };
    for (const auto& c : cases) {
        const Booking booking = Parse(kHeader + c.rows);
        EXPECT_EQ(ErrorTexts(booking), c.errors);
        EXPECT_EQ(booking.lines.size(), c.lines);
    }
}

TEST(Booking, ContractedContactsAreAnOptionalWholeNumber) {
    const std::string header =
        "Klient;Kampaň;Spot;Od;Do;Čas od;Čas do;Přehrání za den;Kontakty\r\n";
    const std::string row = "A;B;s;1.3.2026;1.3.2026;;;1;";
    const struct {
        std::string contacts;
        std::optional<uint64_t> value;
        std::string error;
    } cases[] = {
        {"", std::nullopt, ""},
        {"0", 0, ""},
        {"1500000", 1500000, ""},
        {"1 500 000", 1500000, ""},
        {"1\xC2\xA0"
         "500",
         1500, ""},  // Excel's no-break space between thousands
        {"999999999999", 999999999999, ""},
        {"1000000000000", std::nullopt, "1000000000000"},
        {"1,5", std::nullopt, "1,5"},
        {"-5", std::nullopt, "-5"},
        {"1  500", std::nullopt, "1  500"},
        {"x", std::nullopt, "x"},
    };
    for (const auto& c : cases) {
        const Booking booking = Parse(header + row + c.contacts + "\r\n");
        if (c.error.empty()) {
            ASSERT_EQ(booking.lines.size(), 1u) << c.contacts;
            EXPECT_EQ(booking.lines[0].contacts, c.value) << c.contacts;
        } else {
            EXPECT_EQ(ErrorTexts(booking),
                      std::vector<std::string>{"k.csv:2: sloupec „Kontakty“: „" + c.error +
                                               "“ není celé číslo od 0 do "
                                               "999999999999"});
        }
    }
    EXPECT_EQ(Parse(kHeader + "A;B;s;1.3.2026;1.3.2026;;;1\r\n").lines[0].contacts, std::nullopt);
}

TEST(Booking, AUnicodeFileWithACharacterOutsideTheCodePageIsRefused) {
    const Booking booking =
        ParseBooking(kHeader + "A;B;spot\xE2\x9C\x93;1.3.2026;1.3.2026;;;1\r\n");
    EXPECT_EQ(ErrorTexts(booking),
              std::vector<std::string>{"k.csv:2: znak U+2713 nelze zapsat ve Windows-1250"});
}

}  // namespace
