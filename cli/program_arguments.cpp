#include "cli/program_arguments.h"

#include "base/cp1250.h"

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>
#endif

namespace {

bool AddCharacter(char32_t character, std::string& cp1250) {
    const int byte = UnicodeToCp1250(character);
    if (byte < 0) {
        return false;
    }
    cp1250 += static_cast<char>(byte);
    return true;
}

#ifdef _WIN32
// For the message that names a refused argument.
std::string Utf16ToUtf8(std::u16string_view utf16) {
    std::string utf8;
    for (size_t i = 0; i < utf16.size(); ++i) {
        char32_t c = utf16[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (utf16[++i] - 0xDC00);
        }
        if (c < 0x80) {
            utf8 += static_cast<char>(c);
        } else if (c < 0x800) {
            utf8 += {static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))};
        } else if (c < 0x10000) {
            utf8 +=
                {static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
                 static_cast<char>(0x80 | (c & 0x3F))};
        } else {
            utf8 +=
                {static_cast<char>(0xF0 | (c >> 18)), static_cast<char>(0x80 | ((c >> 12) & 0x3F)),
                 static_cast<char>(0x80 | ((c >> 6) & 0x3F)), static_cast<char>(0x80 | (c & 0x3F))};
        }
    }
    return utf8;
}
#endif

}  // namespace

bool Utf8ArgumentToCp1250(std::string_view utf8, std::string& cp1250) {
    cp1250.clear();
    for (size_t i = 0; i < utf8.size();) {
        char32_t character = 0;
        if (!DecodeUtf8(utf8, i, character) || !AddCharacter(character, cp1250)) {
            return false;
        }
    }
    return true;
}

bool Utf16ArgumentToCp1250(std::u16string_view utf16, std::string& cp1250) {
    cp1250.clear();
    for (const char16_t unit : utf16) {
        // A surrogate is half of a character beyond the code page's reach.
        if ((unit >= 0xD800 && unit < 0xE000) || !AddCharacter(unit, cp1250)) {
            return false;
        }
    }
    return true;
}

bool ProgramArguments(int argc, char** argv, Arguments& args, std::string& refused) {
    args.clear();
#ifdef _WIN32
    (void)argc;
    (void)argv;
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr) {
        return true;  // no memory for it: no arguments, and the usage says what is missing
    }
    for (int i = 1; i < count; ++i) {
        const std::u16string_view arg(reinterpret_cast<const char16_t*>(wide[i]));
        std::string cp1250;
        if (!Utf16ArgumentToCp1250(arg, cp1250)) {
            refused = Utf16ToUtf8(arg);
            LocalFree(wide);
            return false;
        }
        args.push_back(cp1250);
    }
    LocalFree(wide);
#else
    for (int i = 1; i < argc; ++i) {
        std::string cp1250;
        if (!Utf8ArgumentToCp1250(argv[i], cp1250)) {
            refused = argv[i];
            return false;
        }
        args.push_back(cp1250);
    }
#endif
    return true;
}
