// kvimeter-cli: the playback-log tool for batch use and scripting.
#include <cstdio>
#include <exception>
#include <string>

#include "cli/commands.h"
#include "cli/program_arguments.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
    // "\n" line ends on every platform, in the output and in the messages.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    try {
        Arguments args;
        std::string refused;
        if (!ProgramArguments(argc, argv, args, refused)) {
            return UsageError("the argument " + refused +
                              " holds a character that Windows-1250 lacks");
        }
        return RunCommandLine(args);
    } catch (const std::exception& error) {
        // Memory ran out outside the load, which reports that itself.
        std::fprintf(stderr, "kvimeter-cli: %s\n", error.what());
        return kExitFailure;
    }
}
