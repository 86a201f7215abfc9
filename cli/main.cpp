// kvimeter-cli: the playback-log tool for batch use and scripting.
#include <cstdio>
#include <exception>
#include <new>
#include <string>

#include "base/cp1250.h"

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
            return static_cast<int>(RefusedArgument(refused));
        }
        return static_cast<int>(RunCommandLine(args));
    } catch (const std::bad_alloc&) {
        // Memory ran out outside the load, which reports that itself.
        static constexpr Cp1250Literal kNoMemory{"nedostatek paměti"};
        return static_cast<int>(Failure(kNoMemory.str()));
    } catch (const std::exception& error) {
        return static_cast<int>(Failure(Utf8ToCp1250(error.what())));
    }
}
