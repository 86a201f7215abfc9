// The scanners: one table of hard fields with the values every build must give, and, where the
// C library is the GNU one whose rules they follow, generated and mutated fields against its
// sscanf.
#include <gtest/gtest.h>

#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>

#include "logdata/log_parser.h"
#include "logdata/scanners.h"
#include "tests/logdata/random.h"

namespace {

uint64_t Bits(double value) {
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

std::string Hex(uint64_t bits) {
    char text[24];
    std::snprintf(text, sizeof text, "%016" PRIx64, bits);
    return text;
}

// A scan's outcome: "-" when nothing was stored, else the value; and how far it read.
struct Outcome {
    std::string value;
    size_t read = 0;
    bool operator==(const Outcome&) const = default;
};

void PrintTo(const Outcome& outcome, std::ostream* out) {
    *out << outcome.value << " after " << outcome.read;
}

Outcome ScanAs(char kind, const char* text) {
    const char* p = text;
    Outcome outcome{"-", 0};
    bool stored = false;
    if (kind == 'h') {
        uint16_t value = 0;
        stored = ScanUnsignedShort(p, value);
        outcome.value = std::to_string(value);
    } else if (kind == 'u') {
        uint32_t value = 0;
        stored = ScanUnsigned(p, value);
        outcome.value = std::to_string(value);
    } else if (kind == 'f') {
        double value = 0;
        stored = ScanDouble(p, value);
        outcome.value = Hex(Bits(value));
    } else {
        char name[8] = "";
        stored = ScanNotTab(p, name, 5);
        outcome.value = name;
    }
    if (!stored) {
        outcome.value = "-";
    }
    outcome.read = stored ? static_cast<size_t>(p - text) : 0;
    return outcome;
}

std::string DoubleBits(double value) {
    return Hex(Bits(value));
}

struct HardField {
    char kind;  // h "%hu", u "%u", f "%lf", s "%5[^\t]"
    const char* text;
    std::string value;  // "-": nothing stored
    size_t read;
};

const double kInf = std::numeric_limits<double>::infinity();
const double kNan = std::numeric_limits<double>::quiet_NaN();

const HardField kHardFields[] = {
    {'h', "2015", "2015", 4},
    {'h', " \t\n\v\f\r7x", "7", 7},
    {'h', "65535", "65535", 5},
    {'h', "65536", "0", 5},
    {'h', "65551", "15", 5},
    {'h', "4294967311", "15", 10},
    {'h', "4294967296", "0", 10},
    {'h', "18446744073709551615", "65535", 20},
    {'h', "18446744073709551616", "65535", 20},
    {'h', "99999999999999999999999", "65535", 23},
    {'h', "-1", "65535", 2},
    {'h', "-65536", "0", 6},
    {'h', "-99999999999999999999", "65535", 21},
    {'h', "+15", "15", 3},
    {'h', "-0", "0", 2},
    {'h', "0x10", "0", 1},
    {'h', "", "-", 0},
    {'h', "   ", "-", 0},
    {'h', "+", "-", 0},
    {'h', "- 1", "-", 0},
    {'h', "x", "-", 0},
    {'h',
     "\xA0"
     "1",
     "-", 0},
    {'u', "4294967295", "4294967295", 10},
    {'u', "4294967296", "0", 10},
    {'u', "4294967311", "15", 10},
    {'u', "18446744073709551616", "4294967295", 20},
    {'u', "-3", "4294967293", 2},
    {'u', "0003", "3", 4},
    {'f', "12.5", DoubleBits(12.5), 4},
    {'f', "  -0", DoubleBits(-0.0), 4},
    {'f', "1e3", DoubleBits(1000), 3},
    {'f', "1E+3x", DoubleBits(1000), 4},
    {'f', "1e", DoubleBits(1), 2},
    {'f', "1e+", DoubleBits(1), 3},
    {'f', "12.", DoubleBits(12), 3},
    {'f', ".5", DoubleBits(0.5), 2},
    {'f', ".", "-", 0},
    {'f', "-.e5", "-", 0},
    {'f', "+", "-", 0},
    {'f', "-", "-", 0},
    {'f', "e5", "-", 0},
    {'f', "0.1", DoubleBits(0.1), 3},
    {'f', "0.30000000000000004", DoubleBits(0.30000000000000004), 19},
    // Halfway between 1 and the next double, and just above it.
    {'f', "1.00000000000000011102230246251565404236316680908203125", DoubleBits(1), 55},
    {'f', "1.00000000000000011102230246251565404236316680908203126", DoubleBits(1.0000000000000002),
     55},
    {'f', "9007199254740993", DoubleBits(9007199254740992.0), 16},
    {'f', "1.7976931348623157e308", DoubleBits(1.7976931348623157e308), 22},
    {'f', "1.7976931348623158e308", DoubleBits(1.7976931348623157e308), 22},
    {'f', "1.7976931348623159e308", DoubleBits(kInf), 22},
    {'f', "1e400", DoubleBits(kInf), 5},
    {'f', "-1e99999999999999999999", DoubleBits(-kInf), 23},
    {'f', "4.9e-324", DoubleBits(0x1p-1074), 8},
    {'f', "2.4703282292062328e-324", DoubleBits(0x1p-1074), 23},
    {'f', "2.4703282292062327e-324", DoubleBits(0.0), 23},
    {'f', "-1e-400", DoubleBits(-0.0), 7},
    {'f', "0.000000000000000000000000000000000000000000001e-300", DoubleBits(0.0), 52},
    {'f', "0e999999", DoubleBits(0.0), 8},
    {'f', "inf", DoubleBits(kInf), 3},
    {'f', "-INF", DoubleBits(-kInf), 4},
    {'f', "infinity", DoubleBits(kInf), 8},
    {'f', "InFiNiTyX", DoubleBits(kInf), 8},
    {'f', "infx", DoubleBits(kInf), 3},
    {'f', "infin", "-", 0},
    {'f', "in", "-", 0},
    {'f', "nan", DoubleBits(kNan), 3},
    {'f', "-NaN", DoubleBits(-kNan), 4},
    {'f', "nan(123)", DoubleBits(kNan), 3},
    {'f', "na", "-", 0},
    {'f', "0x1p3", DoubleBits(8), 5},
    {'f', "0X1.8P+1", DoubleBits(3), 8},
    {'f', "0x.8", DoubleBits(0.5), 4},
    {'f', "0xa.bp0", DoubleBits(10.6875), 7},
    {'f', "0x1p", DoubleBits(1), 4},
    {'f', "0x", "-", 0},
    {'f', "-0x", "-", 0},
    {'f', "0xg", "-", 0},
    {'f', "0x.", DoubleBits(0), 3},
    {'f', "0x1.fffffffffffff8p0", DoubleBits(2), 20},
    {'f', "0x1.fffffffffffff7ffp0", DoubleBits(0x1.fffffffffffffp0), 22},
    {'f', "0x1p-1074", DoubleBits(0x1p-1074), 9},
    {'f', "0x1p-1075", DoubleBits(0.0), 9},
    {'f', "0x1.8p-1075", DoubleBits(0x1p-1074), 11},
    {'f', "0x1p1024", DoubleBits(kInf), 8},
    {'f', "0x0.0000000000000000000001p1100", DoubleBits(0x1p1012), 31},
    {'s', "abc\tdef", "abc", 3},
    {'s', "abcdefgh", "abcde", 5},
    {'s', " \r\n", " \r\n", 3},
    {'s', "\tabc", "-", 0},
    {'s', "", "-", 0},
    {'s', "\xC8\x85\xA0", "\xC8\x85\xA0", 3},
};

TEST(Scanners, HardFieldsGiveTheSameValuesInEveryBuild) {
    for (const HardField& field : kHardFields) {
        SCOPED_TRACE(std::string(1, field.kind) + " [" + field.text + "]");
        EXPECT_EQ(ScanAs(field.kind, field.text), (Outcome{field.value, field.read}));
    }
}

struct HardLine {
    const char* line;
    uint16_t day, month, year, hour, minute, second;
    const char* name;
    double length;
};

const HardLine kHardLines[] = {
    {"15.03.2015\t10:20:30\tX\tspot\t12.5\r\n", 15, 3, 2015, 10, 20, 30, "spot", 12.5},
    {"15.03.4294967311\t99999999999999999999:20:30\tX\tn\t1", 15, 3, 15, 65535, 20, 30, "n", 1},
    {"15.03.2015 10:20:30 fallback\tspot\t12.5", 15, 3, 2015, 10, 20, 30, "fallback", 0},
    {"15.03.2015\t10:20:30\t\t\t5\r\n", 15, 3, 2015, 10, 20, 30, "5\r\n", 5},
    {"15.03\t10:20:30\tX\tspot\t-0x1p-2", 15, 3, 0, 0, 0, 0, "spot", -0.25},
    {"15.03.2015\t10:20:30\tfallback\t\t\t7", 15, 3, 2015, 10, 20, 30, "fallback", 7},
    {"\t\t\t\r\n", 0, 0, 0, 0, 0, 0, "\r\n", 0},
};

TEST(Scanners, HardLinesGiveTheSameRecordInEveryBuild) {
    for (const HardLine& expected : kHardLines) {
        SCOPED_TRACE(expected.line);
        const PlaybackRecord r = ScanLogLine(expected.line);
        EXPECT_EQ(r.time.wDay, expected.day);
        EXPECT_EQ(r.time.wMonth, expected.month);
        EXPECT_EQ(r.time.wYear, expected.year);
        EXPECT_EQ(r.time.wHour, expected.hour);
        EXPECT_EQ(r.time.wMinute, expected.minute);
        EXPECT_EQ(r.time.wSecond, expected.second);
        EXPECT_STREQ(r.name, expected.name);
        EXPECT_EQ(Bits(r.length), Bits(expected.length));
    }
}

TEST(Scanners, PlainDecimalsGiveWhatTheFullScanGives) {
    for (const char* text : {"0", "12.5", "12.", "999999999999999", "0.00000000000001",
                             "123456789.012345", "5e-324"}) {
        SCOPED_TRACE(text);
        double plain = -1;
        const bool isPlain = ReadPlainDecimal(text, text + std::strlen(text), plain);
        EXPECT_EQ(isPlain, std::strchr(text, 'e') == nullptr);
        if (isPlain) {
            EXPECT_EQ(ScanAs('f', text).value, Hex(Bits(plain)));
        }
    }
}

#ifdef __GLIBC__

Outcome ScanWithCLibrary(char kind, const char* text) {
    int read = 0;
    int stored = 0;
    Outcome outcome{"-", 0};
    if (kind == 'h') {
        unsigned short value = 0;
        stored = std::sscanf(text, "%hu%n", &value, &read);
        outcome.value = std::to_string(value);
    } else if (kind == 'u') {
        unsigned value = 0;
        stored = std::sscanf(text, "%u%n", &value, &read);
        outcome.value = std::to_string(value);
    } else if (kind == 'f') {
        double value = 0;
        stored = std::sscanf(text, "%lf%n", &value, &read);
        outcome.value = Hex(Bits(value));
    } else {
        char name[8] = "";
        stored = std::sscanf(text, "%5[^\t]%n", name, &read);
        outcome.value = name;
    }
    if (stored != 1) {
        return {"-", 0};
    }
    outcome.read = static_cast<size_t>(read);
    return outcome;
}

// Fields built from the pieces numbers are made of, many of them near a rule's edge.
std::string RandomField(Random& random) {
    static const char* const kPieces[] = {"0",     "1",          "5",
                                          "9",     "00000",      "65535",
                                          "65536", "4294967296", "18446744073709551616",
                                          ".",     "e",          "E",
                                          "p",     "P",          "x",
                                          "X",     "+",          "-",
                                          " ",     "\t",         "\r\n",
                                          "a",     "f",          "F",
                                          "g",     "inf",        "INF",
                                          "ity",   "in",         "nan",
                                          "NaN",   "(",          ")",
                                          "0x",    "1e308",      "1e-320",
                                          "e-",    "e+",         "99999",
                                          "3",     "\xA0",       "\x85",
                                          "7",     "i",          "n"};
    std::string field;
    const size_t pieces = 1 + random.Below(6);
    for (size_t i = 0; i < pieces; ++i) {
        field += kPieces[random.Below(std::size(kPieces))];
    }
    return field;
}

// A decimal text near a rounding boundary: the exact midpoint between two neighbouring
// doubles, nudged in its last digits.
std::string NearHalfway(Random& random) {
    double value;
    const uint64_t bits = random.Next() >> 1;
    std::memcpy(&value, &bits, sizeof value);
    if (!std::isfinite(value)) {
        value = 1.5;
    }
    const double next = std::nextafter(value, kInf);
    const long double mid = (static_cast<long double>(value) + next) / 2;
    char text[1200];
    std::snprintf(text, sizeof text, "%.*Le", static_cast<int>(random.Below(800)), mid);
    std::string field = text;
    const size_t e = field.find('e');
    if (e != std::string::npos && e > 2 && random.Below(2) == 0) {
        char& last = field[e - 1];
        last = last == '9' ? '8' : static_cast<char>(last + 1);
    }
    return field;
}

// Hexadecimal numbers with more digits than a double holds, so that they round.
std::string LongHex(Random& random) {
    static const char kDigits[] = "0123456789abcdef";
    std::string field = random.Below(2) ? "0x" : "-0X";
    const size_t digits = 1 + random.Below(30);
    for (size_t i = 0; i < digits; ++i) {
        field += kDigits[random.Below(16)];
        if (i == 0 && random.Below(2)) {
            field += '.';
        }
    }
    field += "p" + std::to_string(static_cast<int>(random.Below(2200)) - 1150);
    return field;
}

TEST(Scanners, FollowTheGnuCLibraryOnGeneratedFields) {
    Random random(1);
    for (int i = 0; i < 200000; ++i) {
        std::string field = RandomField(random);
        if (i % 3 == 1) {
            field = NearHalfway(random);
        } else if (i % 3 == 2) {
            field = LongHex(random);
        }
        for (char kind : {'h', 'u', 'f', 's'}) {
            const Outcome ours = ScanAs(kind, field.c_str());
            const Outcome theirs = ScanWithCLibrary(kind, field.c_str());
            ASSERT_EQ(ours, theirs) << kind << " [" << field << "]";
        }
    }
}

TEST(Scanners, HardFieldsAreWhatTheGnuCLibraryGives) {
    for (const HardField& field : kHardFields) {
        SCOPED_TRACE(std::string(1, field.kind) + " [" + field.text + "]");
        EXPECT_EQ(ScanWithCLibrary(field.kind, field.text), (Outcome{field.value, field.read}));
    }
}

// Whole lines, damaged, through the exact reading of the loader and through sscanf.
TEST(Scanners, ReadLinesAsTheGnuCLibraryDoes) {
    Random random(2);
    const std::string good = "15.03.2015\t10:20:30\tthird\tfourth\t12.5\r\n";
    for (int i = 0; i < 100000; ++i) {
        std::string line = good;
        for (size_t damage = 1 + random.Below(4); damage > 0; --damage) {
            const size_t at = random.Below(line.size() + 1);
            line.insert(at, RandomField(random).substr(0, 1 + random.Below(8)));
            if (random.Below(2) && at < line.size()) {
                line.erase(at + random.Below(line.size() - at), 1 + random.Below(4));
            }
        }
        PlaybackRecord theirs{};
        SystemTime& t = theirs.time;
        std::sscanf(line.c_str(), "%hu.%hu.%hu\t%hu:%hu:%hu\t%255[^\t]s", &t.wDay, &t.wMonth,
                    &t.wYear, &t.wHour, &t.wMinute, &t.wSecond, theirs.name);
        size_t fourth = 0;
        for (int tabs = 0; tabs < 3 && fourth < line.size(); ++tabs) {
            const size_t tab = line.find('\t', fourth);
            fourth = tab == std::string::npos ? line.size() : tab + 1;
        }
        std::sscanf(line.c_str() + fourth, "%255[^\t]s", theirs.name);
        const size_t tab = line.find('\t', fourth);
        std::sscanf(line.c_str() + (tab == std::string::npos ? line.size() : tab + 1), "%lf",
                    &theirs.length);
        const PlaybackRecord ours = ScanLogLine(line.c_str());
        ASSERT_EQ(std::memcmp(&ours.time, &theirs.time, sizeof ours.time), 0) << line;
        ASSERT_STREQ(ours.name, theirs.name) << line;
        ASSERT_EQ(Bits(ours.length), Bits(theirs.length)) << line;
    }
}

#endif

}  // namespace
