// The core's stand-ins must match the records the window hands it.
#include <windows.h>
#include <commctrl.h>

#include <cstddef>

#include "base/win32_types.h"

static_assert(sizeof(SystemTime) == sizeof(SYSTEMTIME));
static_assert(offsetof(SystemTime, wDay) == offsetof(SYSTEMTIME, wDay));
static_assert(offsetof(SystemTime, wMilliseconds) == offsetof(SYSTEMTIME, wMilliseconds));
static_assert(sizeof(ListViewItem) == sizeof(LVITEMA));
static_assert(offsetof(ListViewItem, mask) == offsetof(LVITEMA, mask));
static_assert(offsetof(ListViewItem, iItem) == offsetof(LVITEMA, iItem));
static_assert(offsetof(ListViewItem, iSubItem) == offsetof(LVITEMA, iSubItem));
static_assert(offsetof(ListViewItem, state) == offsetof(LVITEMA, state));
static_assert(offsetof(ListViewItem, pszText) == offsetof(LVITEMA, pszText));
static_assert(offsetof(ListViewItem, cchTextMax) == offsetof(LVITEMA, cchTextMax));
static_assert(offsetof(ListViewItem, iImage) == offsetof(LVITEMA, iImage));
static_assert(offsetof(ListViewItem, lParam) == offsetof(LVITEMA, lParam));
static_assert(offsetof(ListViewItem, iIndent) == offsetof(LVITEMA, iIndent));
static_assert(offsetof(ListViewItem, iGroupId) == offsetof(LVITEMA, iGroupId));
static_assert(offsetof(ListViewItem, cColumns) == offsetof(LVITEMA, cColumns));
static_assert(offsetof(ListViewItem, puColumns) == offsetof(LVITEMA, puColumns));
static_assert(offsetof(ListViewItem, piColFmt) == offsetof(LVITEMA, piColFmt));
static_assert(offsetof(ListViewItem, iGroup) == offsetof(LVITEMA, iGroup));
static_assert(kListItemText == LVIF_TEXT);
