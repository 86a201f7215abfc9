#pragma once
// The last day a campaign is counted to when the operator names none: yesterday, the last whole
// day, or the day before SOURCE_DATE_EPOCH's local date when that is set.
#include <cstdint>

int32_t DefaultAsOfDay();
