#pragma once
// A dialog's report list set up with grid lines, whole-row selection and its columns laid out in
// the dialog's units, so that they grow with its font and the DPI.
#include <string_view>

#include "framework/framework.h"

// Columns from firstNumeric on are right-aligned, as numbers are.
void SetUpDialogColumns(CListCtrl& list, const std::string_view* titles, const int* widths,
                        int count, int firstNumeric);
