#include "controls/list_ctrl_ex.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <string>

#include "logdata/cp1250.h"

namespace {

// Custom-draw stages and answers as the list sends and reads them.
constexpr DWORD kCellPrePaint = CDDS_ITEMPREPAINT | CDDS_SUBITEM;
constexpr DWORD kCellPostPaint = CDDS_ITEMPOSTPAINT | CDDS_SUBITEM;

// Longest cell text the wide request takes over from the narrow callback.
constexpr int kNarrowTextMax = 1024;

}  // namespace

const CRuntimeClass ListCtrlEx::classListCtrlEx{"ListCtrlEx", &CListCtrl::classCListCtrl};

const CRuntimeClass* ListCtrlEx::GetRuntimeClass() const {
    return &classListCtrlEx;
}

const MessageMap* ListCtrlEx::ThisMessageMap() {
    static const MessageMapEntry entries[] = {
        OnNotifyReflect(LVN_GETDISPINFOW, &ListCtrlEx::OnGetDispInfoW),
        OnNotifyReflect(LVN_GETDISPINFOA, &ListCtrlEx::OnGetDispInfoA),
        OnNotifyReflect(NM_CUSTOMDRAW, &ListCtrlEx::OnCustomDraw),
        OnKeyMessage(WM_CHAR, &ListCtrlEx::OnChar),
        OnDropFilesMessage(&ListCtrlEx::OnDropFiles),
        OnNotifyReflect(LVN_BEGINDRAG, &ListCtrlEx::OnBeginDrag),
        OnNotifyRange(TTN_NEEDTEXTW, 0, 0xFFFF, &ListCtrlEx::OnToolTipText),
        OnNotifyRange(TTN_NEEDTEXTA, 0, 0xFFFF, &ListCtrlEx::OnToolTipText),
        OnKeyMessage(WM_KEYDOWN, &ListCtrlEx::OnKeyDown),
    };
    static const MessageMap map{CWnd::ThisMessageMap(), entries, std::size(entries)};
    return &map;
}

const MessageMap* ListCtrlEx::GetMessageMap() const {
    return ThisMessageMap();
}

ListCtrlEx::~ListCtrlEx() {
    m_Font4.DeleteObject();
    m_Font3.DeleteObject();
    m_Font2.DeleteObject();
    m_Font1.DeleteObject();
}

void ListCtrlEx::SetTextCallback(void* context, TextCallback callback) {
    m_pCallbackContext = context;
    if (callback != nullptr)
        m_pfnText = callback;
}

CFont& ListCtrlEx::StyleFont(int mode) {
    CFont* fonts[] = {&m_Font1, &m_Font2, &m_Font3, &m_Font4};
    return *fonts[mode >= 1 && mode <= 4 ? mode - 1 : 0];
}

// ---- Text requests --------------------------------------------------------------------

bool ListCtrlEx::OnGetDispInfoA(NMHDR* header, LRESULT* result) {
    auto* info = reinterpret_cast<NMLVDISPINFOA*>(header);
    if (m_pfnText != nullptr) {
        m_pfnText(m_pCallbackContext, reinterpret_cast<ListViewItem*>(&info->item));
    }
    *result = 0;
    return true;
}

// The callback writes Windows-1250: it fills a narrow copy of the record, and the text is
// widened into the list's buffer afterwards.
bool ListCtrlEx::OnGetDispInfoW(NMHDR* header, LRESULT* result) {
    *result = 0;
    if (m_pfnText == nullptr)
        return true;
    LVITEMW& wide = reinterpret_cast<NMLVDISPINFOW*>(header)->item;
    const bool wantsText = (wide.mask & LVIF_TEXT) != 0 && wide.pszText != nullptr &&
                           wide.pszText != LPSTR_TEXTCALLBACKW && wide.cchTextMax > 0;
    char narrowText[kNarrowTextMax] = {};
    LVITEMA narrow;
    std::memcpy(&narrow, &wide, sizeof narrow);
    narrow.pszText = wantsText ? narrowText : nullptr;
    narrow.cchTextMax = wantsText ? std::min(wide.cchTextMax, kNarrowTextMax) : 0;
    m_pfnText(m_pCallbackContext, reinterpret_cast<ListViewItem*>(&narrow));

    wchar_t* wideText = wide.pszText;
    int capacity = wide.cchTextMax;
    std::memcpy(&wide, &narrow,
                sizeof wide);  // fields other than the text, as the callback left them
    wide.pszText = wideText;
    wide.cchTextMax = capacity;
    if (!wantsText)
        return true;
    int i = 0;
    for (; i < narrow.cchTextMax - 1 && narrowText[i] != '\0'; ++i) {
        wideText[i] =
            static_cast<wchar_t>(Cp1250ToUnicode(static_cast<unsigned char>(narrowText[i])));
    }
    wideText[i] = L'\0';
    return true;
}

