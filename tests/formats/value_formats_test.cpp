#include "formats/value_formats.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace {

// Random short texts over an alphabet, the same on every run.
class TextSource {
public:
    TextSource(const char* alphabet, size_t maxLength)
        : m_alphabet(alphabet), m_maxLength(maxLength) {}
    std::string Next() {
        std::string text(m_engine() % (m_maxLength + 1), ' ');
        for (char& c : text) {
            c = m_alphabet[m_engine() % m_alphabet.size()];
        }
        return text;
    }

private:
    std::string m_alphabet;
    size_t m_maxLength;
    std::mt19937 m_engine{20260512};
};

std::string Thousands2(double value, int32_t capacity = 100) {
    char out[200];
    FormatThousands2(value, out, capacity);
    return out;
}

std::string Thousands0(double value, int32_t capacity = 100) {
    char out[200];
    FormatThousands0(value, out, capacity);
    return out;
}

void ExpectDate(const char* text, uint32_t day, uint32_t month, uint32_t year) {
    const ScannedDate date = TextToDate(text);
    EXPECT_EQ(date.day, day) << '"' << text << '"';
    EXPECT_EQ(date.month, month) << '"' << text << '"';
    EXPECT_EQ(date.year, year) << '"' << text << '"';
}

bool Accepted(const char* text) {
    return IsAcceptedDate(TextToDate(text));
}

}  // namespace

// --- integers -------------------------------------------------------------------------------

TEST(IntegerText, ReadsDigitsUpToTheFirstOtherCharacter) {
    EXPECT_EQ(TextToInt("12abc"), 12);
    EXPECT_EQ(TextToInt("abc"), 0);
    EXPECT_EQ(TextToInt(" -7"), -7);
    EXPECT_EQ(TextToInt("\t\r\n+42 3"), 42);
    EXPECT_EQ(TextToInt(""), 0);
    EXPECT_EQ(TextToInt("-"), 0);
    EXPECT_EQ(TextToInt("- 5"), 0);
    EXPECT_EQ(TextToInt("1.9"), 1);
}

TEST(IntegerText, ReadsTheWholeThirtyTwoBitRangeAndSaturatesBeyond) {
    EXPECT_EQ(TextToInt("2147483647"), INT32_MAX);
    EXPECT_EQ(TextToInt("-2147483648"), INT32_MIN);
    EXPECT_EQ(TextToInt("2147483648"), INT32_MAX);
    EXPECT_EQ(TextToInt("-2147483649"), INT32_MIN);
    EXPECT_EQ(TextToInt("99999999999999999999999999"), INT32_MAX);
    EXPECT_EQ(TextToInt("000000000000000000000017"), 17);
}

TEST(IntegerText, WritesPlainDecimalAndZeroAsEmptyOnlyWithTheFlag) {
    EXPECT_EQ(IntToText(-5), "-5");
    EXPECT_EQ(IntToText(INT32_MIN), "-2147483648");
    EXPECT_EQ(IntToTextOrEmpty(0, kBindZeroAsEmpty), "");
    EXPECT_EQ(IntToTextOrEmpty(0, 0), "0");
    EXPECT_EQ(IntToTextOrEmpty(3, kBindZeroAsEmpty), "3");
}

TEST(IntegerText, AgreesWithTheCLibraryScannerOnNumbersThatFit) {
    TextSource source(" \t+-0123456789a.x", 9);
    for (int i = 0; i < 20000; ++i) {
        const std::string text = source.Next();
        int expected = 0;
        if (std::sscanf(text.c_str(), "%d", &expected) != 1) {
            expected = 0;
        }
        ASSERT_EQ(TextToInt(text.c_str()), expected) << '"' << text << '"';
    }
}

// --- hexadecimal ----------------------------------------------------------------------------

TEST(HexText, ReadsEitherCaseWithOptionalPrefixAndSign) {
    EXPECT_EQ(TextToHex("ff"), 255u);
    EXPECT_EQ(TextToHex("FF"), 255u);
    EXPECT_EQ(TextToHex(""), 0u);
    EXPECT_EQ(TextToHex("zz"), 0u);
    EXPECT_EQ(TextToHex(" 0x1f"), 31u);
    EXPECT_EQ(TextToHex("0X"), 0u);
    EXPECT_EQ(TextToHex("1g"), 1u);
    EXPECT_EQ(TextToHex("-1"), 0xFFFFFFFFu);
    EXPECT_EQ(TextToHex("FFFFFFFF"), 0xFFFFFFFFu);
    EXPECT_EQ(TextToHex("123456789"), 0xFFFFFFFFu);
}

TEST(HexText, WritesUpperCaseWithoutPrefix) {
    EXPECT_EQ(HexToText(255), "FF");
    EXPECT_EQ(HexToText(0xFFFFFFFFu), "FFFFFFFF");
    EXPECT_EQ(HexToText(static_cast<uint32_t>(-2)), "FFFFFFFE");
    EXPECT_EQ(HexToTextOrEmpty(0, kBindZeroAsEmpty), "");
    EXPECT_EQ(HexToTextOrEmpty(0, 0), "0");
}

