#include "app/month_combo.h"

#include "framework/framework.h"

LogMonth MonthOfIndex(int index) {
    if (index < 0 || index >= kMaxLogMonths)
        return LogMonth{0, 0};
    return LogMonths().entries[index];
}

void FillMonthCombo(HWND combo) {
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    const LogMonthList& months = LogMonths();
    for (int32_t i = 0; i < months.count; ++i) {
        const std::wstring text = ToWide(MonthComboText(months.entries[i]));
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
}
