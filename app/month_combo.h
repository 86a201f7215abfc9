#pragma once
// The month combo box: one text per entry of the process-wide month list, in table order, so
// that the selected index is the index into the list.
#include <windows.h>

void FillMonthCombo(HWND combo);
