#include "cli/cli_common.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "base/cp1250.h"
#include "base/moment.h"
#include "base/number_text.h"
#include "campaign/booking.h"
#include "logdata/clock_text.h"
#include "logdata/playback_log.h"
#include "logdata/month_load.h"
#include "logdata/load_messages.h"
#include "logdata/scanners.h"
#include "reports/report_file.h"

std::string UsageText() {
    return std::string(
               "usage: kvimeter-cli [-C DIR] COMMAND [ARGS]\n"
               "\n"
               "  -C DIR    work in DIR: logs are read from DIR/log, reports written to "
               "DIR/report\n"
               "\n"
               "commands:\n"
               "  months\n"
               "      the months for which a log exists, one YYYY-MM per line, in the order found\n"
               "  list MONTH [--day N] [--from H:M] [--to H:M] [--strip-paths]\n"
               "      loads MONTH (YEAR-MONTH, e.g. 2015-03) and prints one line per animation:\n"
               "      name, spot length, play count and total time, separated by TAB\n"
               "  summary MONTH [filter options] [--decimal-separator C]\n"
               "      loads MONTH and writes the summary report/SUM_AVI_YYYY-MM.txt and .csv\n"
               "  detail MONTH (--row N | --all) [filter options] [--decimal-separator C]\n"
               "      loads MONTH and writes report/NAME_YYYY-MM.txt and .csv for list row N\n"
               "      (counted from 0) or for every animation\n"
               "  html MONTH [filter options]\n"
               "      loads MONTH and writes report/SUM_AVI_YYYY-MM.html, a page for a client "
               "with\n"
               "      the summary table, its totals and charts of the plays per day and per hour;\n"
               "      it is dated now, or SOURCE_DATE_EPOCH (seconds since 1970) when that is set\n"
               "  campaign BOOKING [--panel DIR]... [--gap MIN] [--as-of DATE]\n"
               "      counts what each line of the booking file (semicolons, a header row with\n"
               "      ") +
           Cp1250ToUtf8(BookingColumnNames(true, ";")) + " and optionally " +
           Cp1250ToUtf8(BookingColumnNames(false, " and ")) +
           ")\n"
           "      got on each booked day up to DATE on each panel: DIR is a panel's\n"
           "      folder with its log/ (default: the working directory), its name the panel's\n"
           "      name; DATE (YYYY-MM-DD or D.M.YYYY, the last day counted) defaults to\n"
           "      yesterday, the day before SOURCE_DATE_EPOCH's date when that is set; later\n"
           "      booked days are pending. Writes report/KAMPAN_NAME.csv and .html (NAME: the\n"
           "      booking file's name without its extension), and for a booking of several\n"
           "      clients also KAMPAN_NAME_CLIENT.csv and .html with only that client's lines,\n"
           "      with the outages (silences of more than MIN minutes, default 15, inside a\n"
           "      booked window), missing logs, the SHA-256 and plausibility of every file read,\n"
           "      and prints the state of each line and panel and what the lines still short\n"
           "      need per day\n"
           "  verify PAGE|SUMS\n"
           "      hashes again every file that a campaign page or its .sha256 file names, found\n"
           "      from the folder above the page's report/, and says which changed\n"
           "\n"
           "options:\n"
           "  --day N        only day N of the month (1 to 31); 0, the default, means all days\n"
           "  --from H:M     plays from H:M on (default 0:00); turns the time window on\n"
           "  --to H:M       plays before H:M (default 24:00); turns the time window on\n"
           "  --strip-paths  only the file name of each animation, without its folders\n"
           "  --decimal-separator C\n"
           "                 the decimal separator of the text reports (default: the user's)\n"
           "  --help         this text\n"
           "\n"
           "exit status: 0 success, 1 the log cannot be read or has a bad date or a report file\n"
           "could not be written, 2 usage error (also a row outside the list)\n"
           "campaign: 0 the files were written, whatever the shortfall; 1 a log cannot be read or\n"
           "a file cannot be written; 2 usage or booking errors (each error is listed, nothing is\n"
           "written). verify: 0 every file is unchanged, 1 a file changed or is missing.\n";
}

int UsageError(const std::string& message) {
    std::fprintf(stderr, "kvimeter-cli: %s\n%s", message.c_str(), UsageText().c_str());
    return kExitUsage;
}

int Failure(const std::string& message) {
    std::fprintf(stderr, "kvimeter-cli: %s\n", message.c_str());
    return kExitFailure;
}

bool ParseMonth(const std::string& text, LogMonth& month) {
    const char* p = text.c_str();
    LogMonth read{};
    if (!ScanUnsigned(p, read.year) || !ScanLiteral(p, '-') || !ScanUnsigned(p, read.month) ||
        p != text.c_str() + text.size()) {
        return false;
    }
    month = read;
    return true;
}

