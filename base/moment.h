#pragma once
// The moment a page or a proof is made: now, or SOURCE_DATE_EPOCH (seconds since 1970) where it
// is set, so that the same input gives the same bytes again; and a moment on the local clock.
#include <ctime>

std::time_t ReproducibleNow();

// The local calendar fields of a moment, its date and clock; false when the system cannot
// convert it.
bool LocalFields(std::time_t moment, std::tm& local);
