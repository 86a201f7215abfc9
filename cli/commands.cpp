// The command table and the dispatch of kvimeter-cli.
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
    {"detail", RunDetail}, {"html", RunHtml}, {"campaign", RunCampaign},
    {"verify", RunVerify},
};

bool ChangeDirectory(const char* dir) {
#ifdef _WIN32
    return _chdir(dir) == 0;
#else
    return chdir(dir) == 0;
#endif
}

}  // namespace

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
