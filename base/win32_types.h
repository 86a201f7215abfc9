#pragma once
// Layout-identical stand-ins for the two Win32 records that the portable core shares with the
// window: SYSTEMTIME and the narrow list-view item LVITEMA. The core never includes windows.h;
// the Windows layer checks these layouts against the real ones at compile time.
#include <cstdint>

struct SystemTime {
    uint16_t wYear;
    uint16_t wMonth;
    uint16_t wDayOfWeek;
    uint16_t wDay;
    uint16_t wHour;
    uint16_t wMinute;
    uint16_t wSecond;
    uint16_t wMilliseconds;
};

struct ListViewItem {
    uint32_t mask;
    int32_t iItem;
    int32_t iSubItem;
    uint32_t state;
    uint32_t stateMask;
    char* pszText;
    int32_t cchTextMax;
    int32_t iImage;
    intptr_t lParam;
    int32_t iIndent;
    int32_t iGroupId;
    uint32_t cColumns;
    uint32_t* puColumns;
    int32_t* piColFmt;
    int32_t iGroup;
};

// LVIF_TEXT: the request asks for the item's text.
constexpr uint32_t kListItemText = 0x0001;
