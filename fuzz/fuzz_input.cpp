#include "fuzz/fuzz_input.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "logdata/month_load.h"
#include "logdata/totals.h"
#include "tests/logdata/step_by_step.h"
#include "tests/logdata/reference_log.h"

namespace {

std::string Describe(const PlaybackRecord& r) {
    const SystemTime& t = r.time;
    uint64_t bits;
    std::memcpy(&bits, &r.length, sizeof bits);
    char text[400];
    std::snprintf(text, sizeof text, "[%s] %u.%u.%u %u:%u:%u %u %u len=%016llx\n", r.name, t.wDay,
                  t.wMonth, t.wYear, t.wHour, t.wMinute, t.wSecond, t.wDayOfWeek, t.wMilliseconds,
                  static_cast<unsigned long long>(bits));
    return text;
}

std::string Describe(const PlaybackRecord* records, size_t count) {
    std::string text;
    for (size_t i = 0; i < count; ++i) {
        text += Describe(records[i]);
    }
    return text;
}

// The totals and the four cell texts of every row, as the list shows them.
std::string DescribeTotals(PlaybackLog& log) {
    std::string text;
    for (int32_t row = 0; row < log.totalCount; ++row) {
        const AnimationTotal& total = log.totals[row];
        text += std::string(total.name) + " n=" + std::to_string(total.playCount) +
                " at=" + std::to_string(total.firstIndex) + " |";
        for (int column = 0; column < 4; ++column) {
            text += TotalCellText(log, row, column) + "|";
        }
        text += "\n";
    }
    return text;
}

void Expect(const char* what, const std::string& ours, const std::string& theirs) {
    if (ours != theirs) {
        Mismatch(what, ours, theirs);
    }
}

}  // namespace

void Mismatch(const char* what, const std::string& ours, const std::string& theirs) {
    std::fprintf(stderr, "%s differ\n--- load path:\n%s\n--- reference:\n%s\n", what, ours.c_str(),
                 theirs.c_str());
    std::abort();
}

bool LoadBothWays(const FuzzInput& input, PlaybackLog& log) {
    log.filter = input.filter;
    const LoadResult result = LoadSortAndGroupBytes(input.log, log);

    // The reference reads a stream; fmemopen cannot open an empty buffer.
    ReferenceLoad reference;
    if (!input.log.empty()) {
        std::FILE* stream = fmemopen(const_cast<char*>(input.log.data()), input.log.size(), "rb");
        if (stream == nullptr) {
            std::abort();
        }
        reference = ReferenceLoadStream(stream, input.filter);
        std::fclose(stream);
    }
    const ReferenceSort sorted = ReferenceSortRecords(reference.records);

    Expect("outcomes", result.status == LoadStatus::kDateError ? "date error" : "loaded",
           sorted.dateError ? "date error" : "loaded");
    if (sorted.dateError) {
        Expect("offending plays", Describe(result.offending), Describe(sorted.offending));
        Expect("total counts", std::to_string(log.totalCount), "0");
        return false;
    }
    Expect("records", Describe(log.records, static_cast<size_t>(log.recordCount)),
           Describe(sorted.records.data(), sorted.records.size()));
    PlaybackLog expected;
    expected.records = static_cast<PlaybackRecord*>(
        std::calloc(sorted.records.size() + 1, sizeof(PlaybackRecord)));
    std::copy(sorted.records.begin(), sorted.records.end(), expected.records);
    expected.recordCount = static_cast<int32_t>(sorted.records.size());
    BuildTotals(expected);
    Expect("totals", DescribeTotals(log), DescribeTotals(expected));
    return true;
}
