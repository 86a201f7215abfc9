// kvimeter-cli: the playback-log tool for batch use and scripting.
#include "cli/commands.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);  // "\n" line ends on every platform
#endif
    return RunCommandLine(Arguments(argv + 1, argv + argc));
}
