// The command table, the usage text and the dispatch of kvimeter-cli.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "cli/commands.h"

#ifdef _WIN32
#include <direct.h>
#else
#include <unistd.h>
#endif

namespace {

constexpr CliCommand kCommands[] = {
    {"months", RunMonths}, {"list", RunList}, {"summary", RunSummary},
    {"detail", RunDetail}, {"html", RunHtml},
};

bool ChangeDirectory(const char* dir) {
#ifdef _WIN32
    return _chdir(dir) == 0;
#else
    return chdir(dir) == 0;
#endif
}

}  // namespace

const char* UsageText() {
    return "usage: kvimeter-cli [-C DIR] COMMAND [ARGS]\n"
           "\n"
           "  -C DIR    work in DIR: logs are read from DIR/log, reports written to DIR/report\n"
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
           "      loads MONTH and writes report/SUM_AVI_YYYY-MM.html, a page for a client with\n"
           "      the summary table, its totals and charts of the plays per day and per hour;\n"
           "      it is dated now, or SOURCE_DATE_EPOCH (seconds since 1970) when that is set\n"
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
           "could not be written, 2 usage error (also a row outside the list)\n";
}

int RunCommandLine(const Arguments& args) {
    for (const std::string& arg : args) {
        if (arg == "--help") {
            std::fputs(UsageText(), stdout);
            return kExitOk;
        }
    }
    size_t next = 0;
    std::string dir;
    bool changeDir = false;
    if (next < args.size() && args[next] == "-C") {
        if (next + 1 >= args.size()) {
            return UsageError("-C needs a directory");
        }
        dir = args[next + 1];
        changeDir = true;
        next += 2;
    }
    if (next >= args.size()) {
        return UsageError("no command given");
    }
    const std::string& name = args[next];
    for (const CliCommand& command : kCommands) {
        if (name == command.name) {
            if (changeDir && !ChangeDirectory(dir.c_str())) {
                return Failure("cannot change into " + dir + ": " + std::strerror(errno));
            }
            return command.run(Arguments(args.begin() + static_cast<long>(next) + 1, args.end()));
        }
    }
    return UsageError("unknown command " + name);
}
