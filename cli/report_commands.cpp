// summary and detail: the files that the window's save buttons write, with its confirmations.
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <optional>
#include <string>

#include "cli/commands.h"
#include "base/cp1250.h"
#include "logdata/playback_log.h"
#include "userlocale/user_decimal_separator.h"
#include "reports/html_report.h"
#include "reports/report_file.h"
#include "reports/report_messages.h"
#include "reports/report_writers.h"

namespace {

constexpr Cp1250Literal kRowTwice{"--row je zadáno dvakrát"};
constexpr Cp1250Literal kRowTakes{"--row: číslo řádku seznamu, počítáno od 0: "};
constexpr Cp1250Literal kRowOrAll{"detail potřebuje buď --row N, nebo --all"};
constexpr Cp1250Literal kNotInList{": takový řádek v seznamu není (animací v seznamu: "};

// --row N or --all, as given; the row is checked against the totals only after the load.
struct DetailChoice {
    std::optional<long long> row;
    bool all = false;
};

// Digits only. A number too large for any list is kept as the largest one, so that it is
// refused after the load like every other row outside the list.
bool ParseRow(const std::string& text, long long& row) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    errno = 0;
    row = std::strtoll(text.c_str(), nullptr, 10);
    if (errno == ERANGE) {
        row = LLONG_MAX;
    }
    return true;
}

bool TakeDetailOption(const Arguments& args, size_t& i, DetailChoice& choice, std::string& error) {
    if (args[i] == "--all") {
        choice.all = true;
        return true;
    }
    if (args[i] != "--row") {
        return false;
    }
    if (choice.row) {
        error = kRowTwice.str();
        return false;
    }
    if (i + 1 >= args.size()) {
        error = OptionNeedsAValue(args[i]);
        return false;
    }
    long long row = 0;
    if (!ParseRow(args[++i], row)) {
        error = kRowTakes.str() + args[i];
        return false;
    }
    choice.row = row;
    return true;
}

char DecimalSeparatorOf(const MonthRequest& request) {
    return request.decimalSeparator ? *request.decimalSeparator : UserDecimalSeparator();
}

// A failure names every file that was not written and prints no confirmation.
ExitStatus Conclude(const ReportResult& result, const std::string& confirmation) {
    if (!Succeeded(result)) {
        return Failure(ReportFailureMessage(result));
    }
    return PrintCp1250(confirmation + "\n");
}

// The month loaded and the folder made for a report of the whole list.
ExitStatus LoadForReport(const Arguments& args, const RequestSyntax& syntax,
                         MonthRequest& request) {
    if (const ExitStatus status = ParseAndLoad(args, syntax, request); status != ExitStatus::kOk) {
        return status;
    }
    return MakeReportFolder();
}

}  // namespace

ExitStatus RunSummary(const Arguments& args) {
    RequestSyntax syntax;
    syntax.decimalSeparator = true;
    MonthRequest request;
    if (const ExitStatus status = LoadForReport(args, syntax, request); status != ExitStatus::kOk) {
        return status;
    }
    const ReportResult result =
        WriteSummaryFiles(ThePlaybackLog(), request.month, DecimalSeparatorOf(request));
    return Conclude(result, SummarySavedMessage(result.csvPath));
}

ExitStatus RunDetail(const Arguments& args) {
    DetailChoice choice;
    RequestSyntax syntax;
    syntax.decimalSeparator = true;
    syntax.other = [&choice](const Arguments& all, size_t& i, std::string& error) {
        return TakeDetailOption(all, i, choice, error);
    };
    MonthRequest request;
    std::string error;
    if (!ParseMonthRequest(args, syntax, request, error)) {
        return UsageError(error);
    }
    if (choice.all == choice.row.has_value()) {
        return UsageError(kRowOrAll.str());
    }
    PlaybackLog& log = ThePlaybackLog();
    if (const ExitStatus status = LoadMonthForCli(request, log); status != ExitStatus::kOk) {
        return status;
    }
    if (choice.row && *choice.row >= log.totalCount) {
        return UsageError("--row " + std::to_string(*choice.row) + kNotInList.str() +
                          std::to_string(log.totalCount) + ")");
    }
    if (const ExitStatus status = MakeReportFolder(); status != ExitStatus::kOk) {
        return status;
    }
    const char separator = DecimalSeparatorOf(request);
    if (choice.all) {
        return Conclude(WriteAllDetailFiles(log, request.month, separator),
                        AllDetailsSavedMessage());
    }
    const ReportResult result =
        WriteDetailFiles(log, static_cast<int32_t>(*choice.row), request.month, separator);
    return Conclude(result, DetailSavedMessage(result.csvPath));
}

ExitStatus RunHtml(const Arguments& args) {
    MonthRequest request;
    if (const ExitStatus status = LoadForReport(args, RequestSyntax{}, request);
        status != ExitStatus::kOk) {
        return status;
    }
    const ReportResult result = WriteHtmlReport(ThePlaybackLog(), request.month, PageTime());
    return Conclude(result,
                    SummarySavedMessage(SummaryReportPath(request.month, ReportFileType::kHtml)));
}
