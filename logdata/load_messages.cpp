#include "logdata/load_messages.h"

#include <cstdio>
#include <cstring>

#include "base/cp1250.h"
#include "base/message_text.h"

namespace {

std::string ShownName(const char* name) {
    std::string shown;
    for (const char* p = name; *p != '\0'; ++p) {
        const auto byte = static_cast<unsigned char>(*p);
        if (byte >= 0x20 && byte != 0x7F) {
            shown += *p;
        } else if (byte == '\r') {
            shown += "\\r";
        } else if (byte == '\n') {
            shown += "\\n";
        } else if (byte == '\t') {
            shown += "\\t";
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            shown += escaped;
        }
    }
    return shown;
}

}  // namespace

std::string DateErrorMessage(const PlaybackRecord& offending) {
    static constexpr Cp1250Literal kFormat{
        "Chybné datum nebo čas přehrání animace \"%s\": %u.%u.%u %u:%02u:%02u. "
        "Data nebyla načtena."};
    const SystemTime& t = offending.time;
    const std::string name = ShownName(offending.name);
    char text[1400];
    std::snprintf(text, sizeof text, kFormat.c_str(), name.c_str(), t.wDay, t.wMonth, t.wYear,
                  t.wHour, t.wMinute, t.wSecond);
    return text;
}

std::string LoadOutcomeMessage(const LoadResult& result, const std::string& path) {
    static constexpr Cp1250Literal kOutOfMemory{
        "Na načtení měsíce nestačí paměť; seznam zůstal prázdný."};
    static constexpr Cp1250Literal kCannotOpen{"Soubor nelze otevřít: %"};
    static constexpr Cp1250Literal kReadError{
        "Soubor % nelze přečíst celý (%). Data nebyla načtena."};
    switch (result.status) {
        case LoadStatus::kLoaded:
            break;
        case LoadStatus::kCannotOpen:
            return FillIn(kCannotOpen, {path});
        case LoadStatus::kReadError:
            return FillIn(kReadError, {path, result.reason});
        case LoadStatus::kDateError:
            return DateErrorMessage(result.offending);
        case LoadStatus::kOutOfMemory:
            return kOutOfMemory.str();
    }
    return "";
}
