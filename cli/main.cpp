// kvimeter-cli: the playback-log tool for batch use and scripting.
#include <cstdio>
#include <exception>

#include "cli/commands.h"

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
        return RunCommandLine(Arguments(argv + 1, argv + argc));
    } catch (const std::exception& error) {
        // Memory ran out outside the load, which reports that itself.
        std::fprintf(stderr, "kvimeter-cli: %s\n", error.what());
        return kExitFailure;
    }
}
