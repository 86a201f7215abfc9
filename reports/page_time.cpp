#include "reports/page_time.h"

#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

// Now, or SOURCE_DATE_EPOCH (seconds since 1970) where it is set, so that a page can be made
// again byte for byte.
std::time_t PageMoment() {
    const char* epoch = std::getenv("SOURCE_DATE_EPOCH");
    if (epoch != nullptr && *epoch != '\0' && std::strlen(epoch) <= 12 &&
        std::strspn(epoch, "0123456789") == std::strlen(epoch)) {
        return static_cast<std::time_t>(std::strtoll(epoch, nullptr, 10));
    }
    return std::time(nullptr);
}

}  // namespace

SystemTime PageTime() {
    const std::time_t moment = PageMoment();
    std::tm local{};
#ifdef _WIN32
    const bool converted = localtime_s(&local, &moment) == 0;
#else
    const bool converted = localtime_r(&moment, &local) != nullptr;
#endif
    SystemTime time{};
    if (converted) {
        time.wYear = static_cast<uint16_t>(local.tm_year + 1900);
        time.wMonth = static_cast<uint16_t>(local.tm_mon + 1);
        time.wDay = static_cast<uint16_t>(local.tm_mday);
        time.wHour = static_cast<uint16_t>(local.tm_hour);
        time.wMinute = static_cast<uint16_t>(local.tm_min);
        time.wSecond = static_cast<uint16_t>(local.tm_sec);
    }
    return time;
}
