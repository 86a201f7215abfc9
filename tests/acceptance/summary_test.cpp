// Order of the rows and of the plays within a name, grouping, the total time text, UTF-8 output.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/acceptance/cli_process.h"

namespace acceptance {
namespace {

std::string OneSecondRow(const std::string& name) {
    return Row(name, "1.00", "1", "0 h  00 min  01 sec");
}

using NameOrder = CliTest;

TEST_F(NameOrder, BytesDecideCapitalsFirstAndPrefixesBeforeTheirExtensions) {
    WriteMarch(Play("15.03.2015", "10:00:00", "b", "1") + Play("15.03.2015", "10:00:00", "B", "1") +
               Play("15.03.2015", "10:00:00", "a", "1") +
               Play("15.03.2015", "10:00:00", "ab", "1"));
    ExpectPrinted(ListMarch(),
                  OneSecondRow("B") + OneSecondRow("a") + OneSecondRow("ab") + OneSecondRow("b"));
}

TEST_F(NameOrder, Windows1250LettersSortAsUnsignedBytesAfterAscii) {
    // Windows-1250: 0xC8 is "Č", 0x9A is "š".
    WriteMarch(Play("15.03.2015", "10:00:00",
                    "\xC8"
                    "as",
                    "1") +
               Play("15.03.2015", "10:00:00", "zebra", "1") +
               Play("15.03.2015", "10:00:00",
                    "\x9A"
                    "um",
                    "1") +
               Play("15.03.2015", "10:00:00", "Zed", "1"));
    ExpectPrinted(ListMarch(), OneSecondRow("Zed") + OneSecondRow("zebra") +
                                   OneSecondRow("\xC5\xA1"
                                                "um") +
                                   OneSecondRow("\xC4\x8C"
                                                "as"));
}

TEST_F(NameOrder, LineEndCharactersMakeSeparateNamesSortedByTheirBytes) {
    WriteMarch(Play("15.03.2015", "10:00:00", "spot1", "1") + "15.03.2015\t10:00:00\tX\tspot\r\n" +
               Play("15.03.2015", "10:00:00", "spot", "1"));
    ExpectPrinted(ListMarch(), OneSecondRow("spot") +
                                   Row("spot\r\n", "0.00", "1", "0 h  00 min  00 sec") +
                                   OneSecondRow("spot1"));
}

TEST_F(NameOrder, BytesWithoutACharacterPrintAsReplacementCharacter) {
    WriteMarch(Play("15.03.2015", "10:00:00",
                    "a\x81"
                    "b",
                    "1") +
               Play("15.03.2015", "10:00:00", "nb\xA0sp", "1"));
    ExpectPrinted(ListMarch(), OneSecondRow("a\xEF\xBF\xBD"
                                            "b") +
                                   OneSecondRow("nb\xC2\xA0sp"));
}

TEST_F(NameOrder, EveryDefinedByteOf0x80To0x9FConverts) {
    WriteMarch(Play("15.03.2015", "10:00:00",
                    "\x80"
                    "\x8A"
                    "\x9E",
                    "1") +
               Play("15.03.2015", "10:00:00",
                    "\x83"
                    "\x88"
                    "\x90"
                    "\x98",
                    "1"));
    const std::string replacement = "\xEF\xBF\xBD";
    ExpectPrinted(ListMarch(),
                  OneSecondRow("\xE2\x82\xAC"
                               "\xC5\xA0"
                               "\xC5\xBE") +
                      OneSecondRow(replacement + replacement + replacement + replacement));
}

// The group's first record after sorting gives the spot length: the earliest play decides it.
using PlayOrder = CliTest;

TEST_F(PlayOrder, EarlierTimeOfDayFirst) {
    WriteMarch(Play("15.03.2015", "10:00:00", "spot", "20") +
               Play("15.03.2015", "09:00:00", "spot", "10") +
               Play("15.03.2015", "11:00:00", "spot", "30"));
    ExpectPrinted(ListMarch(), Row("spot", "10.00", "3", "0 h  00 min  30 sec"));
}

TEST_F(PlayOrder, EarlierDateFirstAcrossMonthsAndYears) {
    WriteMarch(Play("01.01.2016", "00:00:00", "spot", "16") +
               Play("31.12.2015", "23:59:59", "spot", "15") +
               Play("01.02.2015", "12:00:00", "later", "2") +
               Play("28.01.2015", "12:00:00", "later", "1"));
    ExpectPrinted(ListMarch(), Row("later", "1.00", "2", "0 h  00 min  02 sec") +
                                   Row("spot", "15.00", "2", "0 h  00 min  30 sec"));
}

TEST_F(PlayOrder, UndatedPlaysComeFirst) {
    WriteMarch(Play("15.03.2015", "10:00:00", "spot", "5") + "no date\t\tX\tspot\t7\r\n");
    ExpectPrinted(ListMarch(), Row("spot", "7.00", "2", "0 h  00 min  14 sec"));
}

TEST_F(PlayOrder, YearBefore1900ComesFirstWhateverItsOtherFields) {
    WriteMarch(Play("15.03.2015", "10:00:00", "spot", "5") +
               Play("40.13.1899", "30:70:70", "spot", "9"));
    ExpectPrinted(ListMarch(), Row("spot", "9.00", "2", "0 h  00 min  18 sec"));
}

TEST_F(PlayOrder, PlaysMoreThan68YearsApartKeepTheirOrder) {
    WriteMarch(Play("01.01.2050", "00:00:00", "spot", "50") +
               Play("01.01.1971", "00:00:00", "spot", "71"));
    ExpectPrinted(ListMarch(), Row("spot", "71.00", "2", "0 h  02 min  22 sec"));
}

TEST_F(PlayOrder, DayBeyondTheMonthEndCountsIntoTheNextMonth) {
    // 31 February 2015 is 3 March 2015.
    WriteMarch(Play("31.02.2015", "10:00:00", "spot", "31") +
               Play("04.03.2015", "10:00:00", "spot", "4") +
               Play("02.03.2015", "10:00:00", "spot", "2"));
    ExpectPrinted(ListMarch(), Row("spot", "2.00", "3", "0 h  00 min  06 sec"));
    ExpectPrinted(ListMarch({"--day", "31"}), Row("spot", "31.00", "1", "0 h  00 min  31 sec"));
}

using Grouping = CliTest;

TEST_F(Grouping, ThreePlaysOf12Point5SecondsMake37Seconds) {
    WriteMarch(Play("15.03.2015", "10:00:00", "spot", "12.5") +
               Play("15.03.2015", "11:00:00", "spot", "12.5") +
               Play("16.03.2015", "10:00:00", "spot", "12.5"));
    ExpectPrinted(ListMarch(), Row("spot", "12.50", "3", "0 h  00 min  37 sec"));
}

TEST_F(Grouping, TotalTimeUsesOnlyTheFirstPlaysLength) {
    WriteMarch(Play("15.03.2015", "10:00:00", "spot", "10") +
               Play("15.03.2015", "11:00:00", "spot", "1000"));
    ExpectPrinted(ListMarch(), Row("spot", "10.00", "2", "0 h  00 min  20 sec"));
}

std::string RepeatedPlays(int count, const std::string& name, const std::string& length) {
    std::string log;
    for (int i = 0; i < count; ++i) {
        log += Play(std::to_string(1 + i % 28) + ".03.2015", "10:00:00", name, length);
    }
    return log;
}

TEST_F(Grouping, HoursMinutesAndSecondsSplitTheTruncatedTotal) {
    WriteMarch(RepeatedPlays(1000, "a", "30.0") + RepeatedPlays(3600, "b", "1.0") +
               RepeatedPlays(2, "c", "180000.5") + RepeatedPlays(1, "d", "1e12") +
               RepeatedPlays(5001, "e", "1"));
    ExpectPrinted(ListMarch(),
                  Row("a", "30.00", "1000", "8 h  20 min  00 sec") +
                      Row("b", "1.00", "3600", "1 h  00 min  00 sec") +
                      Row("c", "180000.50", "2", "100 h  00 min  01 sec") +
                      Row("d", "1000000000000.00", "1", "277777777 h  46 min  40 sec") +
                      Row("e", "1.00", "5001", "1 h  23 min  21 sec"));
}

TEST_F(Grouping, OneRowPerDistinctName) {
    std::string log;
    std::string expected;
    for (int i = 0; i < 101; ++i) {
        char name[8];
        std::snprintf(name, sizeof(name), "n%03d", 100 - i);
        log += Play("15.03.2015", "10:00:00", name, "1");
    }
    for (int i = 0; i < 101; ++i) {
        char name[8];
        std::snprintf(name, sizeof(name), "n%03d", i);
        expected += OneSecondRow(name);
    }
    WriteMarch(log);
    ExpectPrinted(ListMarch(), expected);
}

}  // namespace
}  // namespace acceptance
