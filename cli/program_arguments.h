#pragma once
// The command line as the platform gives it (UTF-8 on Linux, the UTF-16 command line on
// Windows), turned once into the Windows-1250 that the core works in.
#include <string>
#include <string_view>

#include "cli/cli_common.h"

// false when an argument holds a character that Windows-1250 lacks; refused is then that
// argument in UTF-8.
bool ProgramArguments(int argc, char** argv, Arguments& args, std::string& refused);

// One argument; false when a character has no byte in the code page or the text is not UTF-8
// (UTF-16).
bool Utf8ArgumentToCp1250(std::string_view utf8, std::string& cp1250);
bool Utf16ArgumentToCp1250(std::u16string_view utf16, std::string& cp1250);
