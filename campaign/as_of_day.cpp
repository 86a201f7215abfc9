#include "campaign/as_of_day.h"

#include "base/moment.h"
#include "campaign/calendar.h"

int32_t DefaultAsOfDay() {
    std::tm local{};
    if (!LocalFields(ReproducibleNow(), local)) {
        return DayNumber({1970, 1, 1});
    }
    return DayNumber({static_cast<uint32_t>(local.tm_year + 1900),
                      static_cast<uint32_t>(local.tm_mon + 1),
                      static_cast<uint32_t>(local.tm_mday)}) -
           1;
}
