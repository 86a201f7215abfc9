// The command table and the dispatch of kvimeter-cli.
#include <cerrno>
#include <cstdio>
#include <string>

#include "base/cp1250.h"
#include "base/system_files.h"
#include "base/system_reason.h"
#include "cli/commands.h"

namespace {

constexpr CliCommand kCommands[] = {
    {"months", RunMonths}, {"list", RunList}, {"summary", RunSummary},
    {"detail", RunDetail}, {"html", RunHtml}, {"campaign", RunCampaign},
    {"verify", RunVerify},
};

constexpr Cp1250Literal kNeedsAFolder{"-C potřebuje složku"};
constexpr Cp1250Literal kNoCommand{"chybí příkaz"};
constexpr Cp1250Literal kCannotChangeInto{"do složky "};
constexpr Cp1250Literal kCannotChangeIntoEnd{" nelze přejít: "};
constexpr Cp1250Literal kUnknownCommand{"neznámý příkaz "};

}  // namespace

ExitStatus RunCommandLine(const Arguments& args) {
    for (const std::string& arg : args) {
        if (arg == "--help") {
            std::fputs(Cp1250ToUtf8(UsageText()).c_str(), stdout);
            return ExitStatus::kOk;
        }
    }
    size_t next = 0;
    std::string dir;
    bool changeDir = false;
    if (next < args.size() && args[next] == "-C") {
        if (next + 1 >= args.size()) {
            return UsageError(kNeedsAFolder.str());
        }
        dir = args[next + 1];
        changeDir = true;
        next += 2;
    }
    if (next >= args.size()) {
        return UsageError(kNoCommand.str());
    }
    const std::string& name = args[next];
    for (const CliCommand& command : kCommands) {
        if (name == command.name) {
            if (changeDir && ChangeFolder(dir) != 0) {
                return Failure(kCannotChangeInto.str() + dir + kCannotChangeIntoEnd.str() +
                               SystemReasonText(errno));
            }
            return command.run(Arguments(args.begin() + static_cast<long>(next) + 1, args.end()));
        }
    }
    return UsageError(kUnknownCommand.str() + name);
}
