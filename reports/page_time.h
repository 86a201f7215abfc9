#pragma once
// The moment a page is dated with.
#include "base/win32_types.h"

#include <ctime>

// The local time: now, or SOURCE_DATE_EPOCH (seconds since 1970) where it is set, so that a
// page can be made again byte for byte.
SystemTime PageTime();
// The local time of a moment, seconds since 1970.
SystemTime PageTimeAt(std::time_t moment);