TEST(HexText, AgreesWithTheCLibraryScannerOnNumbersThatFit) {
    TextSource source(" +-0123456789abcdefABCDEFxXg", 8);
    for (int i = 0; i < 20000; ++i) {
        const std::string text = source.Next();
        unsigned expected = 0;
        if (std::sscanf(text.c_str(), "%X", &expected) != 1) {
            expected = 0;
        }
        ASSERT_EQ(TextToHex(text.c_str()), expected) << '"' << text << '"';
    }
}

// --- real numbers ---------------------------------------------------------------------------

TEST(RealText, WritesFifteenSignificantDigits) {
    EXPECT_EQ(RealToText(0.1), "0.1");
    EXPECT_EQ(RealToText(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(RealToText(-2.5), "-2.5");
    EXPECT_EQ(RealToText(1e20), "1e+20");
    EXPECT_EQ(RealToText(123456789012345678.0), "1.23456789012346e+17");
}

TEST(RealText, ReadsTheLongestLeadingDecimalNumberOnly) {
    EXPECT_EQ(TextToReal("2.5x"), 2.5);
    EXPECT_EQ(TextToReal("abc"), 0.0);
    EXPECT_EQ(TextToReal(" -1e3"), -1000.0);
    EXPECT_EQ(TextToReal("1e"), 1.0);
    EXPECT_EQ(TextToReal("1e+"), 1.0);
    EXPECT_EQ(TextToReal(".5"), 0.5);
    EXPECT_EQ(TextToReal("5."), 5.0);
    EXPECT_EQ(TextToReal("."), 0.0);
    EXPECT_EQ(TextToReal("0x10"), 0.0);
    EXPECT_EQ(TextToReal("inf"), 0.0);
    EXPECT_EQ(TextToReal("nan"), 0.0);
    EXPECT_EQ(TextToReal("1e999"), std::numeric_limits<double>::infinity());
}

TEST(RealText, OnlyTheEditReaderTakesACommaForThePoint) {
    EXPECT_EQ(TextToReal("3,75"), 3.0);
    EXPECT_EQ(EditTextToReal("3,75"), 3.75);
    EXPECT_EQ(EditTextToReal("2,5"), 2.5);
    EXPECT_EQ(EditTextToReal("2.5"), 2.5);
    EXPECT_EQ(ReplaceCommas("1,2,3"), "1.2.3");
}

TEST(RealText, AgreesWithTheCLibraryOnDecimalTexts) {
    TextSource source(" +-0123456789.eE", 12);
    for (int i = 0; i < 20000; ++i) {
        const std::string text = source.Next();
        const double expected = std::strtod(text.c_str(), nullptr);
        ASSERT_EQ(TextToReal(text.c_str()), expected) << '"' << text << '"';
    }
}

TEST(RealText, RoundTripsThroughFifteenDigitsWhereTheyAreEnough) {
    for (double value : {0.1, 2.5, -1234.5678, 1e-7, 6.02214076e23}) {
        EXPECT_EQ(TextToReal(RealToText(value).c_str()), value) << value;
    }
}

// --- the real edit's display rule -----------------------------------------------------------

TEST(RealDisplayRule, ZeroAsEmptyComesFirst) {
    EXPECT_EQ(RealToControlText(0.0, "%.3f", kBindZeroAsEmpty | kBindGrouped2), "");
    EXPECT_EQ(RealToControlText(0.0, nullptr, 0), "0");
    EXPECT_EQ(RealToControlText(0.5, nullptr, kBindZeroAsEmpty), "0.5");
}

TEST(RealDisplayRule, OwnFormatThenGroupedWithoutThenWithDecimalsThenFifteenDigits) {
    EXPECT_EQ(RealToControlText(1234.5, "%.3f", kBindGrouped0), "1234.500");
    EXPECT_EQ(RealToControlText(1234.5, nullptr, kBindGrouped0 | kBindGrouped2), "1 234");
    EXPECT_EQ(RealToControlText(1234.5, nullptr, kBindGrouped2), "1 234.50");
    EXPECT_EQ(RealToControlText(1.0 / 3.0, nullptr, 0), "0.333333333333333");
}

TEST(RealDisplayRule, OwnFormatIsCutToNinetyNineCharacters) {
    EXPECT_EQ(RealToControlText(1.0, "%0120.1f", 0).size(), 99u);
}

// --- grouped real numbers -------------------------------------------------------------------

TEST(GroupedReal, TwoDecimalsGroupOnlyTheIntegerDigits) {
    EXPECT_EQ(Thousands2(1000), "1 000.00");
    EXPECT_EQ(Thousands2(999.99), "999.99");
    EXPECT_EQ(Thousands2(1234567.891), "1 234 567.89");
    EXPECT_EQ(Thousands2(0), "0.00");
    EXPECT_EQ(Thousands2(100000), "100 000.00");
}

TEST(GroupedReal, NoSpaceEverFollowsTheMinusSign) {
    EXPECT_EQ(Thousands2(-1234567), "-1 234 567.00");
    EXPECT_EQ(Thousands2(-123.45), "-123.45");
    EXPECT_EQ(Thousands2(-1234.5), "-1 234.50");
    EXPECT_EQ(Thousands0(-100), "-100");
    EXPECT_EQ(Thousands0(-999999), "-999 999");
}

TEST(GroupedReal, NoDecimalsGroupsTheWholeText) {
    EXPECT_EQ(Thousands0(1234567), "1 234 567");
    EXPECT_EQ(Thousands0(999), "999");
    EXPECT_EQ(Thousands0(1000), "1 000");
    EXPECT_EQ(Thousands0(0.4), "0");
    EXPECT_EQ(Thousands0(1e30), "1 000 000 000 000 000 019 884 624 838 656");
}

TEST(GroupedReal, FollowsTheCLibraryRounding) {
    char plain[64];
    for (double value : {2.5, 3.5, 0.125, 1.005, 99.5, -0.5}) {
        std::snprintf(plain, sizeof plain, "%.0lf", value);
        EXPECT_EQ(Thousands0(value), plain) << value;
    }
    std::snprintf(plain, sizeof plain, "%.2lf", 0.125);
    EXPECT_EQ(Thousands2(0.125), plain);
}

TEST(GroupedReal, InfinityHasNoDigitsToGroup) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(Thousands0(inf), "inf");
    EXPECT_EQ(Thousands0(-inf), "-inf");
    EXPECT_EQ(Thousands2(inf), "inf");
}

TEST(GroupedReal, IsCutToTheCapacity) {
    EXPECT_EQ(Thousands2(1234567, 5), "1 23");
    EXPECT_EQ(Thousands2(1234567, 1), "");
    EXPECT_EQ(Thousands0(1e300).size(), 99u);
    char untouched[4] = "abc";
    FormatThousands2(1, untouched, 0);
    EXPECT_STREQ(untouched, "abc");
}

// --- dates ----------------------------------------------------------------------------------

TEST(DateText, ScansDayMonthYearAndStopsAtTheFirstMismatch) {
    ExpectDate("17.5.1997", 17, 5, 1997);
    ExpectDate("7.3", 7, 3, 0);
    ExpectDate("7 .3.2000", 7, 0, 0);
    ExpectDate(" 7. 3. 2000", 7, 3, 2000);
    ExpectDate("1.1.2000abc", 1, 1, 2000);
    ExpectDate("x.1.2000", 0, 0, 0);
    ExpectDate("", 0, 0, 0);
    ExpectDate("5..2000", 5, 0, 0);
}

TEST(DateText, AcceptsTheRangesAndTheEmptyDate) {
    EXPECT_TRUE(Accepted("1.1.1800"));
    EXPECT_TRUE(Accepted("31.12.2100"));
    EXPECT_TRUE(Accepted("31.2.2000"));
    EXPECT_TRUE(Accepted("0.0.0"));
    EXPECT_TRUE(Accepted(""));
    EXPECT_FALSE(Accepted("1.1.1799"));
    EXPECT_FALSE(Accepted("1.1.2101"));
    EXPECT_FALSE(Accepted("0.5.2000"));
    EXPECT_FALSE(Accepted("5.13.2000"));
    EXPECT_FALSE(Accepted("32.1.2000"));
    EXPECT_FALSE(Accepted("7.3"));
    EXPECT_FALSE(Accepted("-1.1.2000"));
    EXPECT_FALSE(Accepted("4294967297.1.2000"));
}

TEST(DateText, WritesWithoutLeadingZerosAndTheZeroDateAsEmpty) {
    EXPECT_EQ(DateToText(DateRecord{0, 0, 0}), "");
    EXPECT_EQ(DateToText(DateRecord{5, 6, 2015}), "5.6.2015");
    EXPECT_EQ(DateToText(DateRecord{0, 0, 2015}), "0.0.2015");
    const DateRecord stored = ToDateRecord(TextToDate("31.12.2100"));
    EXPECT_EQ(stored.day, 31);
    EXPECT_EQ(stored.month, 12);
    EXPECT_EQ(stored.year, 2100);
}

TEST(DateText, AgreesWithTheCLibraryScannerOnSmallNumbers) {
    TextSource source(" .+-0123456789x", 9);
    for (int i = 0; i < 20000; ++i) {
        const std::string text = source.Next();
        unsigned day = 0, month = 0, year = 0;
        std::sscanf(text.c_str(), "%u.%u.%u", &day, &month, &year);
        const ScannedDate date = TextToDate(text.c_str());
        ASSERT_EQ(date.day, day) << '"' << text << '"';
        ASSERT_EQ(date.month, month) << '"' << text << '"';
        ASSERT_EQ(date.year, year) << '"' << text << '"';
    }
}
