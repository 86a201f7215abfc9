#include "framework/list_ctrl.h"

#include <iterator>

#include "framework/win_text.h"

const CRuntimeClass CListCtrl::classCListCtrl{"CListCtrl", &CWnd::classCWnd};

const CRuntimeClass* CListCtrl::GetRuntimeClass() const {
    return &classCListCtrl;
}

DWORD CListCtrl::SetExtendedStyle(DWORD exStyle) {
    return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, exStyle));
}

int CListCtrl::InsertColumn(int column, std::string_view heading, int format, int width) {
    std::wstring text = ToWide(heading);
    LVCOLUMNW col{};
    col.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    col.fmt = format;
    col.cx = width;
    col.pszText = text.data();
    col.iSubItem = column;
    return static_cast<int>(SendMessage(LVM_INSERTCOLUMNW, static_cast<WPARAM>(column),
                                        reinterpret_cast<LPARAM>(&col)));
}

BOOL CListCtrl::DeleteColumn(int column) {
    return static_cast<BOOL>(SendMessage(LVM_DELETECOLUMN, static_cast<WPARAM>(column)));
}

int CListCtrl::GetColumnCount() const {
    const HWND header = reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER));
    return header == nullptr ? 0 : static_cast<int>(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
}

BOOL CListCtrl::SetItemCountEx(int count, DWORD flags) {
    return static_cast<BOOL>(SendMessage(LVM_SETITEMCOUNT, static_cast<WPARAM>(count), flags));
}

int CListCtrl::GetItemCount() const {
    return static_cast<int>(SendMessage(LVM_GETITEMCOUNT));
}

int CListCtrl::GetNextItem(int start, int flags) const {
    return static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(start), flags));
}

UINT CListCtrl::GetItemState(int row, UINT mask) const {
    return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(row), mask));
}

BOOL CListCtrl::SetItemState(int row, UINT state, UINT mask) {
    LVITEMW item{};
    item.state = state;
    item.stateMask = mask;
    return static_cast<BOOL>(
        SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
}

BOOL CListCtrl::GetSubItemRect(int row, int column, int area, RECT& rect) const {
    rect = RECT{area, column, 0, 0};  // the message reads the area and column from the rectangle
    return static_cast<BOOL>(
        SendMessage(LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect)));
}

std::wstring CListCtrl::GetItemText(int row, int column) const {
    wchar_t buffer[1024] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = static_cast<int>(std::size(buffer));
    LRESULT length =
        SendMessage(LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    // The list may answer with a pointer of its own instead of filling our buffer.
    const wchar_t* text = item.pszText != nullptr ? item.pszText : buffer;
    return std::wstring(text, static_cast<size_t>(length > 0 ? length : 0));
}
