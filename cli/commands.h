#pragma once
// The commands of kvimeter-cli; each returns an ExitStatus (cli/cli_common.h).
#include "cli/cli_common.h"

// Dispatches "[-C DIR] COMMAND ARGS" (the arguments after the program name) through the command
// table of cli/commands.cpp; --help anywhere prints the usage.
ExitStatus RunCommandLine(const Arguments& args);

// cli/log_commands.cpp
ExitStatus RunMonths(const Arguments& args);
ExitStatus RunList(const Arguments& args);

// cli/report_commands.cpp
ExitStatus RunSummary(const Arguments& args);
ExitStatus RunDetail(const Arguments& args);
ExitStatus RunHtml(const Arguments& args);

// cli/campaign_commands.cpp
ExitStatus RunCampaign(const Arguments& args);

// cli/verify_command.cpp
ExitStatus RunVerify(const Arguments& args);
