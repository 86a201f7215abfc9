// months and list: what the window's month combo box and main list show.
#include <cstdio>
#include <string>

#include "base/cp1250.h"
#include "cli/commands.h"
#include "logdata/playback_log.h"
#include "logdata/log_months.h"
#include "logdata/totals.h"

ExitStatus RunMonths(const Arguments& args) {
    if (!args.empty()) {
        static constexpr Cp1250Literal kNoArguments{"příkaz months nemá žádné argumenty"};
        return UsageError(kNoArguments.str());
    }
    FindLogMonths();
    const LogMonthList& months = LogMonths();
    for (int32_t i = 0; i < months.count; ++i) {
        std::printf("%s\n", MonthComboText(months.entries[i]).c_str());
    }
    return ExitStatus::kOk;
}

namespace {

// The list's four cells of one row joined by TAB.
std::string RowText(const PlaybackLog& log, int32_t row) {
    std::string line;
    for (int32_t column = 0; column < 4; ++column) {
        line += column == 0 ? "" : "\t";
        line += TotalCellText(log, row, column);
    }
    return line + "\n";
}

}  // namespace

ExitStatus RunList(const Arguments& args) {
    MonthRequest request;
    if (const ExitStatus status = ParseAndLoad(args, RequestSyntax{}, request);
        status != ExitStatus::kOk) {
        return status;
    }
    PlaybackLog& log = ThePlaybackLog();
    std::string text;
    for (int32_t row = 0; row < log.totalCount; ++row) {
        text += RowText(log, row);
    }
    return PrintCp1250(text);
}