namespace {

bool ParseTime(const std::string& text, int32_t& hour, int32_t& minute) {
    const std::optional<TimeOfDay> time = ParseClockText(text, ClockSyntax::kAnyNumbers);
    if (time) {
        hour = time->hour;
        minute = time->minute;
    }
    return time.has_value();
}

// One character as typed: a single byte, or one UTF-8 character that the code page has.
bool ParseSeparator(const std::string& text, char& separator) {
    if (text.size() == 1) {
        separator = text[0];
        return true;
    }
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    char32_t c = 0;
    if (text.size() == 2 && (bytes[0] & 0xE0) == 0xC0 && (bytes[1] & 0xC0) == 0x80) {
        c = static_cast<char32_t>(((bytes[0] & 0x1F) << 6) | (bytes[1] & 0x3F));
    } else if (text.size() == 3 && (bytes[0] & 0xF0) == 0xE0 && (bytes[1] & 0xC0) == 0x80 &&
               (bytes[2] & 0xC0) == 0x80) {
        c = static_cast<char32_t>(((bytes[0] & 0x0F) << 12) | ((bytes[1] & 0x3F) << 6) |
                                  (bytes[2] & 0x3F));
    } else {
        return false;
    }
    const int byte = c >= 0x80 ? UnicodeToCp1250(c) : -1;
    separator = static_cast<char>(byte);
    return byte >= 0;
}

bool TakeValue(const Arguments& args, size_t& i, std::string& value, std::string& error) {
    if (i + 1 >= args.size()) {
        error = "option " + args[i] + " needs a value";
        return false;
    }
    value = args[++i];
    return true;
}

bool ParseFilterOption(const Arguments& args, size_t& i, const RequestSyntax& syntax,
                       MonthRequest& request, std::string& error) {
    const std::string& option = args[i];
    std::string value;
    ScanFilter& filter = request.filter;
    if (option == "--strip-paths") {
        filter.stripPaths = 1;
        return true;
    }
    if (option == "--day") {
        if (!TakeValue(args, i, value, error)) {
            return false;
        }
        const std::optional<int32_t> day = ParseWholeNumber(value, 0, 31);
        if (!day) {
            error = "--day takes a day of the month 1 to 31, or 0 for all days: " + value;
            return false;
        }
        filter.day = *day;
        return true;
    }
    if (option == "--from" || option == "--to") {
        if (!TakeValue(args, i, value, error)) {
            return false;
        }
        const bool from = option == "--from";
        if (!ParseTime(value, from ? filter.fromHour : filter.toHour,
                       from ? filter.fromMinute : filter.toMinute)) {
            error = option + " takes a time H:M: " + value;
            return false;
        }
        filter.timeFilterOn = true;
        return true;
    }
    if (option == "--decimal-separator" && syntax.decimalSeparator) {
        if (!TakeValue(args, i, value, error)) {
            return false;
        }
        char separator = '.';
        if (!ParseSeparator(value, separator)) {
            error = "--decimal-separator takes one character: " + value;
            return false;
        }
        request.decimalSeparator = separator;
        return true;
    }
    if (option == "--decimal-separator") {
        error = "--decimal-separator is an option of summary and detail only";
        return false;
    }
    if (syntax.other && syntax.other(args, i, error)) {
        return true;
    }
    if (error.empty()) {
        error = "unknown option " + option;
    }
    return false;
}

}  // namespace

bool ParseMonthRequest(const Arguments& args, const RequestSyntax& syntax, MonthRequest& request,
                       std::string& error) {
    bool haveMonth = false;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i].size() > 1 && args[i][0] == '-' && args[i][1] == '-') {
            if (!ParseFilterOption(args, i, syntax, request, error)) {
                return false;
            }
        } else if (!haveMonth) {
            if (!ParseMonth(args[i], request.month)) {
                error = "MONTH is YEAR-MONTH, for example 2015-03: " + args[i];
                return false;
            }
            haveMonth = true;
        } else {
            error = "unexpected argument " + args[i];
            return false;
        }
    }
    if (!haveMonth) {
        error = "MONTH is missing";
        return false;
    }
    return true;
}

int LoadMonthForCli(const MonthRequest& request, PlaybackLog& log) {
    log.filter = request.filter;
    const std::string path = LogFilePath(request.month);
    const LoadResult result = LoadSortAndGroup(path.c_str(), log);
    if (result.status == LoadStatus::kLoaded) {
        return kExitOk;
    }
    // The memory message is the window's too, which names no file; here it names the log.
    const std::string message = Cp1250ToUtf8(LoadOutcomeMessage(result, path));
    return Failure(result.status == LoadStatus::kOutOfMemory ? message + " " + path : message);
}

int ParseAndLoad(const Arguments& args, const RequestSyntax& syntax, MonthRequest& request) {
    std::string error;
    if (!ParseMonthRequest(args, syntax, request, error)) {
        return UsageError(error);
    }
    return LoadMonthForCli(request, ThePlaybackLog());
}

int PrintCp1250(const std::string& text) {
    const std::string utf8 = Cp1250ToUtf8(text);
    const bool written = std::fwrite(utf8.data(), 1, utf8.size(), stdout) == utf8.size();
    if (std::fflush(stdout) != 0 || !written) {
        return Failure(std::string("cannot write the output: ") + std::strerror(errno));
    }
    return kExitOk;
}

int MakeReportFolder() {
    std::string reason;
    if (!EnsureReportFolder(&reason)) {
        return Failure("cannot create the folder report: " + Cp1250ToUtf8(reason));
    }
    return kExitOk;
}
