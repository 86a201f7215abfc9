// The command table and the dispatch of kvimeter-cli.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "base/cp1250.h"
#include "base/system_files.h"
#include "cli/commands.h"

namespace {

constexpr CliCommand kCommands[] = {
    {"months", RunMonths}, {"list", RunList}, {"summary", RunSummary},
    {"detail", RunDetail}, {"html", RunHtml}, {"campaign", RunCampaign},
    {"verify", RunVerify},
};

}  // namespace

int RunCommandLine(const Arguments& args) {
    for (const std::string& arg : args) {
        if (arg == "--help") {
            std::fputs(UsageText().c_str(), stdout);
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
            if (changeDir && ChangeFolder(dir) != 0) {
                return Failure("cannot change into " + Cp1250ToUtf8(dir) + ": " +
                               std::strerror(errno));
            }
            return command.run(Arguments(args.begin() + static_cast<long>(next) + 1, args.end()));
        }
    }
    return UsageError("unknown command " + Cp1250ToUtf8(name));
}
