// months and list: what the window's month combo box and main list show.
#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "logdata/playback_log.h"
#include "logdata/log_months.h"
#include "logdata/totals.h"

int RunMonths(const Arguments& args) {
    if (!args.empty()) {
        return UsageError("months takes no arguments");
    }
    FindLogMonths();
    const LogMonthList& months = LogMonths();
    for (int32_t i = 0; i < months.count; ++i) {
        std::printf("%s\n", MonthComboText(months.entries[i]).c_str());
    }
    return kExitOk;
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

int RunList(const Arguments& args) {
    MonthRequest request;
    if (const int status = ParseAndLoad(args, RequestSyntax{}, request); status != kExitOk) {
        return status;
    }
    PlaybackLog& log = ThePlaybackLog();
    std::string text;
    for (int32_t row = 0; row < log.totalCount; ++row) {
        text += RowText(log, row);
    }
    return PrintCp1250(text);
}
