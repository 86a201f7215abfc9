#include "base/number_text.h"

#include <cerrno>
#include <cstdlib>
#include <string>

std::optional<int32_t> ParseWholeNumber(std::string_view text, int32_t low, int32_t high) {
    const std::string copy(text);  // strtol needs the end marked
    if (copy.empty()) {
        return std::nullopt;
    }
    errno = 0;
    char* end = nullptr;
    const long number = std::strtol(copy.c_str(), &end, 10);
    if (*end != '\0' || errno == ERANGE || number < low || number > high) {
        return std::nullopt;
    }
    return static_cast<int32_t>(number);
}
