#include "base/moment.h"

#include <cstdlib>
#include <cstring>

std::time_t ReproducibleNow() {
    const char* epoch = std::getenv("SOURCE_DATE_EPOCH");
    if (epoch != nullptr && *epoch != '\0' && std::strlen(epoch) <= 12 &&
        std::strspn(epoch, "0123456789") == std::strlen(epoch)) {
        return static_cast<std::time_t>(std::strtoll(epoch, nullptr, 10));
    }
    return std::time(nullptr);
}

bool LocalFields(std::time_t moment, std::tm& local) {
#ifdef _WIN32
    return localtime_s(&local, &moment) == 0;
#else
    return localtime_r(&moment, &local) != nullptr;
#endif
}
