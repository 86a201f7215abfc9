#include "reports/page_time.h"

#include <ctime>

#include "base/moment.h"

SystemTime PageTime() {
    return PageTimeAt(ReproducibleNow());
}

SystemTime PageTimeAt(std::time_t moment) {
    std::tm local{};
    const bool converted = LocalFields(moment, local);
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
