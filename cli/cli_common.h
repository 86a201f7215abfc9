#pragma once
// What the kvimeter-cli commands share: exit statuses, the month and filter arguments, the
// messages on stderr and the load step.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "logdata/log_months.h"
#include "base/win32_types.h"
#include "logdata/playback_log.h"
#include "reports/page_time.h"

enum class ExitStatus : int {
    kOk = 0,
    kFailure = 1,  // the log could not be opened, the date error, a file not written
    kUsage = 2,    // bad arguments; the usage goes to stderr
};

// The arguments after the command's name.
using Arguments = std::vector<std::string>;

// A command: runs with its arguments in the working directory (after -C).
struct CliCommand {
    const char* name;
    ExitStatus (*run)(const Arguments& args);
};

// The full usage text, Windows-1250.
std::string UsageText();

// "kvimeter-cli: message" on stderr, then the usage; returns ExitStatus::kUsage. The message is
// Windows-1250, as every message of the command line; stderr gets UTF-8.
ExitStatus UsageError(const std::string& message);
// An argument with a character that Windows-1250 lacks, named as given (UTF-8).
ExitStatus RefusedArgument(const std::string& utf8);
// "kvimeter-cli: message" on stderr; returns ExitStatus::kFailure.
ExitStatus Failure(const std::string& message);
// The same, for a message that is not a failure of the command.
void Note(const std::string& message);

// MONTH as two unsigned numbers "%u-%u" (2015-3 and 2015-03 alike), nothing after them.
bool ParseMonth(const std::string& text, LogMonth& month);

// MONTH and the filter options of list, summary and detail.
struct MonthRequest {
    LogMonth month{};
    ScanFilter filter{};  // the window's defaults
    std::optional<char> decimalSeparator;
};

// Which options a command takes beyond --day, --from, --to and --strip-paths.
struct RequestSyntax {
    bool decimalSeparator = false;  // --decimal-separator C
    // Offered every other option: returns true when it took args[i] (advancing i past any
    // values), false to refuse it; sets error for a bad value.
    std::function<bool(const Arguments& args, size_t& i, std::string& error)> other;
};

// Parses "MONTH [options]" in any order of options. false with error set on a usage error.
bool ParseMonthRequest(const Arguments& args, const RequestSyntax& syntax, MonthRequest& request,
                       std::string& error);

// Loads, sorts and groups the month into log. On failure prints the one-line message (cannot
// open, or the date error naming the play) and returns kFailure; otherwise kOk.
ExitStatus LoadMonthForCli(const MonthRequest& request, PlaybackLog& log);

// The arguments read into request (a usage error on failure), then its month loaded into the
// process-wide log as LoadMonthForCli does.
ExitStatus ParseAndLoad(const Arguments& args, const RequestSyntax& syntax, MonthRequest& request);

// The usage errors that several commands give, Windows-1250.
std::string OptionNeedsAValue(const std::string& option);
std::string UnknownOption(const std::string& option);
std::string UnexpectedArgument(const std::string& argument);

// Creates the folder report unless it is there; only the commands that write reports do, and
// only once their input has been read. On failure prints why and returns kFailure.
ExitStatus MakeReportFolder();

// Writes Windows-1250 text to stdout as UTF-8. When stdout cannot take it, says so on stderr
// and returns kFailure; otherwise kOk.
ExitStatus PrintCp1250(const std::string& text);
