#pragma once
// The month combo box: one text per entry of the process-wide month list, in table order, so
// that the selected index is the index into the list.
#include <windows.h>

#include "logdata/log_months.h"

void FillMonthCombo(HWND combo);

// The month of a combo index: entries past the found months are zero-filled, and an index outside
// the table names none ({0, 0}).
LogMonth MonthOfIndex(int index);
