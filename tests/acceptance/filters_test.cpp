// The day filter, the time-of-day window and the stripping of directory paths.
#include <gtest/gtest.h>

#include <string>

#include "tests/acceptance/cli_process.h"

namespace acceptance {
namespace {

std::string OneSecondRow(const std::string& name) {
    return Row(name, "1.00", "1", "0 h  00 min  01 sec");
}

using DayFilter = CliTest;

TEST_F(DayFilter, KeepsOnlyTheDayWhateverTheMonthAndYear) {
    WriteMarch(Play("05.03.2015", "10:00:00", "a", "1") + Play("5.04.2016", "10:00:00", "b", "1") +
               Play("15.03.2015", "10:00:00", "c", "1") + Play("25.03.2015", "10:00:00", "d", "1") +
               "undated\t\tX\te\t1\r\n");
    const std::string all = OneSecondRow("a") + OneSecondRow("b") + OneSecondRow("c") +
                            OneSecondRow("d") + OneSecondRow("e");
    ExpectPrinted(ListMarch(), all);
    ExpectPrinted(ListMarch({"--day", "0"}), all);
    ExpectPrinted(ListMarch({"--day", "5"}), OneSecondRow("a") + OneSecondRow("b"));
    ExpectPrinted(ListMarch({"--day", "31"}), "");
}

TEST_F(DayFilter, DayOutsideTheMonthIsAUsageError) {
    WriteMarch(Play("05.03.2015", "10:00:00", "a", "1"));
    ExpectUsageError(ListMarch({"--day", "32"}));
    ExpectUsageError(ListMarch({"--day", "-1"}));
    ExpectUsageError(ListMarch({"--day", "x"}));
    ExpectUsageError(ListMarch({"--day"}));
}

using TimeWindow = CliTest;

TEST_F(TimeWindow, StartIsInclusiveEndIsExclusive) {
    WriteMarch(Play("15.03.2015", "08:29:59", "a", "1") + Play("15.03.2015", "08:30:00", "b", "1") +
               Play("15.03.2015", "16:59:59", "c", "1") + Play("15.03.2015", "17:00:00", "d", "1"));
    ExpectPrinted(ListMarch({"--from", "8:30", "--to", "17:00"}),
                  OneSecondRow("b") + OneSecondRow("c"));
}

TEST_F(TimeWindow, SecondsAreNotLookedAt) {
    WriteMarch(Play("15.03.2015", "10:19:59", "a", "1") + Play("15.03.2015", "10:20:00", "b", "1") +
               Play("15.03.2015", "10:20:59", "c", "1") + Play("15.03.2015", "10:21:00", "d", "1"));
    ExpectPrinted(ListMarch({"--from", "10:20", "--to", "10:21"}),
                  OneSecondRow("b") + OneSecondRow("c"));
}

TEST_F(TimeWindow, MinutesCountOnlyWhenTheHoursAreEqual) {
    WriteMarch(Play("15.03.2015", "07:55:00", "a", "1") + Play("15.03.2015", "08:45:00", "b", "1") +
               Play("15.03.2015", "08:55:00", "c", "1") + Play("15.03.2015", "09:05:00", "d", "1") +
               Play("15.03.2015", "09:15:00", "e", "1") + Play("15.03.2015", "10:05:00", "f", "1"));
    ExpectPrinted(ListMarch({"--from", "8:50", "--to", "9:10"}),
                  OneSecondRow("c") + OneSecondRow("d"));
}

TEST_F(TimeWindow, EitherBoundAloneTurnsTheWindowOnWithTheOtherAtItsDefault) {
    // Hours 24 and above come only from odd lines; the default window 0:00 to 24:00 drops them.
    WriteMarch(Play("15.03.2015", "00:00:00", "a", "1") + Play("15.03.2015", "23:59:59", "b", "1") +
               Play("15.03.2015", "24:00:00", "c", "1") + Play("15.03.2015", "25:10:00", "d", "1"));
    const std::string all =
        OneSecondRow("a") + OneSecondRow("b") + OneSecondRow("c") + OneSecondRow("d");
    ExpectPrinted(ListMarch(), all);
    ExpectPrinted(ListMarch({"--from", "0:00"}), OneSecondRow("a") + OneSecondRow("b"));
    ExpectPrinted(ListMarch({"--to", "24:00"}), OneSecondRow("a") + OneSecondRow("b"));
    ExpectPrinted(ListMarch({"--from", "24:00", "--to", "99:00"}),
                  OneSecondRow("c") + OneSecondRow("d"));
    ExpectPrinted(ListMarch({"--to", "99:99"}), all);
}

TEST_F(TimeWindow, DoesNotWrapPastMidnight) {
    WriteMarch(Play("15.03.2015", "23:00:00", "a", "1") + Play("15.03.2015", "03:00:00", "b", "1") +
               Play("15.03.2015", "12:00:00", "c", "1"));
    ExpectPrinted(ListMarch({"--from", "22:00", "--to", "6:00"}), "");
}

TEST_F(TimeWindow, NegativeAndOversizedMinutesCompareAsSignedPairs) {
    WriteMarch(Play("15.03.2015", "00:00:00", "a", "1") + Play("15.03.2015", "00:59:00", "b", "1") +
               Play("15.03.2015", "01:00:00", "c", "1") + Play("15.03.2015", "08:80:00", "d", "1"));
    ExpectPrinted(ListMarch({"--from", "0:-1", "--to", "0:90"}),
                  OneSecondRow("a") + OneSecondRow("b"));
    ExpectPrinted(ListMarch({"--from", "-1:00", "--to", "1:-1"}),
                  OneSecondRow("a") + OneSecondRow("b"));
    ExpectPrinted(ListMarch({"--from", "8:75", "--to", "8:81"}), OneSecondRow("d"));
}

TEST_F(TimeWindow, LeadingZerosAreDecimalNotOctal) {
    WriteMarch(Play("08.03.2015", "08:09:00", "a", "1") + Play("08.03.2015", "08:10:00", "b", "1"));
    ExpectPrinted(ListMarch({"--day", "08", "--from", "08:09", "--to", "08:10"}),
                  OneSecondRow("a"));
}

TEST_F(TimeWindow, MalformedTimesAreUsageErrors) {
    WriteMarch(Play("15.03.2015", "00:00:00", "a", "1"));
    ExpectUsageError(ListMarch({"--from", "8"}));
    ExpectUsageError(ListMarch({"--to", "a:b"}));
    ExpectUsageError(ListMarch({"--from", "1:2:3"}));
    ExpectUsageError(ListMarch({"--to"}));
}

using StripPaths = CliTest;

TEST_F(StripPaths, KeepsTheLastComponentAfterDriveAndEitherSlash) {
    WriteMarch(Play("15.03.2015", "10:00:00", "C:\\anim\\spot1.avi", "1") +
               Play("15.03.2015", "10:00:00", "d:/a/b.x", "1") +
               Play("15.03.2015", "10:00:00", "a/b\\c.d.e", "1") +
               Play("15.03.2015", "10:00:00", "C:drive.avi", "1") +
               Play("15.03.2015", "10:00:00", "\\\\server\\share\\unc.avi", "1") +
               Play("15.03.2015", "10:00:00", "dir\\.hidden", "1") +
               Play("15.03.2015", "10:00:00", "ab:c", "1") +
               Play("15.03.2015", "10:00:00", "plain.avi", "1"));
    ExpectPrinted(ListMarch({"--strip-paths"}),
                  OneSecondRow(".hidden") + OneSecondRow("ab:c") + OneSecondRow("b.x") +
                      OneSecondRow("c.d.e") + OneSecondRow("drive.avi") +
                      OneSecondRow("plain.avi") + OneSecondRow("spot1.avi") +
                      OneSecondRow("unc.avi"));
}

TEST_F(StripPaths, AnyCharacterBeforeAColonMakesADrive) {
    WriteMarch(Play("15.03.2015", "10:00:00", "1:abc", "1") +
               Play("15.03.2015", "10:00:00", ":colon", "1") +
               Play("15.03.2015", "10:00:00", "::x", "1") +
               Play("15.03.2015", "10:00:00", "C:a\\b", "1"));
    ExpectPrinted(ListMarch({"--strip-paths"}), OneSecondRow(":colon") + OneSecondRow("abc") +
                                                    OneSecondRow("b") + OneSecondRow("x"));
}

TEST_F(StripPaths, NamesAreKeptWholeWithoutTheOption) {
    WriteMarch(Play("15.03.2015", "10:00:00", "C:\\anim\\spot1.avi", "1") +
               Play("15.03.2015", "10:00:00", "d:/a/b.x", "1"));
    ExpectPrinted(ListMarch(), OneSecondRow("C:\\anim\\spot1.avi") + OneSecondRow("d:/a/b.x"));
}

TEST_F(StripPaths, TrailingSeparatorOrBareDriveLeavesAnEmptyNameThatIsKept) {
    WriteMarch(Play("15.03.2015", "10:00:00", "C:\\anim\\", "1") +
               Play("15.03.2015", "11:00:00", "x:", "1") +
               Play("15.03.2015", "11:30:00", "/", "1") +
               Play("15.03.2015", "12:00:00", "other", "2"));
    ExpectPrinted(ListMarch({"--strip-paths"}),
                  Row("", "1.00", "3", "0 h  00 min  03 sec") +
                      Row("other", "2.00", "1", "0 h  00 min  02 sec"));
}

TEST_F(StripPaths, SameFileNameInDifferentFoldersGroupsTogether) {
    WriteMarch(Play("15.03.2015", "10:00:00", "C:\\a\\x.avi", "3") +
               Play("15.03.2015", "09:00:00", "D:/b/x.avi", "2") +
               "15.03.2015\t08:00:00\tX\tE:\\c\\x.avi\r\n");
    ExpectPrinted(ListMarch({"--strip-paths"}),
                  Row("x.avi", "2.00", "2", "0 h  00 min  04 sec") +
                      Row("x.avi\r\n", "0.00", "1", "0 h  00 min  00 sec"));
}

using CombinedFilters = CliTest;

TEST_F(CombinedFilters, DayWindowAndStrippingApplyTogetherInAnyOptionOrder) {
    WriteMarch(Play("05.03.2015", "10:00:00", "C:\\a\\x.avi", "2") +
               Play("05.03.2015", "09:00:00", "D:/b/x.avi", "3") +
               Play("05.03.2015", "12:00:00", "C:\\a\\x.avi", "4") +
               Play("06.03.2015", "09:30:00", "C:\\a\\x.avi", "5") +
               Play("05.03.2015", "09:15:00", "y.avi", "6"));
    const std::string expected = Row("x.avi", "3.00", "2", "0 h  00 min  06 sec") +
                                 Row("y.avi", "6.00", "1", "0 h  00 min  06 sec");
    ExpectPrinted(ListMarch({"--day", "5", "--from", "9:00", "--to", "11:00", "--strip-paths"}),
                  expected);
    ExpectPrinted(ListMarch({"--strip-paths", "--to", "11:00", "--day", "5", "--from", "9:00"}),
                  expected);
}

}  // namespace
}  // namespace acceptance
