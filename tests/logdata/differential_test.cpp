// The fast loader against the straightforward reading on generated and mutated logs: the same
// records, the same order, the same totals and cell texts, the same date error.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tests/logdata/step_by_step.h"
#include "tests/logdata/random.h"
#include "logdata/month_load.h"
#include "logdata/load_messages.h"
#include "logdata/totals.h"
#include "tests/logdata/reference_log.h"
#include "tests/logdata/test_support.h"

namespace {

const char* const kNames[] = {"C:\\anim\\spot1.avi",
                              "C:\\anim\\spot2.avi",
                              "d:/a/b.x",
                              "spot1.avi",
                              "\xC8okol\341da.avi",  // octal: a hex escape would swallow "da"
                              "ab",
                              "a",
                              "B",
                              "b",
                              "C:",
                              "C:name.avi",
                              "dir\\",
                              "x.y.z",
                              "\\\\server\\share\\f.avi",
                              "name with spaces.avi",
                              "\xFF\x80\xA0"};
const char* const kLengths[] = {"12.5",
                                "30",
                                "0",
                                "10.25",
                                "1e3",
                                "inf",
                                "nan",
                                "-5",
                                "+7.5",
                                "0x1p3",
                                "12.",
                                ".5",
                                "00012.50",
                                "123456789012345",
                                "1234567890123456",
                                "0.1000000000000001",
                                "1.7976931348623157e308",
                                "4.9e-324",
                                "  8",
                                "7x",
                                "9.5e",
                                "",
                                "1e400",
                                "-0",
                                "NaN(123)",
                                "INFINITY"};

std::string Number(Random& random, int usual, int spread) {
    if (random.OneIn(12)) {
        static const char* const kOdd[] = {"65536", "65537", "99999",      "123456789012",
                                           "-1",    "+3",    "0007",       "",
                                           "x",     " 5",    "4294967296", "18446744073709551617"};
        return kOdd[random.Below(12)];
    }
    const int value = usual + static_cast<int>(random.Below(static_cast<size_t>(spread)));
    char text[16];
    std::snprintf(text, sizeof text, random.OneIn(2) ? "%02d" : "%d", value);
    return text;
}

std::string WellFormedLine(Random& random, int names) {
    std::string line = Number(random, 1, 31) + "." + Number(random, 11, 1) + "." +
                       Number(random, 2026, 1) + "\t" + Number(random, 0, 24) + ":" +
                       Number(random, 0, 60) + ":" + Number(random, 0, 60) + "\t";
    line += random.OneIn(4) ? "P1" : "X";
    line += "\t";
    const size_t pick = random.Below(static_cast<size_t>(names));
    line += pick < std::size(kNames) ? kNames[pick] : "spot" + std::to_string(pick) + ".avi";
    line += "\t";
    line += random.OneIn(3)
                ? kLengths[random.Below(std::size(kLengths))]
                : std::to_string(random.Below(600)) + "." + std::to_string(random.Below(100));
    if (random.OneIn(10)) {
        line += "\textra\tfields";
    }
    line += random.OneIn(8) ? "\n" : "\r\n";
    return line;
}

// Small damage of the kind real logs collect: bytes changed, dropped or doubled, odd white
// space, fields run together, very long fields and lines.
void Mutate(std::string& line, Random& random) {
    static const char kBytes[] = {'\t', '\r', '\n', ' ',  '\0', '.', ':',    '-',    '+',   '0',
                                  '9',  'e',  'x',  '\v', '\f', 's', '\xC8', '\xA0', '\x85'};
    const int damage = 1 + static_cast<int>(random.Below(3));
    for (int i = 0; i < damage && !line.empty(); ++i) {
        const size_t at = random.Below(line.size());
        switch (random.Below(7)) {
            case 0:
                line[at] = kBytes[random.Below(sizeof kBytes)];
                break;
            case 1:
                line.erase(at, 1 + random.Below(3));
                break;
            case 2:
                line.insert(at, 1, kBytes[random.Below(sizeof kBytes)]);
                break;
            case 3:
                line.insert(at, std::string(250 + random.Below(20), 'n'));
                break;
            case 4:
                line.insert(at, std::string(1990 + random.Below(12) - line.size() % 7, 'L'));
                break;
            case 5:
                line.insert(at, "\t\t");
                break;
            default:
                line = line.substr(0, at);
                break;
        }
    }
}

// Whether some line of bytes (split as the loader splits them) has a date with no moment.
bool HasBadDate(const std::string& bytes) {
    size_t at = 0;
    while (at < bytes.size()) {
        const size_t lineFeed = bytes.find('\n', at);
        const size_t end = std::min(
            {lineFeed == std::string::npos ? bytes.size() : lineFeed + 1, at + 1998, bytes.size()});
        const std::string line = bytes.substr(at, end - at);
        SystemTime t{};
        std::sscanf(line.c_str(), "%hu.%hu.%hu\t%hu:%hu:%hu", &t.wDay, &t.wMonth, &t.wYear,
                    &t.wHour, &t.wMinute, &t.wSecond);
        if (!ReferenceHasMoment(t)) {
            return true;
        }
        at = end;
    }
    return false;
}

enum class BadDates { kAllowed, kAvoided };

std::string MakeLog(uint64_t seed, int lines, int names, int mutateOneIn,
                    BadDates badDates = BadDates::kAllowed) {
    Random random(seed);
    std::string log;
    size_t lastLineStart = 0;  // just past the last line feed: a line always starts there
    for (int i = 0; i < lines; ++i) {
        std::string line = WellFormedLine(random, names);
        if (random.OneIn(static_cast<size_t>(mutateOneIn))) {
            Mutate(line, random);
        }
        if (badDates == BadDates::kAvoided && HasBadDate(log.substr(lastLineStart) + line)) {
            continue;
        }
        log += line;
        const size_t lineFeed = log.rfind('\n');
        lastLineStart = lineFeed == std::string::npos ? 0 : lineFeed + 1;
    }
    return log;
}

std::string Bits(double value) {
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return std::to_string(bits);
}

// Everything a user can see of a record.
std::string Describe(const PlaybackRecord& r) {
    const SystemTime& t = r.time;
    char text[400];
    std::snprintf(text, sizeof text, "[%s] %u.%u.%u %u:%u:%u %u %u len=%s", r.name, t.wDay,
                  t.wMonth, t.wYear, t.wHour, t.wMinute, t.wSecond, t.wDayOfWeek, t.wMilliseconds,
                  Bits(r.length).c_str());
    return text;
}

std::vector<std::string> Describe(const std::vector<PlaybackRecord>& records) {
    std::vector<std::string> described;
    for (const PlaybackRecord& record : records) {
        described.push_back(Describe(record));
    }
    return described;
}

std::vector<std::string> DescribeTotals(PlaybackLog& log) {
    std::vector<std::string> described;
    for (int i = 0; i < log.totalCount; ++i) {
        const AnimationTotal& total = log.totals[i];
        described.push_back(std::string(total.name) + " len=" + Bits(total.length) +
                            " n=" + std::to_string(total.playCount) +
                            " at=" + std::to_string(total.firstIndex) + " | " + RowText(log, i));
    }
    return described;
}

std::vector<ScanFilter> Filters() {
    std::vector<ScanFilter> filters(5);
    filters[1].day = 5;
    filters[2].timeFilterOn = true;
    filters[2].fromHour = 8;
    filters[2].fromMinute = 30;
    filters[2].toHour = 17;
    filters[3].stripPaths = 1;
    filters[4].day = 12;
    filters[4].stripPaths = 1;
    filters[4].timeFilterOn = true;
    filters[4].toHour = 12;
    filters[4].toMinute = 45;
    return filters;
}

// The reference loads the file; the fast loader loads the same bytes from the file and from
// memory; all three must agree on everything visible.
void ExpectSameAsReference(const std::string& bytes, const ScanFilter& filter,
                           const std::string& file) {
    WriteTempFile(file, bytes);
    const ReferenceLoad reference = ReferenceLoadFile(file.c_str(), filter);
    const ReferenceSort sorted = ReferenceSortRecords(reference.records);

    PlaybackLog unsorted;
    unsorted.filter = filter;
    ASSERT_EQ(LoadLogFile(file.c_str(), unsorted), 0);
    EXPECT_EQ(Describe(Records(unsorted)), Describe(reference.records));
    EXPECT_EQ(unsorted.recordCapacity, reference.capacity);
    const SortResult sortResult = SortRecords(unsorted);
    EXPECT_EQ(!sortResult.ok, sorted.dateError);

    PlaybackLog fromFile;
    fromFile.filter = filter;
    const LoadResult result = LoadSortAndGroup(file.c_str(), fromFile);
    PlaybackLog fromMemory;
    fromMemory.filter = filter;
    const LoadResult memoryResult = LoadSortAndGroupBytes(bytes, fromMemory);
    EXPECT_EQ(fromFile.recordCapacity, reference.capacity);
    std::remove(file.c_str());

    PlaybackLog expected;
    expected.records = static_cast<PlaybackRecord*>(
        std::calloc(sorted.records.size() + 1, sizeof(PlaybackRecord)));
    std::copy(sorted.records.begin(), sorted.records.end(), expected.records);
    expected.recordCount = static_cast<int32_t>(sorted.records.size());
    if (sorted.dateError) {
        ASSERT_EQ(result.status, LoadStatus::kDateError);
        EXPECT_EQ(Describe(result.offending), Describe(sorted.offending));
        EXPECT_EQ(Describe(sortResult.offending), Describe(sorted.offending));
        EXPECT_EQ(fromFile.totalCount, 0);
    } else {
        ASSERT_EQ(result.status, LoadStatus::kLoaded);
        BuildTotals(expected);
        EXPECT_EQ(Describe(Records(fromFile)), Describe(sorted.records));
        EXPECT_EQ(Describe(Records(unsorted)), Describe(sorted.records));
        EXPECT_EQ(DescribeTotals(fromFile), DescribeTotals(expected));
    }
    EXPECT_EQ(memoryResult.status, result.status);
    EXPECT_EQ(Describe(Records(fromMemory)), Describe(Records(fromFile)));
    EXPECT_EQ(DescribeTotals(fromMemory), DescribeTotals(fromFile));
}

class FastLoaderMatchesReference : public ::testing::Test {
protected:
    void SetUp() override { SetTimeZone("UTC"); }
};

TEST_F(FastLoaderMatchesReference, OnWellFormedLogs) {
    for (uint64_t seed = 1; seed <= 4; ++seed) {
        const std::string bytes = MakeLog(seed, 3000, 40, 1000000);
        for (const ScanFilter& filter : Filters()) {
            ExpectSameAsReference(bytes, filter, "diff_wellformed.txt");
        }
    }
}

TEST_F(FastLoaderMatchesReference, OnMutatedLines) {
    for (uint64_t seed = 100; seed < 140; ++seed) {
        const std::string bytes = MakeLog(seed, 400, 12, 2);
        for (const ScanFilter& filter : Filters()) {
            ExpectSameAsReference(bytes, filter, "diff_mutated.txt");
            if (HasFailure()) {
                FAIL() << "seed " << seed;
            }
        }
    }
}

TEST_F(FastLoaderMatchesReference, OnMutatedLinesWithGoodDates) {
    for (uint64_t seed = 300; seed < 340; ++seed) {
        const std::string bytes = MakeLog(seed, 400, 12, 2, BadDates::kAvoided);
        for (const ScanFilter& filter : Filters()) {
            ExpectSameAsReference(bytes, filter, "diff_sortable.txt");
            if (HasFailure()) {
                FAIL() << "seed " << seed;
            }
        }
    }
}

// Many names with a single play each: a bad date there is never compared and must not fail.
TEST_F(FastLoaderMatchesReference, OnMutatedLinesWithManyNames) {
    for (uint64_t seed = 200; seed < 220; ++seed) {
        ExpectSameAsReference(MakeLog(seed, 600, 5000, 3), ScanFilter{}, "diff_names.txt");
        if (HasFailure()) {
            FAIL() << "seed " << seed;
        }
    }
}

// Large enough to be read in several parts on several threads, with lines split at 1998
// characters and records beyond one 5000-record step.
TEST_F(FastLoaderMatchesReference, OnALogReadInParts) {
    ExpectSameAsReference(MakeLog(7, 140000, 3000, 50, BadDates::kAvoided), ScanFilter{},
                          "diff_parts.txt");
}

}  // namespace
