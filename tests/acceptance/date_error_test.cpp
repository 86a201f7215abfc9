// The date error: a load fails exactly when a name with at least two kept plays has a play dated
// 1900 or later that the calendar cannot place.
#include <gtest/gtest.h>

#include <string>

#include "tests/acceptance/cli_process.h"

namespace acceptance {
namespace {

const std::string kGoodPlay = Play("15.03.2015", "10:00:00", "spot", "1");

class DateError : public CliTest {
protected:
    // `spot` played once well and once at `date` `time`, plus another name.
    CliResult ListWithSecondPlay(const std::string& date, const std::string& time) {
        WriteMarch(kGoodPlay + Play(date, time, "spot", "1") +
                   Play("16.03.2015", "10:00:00", "other", "1"));
        return ListMarch();
    }
};

TEST_F(DateError, MonthOutside1To12FailsTheLoad) {
    ExpectFailedLoad(ListWithSecondPlay("15.13.2015", "10:00:00"));
}

TEST_F(DateError, MonthZeroFailsTheLoad) {
    ExpectFailedLoad(ListWithSecondPlay("15.00.2015", "10:00:00"));
}

TEST_F(DateError, DayZeroFailsTheLoad) {
    ExpectFailedLoad(ListWithSecondPlay("00.03.2015", "10:00:00"));
}

TEST_F(DateError, Day32FailsTheLoad) {
    ExpectFailedLoad(ListWithSecondPlay("32.03.2015", "10:00:00"));
}

TEST_F(DateError, Hour24FailsTheLoad) {
    ExpectFailedLoad(ListWithSecondPlay("15.03.2015", "24:00:00"));
}

TEST_F(DateError, Minute60FailsTheLoad) {
    ExpectFailedLoad(ListWithSecondPlay("15.03.2015", "10:60:00"));
}

TEST_F(DateError, Second60FailsTheLoad) {
    ExpectFailedLoad(ListWithSecondPlay("15.03.2015", "10:00:60"));
}

TEST_F(DateError, Year1900FailsTheLoadAsItLiesBefore1970) {
    ExpectFailedLoad(ListWithSecondPlay("01.01.1900", "00:00:00"));
}

TEST_F(DateError, Year1969FailsTheLoad) {
    ExpectFailedLoad(ListWithSecondPlay("15.06.1969", "12:00:00"));
}

TEST_F(DateError, Year3001FailsTheLoad) {
    ExpectFailedLoad(ListWithSecondPlay("02.01.3001", "12:00:00"));
}

TEST_F(DateError, MonthWrappedFrom65549To13FailsTheLoad) {
    ExpectFailedLoad(ListWithSecondPlay("15.65549.2015", "10:00:00"));
}

TEST_F(DateError, LastDaysOfTheYear3000Load) {
    ExpectPrinted(ListWithSecondPlay("30.12.3000", "12:00:00"),
                  Row("other", "1.00", "1", "0 h  00 min  01 sec") +
                      Row("spot", "1.00", "2", "0 h  00 min  02 sec"));
}

class DateErrorLimits : public DateError {
protected:
    void SetUp() override {
        if (!LocalTimeIsUtc()) {
            GTEST_SKIP() << "the calendar's limits are checked in UTC only";
        }
    }
    void ExpectLoads(const std::string& date, const std::string& time) {
        ExpectPrinted(ListWithSecondPlay(date, time),
                      Row("other", "1.00", "1", "0 h  00 min  01 sec") +
                          Row("spot", "1.00", "2", "0 h  00 min  02 sec"));
    }
};

TEST_F(DateErrorLimits, FirstSecondOf1970Loads) {
    ExpectLoads("01.01.1970", "00:00:00");
}

TEST_F(DateErrorLimits, LastSecondOf1969Fails) {
    ExpectFailedLoad(ListWithSecondPlay("31.12.1969", "23:59:59"));
}

TEST_F(DateErrorLimits, LastSecondOf3000Loads) {
    ExpectLoads("31.12.3000", "23:59:59");
}

TEST_F(DateErrorLimits, FirstSecondOf3001Fails) {
    ExpectFailedLoad(ListWithSecondPlay("01.01.3001", "00:00:00"));
}

TEST_F(DateError, BadDateBefore1900NeverFails) {
    ExpectPrinted(ListWithSecondPlay("40.13.1899", "30:70:70"),
                  Row("other", "1.00", "1", "0 h  00 min  01 sec") +
                      Row("spot", "1.00", "2", "0 h  00 min  02 sec"));
}

TEST_F(DateError, NameWithOneBadlyDatedPlayLoads) {
    WriteMarch(Play("15.13.2015", "10:00:00", "once", "3") + kGoodPlay + kGoodPlay);
    ExpectPrinted(ListMarch(), Row("once", "3.00", "1", "0 h  00 min  03 sec") +
                                   Row("spot", "1.00", "2", "0 h  00 min  02 sec"));
}

TEST_F(DateError, BadPlayLeftOutByTheDayFilterDoesNotFail) {
    WriteMarch(kGoodPlay + Play("16.13.2015", "10:00:00", "spot", "1"));
    ExpectFailedLoad(ListMarch());
    ExpectPrinted(ListMarch({"--day", "15"}), Row("spot", "1.00", "1", "0 h  00 min  01 sec"));
}

TEST_F(DateError, BadPlayLeftOutByTheTimeWindowDoesNotFail) {
    WriteMarch(kGoodPlay + Play("15.03.2015", "25:00:00", "spot", "1"));
    ExpectFailedLoad(ListMarch());
    ExpectPrinted(ListMarch({"--to", "24:00"}), Row("spot", "1.00", "1", "0 h  00 min  01 sec"));
}

TEST_F(DateError, StrippedPathsThatMeetInOneNameFailTogether) {
    WriteMarch(Play("15.03.2015", "10:00:00", "C:\\a\\x.avi", "1") +
               Play("15.13.2015", "10:00:00", "D:\\b\\x.avi", "1"));
    ExpectPrinted(ListMarch(), Row("C:\\a\\x.avi", "1.00", "1", "0 h  00 min  01 sec") +
                                   Row("D:\\b\\x.avi", "1.00", "1", "0 h  00 min  01 sec"));
    ExpectFailedLoad(ListMarch({"--strip-paths"}));
}

TEST_F(DateError, NamesDifferingByTheLineEndDoNotMeet) {
    WriteMarch(kGoodPlay + "15.13.2015\t10:00:00\tX\tspot\r\n");
    ExpectPrinted(ListMarch(), Row("spot", "1.00", "1", "0 h  00 min  01 sec") +
                                   Row("spot\r\n", "0.00", "1", "0 h  00 min  00 sec"));
}

TEST_F(DateError, MessageNamesTheOffendingPlayOnOneLineInUtf8) {
    // Windows-1250 "Čas" with the line end of a four-field line in its name.
    WriteMarch(
        "15.03.2015\t10:00:00\tX\t\xC8"
        "as\r\n15.13.2015\t10:00:00\tX\t\xC8"
        "as\r\n");
    const CliResult result = ListMarch();
    ExpectFailedLoad(result);
    EXPECT_NE(result.err.find("\xC4\x8C"
                              "as"),
              std::string::npos)
        << result.err;
    EXPECT_NE(result.err.find("15.13.2015"), std::string::npos) << result.err;
}

TEST_F(DateError, TwoBadPlaysOfOneNameFail) {
    WriteMarch(Play("15.13.2015", "10:00:00", "spot", "1") +
               Play("15.13.2015", "10:00:00", "spot", "1"));
    ExpectFailedLoad(ListMarch());
}

}  // namespace
}  // namespace acceptance
