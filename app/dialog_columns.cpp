#include "app/dialog_columns.h"

void SetUpDialogColumns(CListCtrl& list, const std::string_view* titles, const int* widths,
                        int count, int firstNumeric) {
    list.SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    const HWND dialog = GetParent(list.m_hWnd);
    for (int i = 0; i < count; ++i) {
        RECT width{0, 0, widths[i], 0};
        MapDialogRect(dialog, &width);
        list.InsertColumn(i, titles[i], i >= firstNumeric ? LVCFMT_RIGHT : LVCFMT_LEFT,
                          width.right);
    }
}
