#pragma once
// The commands of kvimeter-cli; each returns an ExitStatus (cli/cli_common.h).
#include "cli/cli_common.h"

// Dispatches "[-C DIR] COMMAND ARGS" (the arguments after the program name) through the command
// table of cli/commands.cpp; --help anywhere prints the usage.
int RunCommandLine(const Arguments& args);

// cli/log_commands.cpp
int RunMonths(const Arguments& args);
int RunList(const Arguments& args);

// cli/report_commands.cpp
int RunSummary(const Arguments& args);
int RunDetail(const Arguments& args);
int RunHtml(const Arguments& args);

// cli/campaign_commands.cpp
int RunCampaign(const Arguments& args);

// cli/verify_command.cpp
int RunVerify(const Arguments& args);
