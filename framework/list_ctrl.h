#pragma once
// The list view control as a window object.
#include "framework/wnd.h"

// The list view operations the program uses; texts are Windows-1250.
class CListCtrl : public CWnd {
public:
    static const CRuntimeClass classCListCtrl;
    const CRuntimeClass* GetRuntimeClass() const override;

    DWORD SetExtendedStyle(DWORD exStyle);
    int InsertColumn(int column, std::string_view heading, int format, int width);
    BOOL DeleteColumn(int column);
    int GetColumnCount() const;
    BOOL SetItemCountEx(int count, DWORD flags = LVSICF_NOINVALIDATEALL);
    int GetItemCount() const;
    int GetNextItem(int start, int flags) const;
    UINT GetItemState(int row, UINT mask) const;
    BOOL SetItemState(int row, UINT state, UINT mask);
    BOOL GetSubItemRect(int row, int column, int area, RECT& rect) const;
    std::wstring GetItemText(int row, int column) const;
};