// ---- Custom draw ----------------------------------------------------------------------

bool ListCtrlEx::OnCustomDraw(NMHDR* header, LRESULT* result) {
    auto& draw = *reinterpret_cast<NMLVCUSTOMDRAW*>(header);
    switch (draw.nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
            *result = CDRF_NOTIFYITEMDRAW;
            break;
        case CDDS_ITEMPREPAINT:
            *result = CDRF_NOTIFYSUBITEMDRAW;
            break;
        case kCellPrePaint:
            *result = CellPrePaint(draw);
            break;
        case kCellPostPaint:
            if (m_hSavedFont != nullptr) {
                SelectObject(draw.nmcd.hdc, m_hSavedFont);
                m_hSavedFont = nullptr;
            }
            *result = CDRF_DODEFAULT;
            break;
        default:
            *result = CDRF_DODEFAULT;
            break;
    }
    return true;
}

LRESULT ListCtrlEx::CellPrePaint(NMLVCUSTOMDRAW& draw) {
    COLORREF text = draw.clrText;
    COLORREF background = draw.clrTextBk;
    uint32_t style = 0;
    const int row = static_cast<int>(draw.nmcd.dwItemSpec);
    if (m_pfnCellStyle != nullptr) {
        m_pfnCellStyle(m_pCallbackContext, row, draw.iSubItem, &text, &background, &style);
    }
    draw.clrText = text;
    draw.clrTextBk = background;
    const uint32_t mode = style & kStyleModeMask;
    if (mode >= 1 && mode <= 4) {
        HFONT font = StyleFont(static_cast<int>(mode)).GetSafeHandle();
        // An empty font object selects nothing, so there is nothing to put back either.
        HGDIOBJ replaced = font != nullptr ? SelectObject(draw.nmcd.hdc, font) : nullptr;
        m_hSavedFont = replaced != HGDI_ERROR ? static_cast<HFONT>(replaced) : nullptr;
        return CDRF_NEWFONT | CDRF_NOTIFYPOSTPAINT;
    }
    if (mode == kStyleBar) {
        DrawBarCell(draw.nmcd.hdc, row, draw.iSubItem, text, background, style);
        return CDRF_SKIPDEFAULT;
    }
    return CDRF_DODEFAULT;
}

void ListCtrlEx::DrawBarCell(HDC dc, int row, int column, COLORREF text, COLORREF background,
                             uint32_t style) {
    RECT cell{};
    GetSubItemRect(row, column, LVIR_BOUNDS, cell);
    const std::wstring label = GetItemText(row, column);
    const bool selected = (GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
    COLORREF textColour = text;
    COLORREF fill = background;
    if (selected) {
        const bool focused = GetFocus() == m_hWnd;
        textColour = GetSysColor(focused ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
        fill = GetSysColor(focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
    }
    if (IsRectEmpty(&cell))
        return;

    cell.bottom -= 1;  // keep the grid lines visible
    cell.left += 1;
    HBRUSH ground = CreateSolidBrush(selected ? fill : GetSysColor(COLOR_WINDOW));
    FillRect(dc, &cell, ground);
    DeleteObject(ground);

    const uint32_t numerator = (style >> 16) & 0xFF;
    const uint32_t denominator = (style >> 24) & 0xFF;
    if (numerator > 0 && denominator > 0) {
        RECT bar = cell;
        const double share = static_cast<double>(numerator) / denominator;
        bar.right = bar.left + static_cast<LONG>(std::trunc(share * (cell.right - cell.left)));
        HBRUSH brush = CreateSolidBrush(fill);
        FillRect(dc, &bar, brush);
        DeleteObject(brush);
    }

    RECT textRect = cell;
    InflateRect(&textRect, -1, -1);
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = SetTextColor(dc, textColour);
    DrawTextW(dc, label.c_str(), static_cast<int>(label.size()), &textRect,
              DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
}

// ---- Interaction hooks: with none installed the list behaves as the platform's -------

void ListCtrlEx::OnChar(UINT, UINT, UINT) {
    Default();
}

void ListCtrlEx::OnKeyDown(UINT, UINT, UINT) {
    Default();
}

void ListCtrlEx::OnDropFiles(HDROP) {
    Default();
}

bool ListCtrlEx::OnBeginDrag(NMHDR*, LRESULT* result) {
    *result = 0;
    return true;
}

bool ListCtrlEx::OnToolTipText(NMHDR*, LRESULT* result) {
    *result = 0;
    return false;
}
