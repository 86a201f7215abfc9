// The log line: five TAB-separated fields, and every odd shape a line can take.
#include <gtest/gtest.h>

#include <string>

#include "tests/acceptance/cli_process.h"

namespace acceptance {
namespace {

using namespace std::string_literals;

const std::string kNoTime = "0 h  00 min  00 sec";

using LogLineFields = CliTest;

TEST_F(LogLineFields, FiveFieldsGiveDateTimeNameAndLengthButNotTheThirdField) {
    WriteMarch("15.03.2015\t10:20:30\tX\tspot1.avi\t12.5\r\n");
    const std::string row = Row("spot1.avi", "12.50", "1", "0 h  00 min  12 sec");
    ExpectPrinted(ListMarch(), row);
    ExpectPrinted(ListMarch({"--day", "15", "--from", "10:20", "--to", "10:21"}), row);
    ExpectPrinted(ListMarch({"--day", "3"}), "");
    ExpectPrinted(ListMarch({"--from", "10:21"}), "");
}

TEST_F(LogLineFields, FourFieldsEndTheNameWithTheLineEndAndGiveLengthZero) {
    WriteMarch("15.03.2015\t10:20:30\tX\tspot\r\n");
    ExpectPrinted(ListMarch(), Row("spot\r\n", "0.00", "1", kNoTime));
}

TEST_F(LogLineFields, ThreeFieldsTakeTheThirdWithItsLineEndAsName) {
    WriteMarch("15.03.2015\t10:20:30\tfallback\r\n");
    ExpectPrinted(ListMarch(), Row("fallback\r\n", "0.00", "1", kNoTime));
}

TEST_F(LogLineFields, EmptyFourthFieldKeepsTheThirdAndStillReadsTheFifth) {
    WriteMarch("15.03.2015\t10:20:30\tfallback\t\t12.5\r\n");
    ExpectPrinted(ListMarch(), Row("fallback", "12.50", "1", "0 h  00 min  12 sec"));
}

TEST_F(LogLineFields, FieldsAfterTheFifthAreIgnored) {
    WriteMarch("15.03.2015\t10:20:30\tX\tspot\t12.5\t99\textra\r\n");
    ExpectPrinted(ListMarch(), Row("spot", "12.50", "1", "0 h  00 min  12 sec"));
}

TEST_F(LogLineFields, FourthFieldKeepsLeadingAndTrailingSpaces) {
    WriteMarch("15.03.2015\t10:20:30\tX\t  spot \t1\r\n");
    ExpectPrinted(ListMarch(), Row("  spot ", "1.00", "1", "0 h  00 min  01 sec"));
}

TEST_F(LogLineFields, ThirdFieldFallbackLosesLeadingSpacesToTheTabMatch) {
    WriteMarch("15.03.2015\t10:20:30\t  fallback\t\t2\r\n");
    ExpectPrinted(ListMarch(), Row("fallback", "2.00", "1", "0 h  00 min  02 sec"));
}

TEST_F(LogLineFields, LastLineWithoutLineEndIsRead) {
    WriteMarch("15.03.2015\t10:20:30\tX\ta\t1\r\n15.03.2015\t10:20:30\tX\tb\t2");
    ExpectPrinted(ListMarch(), Row("a", "1.00", "1", "0 h  00 min  01 sec") +
                                   Row("b", "2.00", "1", "0 h  00 min  02 sec"));
}

TEST_F(LogLineFields, LineFeedOnlyLinesKeepTheLineFeedInAFourFieldName) {
    WriteMarch("15.03.2015\t10:20:30\tX\tunix\n15.03.2015\t10:20:30\tX\tfive\t3\n");
    ExpectPrinted(ListMarch(), Row("five", "3.00", "1", "0 h  00 min  03 sec") +
                                   Row("unix\n", "0.00", "1", kNoTime));
}

using OddLines = CliTest;

TEST_F(OddLines, EmptyFileListsNothing) {
    WriteMarch("");
    ExpectPrinted(ListMarch(), "");
}

TEST_F(OddLines, LinesWithoutAnyNameAreSkipped) {
    WriteMarch("\r\n\n   \t \r\ngarbage\r\n15.03.2015\t10:20:30\r\n" +
               Play("15.03.2015", "10:20:30", "kept", "1"));
    ExpectPrinted(ListMarch(), Row("kept", "1.00", "1", "0 h  00 min  01 sec"));
}

TEST_F(OddLines, EmptyThirdAndFourthFieldsLetTheFirstScanTakeTheFifthAsName) {
    // The scan's TAB swallows the empty fields; the empty fourth field keeps what it read.
    WriteMarch("15.03.2015\t10:20:30\t\t\t5\r\n");
    ExpectPrinted(ListMarch(), Row("5\r\n", "5.00", "1", "0 h  00 min  05 sec"));
}

TEST_F(OddLines, CarriageReturnAloneDoesNotEndALine) {
    // The second play is part of the first line's fifth field.
    WriteMarch("15.03.2015\t10:00:00\tX\ta\t1\r15.03.2015\t10:00:00\tX\tb\t2\r\n");
    ExpectPrinted(ListMarch(), Row("a", "1.00", "1", "0 h  00 min  01 sec"));
}

TEST_F(OddLines, ThreeTabsAloneGiveTheLineEndAsName) {
    WriteMarch("\t\t\t\r\n");
    ExpectPrinted(ListMarch(), Row("\r\n", "0.00", "1", kNoTime));
}

TEST_F(OddLines, UnparsedDateWithAFourthFieldIsKeptAtMidnightOfDayZero) {
    WriteMarch("yesterday\tnoon\tX\tspot\t5\r\n");
    const std::string row = Row("spot", "5.00", "1", "0 h  00 min  05 sec");
    ExpectPrinted(ListMarch(), row);
    ExpectPrinted(ListMarch({"--day", "1"}), "");
    ExpectPrinted(ListMarch({"--from", "0:00", "--to", "0:01"}), row);
    ExpectPrinted(ListMarch({"--from", "-5:00", "--to", "0:01"}), row);
    ExpectPrinted(ListMarch({"--from", "0:01"}), "");
    ExpectPrinted(ListMarch({"--from", "-1:00", "--to", "0:00"}), "");
}

TEST_F(OddLines, UnparsedDateWithoutAFourthFieldIsSkipped) {
    WriteMarch("yesterday\tnoon\tX\r\nyesterday\tnoon\tX\t\t5\r\n");
    ExpectPrinted(ListMarch(), "");
}

using FirstScanWhiteSpace = CliTest;

TEST_F(FirstScanWhiteSpace, SpacesInsteadOfTabsStillGiveDateTimeAndThirdFieldName) {
    // Only two real TABs: no fourth field, so the length stays 0.
    WriteMarch("15.03.2015 10:20:30 fallback\tspot\t12.5\r\n");
    const std::string row = Row("fallback", "0.00", "1", kNoTime);
    ExpectPrinted(ListMarch({"--day", "15", "--from", "10:20", "--to", "10:21"}), row);
}

TEST_F(FirstScanWhiteSpace, DoubleTabShiftsTheRealFieldsButNotTheScan) {
    WriteMarch("15.03.2015\t\t10:20:30\tname\tspot\t12.5\r\n");
    ExpectPrinted(ListMarch({"--day", "15", "--from", "10:20", "--to", "10:21"}),
                  Row("name", "0.00", "1", kNoTime));
}

TEST_F(FirstScanWhiteSpace, NoWhiteSpaceBeforeTheThirdFieldMatchesToo) {
    // Real TABs make "7" and the line end the fourth field; nothing follows it.
    WriteMarch("15.03.2015\t10:20:30X\tspot\t7\r\n");
    ExpectPrinted(ListMarch({"--day", "15", "--from", "10:20", "--to", "10:21"}),
                  Row("7\r\n", "0.00", "1", kNoTime));
}

TEST_F(FirstScanWhiteSpace, SpacesBeforeNumbersAreSkipped) {
    WriteMarch(" 15. 3. 2015\t 10: 20: 30\tX\tspot\t 2\r\n");
    ExpectPrinted(ListMarch({"--day", "15", "--from", "10:20", "--to", "10:21"}),
                  Row("spot", "2.00", "1", "0 h  00 min  02 sec"));
}

using PartialScans = CliTest;

TEST_F(PartialScans, DateWithoutYearKeepsDayAndMonthAndZeroTime) {
    WriteMarch("15.03\t10:20:30\tX\tspot\t1\r\n");
    const std::string row = Row("spot", "1.00", "1", "0 h  00 min  01 sec");
    ExpectPrinted(ListMarch({"--day", "15", "--from", "0:00", "--to", "0:01"}), row);
    ExpectPrinted(ListMarch({"--from", "10:20"}), "");
}

TEST_F(PartialScans, TimeWithoutSecondsKeepsHourAndMinute) {
    WriteMarch("15.03.2015\t10:20\tX\tspot\t1\r\n");
    ExpectPrinted(ListMarch({"--from", "10:20", "--to", "10:21"}),
                  Row("spot", "1.00", "1", "0 h  00 min  01 sec"));
}

TEST_F(PartialScans, HourAloneGivesMinuteZero) {
    WriteMarch("15.03.2015\t10\tX\tspot\t1\r\n");
    ExpectPrinted(ListMarch({"--from", "10:00", "--to", "10:01"}),
                  Row("spot", "1.00", "1", "0 h  00 min  01 sec"));
}

using NumberWrapping = CliTest;

TEST_F(NumberWrapping, DayBeyond65535WrapsModulo65536) {
    WriteMarch(Play("65551.03.2015", "10:20:30", "spot", "1"));
    ExpectPrinted(ListMarch({"--day", "15"}), Row("spot", "1.00", "1", "0 h  00 min  01 sec"));
}

TEST_F(NumberWrapping, HourBeyond65535WrapsModulo65536) {
    WriteMarch(Play("15.03.2015", "65546:20:30", "spot", "1"));
    ExpectPrinted(ListMarch({"--from", "10:20", "--to", "10:21"}),
                  Row("spot", "1.00", "1", "0 h  00 min  01 sec"));
}

TEST_F(NumberWrapping, YearBeyond65535WrapsIntoAValidYear) {
    // 67551 wraps to 2015; unwrapped it would be a date error for a name played twice.
    WriteMarch(Play("15.03.67551", "10:00:00", "spot", "1") +
               Play("15.03.2015", "09:00:00", "spot", "2"));
    ExpectPrinted(ListMarch(), Row("spot", "2.00", "2", "0 h  00 min  04 sec"));
}

TEST_F(NumberWrapping, PlusSignIsAccepted) {
    WriteMarch(Play("+15.03.2015", "+10:20:30", "spot", "+1"));
    ExpectPrinted(ListMarch({"--day", "15", "--from", "10:20", "--to", "10:21"}),
                  Row("spot", "1.00", "1", "0 h  00 min  01 sec"));
}

TEST_F(NumberWrapping, MinusSignWrapsToTheTopOfTheRange) {
    // -1 reads as 65535: never a day of the month, never an hour below 24.
    WriteMarch(Play("-1.03.2015", "10:20:30", "day", "1") +
               Play("15.03.2015", "-1:20:30", "hour", "1"));
    const std::string day = Row("day", "1.00", "1", "0 h  00 min  01 sec");
    const std::string hour = Row("hour", "1.00", "1", "0 h  00 min  01 sec");
    ExpectPrinted(ListMarch(), day + hour);
    ExpectPrinted(ListMarch({"--day", "15"}), hour);
    ExpectPrinted(ListMarch({"--from", "0:00"}), day);
    ExpectPrinted(ListMarch({"--from", "65535:20", "--to", "65535:21"}), hour);
}

TEST_F(NumberWrapping, OverflowingNumbersReadAlikeOnEveryPlatform) {
    // Too large for a 64-bit unsigned long: its largest value, read as 65535. 2^32 + 15 fits
    // and wraps to 15.
    WriteMarch(Play("15.03.2015", "99999999999999999999:20:30", "huge", "1") +
               Play("15.03.2015", "4294967311:20:30", "long", "1") +
               Play("65536.03.2015", "10:20:30", "zero", "1"));
    ExpectPrinted(ListMarch({"--from", "65535:20", "--to", "65535:21"}),
                  Row("huge", "1.00", "1", "0 h  00 min  01 sec"));
    ExpectPrinted(ListMarch({"--from", "15:20", "--to", "15:21"}),
                  Row("long", "1.00", "1", "0 h  00 min  01 sec"));
    // 65536 as the day reads as 0: no day of the month.
    ExpectPrinted(ListMarch({"--from", "10:20", "--to", "10:21"}),
                  Row("zero", "1.00", "1", "0 h  00 min  01 sec"));
    ExpectPrinted(ListMarch({"--day", "15", "--from", "10:20", "--to", "10:21"}), "");
}

using SpotLengthText = CliTest;

TEST_F(SpotLengthText, TwoDecimalsRoundedAsTheCLibraryDoes) {
    WriteMarch(Play("15.03.2015", "10:00:00", "a", "0.125") +
               Play("15.03.2015", "10:00:00", "b", "0.375") +
               Play("15.03.2015", "10:00:00", "c", "2.675") +
               Play("15.03.2015", "10:00:00", "d", "1e1") +
               Play("15.03.2015", "10:00:00", "e", "12.5abc") +
               Play("15.03.2015", "10:00:00", "f", "abc"));
    ExpectPrinted(ListMarch(), Row("a", "0.12", "1", kNoTime) + Row("b", "0.38", "1", kNoTime) +
                                   Row("c", "2.67", "1", "0 h  00 min  02 sec") +
                                   Row("d", "10.00", "1", "0 h  00 min  10 sec") +
                                   Row("e", "12.50", "1", "0 h  00 min  12 sec") +
                                   Row("f", "0.00", "1", kNoTime));
}

TEST_F(SpotLengthText, OddSpellingsReadAsTheCLibraryReadsThem) {
    WriteMarch(
        Play("15.03.2015", "10:00:00", "a", "1.5e") +
        Play("15.03.2015", "10:00:00", "b", "1e-400") +
        Play("15.03.2015", "10:00:00", "c", "0x1p3") + Play("15.03.2015", "10:00:00", "d", ".5") +
        Play("15.03.2015", "10:00:00", "e", "5.") + Play("15.03.2015", "10:00:00", "f", "1,5") +
        Play("15.03.2015", "10:00:00", "g", "0x") + Play("15.03.2015", "10:00:00", "h", "-") +
        Play("15.03.2015", "10:00:00", "i", "1e+5x") +
        Play("15.03.2015", "10:00:00", "j", "00012.50"));
    ExpectPrinted(
        ListMarch(),
        Row("a", "1.50", "1", "0 h  00 min  01 sec") + Row("b", "0.00", "1", kNoTime) +
            Row("c", "8.00", "1", "0 h  00 min  08 sec") + Row("d", "0.50", "1", kNoTime) +
            Row("e", "5.00", "1", "0 h  00 min  05 sec") +
            Row("f", "1.00", "1", "0 h  00 min  01 sec") + Row("g", "0.00", "1", kNoTime) +
            Row("h", "0.00", "1", kNoTime) + Row("i", "100000.00", "1", "27 h  46 min  40 sec") +
            Row("j", "12.50", "1", "0 h  00 min  12 sec"));
}

TEST_F(SpotLengthText, InfinityIsShownAsInf) {
    WriteMarch(Play("15.03.2015", "10:00:00", "a", "1e400") +
               Play("15.03.2015", "10:00:00", "b", "infinity"));
    const CliResult result = ListMarch();
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    const std::string::size_type secondRow = result.out.find("\nb\t");
    ASSERT_NE(secondRow, std::string::npos) << result.out;
    EXPECT_EQ(result.out.substr(0, 8), "a\tinf\t1\t");
    EXPECT_EQ(result.out.substr(secondRow + 1, 8), "b\tinf\t1\t");
}

TEST_F(SpotLengthText, EmptyFifthFieldLetsTheNumberScanReachTheSixth) {
    // The number scan skips white space, and a TAB is white space to it.
    WriteMarch("15.03.2015\t10:00:00\tX\ta\t\t99\r\n15.03.2015\t10:00:00\tX\tb\t\r\n");
    ExpectPrinted(ListMarch(),
                  Row("a", "99.00", "1", "0 h  01 min  39 sec") + Row("b", "0.00", "1", kNoTime));
}

TEST_F(SpotLengthText, NegativeLengthGivesNegativeSecondsAsUnsigned) {
    // -12 seconds: hours and minutes 0, the seconds printed as an unsigned 32-bit number.
    WriteMarch(Play("15.03.2015", "10:00:00", "spot", "-12.5"));
    ExpectPrinted(ListMarch(), Row("spot", "-12.50", "1", "0 h  00 min  4294967284 sec"));
}

TEST_F(SpotLengthText, NotANumberGivesZeroTotalTime) {
    WriteMarch(Play("15.03.2015", "10:00:00", "a", "nan") +
               Play("15.03.2015", "10:00:00", "b", "nan(123)") +
               Play("15.03.2015", "10:00:00", "c", "-nan"));
    ExpectPrinted(ListMarch(), Row("a", "nan", "1", kNoTime) + Row("b", "nan", "1", kNoTime) +
                                   Row("c", "-nan", "1", kNoTime));
}

using LineLengthLimits = CliTest;

// A line of `total` bytes including CR LF whose fourth and last field is "spot".
std::string LineOfLength(std::size_t total) {
    const std::string head = "15.03.2015\t10:20:30\t";
    const std::string tail = "\tspot\r\n";
    return head + std::string(total - head.size() - tail.size(), 'X') + tail;
}

TEST_F(LineLengthLimits, LinesAreReadAsAtMost1998Characters) {
    // 1998 bytes fit; one byte more leaves the LF, two more the CR LF, for a line of its own.
    WriteMarch(LineOfLength(1998) + LineOfLength(1999) + LineOfLength(2000));
    ExpectPrinted(ListMarch(), Row("spot", "0.00", "1", kNoTime) +
                                   Row("spot\r", "0.00", "1", kNoTime) +
                                   Row("spot\r\n", "0.00", "1", kNoTime));
}

TEST_F(LineLengthLimits, TheRestOfALongLineIsParsedAsALineOfItsOwn) {
    const std::string head = "15.03.2015\t10:20:30\t";
    const std::string first = head + std::string(1998 - head.size() - 5, 'X') + "\tlong";
    ASSERT_EQ(first.size(), 1998u);
    WriteMarch(first + Play("01.03.2015", "08:00:00", "cont", "3"));
    ExpectPrinted(ListMarch(), Row("cont", "3.00", "1", "0 h  00 min  03 sec") +
                                   Row("long", "0.00", "1", kNoTime));
    ExpectPrinted(ListMarch({"--day", "1"}), Row("cont", "3.00", "1", "0 h  00 min  03 sec"));
}

TEST_F(LineLengthLimits, ALineLongerThanTwoReadsSplitsIntoThree) {
    const std::string head = "15.03.2015\t10:20:30\t";
    const std::string first = head + std::string(1998 - head.size() - 5, 'X') + "\tlong";
    const std::string second(1998, 'Y');  // no number, no name: skipped
    WriteMarch(first + second + Play("01.03.2015", "08:00:00", "cont", "3"));
    ExpectPrinted(ListMarch(), Row("cont", "3.00", "1", "0 h  00 min  03 sec") +
                                   Row("long", "0.00", "1", kNoTime));
}

TEST_F(LineLengthLimits, SplitInsideTheLengthKeepsTheDigitsReadBeforeIt) {
    // The first read ends after "12"; ".5" and the line end are a line of their own.
    const std::string head = "15.03.2015\t10:20:30\t";
    const std::string tail = "\tname\t12";
    const std::string first = head + std::string(1998 - head.size() - tail.size(), 'X') + tail;
    WriteMarch(first + ".5\r\n");
    ExpectPrinted(ListMarch(), Row("name", "12.00", "1", "0 h  00 min  12 sec"));
}

TEST_F(LineLengthLimits, LongLastLineWithoutLineEndSplitsToo) {
    const std::string head = "15.03.2015\t10:20:30\t";
    const std::string first = head + std::string(1998 - head.size() - 5, 'X') + "\tlong";
    WriteMarch(first + "01.03.2015\t08:00:00\tY\tcont\t3");
    ExpectPrinted(ListMarch(), Row("cont", "3.00", "1", "0 h  00 min  03 sec") +
                                   Row("long", "0.00", "1", kNoTime));
}

TEST_F(LineLengthLimits, LineEndCountsTowardsThe255CharactersOfAName) {
    WriteMarch(Play("15.03.2015", "10:00:00", "b", "1") + "15.03.2015\t10:00:00\tX\t" +
               std::string(253, 'a') + "\r\n" + "15.03.2015\t10:00:00\tX\t" +
               std::string(254, 'c') + "\r\n");
    ExpectPrinted(ListMarch(), Row(std::string(253, 'a') + "\r\n", "0.00", "1", kNoTime) +
                                   Row("b", "1.00", "1", "0 h  00 min  01 sec") +
                                   Row(std::string(254, 'c') + "\r", "0.00", "1", kNoTime));
}

TEST_F(LineLengthLimits, NamesAreCutTo255Characters) {
    const std::string a255(255, 'a');
    WriteMarch(Play("15.03.2015", "10:00:00", std::string(300, 'a'), "1") +
               Play("15.03.2015", "10:00:00", a255 + "b", "1") + "15.03.2015\t10:00:00\t" +
               std::string(300, 'f') + "\t\t2\r\n");
    ExpectPrinted(ListMarch(), Row(a255, "1.00", "2", "0 h  00 min  02 sec") +
                                   Row(std::string(255, 'f'), "2.00", "1", "0 h  00 min  02 sec"));
}

using NulBytes = CliTest;

TEST_F(NulBytes, NulEndsTheLineForParsingButNotForReading) {
    WriteMarch("15.03.2015\t10:20:30\tX\tsp\0ot\t12.5\r\n"s + "\0garbage\t\t\tname\t1\r\n"s +
               "15.03.2015\t10:20:30\tthird\0\tname\t1\r\n"s +
               Play("15.03.2015", "10:00:00", "z", "1"));
    ExpectPrinted(ListMarch(), Row("sp", "0.00", "1", kNoTime) +
                                   Row("third", "0.00", "1", kNoTime) +
                                   Row("z", "1.00", "1", "0 h  00 min  01 sec"));
}

}  // namespace
}  // namespace acceptance
